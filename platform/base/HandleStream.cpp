#include "platform/base/HandleStream.h"

#include <cerrno>
#include <unistd.h>

#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

Integer THandleStream::Read(void* Buffer, Integer Count)
{
  if (Count <= 0 || FHandle < 0)
    return 0;
  auto* p = static_cast<char*>(Buffer);
  Integer done = 0;
  // A read may return less than asked before the end: keep reading.
  while (done < Count) {
    ssize_t n = ::read(FHandle, p + done, std::size_t(Count - done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += Integer(n);
  }
  return done;
}

Integer THandleStream::Write(const void* Buffer, Integer Count)
{
  if (Count <= 0 || FHandle < 0)
    return 0;
  auto* p = static_cast<const char*>(Buffer);
  Integer done = 0;
  while (done < Count) {
    ssize_t n = ::write(FHandle, p + done, std::size_t(Count - done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += Integer(n);
  }
  return done;
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
  int whence = Origin == soCurrent ? SEEK_CUR : (Origin == soEnd ? SEEK_END : SEEK_SET);
  off_t result = ::lseek(FHandle, off_t(Offset), whence);
  return Int64(result);
}

void THandleStream::SetSize(Int64 NewSize)
{
  Int64 position = Position();
  if (NewSize < 0 || ::ftruncate(FHandle, off_t(NewSize)) != 0)
    throw EStreamError(SStreamSetSizeError);
  if (position > NewSize)
    Seek(NewSize, soBeginning);
}
