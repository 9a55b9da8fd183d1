// Copy, cut and paste of nodes, the tree's own data format and the reading
// of tree data from a data object (a paste or a drop).
#include <cstring>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeClipboardFormats.h"
#include "controls/vtree/LazyTreeDataObject.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeRegistry.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/ScopeGuard.h"
#include "platform/win/ole/HGlobalStream.h"
#include "platform/win/ole/OleClipboard.h"
#include "platform/win/window/Clipboard.h"

namespace {

// A read-only stream over a block of clipboard memory.
class TOLEMemoryStream : public TCustomMemoryStream {
public:
  TOLEMemoryStream(const void* Data, std::size_t Size) { SetPointer(const_cast<void*>(Data), Int64(Size)); }
  Integer Write(const void*, Integer) override
  {
    throw EStreamError("Impossible d'écrire dans un flux en lecture seule");
  }
};

// Tree data in a stream medium is read whole, up to this size.
constexpr std::size_t kMaxStreamData = std::size_t(1) << 30;

std::vector<std::uint8_t> ReadWholeStream(IStream* Stream)
{
  std::vector<std::uint8_t> data;
  std::uint8_t chunk[65536];
  for (;;) {
    ULONG read = 0;
    HRESULT hr = Stream->Read(chunk, sizeof chunk, &read);
    if (FAILED(hr) || read == 0)
      break;
    if (data.size() + read > kMaxStreamData)
      return {};
    data.insert(data.end(), chunk, chunk + read);
  }
  return data;
}

}  // namespace

std::vector<FORMATETC> TBaseLazyTree::NativeClipboardFormats()
{
  std::vector<FORMATETC> formats = TClipboardFormatList::FormatsOf(this, FClipboardFormats.get());
  if (OnGetUserClipboardFormats)
    OnGetUserClipboardFormats(this, formats);
  return formats;
}

InterfacePtr<IDataObject> TBaseLazyTree::DoCreateDataObject()
{
  IDataObject* object = nullptr;
  if (OnCreateDataObject)
    OnCreateDataObject(this, object);
  return InterfacePtr<IDataObject>(object);
}

void TBaseLazyTree::DataObjectGone(IDataObject* Object)
{
  if (Object != FClipboardObject)
    return;
  FClipboardObject = nullptr;
  if (!FStates.Contains(tsClipboardFlushing) && !FDestroying) {
    ClearClipboardMarks();
    if (HasWindow())
      Invalidate();
  }
}

void TBaseLazyTree::MarkCutCopyNodes()
{
  for (PLazyNode n = FirstSelectedNode(); n; n = NextSelectedNode(n))
    if (!n->Has(nfDisabled))
      n->StateBits |= nfClipMarked;
}

// Places a clipboard data object of the tree and marks the selection for
// the pending copy or cut.
static bool PlaceOnClipboard(TBaseLazyTree* Tree, IDataObject*& Current)
{
  InterfacePtr<IDataObject> object(new TLTDataObject(Tree, true));
  if (OleSetClipboard(object.Get()) != S_OK)
    return false;
  Current = object.Get();
  return true;
}

void TBaseLazyTree::CopySelection()
{
  if (FSelectionCount == 0 || !PlaceOnClipboard(this, FClipboardObject))
    return;
  MarkCutCopyNodes();
  ChangeStates({tsCopyPending}, {tsCutPending});
  if (HasWindow())
    Invalidate();
}

void TBaseLazyTree::CutSelection()
{
  if (FSelectionCount == 0 || HasMiscOption(toReadOnly) || !PlaceOnClipboard(this, FClipboardObject))
    return;
  MarkCutCopyNodes();
  ChangeStates({tsCutPending}, {tsCopyPending});
  if (HasWindow())
    Invalidate();
}

bool TBaseLazyTree::PasteClipboard()
{
  if (HasMiscOption(toReadOnly))
    return false;
  IDataObject* raw = nullptr;
  if (FAILED(OleGetClipboard(&raw)) || !raw)
    RaiseTreeError(hcTFClipboardFailed);
  InterfacePtr<IDataObject> data = InterfacePtr<IDataObject>::Adopt(raw);
  TBaseLazyTree* source = TreeFromDataObject(data.Get());
  bool result = ProcessTreeData(source, data.Get(), source && source->FStates.Contains(tsCutPending),
                                FDefaultPasteMode, FFocusedNode);
  if (source) {
    if (source == this)
      ChangeStates({}, {tsCutPending});
    else
      source->RemoveCutNodes();
  }
  return result;
}

