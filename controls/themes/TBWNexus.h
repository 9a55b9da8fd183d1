// The nexus: the one holder of the current theme. It switches themes by name
// and relays the theme manager's notifications to its clients (themed
// controls) as 0x53A.
#pragma once

#include <string>

#include "platform/base/Object.h"

class TTBWTheme;

// The current theme; null until the nexus exists.
TTBWTheme* CurrentTheme();
// Creates the nexus with the theme of that name as the current one (the
// start of the program; tests).
void CreateThemeNexus(const std::string& ThemeName);
void FreeThemeNexus();

// Adds Component unless it is there already; answers its index.
int AddThemeClient(TObject* Component);
void RemoveThemeClient(TObject* Component);
// False (and nothing changes) for a name not registered. Otherwise the
// current theme is released, the named one acquired, and every client hears
// 0x53A with sub-codes 1, 2, 3 and LParam 1.
bool SetCurrentThemeName(const std::string& Name);
std::string CurrentThemeName();
