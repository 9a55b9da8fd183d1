// Window and thread timers. A due timer shows up as WM_TIMER when the queue has
// nothing else (after posted messages, input and painting); one WM_TIMER at a
// time per timer, however late the loop is. Timers follow the base layer's
// clock, so on the virtual clock they fire when a test advances it.
#pragma once

#include "platform/win/window/WindowTypes.h"

constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Waits until GetTickCount64() reaches tick without handling any message (for
// animations that must not let the program change what they draw). On the
// virtual clock the display's idle hook (a test script) may advance it; with
// no idle hook the wait moves the clock to the tick itself, as Sleep does.
// False when an idle hook keeps the clock still for a second of real time.
bool WaitForTick(ULONGLONG tick);
