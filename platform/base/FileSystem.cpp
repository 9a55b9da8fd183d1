#include "platform/base/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/Exception.h"
#include "platform/base/LastError.h"
#include "platform/base/Path.h"

namespace {

bool StatPath(std::string_view name, struct stat& info)
{
  if (name.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (::stat(NativePath(name).c_str(), &info) != 0)
    return SetLastErrorFromErrno();
  return true;
}

bool Succeeded(int result)
{
  if (result != 0)
    return SetLastErrorFromErrno();
  return true;
}

}  // namespace

bool FileExists(std::string_view fileName)
{
  struct stat info;
  return StatPath(fileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(std::string_view directory)
{
  struct stat info;
  return StatPath(directory, info) && S_ISDIR(info.st_mode);
}

bool CreateDir(std::string_view directory)
{
  if (directory.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (::mkdir(NativePath(directory).c_str(), 0777) == 0)
    return true;
  // A missing parent is a missing path, not a missing file.
  SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
  return false;
}

bool ForceDirectories(std::string_view directory)
{
  std::string dir = ExcludeTrailingPathDelimiter(directory);
  if (dir.empty() && directory.empty())
    throw EInOutError("Impossible de créer le répertoire", int(ERROR_INVALID_NAME));
  if (dir.empty() || DirectoryExists(dir))
    return true;
  std::string parent = ExtractFilePath(dir);
  // Create the parents first; a parent equal to the folder itself (a doubled
  // separator) ends the walk.
  if (!parent.empty() && ExcludeTrailingPathDelimiter(parent) != dir && !ForceDirectories(parent))
    return false;
  if (CreateDir(dir))
    return true;
  // Someone else may have created it in the meantime.
  return DirectoryExists(dir);
}

bool RemoveDir(std::string_view directory)
{
  if (directory.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return Succeeded(::rmdir(NativePath(directory).c_str()));
}

bool DeleteFile(std::string_view fileName)
{
  if (fileName.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  std::string name = NativePath(fileName);
  struct stat info;
  if (::lstat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return Succeeded(::unlink(name.c_str()));
}

bool RenameFile(std::string_view oldName, std::string_view newName)
{
  if (oldName.empty() || newName.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  std::string from = NativePath(oldName);
  std::string to = NativePath(newName);
  // A rename never replaces an existing file: the system's code relies on it
  // failing then, as it did on its original platform.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS)
    return SetLastErrorFromErrno();
  // File systems without the no-replace flag: check, then rename.
  struct stat info;
  if (::lstat(to.c_str(), &info) == 0) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return false;
  }
  return Succeeded(::rename(from.c_str(), to.c_str()));
}

std::string GetCurrentDir()
{
  std::string buffer(PATH_MAX, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) {
      SetLastErrorFromErrno();
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

bool SetCurrentDir(std::string_view directory)
{
  if (directory.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return Succeeded(::chdir(NativePath(directory).c_str()));
}
