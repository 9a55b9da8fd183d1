#include "platform/base/Path.h"

#include <vector>

#include "platform/base/FileSystem.h"

std::string NativePath(std::string_view path)
{
  std::string result(path);
  for (char& c : result)
    if (c == '\\')
      c = '/';
  return result;
}

std::size_t LastPathDelimiter(std::string_view path)
{
  return path.find_last_of("\\/");
}

std::string ExtractFilePath(std::string_view fileName)
{
  std::size_t last = LastPathDelimiter(fileName);
  return last == std::string_view::npos ? std::string() : std::string(fileName.substr(0, last + 1));
}

std::string ExtractFileDir(std::string_view fileName)
{
  std::size_t last = LastPathDelimiter(fileName);
  if (last == std::string_view::npos)
    return {};
  // Keep the separator of the root ("/x" -> "/") and of a doubled separator.
  if (last > 0 && !IsPathDelimiter(fileName[last - 1]))
    return std::string(fileName.substr(0, last));
  return std::string(fileName.substr(0, last + 1));
}

std::string ExtractFileName(std::string_view fileName)
{
  std::size_t last = LastPathDelimiter(fileName);
  return std::string(last == std::string_view::npos ? fileName : fileName.substr(last + 1));
}

namespace {

// Index of the "." that starts the extension, or npos.
std::size_t ExtensionStart(std::string_view fileName)
{
  std::size_t last = fileName.find_last_of("\\/.");
  if (last == std::string_view::npos || fileName[last] != '.')
    return std::string_view::npos;
  return last;
}

}  // namespace

std::string ExtractFileExt(std::string_view fileName)
{
  std::size_t dot = ExtensionStart(fileName);
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension)
{
  std::size_t dot = ExtensionStart(fileName);
  std::string result(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
  result += extension;
  return result;
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
  std::string result(path);
  if (result.empty() || !IsPathDelimiter(result.back()))
    result += PathDelim;
  return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
  std::string result(path);
  if (!result.empty() && IsPathDelimiter(result.back()))
    result.pop_back();
  return result;
}

std::string ExpandFileName(std::string_view fileName)
{
  if (fileName.empty())
    return {};
  std::string full = NativePath(fileName);
  if (full.front() != '/')
    full = IncludeTrailingPathDelimiter(GetCurrentDir()) + full;
  const bool trailing = full.back() == '/';

  std::vector<std::string_view> parts;
  std::string_view rest(full);
  while (!rest.empty()) {
    std::size_t next = rest.find('/');
    std::string_view part = rest.substr(0, next);
    rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
    if (part.empty() || part == ".")
      continue;
    if (part == "..") {
      if (!parts.empty())
        parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }

  std::string result;
  for (auto part : parts) {
    result += '/';
    result += part;
  }
  if (result.empty() || trailing)
    result += '/';
  return result;
}