void TBaseLazyTree::RemoveCutNodes()
{
  if (!FStates.Contains(tsCutPending))
    return;
  std::vector<PLazyNode> marked = NodesWith(nfClipMarked, true);
  BeginUpdate();
  auto done = ScopeExit([&] { EndUpdate(); });
  for (PLazyNode n : marked)
    RemoveNode(n, true);
  ChangeStates({}, {tsCutPending});
}

void TBaseLazyTree::ClearClipboardMarks()
{
  if (!FStates.Contains(tsCopyPending) && !FStates.Contains(tsCutPending))
    return;
  for (PLazyNode n = FRoot->FirstChildNode; n; n = NextNodeRaw(n))
    n->StateBits &= ~nfClipMarked;
  ChangeStates({}, {tsCopyPending, tsCutPending});
}

void TBaseLazyTree::RemoveSelectedNodes()
{
  if (FSelectionCount == 0 || HasMiscOption(toReadOnly))
    return;
  std::vector<PLazyNode> nodes = SortedSelection(true);
  BeginUpdate();
  auto done = ScopeExit([&] { EndUpdate(); });
  for (std::size_t i = nodes.size(); i-- > 0;) {
    bool reindex = i == 0 || nodes[i - 1]->ParentNode != nodes[i]->ParentNode;
    RemoveNode(nodes[i], reindex);
  }
}

HRESULT TBaseLazyTree::RenderOLEData(const FORMATETC& FormatEtcIn, STGMEDIUM& Medium, bool ForClipboard)
{
  if (FormatEtcIn.cfFormat == CF_LAZYTREE && CF_LAZYTREE && (FormatEtcIn.tymed & (TYMED_HGLOBAL | TYMED_ISTREAM)))
    return RenderTreeData(FormatEtcIn, Medium, ForClipboard);
  HRESULT result = E_FAIL;
  if (OnRenderOLEData)
    OnRenderOLEData(this, FormatEtcIn, Medium, ForClipboard, result);
  return result;
}

HRESULT TBaseLazyTree::RenderTreeData(const FORMATETC& FormatEtcIn, STGMEDIUM& Medium, bool ForClipboard)
{
  // A node written with its subtree: a marked or selected descendant would come twice.
  std::vector<PLazyNode> nodes = ForClipboard ? SortedClipMarked(true) : SortedSelection(true);
  TMemoryStream data;
  for (PLazyNode n : nodes)
    WriteNodeChunk(&data, n);
  std::size_t size = std::size_t(data.Size());
  if (FormatEtcIn.tymed & TYMED_ISTREAM) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
      return E_OUTOFMEMORY;
    ULONG written = 0;
    if (size)
      stream->Write(data.Memory(), ULONG(size), &written);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    Medium.tymed = TYMED_ISTREAM;
    Medium.pstm = stream;
    Medium.pUnkForRelease = nullptr;
    return S_OK;
  }
  if (size == 0 || size > 0xFFFFFFFFu - 4)
    return E_FAIL;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size + 4);
  if (!block)
    return E_OUTOFMEMORY;
  auto* p = static_cast<std::uint8_t*>(GlobalLock(block));
  for (int i = 0; i < 4; ++i)
    p[i] = std::uint8_t(size >> (8 * i));
  std::memcpy(p + 4, data.Memory(), size);
  GlobalUnlock(block);
  Medium.tymed = TYMED_HGLOBAL;
  Medium.hGlobal = block;
  Medium.pUnkForRelease = nullptr;
  return S_OK;
}

