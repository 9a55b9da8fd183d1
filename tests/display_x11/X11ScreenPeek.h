// What the X server shows, for tests whose files also see the class library
// (no X header here): override-redirect windows and the screen's pixels.
#pragma once

#include <vector>

#include "platform/win/gdi/Screenshot.h"

struct _XDisplay;
using XWin = unsigned long;

// Shown override-redirect windows (popups, shadows) not in Before.
std::vector<XWin> ShownOverrideRedirect(_XDisplay* X, const std::vector<XWin>& Before);
// A window's place and size on the screen (empty when it is gone).
TRect ScreenRectOf(_XDisplay* X, XWin Window);
// The screen's pixels (0x00RRGGBB) of an area, as the server shows them.
TPixelImage ScreenArea(_XDisplay* X, const TRect& Area);
