#include "platform/base/WholeFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/Exception.h"
#include "platform/base/LastError.h"
#include "platform/base/Path.h"

namespace {

std::string ErrnoText()
{
  return SysErrorMessage(ErrorFromErrno(errno));
}

// Closes the descriptor and removes the temporary file unless released.
class TTemporaryFile {
public:
  TTemporaryFile(int fd, std::string name) : FFd(fd), FName(std::move(name)) {}
  ~TTemporaryFile()
  {
    if (FFd >= 0)
      ::close(FFd);
    if (!FName.empty())
      ::unlink(FName.c_str());
  }
  int Fd() const { return FFd; }
  const std::string& Name() const { return FName; }
  bool Close()
  {
    int fd = FFd;
    FFd = -1;
    return ::close(fd) == 0;
  }
  void Release() { FName.clear(); }

private:
  int FFd;
  std::string FName;
};

// The file a write must replace: a link is followed to its target.
std::string ResolveTarget(const std::string& name)
{
  struct stat info;
  if (::lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* real = ::realpath(name.c_str(), nullptr)) {
      std::string result(real);
      std::free(real);
      return result;
    }
  }
  return name;
}

// A write that takes longer than this is no write any more: its temporary
// file is stale whoever made it.
constexpr std::time_t StaleTemporarySeconds = 3600;

bool WriterGone(long pid)
{
  return pid <= 0 || pid > INT_MAX || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH);
}

// Removes what earlier writes of the same file left when they were killed
// halfway: "." + name + ".<pid>-<n>.tmp" of a process that no longer runs,
// or older than any write takes. A running write of another process keeps
// its own.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name)
{
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir)
    return;
  const std::string prefix = "." + name + ".";
  const std::time_t now = std::time(nullptr);
  while (dirent* entry = ::readdir(dir)) {
    const std::string entryName = entry->d_name;
    if (entryName.size() <= prefix.size() + 4 || entryName.compare(0, prefix.size(), prefix) != 0 ||
        entryName.compare(entryName.size() - 4, 4, ".tmp") != 0)
      continue;
    // What lies between is "<pid>-<n>" and nothing else.
    const std::string middle = entryName.substr(prefix.size(), entryName.size() - prefix.size() - 4);
    char* end = nullptr;
    const long pid = std::strtol(middle.c_str(), &end, 10);
    if (end == middle.c_str() || *end != '-' || end[1] == '\0' ||
        middle.find_first_not_of("0123456789", std::size_t(end - middle.c_str()) + 1) != std::string::npos)
      continue;
    const std::string path = folder + entryName;
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
      continue;
    if (WriterGone(pid) || now - info.st_mtime > StaleTemporarySeconds)
      ::unlink(path.c_str());
  }
  ::closedir(dir);
}

}  // namespace

void WriteWholeFile(std::string_view fileName, std::string_view content)
{
  const std::string target = ResolveTarget(NativePath(fileName));
  std::string folder = ExtractFilePath(target);
  // Created like any new file (the umask applies), or with the old file's
  // permissions when there is one.
  mode_t mode = 0666;
  struct stat old;
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (replacing)
    mode = old.st_mode & 07777;
  RemoveStaleTemporaries(folder, ExtractFileName(target));
  static std::atomic<unsigned> counter{0};
  std::string temporaryName;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporaryName = folder + "." + ExtractFileName(target) + "." + std::to_string(::getpid()) + "-" +
                    std::to_string(counter.fetch_add(1)) + ".tmp";
    fd = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST)
      break;
  }
  if (fd < 0)
    throw EFCreateError("Impossible de créer le fichier " + std::string(fileName) + ".\n" + ErrnoText());
  TTemporaryFile temporary(fd, temporaryName);
  if (replacing)
    ::fchmod(fd, mode);  // the umask must not narrow the old permissions

  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR)
        continue;
      throw EWriteError("Erreur d'écriture dans le fichier " + std::string(fileName) + ".\n" + ErrnoText());
    }
    data += written;
    left -= std::size_t(written);
  }
  if (::fsync(fd) != 0 || !temporary.Close())
    throw EWriteError("Erreur d'écriture dans le fichier " + std::string(fileName) + ".\n" + ErrnoText());
  if (::rename(temporary.Name().c_str(), target.c_str()) != 0)
    throw EWriteError("Impossible de remplacer le fichier " + std::string(fileName) + ".\n" + ErrnoText());
  temporary.Release();

  // Make the rename itself durable.
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

std::string ReadWholeFile(std::string_view fileName, std::size_t maxBytes)
{
  const std::string name = NativePath(fileName);
  int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw EFOpenError("Impossible d'ouvrir le fichier " + std::string(fileName) + ".\n" + ErrnoText());
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    throw EFOpenError("Impossible d'ouvrir le fichier " + std::string(fileName) + ".\n" +
                      SysErrorMessage(ERROR_ACCESS_DENIED));
  }
  std::string result;
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0) {
      std::string reason = ErrnoText();
      ::close(fd);
      throw EReadError("Erreur de lecture du fichier " + std::string(fileName) + ".\n" + reason);
    }
    if (got == 0)
      break;
    if (std::size_t(got) > maxBytes - result.size()) {
      ::close(fd);
      throw EReadError("Le fichier " + std::string(fileName) + " est trop grand.");
    }
    result.append(buffer, std::size_t(got));
  }
  ::close(fd);
  return result;
}
