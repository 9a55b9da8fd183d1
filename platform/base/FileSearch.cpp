#include "platform/base/FileSearch.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/base/LastError.h"
#include "platform/base/Path.h"

struct TSearchState {
  std::vector<TSearchRec> Entries;
  std::size_t Next = 0;
};

namespace {

char Lower(char c)
{
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

Integer AttributesOf(const std::string& folder, const std::string& name, struct stat& info)
{
  const std::string full = folder + name;
  Integer attr = 0;
  if (::stat(full.c_str(), &info) != 0) {
    // A dangling link: reported, but as a system entry.
    if (::lstat(full.c_str(), &info) != 0)
      return -1;
    attr = faSysFile;
  } else if (S_ISDIR(info.st_mode)) {
    attr = faDirectory;
  } else if (S_ISREG(info.st_mode)) {
    attr = faArchive;
    if ((info.st_mode & 0222) == 0)
      attr |= faReadOnly;
  } else {
    attr = faSysFile;
  }
  if (name[0] == '.' && name != "." && name != "..")
    attr |= faHidden;
  return attr;
}

bool BeforeInSearchOrder(const TSearchRec& a, const TSearchRec& b)
{
  auto rank = [](const std::string& n) { return n == "." ? 0 : n == ".." ? 1 : 2; };
  if (rank(a.Name) != rank(b.Name))
    return rank(a.Name) < rank(b.Name);
  int c = ::strcasecmp(a.Name.c_str(), b.Name.c_str());
  return c != 0 ? c < 0 : a.Name < b.Name;
}

void Fill(TSearchRec& rec)
{
  const TSearchRec& entry = rec.FindHandle->Entries[rec.FindHandle->Next++];
  rec.Time = entry.Time;
  rec.Size = entry.Size;
  rec.Attr = entry.Attr;
  rec.Name = entry.Name;
}

}  // namespace

bool MatchesFilePattern(std::string_view name, std::string_view pattern)
{
  if (pattern == "*.*" || pattern == "*")
    return true;
  // Iterative wildcard match with one back-tracking point: linear in practice
  // and never recursive, whatever the pattern.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

Integer PackFileTime(long long unixSeconds)
{
  std::time_t t = std::time_t(unixSeconds);
  std::tm local{};
  if (!::localtime_r(&t, &local) || local.tm_year < 80 || local.tm_year > 80 + 127)
    return 0;
  std::uint32_t packed = std::uint32_t(local.tm_year - 80) << 25 | std::uint32_t(local.tm_mon + 1) << 21 |
                         std::uint32_t(local.tm_mday) << 16 | std::uint32_t(local.tm_hour) << 11 |
                         std::uint32_t(local.tm_min) << 5 | std::uint32_t(local.tm_sec / 2);
  return Integer(packed);
}

Integer FindFirst(std::string_view path, Integer attr, TSearchRec& rec)
{
  FindClose(rec);
  const std::string native = NativePath(path);
  const std::string folder = ExtractFilePath(native);
  const std::string pattern = ExtractFileName(native);
  rec.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);

  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    DWORD error = errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
    SetLastError(error);
    return Integer(error);
  }
  auto state = std::make_shared<TSearchState>();
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (!MatchesFilePattern(name, pattern))
      continue;
    struct stat info;
    Integer found = AttributesOf(folder, name, info);
    if (found < 0 || (found & rec.ExcludeAttr) != 0)
      continue;
    TSearchRec item;
    item.Name = std::move(name);
    item.Attr = found;
    item.Size = S_ISREG(info.st_mode) ? Int64(info.st_size) : 0;
    item.Time = PackFileTime(info.st_mtime);
    state->Entries.push_back(std::move(item));
  }
  ::closedir(dir);
  if (state->Entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return Integer(ERROR_FILE_NOT_FOUND);
  }
  std::sort(state->Entries.begin(), state->Entries.end(), BeforeInSearchOrder);
  rec.FindHandle = std::move(state);
  Fill(rec);
  return 0;
}

Integer FindNext(TSearchRec& rec)
{
  if (!rec.FindHandle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return Integer(ERROR_INVALID_HANDLE);
  }
  if (rec.FindHandle->Next >= rec.FindHandle->Entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return Integer(ERROR_NO_MORE_FILES);
  }
  Fill(rec);
  return 0;
}

void FindClose(TSearchRec& rec)
{
  rec.FindHandle.reset();
}
