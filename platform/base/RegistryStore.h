// The registry store: the current user's values, read from a text file in
// regedit-4 syntax. Only the current user's hive is kept; it is read only.
//
// File format ("REGEDIT4" on the first line, a byte-order mark allowed):
//   [HKEY_CURRENT_USER\Software\Maker\Program]    a key (parents exist too)
//   "Name"="text with \\ and \" escapes"           a string value
//   @="text"                                       the key's default value
//   "Count"=dword:0000002a                         a 32-bit number, hexadecimal
//   "Data"=hex:01,02,\                             bytes; "\" continues the line
//     03
//   "Path"=hex(2):25,00                            bytes of a value of type 2
//   ; a comment
// Sections of other hives, deletions ("[-...]", "=-"), and lines that cannot be
// read are skipped. Key and value names compare without regard to ASCII case.
// A file larger than 16 MiB, or without the header, reads as an empty hive.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

struct TRegistryValue {
  std::string Name;  // as written; "" for the default value
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;  // strings with their terminating zero
};

struct TRegistryKey {
  std::string Name;                                                // the last part, as written
  std::map<std::string, TRegistryValue> Values;                    // by lower-cased name
  std::map<std::string, std::unique_ptr<TRegistryKey>> SubKeys;    // by lower-cased name
};

// A parsed hive, as a tree of keys. Memory stays in proportion to the file:
// at most 65,536 keys and 262,144 values, keys at most 512 levels deep with
// at most 255 characters a level (the platform's own limits); sections and
// values beyond are skipped.
class TRegistryStore {
public:
  static std::shared_ptr<const TRegistryStore> Parse(std::string_view text);

  // The key at a path below the hive ("Software\Maker"; "" for the hive),
  // ASCII case ignored; null when missing.
  const TRegistryKey* FindKey(std::string_view path) const;
  // "\A\\B\" -> "a\b": lower case, empty parts dropped.
  static std::string NormalizeKey(std::string_view path);

private:
  TRegistryKey* MakeKey(std::string_view path);
  TRegistryKey FRoot;
  std::size_t FKeyCount = 0;
  std::size_t FValueCount = 0;
};

// Where the store is read from: $XDG_CONFIG_HOME/corvane/registry.reg, or
// ~/.config/corvane/registry.reg; tests point it elsewhere. Setting it (even to
// the same file) makes the next access read the file again; "" restores the
// default location.
void SetRegistryFile(std::string_view fileName);
std::string RegistryFile();
// The current store, read on first use.
std::shared_ptr<const TRegistryStore> CurrentRegistry();

// Watchers of the settings: each handler is called, on the thread that called
// SetRegistryFile, with the hive before and after the switch, so it can tell
// whether a setting it cares about changed.
using TRegistryChangeHandler = void (*)(const TRegistryStore& before, const TRegistryStore& after);
void AddRegistryChangeHandler(TRegistryChangeHandler handler);
void RemoveRegistryChangeHandler(TRegistryChangeHandler handler);
