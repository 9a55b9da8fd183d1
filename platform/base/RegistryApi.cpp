#include "platform/base/RegistryApi.h"

#include <cstring>
#include <map>
#include <mutex>

#include "platform/base/LastError.h"

namespace {

struct TOpenKey {
  bool CurrentUser = false;  // other hives have no keys
  std::string Path;          // normalized, below the hive
};

struct TKeyTable {
  std::mutex Lock;
  std::map<std::uintptr_t, TOpenKey> Keys;
  std::uintptr_t NextHandle = 0x1000;
};

TKeyTable& Keys()
{
  static TKeyTable* table = new TKeyTable;
  return *table;
}

bool IsPredefined(HKEY key)
{
  auto value = reinterpret_cast<std::uintptr_t>(key);
  return value >= 0x80000000 && value <= 0x80000006;
}

bool Resolve(HKEY key, TOpenKey& out)
{
  if (IsPredefined(key)) {
    out.CurrentUser = key == HKEY_CURRENT_USER;
    out.Path.clear();
    return true;
  }
  std::lock_guard guard(Keys().Lock);
  auto found = Keys().Keys.find(reinterpret_cast<std::uintptr_t>(key));
  if (found == Keys().Keys.end())
    return false;
  out = found->second;
  return true;
}

}  // namespace

LSTATUS RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, HKEY* result)
{
  if (!result)
    return LSTATUS(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  TOpenKey base;
  if (!Resolve(key, base))
    return LSTATUS(ERROR_INVALID_HANDLE);
  // The store is read only.
  if (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | WRITE_DAC | WRITE_OWNER | DELETE_ACCESS))
    return LSTATUS(ERROR_ACCESS_DENIED);
  TOpenKey opened = base;
  std::string relative = TRegistryStore::NormalizeKey(subKey ? subKey : "");
  if (!relative.empty())
    opened.Path = opened.Path.empty() ? relative : opened.Path + "\\" + relative;
  if (!opened.CurrentUser || !CurrentRegistry()->FindKey(opened.Path))
    return LSTATUS(ERROR_FILE_NOT_FOUND);
  std::lock_guard guard(Keys().Lock);
  std::uintptr_t handle = Keys().NextHandle;
  Keys().NextHandle += 4;  // handles are never reused, so a closed one stays invalid
  Keys().Keys[handle] = std::move(opened);
  *result = reinterpret_cast<HKEY>(handle);
  return LSTATUS(ERROR_SUCCESS);
}

LSTATUS RegCloseKey(HKEY key)
{
  if (IsPredefined(key))
    return LSTATUS(ERROR_SUCCESS);
  std::lock_guard guard(Keys().Lock);
  return Keys().Keys.erase(reinterpret_cast<std::uintptr_t>(key)) ? LSTATUS(ERROR_SUCCESS)
                                                                   : LSTATUS(ERROR_INVALID_HANDLE);
}

LSTATUS RegQueryValueEx(HKEY key, LPCSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize)
{
  TOpenKey opened;
  if (!Resolve(key, opened))
    return LSTATUS(ERROR_INVALID_HANDLE);
  if (data && !dataSize)
    return LSTATUS(ERROR_INVALID_PARAMETER);
  auto store = CurrentRegistry();
  const TRegistryKey* found = opened.CurrentUser ? store->FindKey(opened.Path) : nullptr;
  if (!found)
    return LSTATUS(ERROR_FILE_NOT_FOUND);  // closed by a reload of the store
  std::string name = valueName ? valueName : "";
  for (char& c : name)
    if (c >= 'A' && c <= 'Z')
      c = char(c - 'A' + 'a');
  auto value = found->Values.find(name);
  if (value == found->Values.end())
    return LSTATUS(ERROR_FILE_NOT_FOUND);
  const auto& bytes = value->second.Data;
  if (type)
    *type = value->second.Type;
  if (!dataSize)
    return LSTATUS(ERROR_SUCCESS);
  const DWORD needed = DWORD(bytes.size());
  if (data && *dataSize < needed) {
    *dataSize = needed;
    return LSTATUS(ERROR_MORE_DATA);
  }
  if (data && needed)
    std::memcpy(data, bytes.data(), needed);
  *dataSize = needed;
  return LSTATUS(ERROR_SUCCESS);
}
