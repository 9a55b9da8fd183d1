#include "platform/base/VersionInfo.h"

#include <strings.h>

#include <cstring>
#include <string>

namespace {

constexpr DWORD Signature = 0xFEEF04BD;
constexpr char BlockMagic[4] = {'V', 'E', 'R', '1'};

struct VersionBlock {
  char Magic[4];
  VS_FIXEDFILEINFO Fixed;
};

struct KnownModule {
  const char* Name;
  WORD Major, Minor, Build, Revision;
};

constexpr KnownModule KnownModules[] = {
    {"shell32.dll", 6, 0, 2900, 0},
    {"kernel32.dll", 5, 1, 2600, 0},
};

const KnownModule* Find(LPCSTR fileName)
{
  if (!fileName)
    return nullptr;
  std::string name = fileName;
  if (auto slash = name.find_last_of("\\/"); slash != std::string::npos)
    name.erase(0, slash + 1);
  for (const KnownModule& m : KnownModules) {
    if (strcasecmp(name.c_str(), m.Name) == 0)
      return &m;
    // The extension may be left out, as the module loader allows.
    std::string bare(m.Name, std::strlen(m.Name) - 4);
    if (strcasecmp(name.c_str(), bare.c_str()) == 0)
      return &m;
  }
  return nullptr;
}

}  // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, DWORD* handle)
{
  if (handle)
    *handle = 0;
  return Find(fileName) ? DWORD(sizeof(VersionBlock)) : 0;
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD, DWORD len, void* data)
{
  const KnownModule* m = Find(fileName);
  if (!m || !data || len < sizeof(VersionBlock))
    return FALSE;
  VersionBlock block{};
  std::memcpy(block.Magic, BlockMagic, sizeof BlockMagic);
  VS_FIXEDFILEINFO& f = block.Fixed;
  f.dwSignature = Signature;
  f.dwStrucVersion = 0x00010000;
  f.dwFileVersionMS = MAKELONG(m->Minor, m->Major);
  f.dwFileVersionLS = MAKELONG(m->Revision, m->Build);
  f.dwProductVersionMS = f.dwFileVersionMS;
  f.dwProductVersionLS = f.dwFileVersionLS;
  f.dwFileFlagsMask = 0x3F;
  f.dwFileOS = 0x00040004;  // the NT family, 32-bit
  f.dwFileType = 2;         // a library
  std::memcpy(data, &block, sizeof block);
  return TRUE;
}

BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* len)
{
  if (!block || !subBlock || !buffer || !len)
    return FALSE;
  const auto* b = static_cast<const VersionBlock*>(block);
  if (std::memcmp(b->Magic, BlockMagic, sizeof BlockMagic) != 0)
    return FALSE;
  if (std::strcmp(subBlock, "\\") != 0)
    return FALSE;
  *buffer = const_cast<VS_FIXEDFILEINFO*>(&b->Fixed);
  *len = UINT(sizeof(VS_FIXEDFILEINFO));
  return TRUE;
}
