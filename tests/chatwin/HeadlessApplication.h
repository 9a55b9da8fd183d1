// The chat library's window tests run on the headless display, with the
// built-in font so that no result depends on the fonts installed.
#pragma once

#include "controls/themes/TBWThemeManager.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

inline void StartHeadlessApplication()
{
  static const bool started = [] {
    THeadlessDisplay::Use();
    SetBuiltinFontOnly(true);
    Application()->Initialize();
    return true;
  }();
  (void)started;
}

// The status bars' plain theme starts the theme layer's manager, which the
// program frees at its end; a test suite does the same.
inline void StopHeadlessApplication() { FreeThemeManager(); }
