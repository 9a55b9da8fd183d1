#include "controls/utility/RtFileUtils.h"

#include <cstring>
#include <vector>

#include "platform/base/ModuleLoader.h"

std::string ModuleFileName(HMODULE Module)
{
  // Paths here may be longer than the platform's classic 260 characters: ask
  // again with a larger buffer instead of cutting the name.
  for (DWORD size = 261; size <= 65536; size *= 4) {
    std::vector<char> buffer(size);
    DWORD length = GetModuleFileName(Module, buffer.data(), size);
    if (length < size)
      return std::string(buffer.data(), length);
  }
  return {};
}

bool ReadFixedFileVersion(const std::string& FileName, VS_FIXEDFILEINFO& FixedInfo)
{
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(FileName.c_str(), &handle);
  if (size == 0)
    return false;
  std::vector<std::uint8_t> block(size);
  if (!GetFileVersionInfoA(FileName.c_str(), handle, size, block.data()))
    return false;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", &fixed, &length) || length != sizeof(VS_FIXEDFILEINFO))
    return false;
  std::memcpy(&FixedInfo, fixed, sizeof FixedInfo);
  return true;
}
