// The registry calls over the read-only store of RegistryStore.h. Only the
// current user's hive has keys; the other hives open as empty. Asking for any
// write access is refused with ERROR_ACCESS_DENIED.
#pragma once

#include "platform/base/LastError.h"
#include "platform/base/RegistryStore.h"
#include "platform/base/Types.h"

using REGSAM = DWORD;
using LSTATUS = LONG;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t(0x80000000));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t(0x80000003));
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t(0x80000005));

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM READ_CONTROL = 0x00020000;
constexpr REGSAM WRITE_DAC = 0x00040000;
constexpr REGSAM WRITE_OWNER = 0x00080000;
constexpr REGSAM DELETE_ACCESS = 0x00010000;
constexpr REGSAM KEY_READ = READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
constexpr REGSAM KEY_WRITE = READ_CONTROL | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

// Opens a subkey ("\" at the start allowed; "" opens the key itself again).
LSTATUS RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, HKEY* result);
LSTATUS RegCloseKey(HKEY key);
// The value's type and data; name null or "" is the default value. With data
// null only the size is returned; with a buffer too small, ERROR_MORE_DATA and
// the size needed in *dataSize.
LSTATUS RegQueryValueEx(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
