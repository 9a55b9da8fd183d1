// TRegistry: the class library's registry object over the registry calls.
// The store is read only: keys open for reading, a key is never created, and
// the Write operations raise ERegistryException.
#pragma once

#include <string>

#include "platform/base/Object.h"
#include "platform/base/RegistryApi.h"

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  Integer DataSize = 0;
};

class TRegistry : public TObject {
public:
  TRegistry();
  explicit TRegistry(REGSAM access);
  ~TRegistry() override;

  HKEY RootKey() const { return FRootKey; }
  // Changing the root closes the current key.
  void SetRootKey(HKEY value);
  HKEY CurrentKey() const { return FCurrentKey; }
  // The open key's path below the root, without a leading "\".
  const std::string& CurrentPath() const { return FCurrentPath; }
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM value) { FAccess = value; }

  // A key starting with "\" is taken from the root; any other from the open key
  // (or the root when none is open). On success the key becomes the current
  // one; on failure the current key stays. CanCreate cannot create a missing
  // key: the store is read only.
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key);

  bool ValueExists(const std::string& name);
  bool GetDataInfo(const std::string& name, TRegDataInfo& info);
  // The data size of the value, -1 when it does not exist.
  Integer GetDataSize(const std::string& name);
  TRegDataType GetDataType(const std::string& name);

  // A missing value reads as ""; a value that is not a string raises
  // ERegistryException.
  std::string ReadString(const std::string& name);
  // A missing value, or one that is not a 32-bit number, raises ERegistryException.
  Integer ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }

  [[noreturn]] void WriteString(const std::string& name, const std::string& value);
  [[noreturn]] void WriteInteger(const std::string& name, Integer value);

private:
  HKEY BaseKey(bool relative) const;
  bool Open(const std::string& key, REGSAM access);
  // Reads the value into buffer; raises when it cannot be read.
  TRegDataType GetData(const std::string& name, void* buffer, DWORD size);

  HKEY FRootKey;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  REGSAM FAccess;
};
