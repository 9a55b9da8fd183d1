// Hooks at three points of the message machinery: before a sent message
// reaches its window procedure (WH_CALLWNDPROC, and WH_CALLWNDPROCRET after
// it), at window life events (WH_CBT: create, destroy, activate, focus, ...)
// when a message leaves the queue (WH_GETMESSAGE), and when a keyboard or
// mouse message does (WH_KEYBOARD, WH_MOUSE: nonzero discards it; the code is
// HC_ACTION, or 3 when the message is only looked at). A thread id of 0 hooks
// every thread of the process; the newest hook runs first and passes on with
// CallNextHookEx.
//
// WH_MSGFILTER hooks see the messages that a modal loop of the layer takes
// for itself (menu tracking, scroll-bar tracking): the loop calls
// CallMsgFilter with its MSGF_ code before handling each message, and a
// nonzero answer eats the message.
#pragma once

#include "platform/win/window/WindowTypes.h"

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

constexpr int MSGF_DIALOGBOX = 0;
constexpr int MSGF_MESSAGEBOX = 1;
constexpr int MSGF_MENU = 2;
constexpr int MSGF_SCROLLBAR = 5;
constexpr int MSGF_NEXTWINDOW = 6;
constexpr int MSGF_MAX = 8;
constexpr int MSGF_USER = 4096;

// Runs the WH_MSGFILTER hooks of the calling thread on msg (lParam of the hook
// is the MSG, its code is the caller's MSGF_ code). TRUE: a hook took the
// message and the caller leaves it alone.
BOOL CallMsgFilter(MSG* msg, int code);
