// Whether visual styles are on: a setting of the registry, on unless the
// current user's value "VisualStyles" of the key "Control Panel\Appearance" is
// 0 (a number, or the text "0"). When switching the registry file turns the
// setting over, WM_THEMECHANGED is sent to every top-level window and each of
// its children, so themed controls reopen their theme data.
#pragma once

#include "platform/base/RegistryStore.h"

inline constexpr const char* VisualStylesKey = "Control Panel\\Appearance";
inline constexpr const char* VisualStylesValue = "VisualStyles";

bool VisualStylesEnabled();
bool VisualStylesEnabledIn(const TRegistryStore& store);
