// Loading one plug-in file and calling its entry point, shared by the two
// holders (networks and message processors).
#pragma once

#include <string>

#include "platform/base/Types.h"

// Loads FileName and looks up EntryName. Raises Exception "Impossible de
// charger la DLL" when the file does not load, and NotAPluginText (after
// freeing the module) when the entry is missing.
HMODULE LoadPluginModule(const std::string& FileName, const char* EntryName, const char* NotAPluginText,
                         void*& Entry);

// The text raised when an entry point left its variable empty.
inline constexpr const char* SPluginNotCreated = "Le plug-in n'a pas pu être initialisé";
