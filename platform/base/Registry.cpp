#include "platform/base/Registry.h"

#include <vector>

#include "platform/base/Exception.h"

namespace {

TRegDataType DataTypeOf(DWORD type)
{
  switch (type) {
  case REG_SZ: return rdString;
  case REG_EXPAND_SZ: return rdExpandString;
  case REG_DWORD: return rdInteger;
  case REG_BINARY: return rdBinary;
  default: return rdUnknown;
  }
}

[[noreturn]] void ReadError(const std::string& name)
{
  throw ERegistryException("Type de données incorrect pour '" + name + "'");
}

}  // namespace

// The store is read only: the default access is reading.
TRegistry::TRegistry() : TRegistry(KEY_READ) {}

TRegistry::TRegistry(REGSAM access) : FRootKey(HKEY_CURRENT_USER), FAccess(access) {}

TRegistry::~TRegistry()
{
  CloseKey();
}

void TRegistry::SetRootKey(HKEY value)
{
  if (value != FRootKey) {
    CloseKey();
    FRootKey = value;
  }
}

void TRegistry::CloseKey()
{
  if (FCurrentKey) {
    RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
  }
}

HKEY TRegistry::BaseKey(bool relative) const
{
  return (FCurrentKey && relative) ? FCurrentKey : FRootKey;
}

bool TRegistry::Open(const std::string& key, REGSAM access)
{
  std::string path = key;
  const bool relative = path.empty() || path.front() != '\\';
  if (!relative)
    path.erase(0, 1);
  HKEY opened = nullptr;
  if (RegOpenKeyEx(BaseKey(relative), path.c_str(), 0, access, &opened) != LSTATUS(ERROR_SUCCESS))
    return false;
  if (FCurrentKey && relative)
    path = FCurrentPath.empty() ? path : path.empty() ? FCurrentPath : FCurrentPath + "\\" + path;
  CloseKey();
  FCurrentKey = opened;
  FCurrentPath = path;
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool)
{
  return Open(key, FAccess);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
  return Open(key, KEY_READ);
}

bool TRegistry::KeyExists(const std::string& key)
{
  std::string path = key;
  const bool relative = path.empty() || path.front() != '\\';
  if (!relative)
    path.erase(0, 1);
  HKEY probe = nullptr;
  if (RegOpenKeyEx(BaseKey(relative), path.c_str(), 0, KEY_READ, &probe) != LSTATUS(ERROR_SUCCESS))
    return false;
  RegCloseKey(probe);
  return true;
}

bool TRegistry::GetDataInfo(const std::string& name, TRegDataInfo& info)
{
  DWORD type = REG_NONE;
  DWORD size = 0;
  info = {};
  if (!FCurrentKey || RegQueryValueEx(FCurrentKey, name.c_str(), nullptr, &type, nullptr, &size) !=
                          LSTATUS(ERROR_SUCCESS))
    return false;
  info.RegData = DataTypeOf(type);
  info.DataSize = Integer(size);
  return true;
}

bool TRegistry::ValueExists(const std::string& name)
{
  TRegDataInfo info;
  return GetDataInfo(name, info);
}

Integer TRegistry::GetDataSize(const std::string& name)
{
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& name)
{
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.RegData : rdUnknown;
}

TRegDataType TRegistry::GetData(const std::string& name, void* buffer, DWORD size)
{
  DWORD type = REG_NONE;
  if (!FCurrentKey || RegQueryValueEx(FCurrentKey, name.c_str(), nullptr, &type, static_cast<BYTE*>(buffer),
                                      &size) != LSTATUS(ERROR_SUCCESS))
    throw ERegistryException("Impossible d'obtenir les données de '" + name + "'");
  return DataTypeOf(type);
}

std::string TRegistry::ReadString(const std::string& name)
{
  Integer size = GetDataSize(name);
  if (size <= 0)
    return {};
  std::vector<char> buffer(std::size_t(size) + 1, '\0');
  TRegDataType type = GetData(name, buffer.data(), DWORD(size));
  if (type != rdString && type != rdExpandString)
    ReadError(name);
  return std::string(buffer.data());  // up to the first zero
}

Integer TRegistry::ReadInteger(const std::string& name)
{
  Integer result = 0;
  if (GetData(name, &result, sizeof result) != rdInteger)
    ReadError(name);
  return result;
}

void TRegistry::WriteString(const std::string& name, const std::string&)
{
  throw ERegistryException("Impossible de définir les données de '" + name + "'");
}

void TRegistry::WriteInteger(const std::string& name, Integer)
{
  throw ERegistryException("Impossible de définir les données de '" + name + "'");
}
