// Top-level windows of the X server as another program sees them (no X
// header here: the class library's headers and X's cannot meet in one file).
#pragma once

#include <string>

#include "platform/win/gdi/GdiTypes.h"

struct _XDisplay;
using XWin = unsigned long;

// The shown top-level window titled Title (_NET_WM_NAME), 0 when none.
XWin ShownTopLevel(_XDisplay* X, const std::string& Title);
// The whole screen.
TRect ScreenRect(_XDisplay* X);
// Minimises Window as the desktop does (ICCCM iconify request).
void IconifyTopLevel(_XDisplay* X, XWin Window);
// Brings Window back as a task bar or pager does (_NET_ACTIVE_WINDOW, source 2).
void ActivateTopLevel(_XDisplay* X, XWin Window);
