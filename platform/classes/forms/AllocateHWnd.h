// Hidden windows whose messages go to a method of an object (timers, the
// application's helpers): AllocateHWnd makes one, DeallocateHWnd frees it.
// A message the method leaves unhandled should go to DefWindowProc.
#pragma once

#include "platform/classes/controls/ControlTypes.h"

HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