TBaseLazyTree* TBaseLazyTree::TreeFromDataObject(IDataObject* DataObject)
{
  if (!DataObject || !CF_LTREFERENCE)
    return nullptr;
  FORMATETC format;
  format.cfFormat = CF_LTREFERENCE;
  format.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium;
  if (DataObject->GetData(&format, &medium) != S_OK)
    return nullptr;
  TBaseLazyTree* tree = nullptr;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    std::size_t size = GlobalSize(medium.hGlobal);
    if (const void* p = GlobalLock(medium.hGlobal)) {
      tree = TreeOfReference(static_cast<const std::uint8_t*>(p), size);
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return tree;
}

bool TBaseLazyTree::ProcessTreeData(TBaseLazyTree* SourceTree, IDataObject* DataObject, bool Optimized,
                                    TLTNodeAttachMode Mode, PLazyNode Target)
{
  if (!DataObject || HasMiscOption(toReadOnly) || !CF_LAZYTREE)
    return false;
  FORMATETC format;
  format.cfFormat = CF_LAZYTREE;
  format.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
  if (DataObject->QueryGetData(&format) != S_OK) {
    format.tymed = TYMED_HGLOBAL;
    if (DataObject->QueryGetData(&format) != S_OK) {
      format.tymed = TYMED_ISTREAM;
      if (DataObject->QueryGetData(&format) != S_OK)
        return false;
    }
  }
  BeginUpdate();
  auto done = ScopeExit([&] { EndUpdate(); });
  if (!Target)
    Target = FRoot;
  if (Target == FRoot) {
    if (Mode == amInsertBefore)
      Mode = amAddChildFirst;
    else if (Mode == amInsertAfter)
      Mode = amAddChildLast;
  }

  if (Optimized && SourceTree) {
    std::vector<PLazyNode> nodes =
        SourceTree->FStates.Contains(tsOLEDragging) ? SourceTree->DragSelection() : SourceTree->SortedClipMarked(true);
    bool forward = Mode == amInsertBefore || Mode == amAddChildLast;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      PLazyNode n = nodes[forward ? i : nodes.size() - 1 - i];
      if (Target == n || HasAncestor(Target, n))
        continue;
      // A node moved here is no longer the source's to delete after the drag.
      SourceTree->ForgetDraggedNode(n);
      SourceTree->MoveNodeTo(n, Target, Mode, false);
    }
    return true;
  }

  TChangeReason reason = SourceTree == this ? crNodeCopied : crNodeAdded;
  STGMEDIUM medium;
  if (FAILED(DataObject->GetData(&format, &medium)))
    return false;
  auto release = ScopeExit([&] { ReleaseStgMedium(&medium); });
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    std::size_t blockSize = GlobalSize(medium.hGlobal);
    const auto* p = static_cast<const std::uint8_t*>(GlobalLock(medium.hGlobal));
    if (!p)
      return false;
    auto unlock = ScopeExit([&] { GlobalUnlock(medium.hGlobal); });
    if (blockSize < 4)
      return false;
    std::uint32_t length = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                           std::uint32_t(p[3]) << 24;
    // The length comes from whoever wrote the block: it must fit in the block.
    if (length > blockSize - 4)
      return false;
    return ReadTreeData(p + 4, length, Target, Mode, reason);
  }
  if (medium.tymed == TYMED_ISTREAM && medium.pstm) {
    std::vector<std::uint8_t> data = ReadWholeStream(medium.pstm);
    return ReadTreeData(data.data(), data.size(), Target, Mode, reason);
  }
  return false;
}

bool TBaseLazyTree::ReadTreeData(const std::uint8_t* Data, std::size_t Size, PLazyNode Target,
                                 TLTNodeAttachMode Mode, TChangeReason Reason)
{
  if (Size == 0)
    return false;
  TOLEMemoryStream stream(Data, Size);
  std::int64_t limit = std::int64_t(Size);
  PLazyNode previous = nullptr;
  bool inserted = false;
  while (stream.Position() < limit) {
    PLazyNode node = AllocateNode();
    // The nodes keep their order: the first lands where Mode says, each next
    // one right after the last one kept.
    if (previous)
      InternalConnectNode(node, previous, this, amInsertAfter);
    else
      InternalConnectNode(node, Target, this, Mode);
    try {
      AddNodesFromStream(&stream, 2, node, limit);
    } catch (...) {
      // A corrupt chunk leaves no half-read node behind.
      RemoveNode(node, true);
      throw;
    }
    PLazyNode reported = node;
    if (DoNodeCopying(node, Target == FRoot ? nullptr : Target)) {
      DoNodeCopied(node);
      previous = node;
      inserted = true;
    } else {
      reported = node->ParentNode == FRoot ? nullptr : node->ParentNode;
      RemoveNode(node, true);
    }
    StructureChange(reported, Reason);
  }
  return inserted;
}
