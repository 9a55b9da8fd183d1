// Open theme data behind checked HTHEME handles: a closed or foreign handle is
// refused, never dereferenced. Any thread may open, close and look up.
#pragma once

#include <memory>

#include "platform/visualstyles/ThemeClasses.h"
#include "platform/visualstyles/VisualStyles.h"

struct TThemeData {
  const TThemeClass* Class = nullptr;
  HWND Window = nullptr;  // the window it was opened for, or null
};

HTHEME AddThemeData(const TThemeClass& cls, HWND window);
// Null for a handle that is not open.
std::shared_ptr<const TThemeData> FindThemeData(HTHEME theme);
bool RemoveThemeData(HTHEME theme);
// The handle last opened for the window and still open, or null.
HTHEME LatestThemeOfWindow(HWND window);
