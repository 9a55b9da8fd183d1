#include "platform/base/StringStream.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

Integer TStringStream::Read(void* Buffer, Integer Count)
{
  if (Count <= 0 || FPosition < 0 || FPosition >= Size())
    return 0;
  Integer n = Integer(std::min<Int64>(Count, Size() - FPosition));
  std::memcpy(Buffer, FDataString.data() + FPosition, std::size_t(n));
  FPosition += n;
  return n;
}

Integer TStringStream::Write(const void* Buffer, Integer Count)
{
  if (Count <= 0 || FPosition < 0)
    return 0;
  std::size_t at = std::size_t(FPosition);
  if (at + std::size_t(Count) > FDataString.size())
    FDataString.resize(at + std::size_t(Count), '\0');
  std::memcpy(FDataString.data() + at, Buffer, std::size_t(Count));
  FPosition += Count;
  return Count;
}

Int64 TStringStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
  switch (Origin) {
  case TSeekOrigin::soBeginning: FPosition = Offset; break;
  case TSeekOrigin::soCurrent: FPosition += Offset; break;
  case TSeekOrigin::soEnd: FPosition = Size() + Offset; break;
  }
  return FPosition;
}

void TStringStream::SetSize(Int64 NewSize)
{
  if (NewSize < 0)
    throw EStreamError(SStreamSetSizeError);
  FDataString.resize(std::size_t(NewSize), '\0');
  if (FPosition > NewSize)
    FPosition = NewSize;
}

std::string TStringStream::ReadString(Integer Count)
{
  if (Count <= 0 || FPosition < 0 || FPosition >= Size())
    return {};
  Integer n = Integer(std::min<Int64>(Count, Size() - FPosition));
  std::string r = FDataString.substr(std::size_t(FPosition), std::size_t(n));
  FPosition += n;
  return r;
}

void TStringStream::WriteString(std::string_view AString)
{
  Write(AString.data(), Integer(AString.size()));
}
