// The tree stream: a 12-byte header, a count of top-level nodes and nested
// chunks (type, size, body), all little-endian. Version 2 is written;
// versions 1 and 2 are read. The reader trusts no size, count or height:
// each is checked against the bytes left in the chunk that holds it.
#include <cstring>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/NodeWalk.h"
#include "platform/base/FileStream.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/Stream.h"

namespace {

constexpr char16_t kMagic[6] = {0x2045, u'V', u'T', 2, u' ', 0x2046};
constexpr int NodeChunk = 1, BaseChunk = 2, CaptionChunk = 3, UserChunk = 4;
constexpr int kBodyV2 = 17, kBodyV1 = 12;
// The smallest node chunk: its header, a base chunk header and a body.
constexpr int kSmallestNodeV2 = 8 + 8 + kBodyV2, kSmallestNodeV1 = 8 + 8 + kBodyV1;
// Nesting beyond this is taken as corrupt data: deleting and saving a tree
// recurse per level.
constexpr int kMaxDepth = 1024;

struct TChunkHeader {
  std::int32_t ChunkType;
  std::int32_t ChunkSize;
};

void PutInt(TStream* S, std::int32_t V)
{
  std::uint8_t b[4] = {std::uint8_t(V), std::uint8_t(V >> 8), std::uint8_t(V >> 16), std::uint8_t(V >> 24)};
  S->WriteBuffer(b, 4);
}

std::int32_t GetInt(const std::uint8_t* p)
{
  return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24);
}

void PatchChunkSize(TStream* Stream, std::int64_t Start, std::int64_t End)
{
  Stream->Seek(Start + 4, soBeginning);
  PutInt(Stream, std::int32_t(End - Start - 8));
  Stream->Seek(End, soBeginning);
}

TChunkHeader ReadHeader(TStream* Stream, std::int64_t Limit)
{
  std::int64_t pos = Stream->Position();
  if (Limit - pos < 8)
    RaiseTreeError(hcTFCorruptStream2);
  std::uint8_t b[8];
  Stream->ReadBuffer(b, 8);
  TChunkHeader h{GetInt(b), GetInt(b + 4)};
  return h;
}

thread_local int gReadDepth = 0;

}  // namespace

void TBaseLazyTree::WriteTreeStream(TStream* Stream, PLazyNode Node)
{
  std::uint8_t magic[12];
  for (int i = 0; i < 6; ++i) {
    magic[2 * i] = std::uint8_t(kMagic[i]);
    magic[2 * i + 1] = std::uint8_t(kMagic[i] >> 8);
  }
  Stream->WriteBuffer(magic, 12);
  if (Node) {
    PutInt(Stream, 1);
    WriteNodeChunk(Stream, Node);
  } else {
    PutInt(Stream, std::int32_t(FRoot->ChildCount));
    for (PLazyNode n = FRoot->FirstChildNode; n; n = n->FollowingSibling)
      WriteNodeChunk(Stream, n);
  }
}

void TBaseLazyTree::WriteNodeChunk(TStream* Stream, PLazyNode Node)
{
  if (HasMiscOption(toInitOnSave)) {
    if (!Node->Has(nfInitialized))
      InitializeNode(Node);
    if (Node->Has(nfHasChildren) && Node->ChildCount == 0)
      InitializeChildren(Node);
  }
  std::int64_t start = Stream->Position();
  PutInt(Stream, NodeChunk);
  PutInt(Stream, 0);
  WriteNodeBody(Stream, Node);
  PatchChunkSize(Stream, start, Stream->Position());
}

