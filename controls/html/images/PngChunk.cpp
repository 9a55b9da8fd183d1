#include "controls/html/images/PngChunk.h"

#include "controls/html/images/ChunkList.h"
#include "controls/html/images/PngCrc.h"
#include "controls/html/images/PngErrors.h"
#include "platform/base/Format.h"
#include "platform/base/Stream.h"

void RaisePNGError(const char* Message)
{
  throw EPNGImageException(
      Format("Portable Network Graphics format handler error%s%s", "\r\n\r\n", Message));
}

std::uint32_t ReadBigEndian32(const std::uint8_t* p)
{
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

void WriteBigEndian32(std::uint8_t* p, std::uint32_t v)
{
  p[0] = std::uint8_t(v >> 24);
  p[1] = std::uint8_t(v >> 16);
  p[2] = std::uint8_t(v >> 8);
  p[3] = std::uint8_t(v);
}

TChunk::TChunk(TChunkList* Owner, TChunkClass Class) : FOwner(Owner), FClass(Class)
{
  int index = ChunkClasses().IndexOfClass(Class);
  if (index >= 0)
    FType = ChunkClasses().Item(index).Type;
}

TPNGImage* TChunk::Image() const
{
  return FOwner ? FOwner->Owner() : nullptr;
}

void TChunk::AssignChunk(TChunk* Source)
{
  FData = Source->FData;
  FType = Source->FType;
}

void TChunk::SaveChunk(TStream* Stream)
{
  WriteChunk(Stream);
}

void TChunk::WriteChunk(TStream* Stream)
{
  std::uint8_t head[8];
  WriteBigEndian32(head, std::uint32_t(FData.size()));
  for (int i = 0; i < 4; ++i)
    head[4 + i] = std::uint8_t(FType[i]);
  Stream->WriteBuffer(head, 8);
  if (!FData.empty())
    Stream->WriteBuffer(FData.data(), Integer(FData.size()));
  std::uint8_t crc[4];
  WriteBigEndian32(crc, ChunkCrc(FType.data(), FData.data(), FData.size()));
  Stream->WriteBuffer(crc, 4);
}
