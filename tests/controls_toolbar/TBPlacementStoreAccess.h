// A dockable window's placement values kept in a settings store, each under
// "<window name>\<value name>", as a form's saving and loading would keep them.
#pragma once

#include <string>

#include "controls/toolbar/TBDockTypes.h"
#include "controls/utility/storage/UtAppStorage.h"

inline TTBPlacementValueAccess PlacementStoreAccess(TUtCustomAppStorage& Store, bool Saving)
{
  TTBPlacementValueAccess access;
  access.Integer = [&Store, Saving](const std::string& Name, const std::string& ValueName, int Value) {
    const std::string path = Name + "\\" + ValueName;
    if (Saving) {
      Store.WriteInteger(path, Value);
      return Value;
    }
    return Store.ReadInteger(path, Value);
  };
  return access;
}