void TBaseLazyTree::WriteNodeBody(TStream* Stream, PLazyNode Node)
{
  std::int64_t start = Stream->Position();
  PutInt(Stream, BaseChunk);
  PutInt(Stream, 0);
  // Children are written only for an initialised node; the count says so.
  bool withChildren = Node->Has(nfInitialized);
  std::uint8_t body[kBodyV2] = {};
  std::uint32_t count = withChildren ? Node->ChildCount : 0;
  std::uint32_t height = Node->NodeHeight;
  std::uint16_t states = Node->StateBits & 0xDDE9;
  std::memcpy(body, &count, 4);
  std::memcpy(body + 4, &height, 4);
  std::memcpy(body + 8, &states, 2);
  body[10] = Node->LineAlignment;
  body[11] = Node->NodeCheckState;
  body[12] = Node->CheckKind;
  Stream->WriteBuffer(body, kBodyV2);
  if (withChildren)
    for (PLazyNode c = Node->FirstChildNode; c; c = c->FollowingSibling)
      WriteNodeChunk(Stream, c);
  PatchChunkSize(Stream, start, Stream->Position());

  // The owner's data; an empty user chunk is taken back off the stream.
  std::int64_t user = Stream->Position();
  PutInt(Stream, UserChunk);
  PutInt(Stream, 0);
  DoSaveUserData(Node, Stream);
  if (Stream->Position() == user + 8) {
    Stream->Seek(user, soBeginning);
    Stream->SetSize(user);
  } else {
    PatchChunkSize(Stream, user, Stream->Position());
  }
  WriteNodeCaption(Stream, Node);
}

void TBaseLazyTree::WriteNodeCaption(TStream*, PLazyNode) {}

void TBaseLazyTree::ReadTreeStream(TStream* Stream)
{
  if (HasMiscOption(toReadOnly))
    return;
  ClearTree();
  std::uint8_t magic[12];
  if (Stream->Read(magic, 12) < 12)
    RaiseTreeError(hcTFStreamTooSmall);
  auto unit = [&](int i) { return char16_t(magic[2 * i] | magic[2 * i + 1] << 8); };
  if (unit(0) != kMagic[0] || unit(1) != kMagic[1] || unit(2) != kMagic[2] || unit(5) != kMagic[5])
    RaiseTreeError(hcTFWrongStreamFormat);
  int version = unit(3);
  if (version > 2)
    RaiseTreeError(hcTFWrongStreamVersion);
  BeginUpdate();
  auto done = ScopeExit([&] { EndUpdate(); });
  std::int64_t size = Stream->Size();
  std::int64_t count = 0x7FFFFFFF;
  if (version >= 2) {
    std::uint32_t c;
    Stream->ReadBuffer(&c, 4);
    count = c;
  }
  while (Stream->Position() < size && count > 0) {
    --count;
    PLazyNode node = AllocateNode();
    ConnectNode(node, FRoot, amAddChildLast, this);
    AddNodesFromStream(Stream, version, node, size);
  }
  DoNodeCopied(nullptr);
}

void TBaseLazyTree::ReadTreeFile(const std::string& FileName)
{
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  ReadTreeStream(&stream);
}

void TBaseLazyTree::AddNodesFromStream(TStream* Stream, int Version, PLazyNode Node, std::int64_t Limit)
{
  if (!Node)
    Node = FRoot;
  bool counted = Node != FRoot && IsNodeFullyVisible(Node);
  Cardinal remembered = FVisibleCount - (counted ? 1 + CountVisibleChildren(Node) : 0);
  auto settle = ScopeExit([&] {
    // The stored states decide what is shown; counts made while linking are
    // replaced by what the loaded subtree really shows.
    Cardinal shown = 0;
    if (Node == FRoot)
      shown = CountVisibleChildren(FRoot);
    else if (IsNodeFullyVisible(Node))
      shown = 1 + CountVisibleChildren(Node);
    FVisibleCount = remembered + shown;
    MakeSelectionConsistent(Node);
  });
  ReadNodeChunk(Stream, Version, Node, Limit);
}

