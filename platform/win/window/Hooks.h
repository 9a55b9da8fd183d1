// Hooks at three points of the message machinery: before a sent message
// reaches its window procedure (WH_CALLWNDPROC, and WH_CALLWNDPROCRET after
// it), at window life events (WH_CBT: create, destroy, activate, focus, ...)
// when a message leaves the queue (WH_GETMESSAGE), and when a keyboard or
// mouse message does (WH_KEYBOARD, WH_MOUSE: nonzero discards it; the code is
// HC_ACTION, or 3 when the message is only looked at). A thread id of 0 hooks
// every thread of the process; the newest hook runs first and passes on with
// CallNextHookEx.
#pragma once

#include "platform/win/window/WindowTypes.h"

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
