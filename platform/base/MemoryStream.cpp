#include "platform/base/MemoryStream.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/Exception.h"
#include "platform/base/FileStream.h"
#include "platform/base/SysConsts.h"

namespace {

constexpr Int64 MemoryDelta = 0x2000;  // growth step, a power of two

}  // namespace

void TCustomMemoryStream::SetPointer(void* Ptr, Int64 Size)
{
  FMemory = Ptr;
  FSize = Size;
}

Integer TCustomMemoryStream::Read(void* Buffer, Integer Count)
{
  if (FPosition < 0 || Count <= 0 || FPosition >= FSize)
    return 0;
  Int64 n = std::min<Int64>(Count, FSize - FPosition);
  std::memcpy(Buffer, static_cast<char*>(FMemory) + FPosition, std::size_t(n));
  FPosition += n;
  return Integer(n);
}

Integer TCustomMemoryStream::Write(const void*, Integer)
{
  return 0;  // a view of memory that is not ours
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
  switch (Origin) {
  case TSeekOrigin::soBeginning: FPosition = Offset; break;
  case TSeekOrigin::soCurrent: FPosition += Offset; break;
  case TSeekOrigin::soEnd: FPosition = FSize + Offset; break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream)
{
  Int64 left = FSize;
  const char* p = static_cast<const char*>(FMemory);
  while (left > 0) {
    Integer n = Integer(std::min<Int64>(left, 0x40000000));
    Stream->WriteBuffer(p, n);
    p += n;
    left -= n;
  }
}

void TCustomMemoryStream::SaveToFile(std::string_view FileName)
{
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

TMemoryStream::~TMemoryStream()
{
  std::free(FMemory);
}

void TMemoryStream::SetCapacity(Int64 NewCapacity)
{
  if (NewCapacity > 0 && NewCapacity != FSize)
    NewCapacity = (NewCapacity + (MemoryDelta - 1)) & ~(MemoryDelta - 1);
  if (NewCapacity == FCapacity)
    return;
  if (NewCapacity == 0) {
    std::free(FMemory);
    FMemory = nullptr;
  } else {
    void* grown = std::realloc(FMemory, std::size_t(NewCapacity));
    if (!grown)
      throw EStreamError(SMemoryStreamError);
    FMemory = grown;
  }
  FCapacity = NewCapacity;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
  if (NewSize < 0)
    throw EStreamError(SStreamSetSizeError);
  Int64 old = FSize;
  SetCapacity(NewSize);
  if (NewSize > old)
    std::memset(static_cast<char*>(FMemory) + old, 0, std::size_t(NewSize - old));
  FSize = NewSize;
  if (FPosition > NewSize)
    FPosition = NewSize;
}

Integer TMemoryStream::Write(const void* Buffer, Integer Count)
{
  if (FPosition < 0 || Count <= 0)
    return 0;
  Int64 end = FPosition + Count;
  if (end > FSize) {
    if (end > FCapacity)
      SetCapacity(end);
    // The gap between the old end and the position reads as zeros.
    if (FPosition > FSize)
      std::memset(static_cast<char*>(FMemory) + FSize, 0, std::size_t(FPosition - FSize));
    FSize = end;
  }
  std::memcpy(static_cast<char*>(FMemory) + FPosition, Buffer, std::size_t(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::Clear()
{
  SetCapacity(0);
  FSize = 0;
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
  Stream->SetPosition(0);
  Int64 count = Stream->Size();
  SetSize(count);
  if (count > 0) {
    char* p = static_cast<char*>(FMemory);
    Int64 left = count;
    while (left > 0) {
      Integer n = Integer(std::min<Int64>(left, 0x40000000));
      Stream->ReadBuffer(p, n);
      p += n;
      left -= n;
    }
  }
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(std::string_view FileName)
{
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}
