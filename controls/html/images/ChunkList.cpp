#include "controls/html/images/ChunkList.h"

#include <algorithm>
#include <cstring>

#include "controls/html/images/ChunkIDAT.h"
#include "controls/html/images/PngChunks.h"
#include "controls/html/images/PngCrc.h"
#include "controls/html/images/PngErrors.h"
#include "platform/base/Stream.h"

TChunkType MakeChunkType(const char* Type)
{
  return TChunkType{Type[0], Type[1], Type[2], Type[3]};
}

TChunkClasses& ChunkClasses()
{
  static TChunkClasses classes = [] {
    TChunkClasses c;
    c.Add(MakeChunkType("IEND"), &TChunkIEND::Create);
    c.Add(MakeChunkType("IHDR"), &TChunkIHDR::Create);
    c.Add(MakeChunkType("gAMA"), &TChunkGAMA::Create);
    c.Add(MakeChunkType("IDAT"), &TChunkIDAT::Create);
    c.Add(MakeChunkType("PLTE"), &TChunkPLTE::Create);
    c.Add(MakeChunkType("tEXt"), &TChunkTEXT::Create);
    c.Add(MakeChunkType("tRNS"), &TChunkTRNS::Create);
    // A tIME chunk has no class of its own: a plain chunk keeps its bytes.
    c.Add(MakeChunkType("tIME"), &TChunk::Create);
    return c;
  }();
  return classes;
}

void TChunkClasses::Add(const TChunkType& Type, TChunkClass Class)
{
  FList.push_back({Type, Class});
}

int TChunkClasses::IndexOfClass(TChunkClass Class) const
{
  for (std::size_t i = 0; i < FList.size(); ++i)
    if (FList[i].Class == Class)
      return int(i);
  return -1;
}

int TChunkClasses::IndexOfType(const TChunkType& Type) const
{
  for (std::size_t i = 0; i < FList.size(); ++i)
    if (FList[i].Type == Type)
      return int(i);
  return -1;
}

const TChunkClassInfo& TChunkClasses::Item(int Index) const
{
  if (Index < 0 || Index >= Count())
    RaisePNGError(SPngClassIndex);
  return FList[std::size_t(Index)];
}

TChunkList::~TChunkList()
{
  Clear();
}

TChunk* TChunkList::Item(int Index) const
{
  if (Index < 0 || Index >= Count())
    RaisePNGError(SPngChunkIndex);
  return FList[std::size_t(Index)];
}

int TChunkList::IndexOfClass(TChunkClass Class) const
{
  for (std::size_t i = 0; i < FList.size(); ++i)
    if (FList[i]->ChunkClass() == Class)
      return int(i);
  return -1;
}

TChunk* TChunkList::FindChunk(TChunkClass Class) const
{
  int i = IndexOfClass(Class);
  return i < 0 ? nullptr : FList[std::size_t(i)];
}

TChunk* TChunkList::Add(TChunkClass Class)
{
  TChunk* chunk = Class(this);
  FList.push_back(chunk);
  return chunk;
}

void TChunkList::Move(int CurIndex, int NewIndex)
{
  if (CurIndex < 0 || CurIndex >= Count() || NewIndex < 0 || NewIndex >= Count())
    RaisePNGError(SPngChunkIndex);
  TChunk* chunk = FList[std::size_t(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, chunk);
}

void TChunkList::RemoveChunk(TChunk* Chunk)
{
  auto it = std::find(FList.begin(), FList.end(), Chunk);
  if (it == FList.end())
    RaisePNGError(SPngChunkNotInList);
  FList.erase(it);
  delete Chunk;
}

void TChunkList::Clear()
{
  while (!FList.empty()) {
    TChunk* chunk = FList.back();
    FList.pop_back();
    delete chunk;
  }
}

TChunk* TChunkList::ReadChunk(TStream* Stream)
{
  std::uint8_t head[8];
  Stream->ReadBuffer(head, 8);
  const std::uint32_t length = ReadBigEndian32(head);
  const TChunkType type = MakeChunkType(reinterpret_cast<const char*>(head + 4));
  for (char c : type)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
      RaisePNGError(SPngCorruptedData);
  // The length is checked against what the stream still holds before
  // anything is allocated for it.
  const Int64 remaining = Stream->Size() - Stream->Position();
  if (length > 0x7FFFFFFFu || Int64(length) + 4 > remaining)
    RaisePNGError(SPngCorruptedData);

  const int index = ChunkClasses().IndexOfType(type);
  if (index < 0 && !(type[0] & 0x20))
    RaisePNGError(SPngCriticalChunk);
  TChunkClass cls = index < 0 ? &TChunk::Create : ChunkClasses().Item(index).Class;

  // A second or later IDAT is read straight onto the end of the first one's data.
  TChunk* first = cls == &TChunkIDAT::Create ? FindChunk(cls) : nullptr;
  std::vector<std::uint8_t> fresh;
  std::vector<std::uint8_t>& target = first ? first->Data() : fresh;
  const std::size_t start = target.size();
  target.resize(start + length);
  if (length)
    Stream->ReadBuffer(target.data() + start, Integer(length));
  std::uint8_t crc[4];
  Stream->ReadBuffer(crc, 4);
  if (ReadBigEndian32(crc) != ChunkCrc(type.data(), target.data() + start, length))
    RaisePNGError(SPngCorruptedData);
  if (first)
    return first;
  TChunk* chunk = Add(cls);
  chunk->SetChunkType(type);
  chunk->Data() = std::move(fresh);
  return chunk;
}
