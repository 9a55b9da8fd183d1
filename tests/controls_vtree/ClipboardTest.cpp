// The clipboard side of the tree: the format registry, the five renderings
// (golden outputs), the data object's contract, copy, cut and paste between
// trees, and the references and blocks that come from outside.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "ClipboardTestSupport.h"
#include "TreeTestSupport.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeDataObject.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeExport.h"
#include "controls/vtree/LazyTreeRegistry.h"
#include "platform/base/FormatSettings.h"
#include "platform/base/ThreadId.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/ole/OleClipboard.h"
#include "platform/win/window/Clipboard.h"

namespace {

std::string ReadFile(const std::string& Path)
{
  std::ifstream in(Path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Compares with a golden file; VTREE_UPDATE_GOLDEN=1 writes it instead.
void ExpectGolden(const std::string& Name, const std::string& Actual)
{
  std::string path = std::string(VTREE_GOLDEN_DIR) + "/" + Name;
  if (std::getenv("VTREE_UPDATE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << Actual;
    return;
  }
  EXPECT_EQ(ReadFile(path), Actual) << Name;
}

std::string BlockText(HGLOBAL Block)
{
  std::string s(static_cast<const char*>(GlobalLock(Block)), GlobalSize(Block));
  GlobalUnlock(Block);
  return s;
}

HGLOBAL BlockOf(const std::vector<std::uint8_t>& Bytes)
{
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
  std::memcpy(GlobalLock(block), Bytes.data(), Bytes.size());
  GlobalUnlock(block);
  return block;
}

// A release object that counts how often it was let go.
struct TCountingUnknown : TInterfacedObject<IStream> {
  int* Released;
  explicit TCountingUnknown(int* Counter) : Released(Counter) {}
  ~TCountingUnknown() override { ++*Released; }
  HRESULT Read(void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT Seek(Int64, DWORD, UInt64*) override { return E_NOTIMPL; }
  HRESULT SetSize(UInt64) override { return E_NOTIMPL; }
  HRESULT CopyTo(IStream*, UInt64, UInt64*, UInt64*) override { return E_NOTIMPL; }
  HRESULT Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT Revert() override { return E_NOTIMPL; }
  HRESULT LockRegion(UInt64, UInt64, DWORD) override { return E_NOTIMPL; }
  HRESULT UnlockRegion(UInt64, UInt64, DWORD) override { return E_NOTIMPL; }
  HRESULT Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
  HRESULT Clone(IStream**) override { return E_NOTIMPL; }
};

class ClipboardTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    Source = std::make_unique<TLazyStringTree>(nullptr);
    Target = std::make_unique<TLazyStringTree>(nullptr);
    Names.Bind(Source.get());
    Names.Bind(Target.get());
    Names.Cells = {{1, {u"Amis <proches>", u"en ligne"}},
                   {2, {u"Léa & \"Zoé\"", u"absente"}},
                   {3, {u"Marc, Paul", u"occupé"}},
                   {4, {u"Travail", u""}},
                   {5, {u"Ana", u"hors ligne"}}};
  }
  void TearDown() override
  {
    OleSetClipboard(nullptr);
    Source.reset();
    Target.reset();
  }
  // Two groups, with two and one contacts.
  void BuildSource()
  {
    PLazyNode friends = Names.Add(Source.get(), nullptr, 1);
    Names.Add(Source.get(), friends, 2);
    Names.Add(Source.get(), friends, 3);
    PLazyNode work = Names.Add(Source.get(), nullptr, 4);
    Names.Add(Source.get(), work, 5);
  }
  PLazyNode Node(TBaseLazyTree* Tree, int IdValue)
  {
    for (PLazyNode n = Tree->FirstTopLevelNode(); n; n = Tree->NextNode(n))
      if (TNamedNodes::Id(Tree, n) == IdValue)
        return n;
    return nullptr;
  }

  TNamedNodes Names;
  std::unique_ptr<TLazyStringTree> Source, Target;
};

TEST_F(ClipboardTest, EveryRenderingOfATwoLevelTwoColumnTreeMatchesItsGolden)
{
  BuildSource();
  AddColumns(Source.get());
  ExpectGolden("export_text.txt", Source->ContentToText(tstAll, '\t'));
  ExpectGolden("export_csv.txt", Source->ContentToText(tstAll, ','));
  WideString wide = Source->ContentToUnicode(tstAll, u'\t');
  ExpectGolden("export_unicode.txt", std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
  ExpectGolden("export_html.txt", Source->ContentToHTML(tstAll));
  ExpectGolden("export_rtf.txt", Source->ContentToRTF(tstAll));
}

// The clipboard blocks are written straight from the renderings' chunks:
// each equals its text rendering and a terminating zero, also when the text
// runs over many chunks.
TEST_F(ClipboardTest, EachClipboardBlockHoldsItsRenderingAndAZero)
{
  BuildSource();
  AddColumns(Source.get());
  Names.Cells[7] = {std::u16string(300, u'\u00e9') + u" <&>", u"\"x\""};
  for (int i = 0; i < 1000; ++i)
    Names.Add(Source.get(), nullptr, 7);
  auto bytes = [](const auto& Text) {
    return std::string(reinterpret_cast<const char*>(Text.c_str()), (Text.size() + 1) * sizeof(Text[0]));
  };
  const struct {
    CLIPFORMAT Format;
    std::string Expected;
  } cases[] = {
      {CF_TEXT, bytes(Source->ContentToText(tstAll, '\t'))},
      {CF_UNICODETEXT, bytes(Source->ContentToUnicode(tstAll, u'\t'))},
      {CF_CSV, bytes(Source->ContentToText(tstAll, FormatSettings.ListSeparator))},
      {CF_HTML, bytes(WrapHtmlFragment(Source->ContentToHTML(tstAll)))},
      {CF_RTF, bytes(Source->ContentToRTF(tstAll))},
  };
  for (const auto& c : cases) {
    ASSERT_GT(c.Expected.size(), 300000u) << "more than one chunk";
    HGLOBAL block = Source->ContentToClipboard(c.Format, tstAll);
    ASSERT_TRUE(block) << c.Format;
    std::string got(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    EXPECT_TRUE(got == c.Expected) << "format " << c.Format << ": " << got.size() << " bytes, " << c.Expected.size()
                                   << " expected";
  }
}

TEST_F(ClipboardTest, SeparatedTextIndentsTheMainColumnAndQuotesOneWayInBothWidths)
{
  BuildSource();
  AddColumns(Source.get());
  std::string text = Source->ContentToText(tstAll, ',');
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "Nom,,Statut");
  EXPECT_NE(text.find("\r\nAmis <proches>,,en ligne\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n,\"Léa & \"\"Zoé\"\"\",absente\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n,\"Marc, Paul\",occupé\r\n"), std::string::npos);
  // The wide rendering quotes by the same rule.
  EXPECT_EQ(UTF8Encode(Source->ContentToUnicode(tstAll, u',')), text);
}

TEST_F(ClipboardTest, HtmlEscapesMarkupAndItsClipboardHeaderNamesTheRightOffsets)
{
  BuildSource();
  AddColumns(Source.get());
  std::string html = Source->ContentToHTML(tstAll, "a \"b\"");
  EXPECT_NE(html.find(">Amis &lt;proches&gt;</td>"), std::string::npos);
  EXPECT_NE(html.find(">Léa &amp; &quot;Zoé&quot;</td>"), std::string::npos);
  EXPECT_NE(html.find("caption=\"a &quot;b&quot;\""), std::string::npos);
  EXPECT_EQ(html.find("<proches>"), std::string::npos);

  for (std::size_t n : {std::size_t(0), std::size_t(1000), html.size()}) {
    std::string fragment = n == html.size() ? html : std::string(n, 'x');
    std::string block = WrapHtmlFragment(fragment);
    auto number = [&](const char* key) { return std::stoul(block.substr(block.find(key) + std::strlen(key), 8)); };
    EXPECT_EQ(number("StartHTML:"), 97u);
    EXPECT_EQ(number("StartFragment:"), 269u);
    EXPECT_EQ(number("EndFragment:"), 269u + n);
    EXPECT_EQ(number("EndHTML:"), 301u + n);
    EXPECT_EQ(block.size(), 301u + n);
    EXPECT_EQ(block.substr(269, n), fragment);
    EXPECT_EQ(block.substr(97, 9), "<!DOCTYPE");
  }
}

// The table frame follows the tree's border: one pixel wider than the
// class library's border width, written right after the caption.
TEST_F(ClipboardTest, TheHtmlTableFrameFollowsTheTreesBorder)
{
  const struct {
    TBorderStyle Style;
    int Width;
    const char* Caption;
    const char* Attributes;
  } cases[] = {
      {bsSingle, 0, "", " border=\"1\" frame=box cellspacing"},
      {bsSingle, 3, "", " border=\"4\" frame=box cellspacing"},
      {bsSingle, 2, "Amis", " caption=\"Amis\"border=\"3\" frame=box cellspacing"},
      {bsNone, 3, "", "  cellspacing"},
      {bsNone, 0, "Amis", " caption=\"Amis\" cellspacing"},
  };
  for (const auto& c : cases) {
    Source->SetBorderStyle(c.Style);
    Source->SetBorderWidth(c.Width);
    std::string html = Source->ContentToHTML(tstAll, c.Caption);
    EXPECT_NE(html.find("<table class=\"default\" bgcolor=#FFFFFF" + std::string(c.Attributes) + "=\"0\" cellpadding=4>"),
              std::string::npos)
        << html;
  }
}

TEST_F(ClipboardTest, RtfWritesEachUnitAsASigned16BitNumber)
{
  Names.Cells[9] = {u"\u20AC\uFFFD", u""};
  Names.Add(Source.get(), nullptr, 9);
  std::string rtf = Source->ContentToRTF(tstAll);
  EXPECT_NE(rtf.find("\\u8364\\'3f\\u-3\\'3f"), std::string::npos);
}

TEST_F(ClipboardTest, ClipboardBlocksEndInAZeroAndAnEmptyTextIsJustTheZero)
{
  HGLOBAL empty = Source->ContentToClipboard(CF_TEXT, tstAll);
  ASSERT_TRUE(empty);
  EXPECT_EQ(GlobalSize(empty), 1u);
  GlobalFree(empty);
  BuildSource();
  HGLOBAL wide = Source->ContentToClipboard(CF_UNICODETEXT, tstAll);
  EXPECT_EQ(GlobalSize(wide), (Source->ContentToUnicode(tstAll, u'\t').size() + 1) * 2);
  GlobalFree(wide);
  EXPECT_EQ(Source->ContentToClipboard(CF_BITMAP, tstAll), nullptr);
}

TEST_F(ClipboardTest, TheRegistryOrdersFormatsAndEachTreeTakesOnlyItsClassesFormats)
{
  std::vector<std::string> names;
  for (const FORMATETC& f : Source->NativeClipboardFormats())
    names.push_back(TClipboardFormatList::FindFormat(f.cfFormat)->Description);
  EXPECT_EQ(names, (std::vector<std::string>{"Lazy Tree Data", "HTML Format", "Rich Text Format Without Objects",
                                             "Rich Text Format", "CSV", "Unicode text", "Plain text"}));
  TBaseLazyTree base(nullptr);
  base.ClipboardFormats()->Clear();
  EXPECT_GE(base.ClipboardFormats()->Add("Lazy Tree Data"), 0);
  EXPECT_EQ(base.ClipboardFormats()->Add("CSV"), -1);
  Source->ClipboardFormats()->Clear();
  EXPECT_GE(Source->ClipboardFormats()->Add("csv"), 0);
  ASSERT_EQ(Source->NativeClipboardFormats().size(), 1u);
  EXPECT_EQ(Source->NativeClipboardFormats()[0].cfFormat, CF_CSV);
  EXPECT_EQ(StandardFormatName(13), "Unicode text");
  std::size_t before = TClipboardFormatList::Entries().size();
  TClipboardFormatList::RegisterKnownFormat(0, LazyTreeClassOf<TBaseLazyTree>("TBaseLazyTree"), 500);
  EXPECT_EQ(TClipboardFormatList::Entries().size(), before);
}

TEST_F(ClipboardTest, TheDataObjectAnswersQueriesEnumeratesAndKeepsSetDataAsTheContractSays)
{
  InterfacePtr<IDataObject> data(new TLTDataObject(Source.get(), false));
  FORMATETC f;
  f.cfFormat = CF_CSV;
  EXPECT_EQ(data->QueryGetData(&f), S_OK);
  f.dwAspect = DVASPECT_ICON;
  EXPECT_EQ(data->QueryGetData(&f), DV_E_DVASPECT);
  f.dwAspect = DVASPECT_CONTENT;
  f.tymed = TYMED_GDI;
  EXPECT_EQ(data->QueryGetData(&f), DV_E_TYMED);
  f.tymed = TYMED_HGLOBAL;
  f.lindex = 3;
  EXPECT_EQ(data->QueryGetData(&f), DV_E_LINDEX);
  f.cfFormat = CF_BITMAP;
  EXPECT_EQ(data->QueryGetData(&f), DV_E_FORMATETC);

  IEnumFORMATETC* raw = nullptr;
  EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &raw), OLE_S_USEREG);
  EXPECT_EQ(raw, nullptr);
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
  auto e = InterfacePtr<IEnumFORMATETC>::Adopt(raw);
  FORMATETC records[10];
  ULONG fetched = 0;
  EXPECT_EQ(e->Skip(5), S_OK);
  EXPECT_EQ(e->Next(5, records, &fetched), S_FALSE);  // fewer than asked for
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(e->Next(1, records, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  // A custom format set twice: the first medium is let go once, the second served.
  UINT custom = RegisterClipboardFormat("Test custom");
  int released = 0;
  FORMATETC c;
  c.cfFormat = CLIPFORMAT(custom);
  for (int round = 0; round < 2; ++round) {
    STGMEDIUM m;
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = BlockOf({std::uint8_t(round + 1)});
    m.pUnkForRelease = round == 0 ? static_cast<IStream*>(new TCountingUnknown(&released)) : nullptr;
    if (m.pUnkForRelease)
      m.pUnkForRelease->AddRef();
    ASSERT_EQ(data->SetData(&c, &m, TRUE), S_OK);
  }
  EXPECT_EQ(released, 1);
  STGMEDIUM out;
  ASSERT_EQ(data->GetData(&c, &out), S_OK);
  EXPECT_EQ(BlockText(out.hGlobal), std::string(1, '\2'));
  ReleaseStgMedium(&out);

  // A copy that cannot be made leaves the stored medium as it was.
  STGMEDIUM picture;
  picture.tymed = TYMED_GDI;
  EXPECT_EQ(data->SetData(&c, &picture, FALSE), DV_E_TYMED);
  ASSERT_EQ(data->GetData(&c, &out), S_OK);
  EXPECT_EQ(BlockText(out.hGlobal), std::string(1, '\2'));
  ReleaseStgMedium(&out);
}

TEST_F(ClipboardTest, AReferenceNamesOnlyALiveTreeOfThisProcess)
{
  InterfacePtr<IDataObject> data(new TLTDataObject(Source.get(), true));
  EXPECT_EQ(TBaseLazyTree::TreeFromDataObject(data.Get()), Source.get());
  std::uint8_t block[8];
  WriteTreeReference(block, Source->TreeToken());
  EXPECT_EQ(TreeOfReference(block, 8), Source.get());
  EXPECT_EQ(TreeOfReference(block, 7), nullptr);
  EXPECT_EQ(TreeOfReference(block, 16), nullptr);
  std::uint8_t unknown[8];
  WriteTreeReference(unknown, 0xFFFFFF00u);
  EXPECT_EQ(TreeOfReference(unknown, 8), nullptr);
  block[0] ^= 1;  // another process
  EXPECT_EQ(TreeOfReference(block, 8), nullptr);

  // The object outlives its tree: it renders nothing and names no tree.
  Source.reset();
  EXPECT_EQ(TBaseLazyTree::TreeFromDataObject(data.Get()), nullptr);
  FORMATETC f;
  f.cfFormat = CF_TEXT;
  STGMEDIUM m;
  EXPECT_EQ(data->GetData(&f, &m), E_FAIL);
  EXPECT_EQ(m.tymed, TYMED_NULL);
}

TEST_F(ClipboardTest, CopyThenPasteIntoAnotherTreeCopiesTheNodesWithTheirChildrenInOrder)
{
  BuildSource();
  Source->SetNodeSelected(Node(Source.get(), 1), true);
  Source->CopySelection();
  EXPECT_TRUE(Source->TreeStates().Contains(tsCopyPending));
  EXPECT_TRUE(Node(Source.get(), 1)->Has(nfClipMarked));
  EXPECT_TRUE(Target->PasteClipboard());
  EXPECT_EQ(TNamedNodes::Shape(Target.get()), "1 .2 .3 ");
  EXPECT_EQ(TNamedNodes::Shape(Source.get()), "1 .2 .3 4 .5 ");
  // Other programs read the text renderings of the same copy.
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::string text = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  CloseClipboard();
  EXPECT_EQ(text, Source->ContentToText(tstCutCopySet, '\t'));
}

TEST_F(ClipboardTest, CutThenPasteMovesTheNodesAndTheSourceLetsThemGo)
{
  BuildSource();
  Source->SetNodeSelected(Node(Source.get(), 4), true);
  Source->CutSelection();
  Target->SetFocusedNode(nullptr);
  EXPECT_TRUE(Target->PasteClipboard());
  EXPECT_EQ(TNamedNodes::Shape(Target.get()), "4 .5 ");
  EXPECT_EQ(TNamedNodes::Shape(Source.get()), "1 .2 .3 ");
  EXPECT_FALSE(Source->TreeStates().Contains(tsCutPending));
}

TEST_F(ClipboardTest, ACutPastedIntoItsOwnTreeMovesWithoutCopies)
{
  BuildSource();
  Source->SetNodeSelected(Node(Source.get(), 5), true);
  Source->CutSelection();
  Source->SetFocusedNode(Node(Source.get(), 1));
  EXPECT_TRUE(Source->PasteClipboard());
  EXPECT_EQ(TNamedNodes::Shape(Source.get()), "1 .2 .3 .5 4 ");
  EXPECT_FALSE(Source->TreeStates().Contains(tsCutPending));
}

TEST_F(ClipboardTest, ClearingTheTreeEmptiesTheClipboardOnlyWhileItHoldsTheTreesNodes)
{
  BuildSource();
  Source->SelectAllNodes(false);
  Source->CopySelection();
  // Someone else copies afterwards: clearing the tree leaves that alone.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(text), "abc", 4);
  GlobalUnlock(text);
  SetClipboardData(CF_TEXT, text);
  CloseClipboard();
  Source->ClearTree();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

  BuildSource();
  Source->SelectAllNodes(false);
  Source->CopySelection();
  Source->ClearTree();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_LAZYTREE));
}

// Tree data from outside: a length larger than its block, a length that cuts
// a chunk, and a block too small for a length.
TEST_F(ClipboardTest, TreeDataBlocksFromOutsideAreCheckedAgainstTheirSize)
{
  BuildSource();
  Source->SetNodeSelected(Node(Source.get(), 4), true);
  InterfacePtr<IDataObject> good(new TLTDataObject(Source.get(), false));
  FORMATETC f;
  f.cfFormat = CF_LAZYTREE;
  STGMEDIUM m;
  ASSERT_EQ(good->GetData(&f, &m), S_OK);
  std::string bytes = BlockText(m.hGlobal);
  ReleaseStgMedium(&m);
  std::uint32_t length = std::uint32_t(bytes.size() - 4);
  if (std::getenv("VTREE_UPDATE_GOLDEN"))  // a seed of the tree data fuzz target
    std::ofstream(std::string(VTREE_DATA_CORPUS_DIR) + "/valid_block", std::ios::binary) << '\0' << bytes;

  struct TCase {
    const char* Name;
    std::uint32_t Length;
    std::size_t Keep;
    bool Inserted;
  } cases[] = {{"whole", length, bytes.size(), true},
               {"length past the block", length + 100, bytes.size(), false},
               {"length past the block end by one", length + 1, bytes.size(), false},
               {"block shorter than the length field", 0, 3, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Target->ClearTree();
    std::vector<std::uint8_t> block(bytes.begin(), bytes.begin() + std::ptrdiff_t(c.Keep));
    if (block.size() >= 4)
      for (int i = 0; i < 4; ++i)
        block[std::size_t(i)] = std::uint8_t(c.Length >> (8 * i));
    InterfacePtr<IDataObject> hostile(new TLTDataObject(Source.get(), false));
    STGMEDIUM given;
    given.tymed = TYMED_HGLOBAL;
    given.hGlobal = BlockOf(block);
    ASSERT_EQ(hostile->SetData(&f, &given, TRUE), S_OK);
    EXPECT_EQ(Target->ProcessTreeData(nullptr, hostile.Get(), false, amAddChildLast, nullptr), c.Inserted);
    EXPECT_EQ(TNamedNodes::Shape(Target.get()), c.Inserted ? "4 .5 " : "");
  }
}

TEST_F(ClipboardTest, RenderingTreeDataWithNothingSelectedFails)
{
  BuildSource();
  InterfacePtr<IDataObject> data(new TLTDataObject(Source.get(), false));
  FORMATETC f;
  f.cfFormat = CF_LAZYTREE;
  STGMEDIUM m;
  EXPECT_EQ(data->GetData(&f, &m), E_FAIL);
}

}  // namespace