void TBaseLazyTree::ReadNodeChunk(TStream* Stream, int Version, PLazyNode Node, std::int64_t Limit)
{
  TChunkHeader h = ReadHeader(Stream, Limit);
  if (h.ChunkType != NodeChunk)
    RaiseTreeError(hcTFCorruptStream1);
  std::int64_t start = Stream->Position();
  if (h.ChunkSize < 0 || h.ChunkSize > Limit - start)
    RaiseTreeError(hcTFCorruptStream2);
  std::int64_t end = start + h.ChunkSize;
  ++gReadDepth;
  auto leave = ScopeExit([&] { --gReadDepth; });
  if (gReadDepth > kMaxDepth)
    RaiseTreeError(hcTFCorruptStream2);
  while (Stream->Position() < end) {
    TChunkHeader sub = ReadHeader(Stream, end);
    std::int64_t subStart = Stream->Position();
    if (sub.ChunkSize < 0 || sub.ChunkSize > end - subStart)
      RaiseTreeError(hcTFCorruptStream2);
    if (sub.ChunkType == BaseChunk) {
      int bodySize = Version >= 2 ? kBodyV2 : kBodyV1;
      if (sub.ChunkSize < bodySize)
        RaiseTreeError(hcTFCorruptStream2);
      std::uint8_t body[kBodyV2] = {};
      Stream->ReadBuffer(body, bodySize);
      std::uint32_t count = std::uint32_t(GetInt(body));
      std::uint32_t height = std::uint32_t(GetInt(body + 4));
      std::uint16_t states;
      int rest = 8;
      if (Version >= 2) {
        std::memcpy(&states, body + 8, 2);
        rest = 10;
      } else {
        // Version 1 kept one byte; its bit 7 meant selected.
        states = body[8];
        states = (states & 0x80) ? std::uint16_t(states | nfVisible | nfSelected) : std::uint16_t(states | nfVisible);
        rest = 9;
      }
      std::int64_t childBytes = sub.ChunkSize - bodySize;
      int smallest = Version >= 2 ? kSmallestNodeV2 : kSmallestNodeV1;
      if (height < 1 || height > 65535 || count > childBytes / smallest)
        RaiseTreeError(hcTFCorruptStream2);
      // Out of the ancestors' sums with the old states, back in with the new.
      AdjustTotalHeight(Node, 0, false);
      Node->StateBits = std::uint16_t(states & ~(nfChecking | nfClipMarked | nfDeleting | nfUserDataInit |
                                                 nfHeightMeasured | nfClearing));
      Node->NodeHeight = std::uint16_t(height);
      AdjustTotalHeight(Node, height, false);
      Node->LineAlignment = body[rest];
      Node->NodeCheckState = body[rest + 1] <= csMixedPressed ? body[rest + 1] : std::uint8_t(csUncheckedNormal);
      Node->CheckKind = body[rest + 2];
      std::int64_t baseEnd = subStart + sub.ChunkSize;
      for (std::uint32_t i = 0; i < count; ++i) {
        PLazyNode child = AllocateNode();
        ConnectNode(child, Node, amAddChildLast, this);
        ReadNodeChunk(Stream, Version, child, baseEnd);
      }
    } else {
      ReadSubChunk(Stream, Version, Node, sub.ChunkType, sub.ChunkSize);
      // Whatever a handler read, the next sub-chunk starts behind this one.
      if (Stream->Position() != subStart + sub.ChunkSize)
        Stream->Seek(subStart + sub.ChunkSize, soBeginning);
    }
  }
  if (Stream->Position() != end)
    RaiseTreeError(hcTFCorruptStream2);
}

bool TBaseLazyTree::ReadSubChunk(TStream* Stream, int, PLazyNode Node, int ChunkType, int ChunkSize)
{
  if (ChunkType == UserChunk) {
    if (ChunkSize <= 0)
      return true;
    std::int64_t start = Stream->Position();
    DoLoadUserData(Node, Stream);
    return Stream->Position() != start;
  }
  Stream->Seek(std::int64_t(ChunkSize), soCurrent);
  return false;
}
