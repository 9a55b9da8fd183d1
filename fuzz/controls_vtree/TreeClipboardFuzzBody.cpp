#include "fuzz/controls_vtree/TreeClipboardFuzzBody.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeDataObject.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeExport.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeRegistry.h"
#include "platform/base/Exception.h"
#include "platform/win/window/Clipboard.h"

namespace {

void Check(bool Condition)
{
  if (!Condition)
    std::abort();
}

bool ValidUtf8(const std::string& S)
{
  std::size_t pos = 0;
  while (pos < S.size()) {
    bool valid = true;
    DecodeUtf8Char(S, pos, &valid);
    if (!valid)
      return false;
  }
  return true;
}

std::size_t Offset(const std::string& Block, const char* Key)
{
  std::size_t at = Block.find(Key);
  Check(at != std::string::npos);
  return std::stoul(Block.substr(at + std::strlen(Key), 8));
}

// Texts by node, from the input.
struct TTexts {
  std::vector<std::u16string> Cells;
  void GetText(TBaseLazyTree* T, PLazyNode Node, TColumnIndex Column, TLSTTextType, WideString& Text)
  {
    std::size_t i = *reinterpret_cast<std::uint32_t*>(Node->Data(T->UserDataOffset())) * 2 + (Column == 1 ? 1 : 0);
    if (i < Cells.size())
      Text = Cells[i];
  }
};

}  // namespace

void FuzzTreeData(const std::uint8_t* Data, std::size_t Size)
{
  if (Size == 0)
    return;
  const std::uint8_t* body = Data + 1;
  std::size_t size = Size - 1;
  TBaseLazyTree tree(nullptr);
  if (Data[0] & 1) {
    TBaseLazyTree* named = TreeOfReference(body, size);
    // Only a block naming this very tree, made here, may name it.
    if (named)
      Check(named == &tree);
    return;
  }
  InterfacePtr<IDataObject> data(new TLTDataObject(&tree, false));
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (size)
    std::memcpy(GlobalLock(block), body, size), GlobalUnlock(block);
  FORMATETC f;
  f.cfFormat = CF_LAZYTREE;
  STGMEDIUM m;
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = block;
  data->SetData(&f, &m, TRUE);
  try {
    tree.ProcessTreeData(nullptr, data.Get(), false, amAddChildLast, nullptr);
  } catch (const ELazyTreeError&) {
  } catch (const EReadError&) {
  }
  Cardinal shown = 0;
  for (PLazyNode n = tree.FirstVisibleNode(); n; n = tree.NextVisibleNode(n))
    ++shown;
  Check(shown == tree.VisibleNodeCount());
}

void FuzzExport(const std::uint8_t* Data, std::size_t Size)
{
  TLazyStringTree tree(nullptr);
  TTexts texts;
  tree.SetNodeDataSize(4);
  tree.OnGetText = TLSTGetTextEvent(&texts, &TTexts::GetText);
  std::size_t pos = 0;
  auto next = [&]() -> std::uint8_t { return pos < Size ? Data[pos++] : 0; };
  if (next() & 1) {
    tree.Header().Columns().Add()->SetText(u"A");
    tree.Header().Columns().Add()->SetText(u"B<&\"");
  }
  std::vector<PLazyNode> nodes{nullptr};
  std::uint32_t id = 0;
  while (pos < Size && id < 64) {
    std::uint8_t shape = next();
    PLazyNode parent = nodes[shape % nodes.size()];
    PLazyNode p = parent ? parent : tree.HiddenRoot();
    tree.SetNodeChildCount(p, p->ChildCount + 1);
    PLazyNode n = p->LastChildNode;
    *reinterpret_cast<std::uint32_t*>(n->Data(tree.UserDataOffset())) = id++;
    nodes.push_back(n);
    for (int cell = 0; cell < 2; ++cell) {
      std::u16string text;
      std::size_t length = next() % 8;
      for (std::size_t i = 0; i < length; ++i)
        text.push_back(char16_t(next() | (next() << 8)));
      texts.Cells.push_back(text);
    }
  }
  std::string html = tree.ContentToHTML(tstAll, "c");
  Check(ValidUtf8(html));
  std::string block = WrapHtmlFragment(html);
  Check(Offset(block, "StartHTML:") == 97);
  std::size_t start = Offset(block, "StartFragment:"), end = Offset(block, "EndFragment:");
  Check(block.compare(start, end - start, html) == 0 && end - start == html.size());
  Check(Offset(block, "EndHTML:") == block.size());
  Check(ValidUtf8(tree.ContentToText(tstAll, ',')));
  std::string rtf = tree.ContentToRTF(tstAll);
  Check(!rtf.empty() && rtf.back() == '}');
}
