// Input: mouse capture and tracking, keyboard focus, activation, the key
// state, the cursor, and the entry points through which a display back end
// feeds input (thread-safe; the events become messages when a thread of the
// process asks for its next message, routed by the capture and the windows as
// they are at that moment).
#pragma once

#include <string>

#include "platform/win/window/WindowTypes.h"

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
// C linkage, so code that binds it at run time finds it: as "TrackMouseEvent"
// in "user32.dll" and, the same function, as "_TrackMouseEvent" in "comctl32.dll".
extern "C" BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
extern "C" BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track);

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
constexpr UINT LSFW_LOCK = 1;
constexpr UINT LSFW_UNLOCK = 2;
// C linkage: bound at run time in "user32.dll".
extern "C" BOOL LockSetForegroundWindow(UINT lockCode);

// The state of a key as of the message being handled (bit 15 down, bit 0 toggled).
SHORT GetKeyState(int vk);
// The state of a key right now (bit 15 down).
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* keys);
BOOL SetKeyboardState(const BYTE* keys);

// Scan codes, keys and characters of the built-in layout (the original
// platform's English one). Scan codes are the ones key messages carry in
// lParam's bits 16-23; the extended keys' (bit 24) may be given as 0xE0xx.
constexpr UINT MAPVK_VK_TO_VSC = 0;     // the key's scan code, without the extended mark
constexpr UINT MAPVK_VSC_TO_VK = 1;     // the key, left and right alike (VK_SHIFT)
constexpr UINT MAPVK_VK_TO_CHAR = 2;    // the unshifted character, letters as capitals
constexpr UINT MAPVK_VSC_TO_VK_EX = 3;  // the key, left and right told apart (VK_LSHIFT)
constexpr UINT MAPVK_VK_TO_VSC_EX = 4;  // the key's scan code, 0xE0xx for an extended one
// 0 when there is no answer.
UINT MapVirtualKey(UINT code, UINT mapType);
// The English name of the key whose scan code and extended bit a key message's
// lParam carries ("Alt", "Right Ctrl", "Page Up", "F1", "A"), cut to size - 1
// characters and zero-terminated. Returns its length; 0 for a key without a
// name.
int GetKeyNameText(LONG lParam, LPSTR buffer, int size);

BOOL GetCursorPos(TPoint* point);
BOOL SetCursorPos(int x, int y);
BOOL ClipCursor(const TRect* rect);
BOOL GetClipCursor(TRect* rect);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
UINT GetDoubleClickTime();

// Display entry points. Points are in screen coordinates; button 0 is the
// left, 1 the right, 2 the middle button. A key carries the character it
// typed (0 when the layout decides, from the virtual key and the shift state).
void InputMouseMove(TPoint screenPoint);
void InputMouseButton(int button, bool down);
void InputMouseWheel(int delta);
void InputKey(BYTE vk, bool down, DWORD character = 0, WORD scanCode = 0, bool extended = false);
// The application lost the foreground to another program (or got it back).
void InputAppActivation(bool active);
// The desktop moved or resized a top-level window (screen coordinates), or
// asked for it to close (WM_SYSCOMMAND SC_CLOSE); the window's own thread
// does it, the caller does not wait.
void InputWindowMoved(HWND hwnd, const TRect& screenRect);
void InputCloseRequest(HWND hwnd);
// The desktop gave a top-level window the keyboard focus: its thread makes
// it the active window (the application becomes active too).
void InputWindowActivated(HWND hwnd);
// The pointer is over another program's window or the bare desktop, at a
// screen point: the position is kept, mouse tracking ends (WM_MOUSELEAVE),
// and only a window holding the capture hears of it. A button (0 to 2)
// pressed or released there reaches the capture only.
void InputMouseOutside(TPoint screenPoint, int button = -1, bool down = false);
// The desktop took the pointer away from the window holding the capture (a
// press outside every window of the process while a menu ran, say): the
// capture is released on that window's thread, so its loop ends.
void InputCaptureLost();
// The monitors changed: the desktop window takes the primary monitor's
// rectangle and top-level windows get WM_DISPLAYCHANGE.
void InputDisplayChanged();
