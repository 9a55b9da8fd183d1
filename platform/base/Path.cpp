#include "platform/base/Path.h"

std::string NativePath(std::string_view path)
{
  std::string result(path);
  for (char& c : result)
    if (c == '\\')
      c = '/';
  return result;
}
