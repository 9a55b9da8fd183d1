#include "platform/base/Stream.h"

#include <algorithm>
#include <vector>

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

Integer TStream::Seek(Integer Offset, WORD Origin)
{
  TSeekOrigin origin = Origin == soFromCurrent ? soCurrent : (Origin == soFromEnd ? soEnd : soBeginning);
  return Integer(Seek(Int64(Offset), origin));
}

void TStream::ReadBuffer(void* Buffer, Integer Count)
{
  if (Count != 0 && Read(Buffer, Count) != Count)
    throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, Integer Count)
{
  if (Count != 0 && Write(Buffer, Count) != Count)
    throw EWriteError(SWriteError);
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  constexpr Integer MaxBufSize = 0xF000;
  std::vector<unsigned char> buffer(std::size_t(std::clamp<Int64>(Count, 1, MaxBufSize)));
  Int64 result = Count;
  while (Count > 0) {
    Integer n = Integer(std::min<Int64>(Count, MaxBufSize));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return result;
}

Int64 TStream::Size()
{
  Int64 pos = Seek(Int64(0), soCurrent);
  Int64 size = Seek(Int64(0), soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(Int64)
{
  // A stream that cannot change its size says so.
  throw EStreamError(SStreamSetSizeError);
}
