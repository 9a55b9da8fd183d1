#include "platform/base/FileStream.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/LastError.h"
#include "platform/base/Path.h"
#include "platform/base/SysConsts.h"

namespace {

// Marker bytes: a stream holds a shared lock on the marker of each access it
// has and of each access it denies to others.
constexpr off_t MarkerBase = off_t(0x7FFFFFFF00000000LL);
enum Marker { HasRead, HasWrite, DeniesRead, DeniesWrite };

// Checks and takes are two steps; this keeps the streams of one process from
// slipping between them.
std::mutex ShareLock;

bool MarkerHeld(int fd, Marker marker)
{
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = MarkerBase + marker;
  probe.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &probe) != 0)
    return false;
  return probe.l_type != F_UNLCK;
}

bool TakeMarker(int fd, Marker marker)
{
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = MarkerBase + marker;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// Whether the share modes of the streams already open allow this one; if so,
// records its own access and denials.
bool Share(int fd, bool read, bool write, bool denyRead, bool denyWrite)
{
  std::lock_guard<std::mutex> guard(ShareLock);
  if ((read && MarkerHeld(fd, DeniesRead)) || (write && MarkerHeld(fd, DeniesWrite)) ||
      (denyRead && MarkerHeld(fd, HasRead)) || (denyWrite && MarkerHeld(fd, HasWrite)))
    return false;
  if (read)
    TakeMarker(fd, HasRead);
  if (write)
    TakeMarker(fd, HasWrite);
  if (denyRead)
    TakeMarker(fd, DeniesRead);
  if (denyWrite)
    TakeMarker(fd, DeniesWrite);
  return true;
}

std::string Reason(DWORD code) { return SysErrorMessage(code); }

}  // namespace

TFileStream::TFileStream(std::string_view FileName, WORD Mode) : TFileStream(FileName, Mode, 0666) {}

TFileStream::TFileStream(std::string_view FileName, WORD Mode, Cardinal Rights) : THandleStream(-1), FFileName(FileName)
{
  const bool create = (Mode & fmCreate) == fmCreate;
  const WORD access = create ? fmOpenReadWrite : WORD(Mode & 0x0003);
  const WORD share = WORD(Mode & 0x00F0);
  const char* failure = create ? SFCreateError : SFOpenError;
  auto fail = [&](DWORD code) -> void {
    std::string message = Format(failure, FFileName) + ".\n" + Reason(code);
    if (FLockHandle >= 0 && FLockHandle != FHandle)
      ::close(FLockHandle);
    if (FHandle >= 0)
      ::close(FHandle);
    FHandle = FLockHandle = -1;
    if (create)
      throw EFCreateError(message);
    throw EFOpenError(message);
  };
  if (access > fmOpenReadWrite)
    fail(ERROR_INVALID_PARAMETER);

  const bool read = access != fmOpenWrite;
  const bool write = access != fmOpenRead;
  int flags = O_CLOEXEC | (access == fmOpenRead ? O_RDONLY : (access == fmOpenWrite ? O_WRONLY : O_RDWR));
  // A created file is emptied only once the share modes allow it.
  if (create)
    flags |= O_CREAT;
  std::string path = NativePath(FileName);
  FHandle = ::open(path.c_str(), flags, mode_t(Rights));
  if (FHandle < 0)
    fail(ErrorFromErrno(errno));
  struct stat info {};
  if (::fstat(FHandle, &info) != 0 || S_ISDIR(info.st_mode))
    fail(ERROR_ACCESS_DENIED);

  // Read locks need a descriptor open for reading.
  FLockHandle = read ? FHandle : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (FLockHandle >= 0) {
    bool exclusive = share == fmShareCompat || share == fmShareExclusive;
    bool denyRead = exclusive || share == fmShareDenyRead;
    bool denyWrite = exclusive || share == fmShareDenyWrite;
    if (!Share(FLockHandle, read, write, denyRead, denyWrite))
      fail(ERROR_SHARING_VIOLATION);
  }
  if (create && ::ftruncate(FHandle, 0) != 0)
    fail(ErrorFromErrno(errno));
}

TFileStream::~TFileStream()
{
  if (FLockHandle >= 0 && FLockHandle != FHandle)
    ::close(FLockHandle);
  if (FHandle >= 0)
    ::close(FHandle);
}
