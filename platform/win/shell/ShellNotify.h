// The shell notification area: icons kept per window and id, with their tip,
// callback message and balloon notices. The display shows the icons where
// its desktop has a tray; the balloon is a small topmost window of the layer
// (BalloonWindow.h), near the icon or at the bottom-right corner of the
// work area, closing after its time-out or on a click.
#pragma once

#include <string>

#include "platform/win/window/WindowTypes.h"

constexpr DWORD NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2, NIM_SETFOCUS = 3, NIM_SETVERSION = 4;
constexpr UINT NIF_MESSAGE = 0x01, NIF_ICON = 0x02, NIF_TIP = 0x04, NIF_STATE = 0x08, NIF_INFO = 0x10;
constexpr DWORD NIIF_NONE = 0, NIIF_INFO = 1, NIIF_WARNING = 2, NIIF_ERROR = 3, NIIF_ICON_MASK = 0x0F,
                NIIF_NOSOUND = 0x10;
// Callback events (lParam) beside the mouse messages.
constexpr UINT NIN_SELECT = 0x400, NIN_KEYSELECT = 0x401, NIN_BALLOONSHOW = 0x402, NIN_BALLOONHIDE = 0x403,
               NIN_BALLOONTIMEOUT = 0x404, NIN_BALLOONUSERCLICK = 0x405;
constexpr UINT NOTIFYICON_VERSION = 3;
// The sizes callers state for the two layouts: the first one (no balloon,
// tips of 64 bytes) and the one with balloons (tips of 128 bytes).
constexpr DWORD NOTIFYICONDATA_V1_SIZE = 88, NOTIFYICONDATA_V2_SIZE = 488;

struct NOTIFYICONDATA {
  DWORD cbSize = sizeof(NOTIFYICONDATA);
  HWND hWnd = nullptr;
  UINT uID = 0;
  UINT uFlags = 0;
  UINT uCallbackMessage = 0;
  HICON hIcon = nullptr;
  char szTip[128] = {};
  DWORD dwState = 0;
  DWORD dwStateMask = 0;
  char szInfo[256] = {};
  union {
    UINT uTimeout;
    UINT uVersion;
  };
  char szInfoTitle[64] = {};
  DWORD dwInfoFlags = 0;
  NOTIFYICONDATA() : uTimeout(0) {}
};
using NOTIFYICONDATAA = NOTIFYICONDATA;
using TNotifyIconData = NOTIFYICONDATA;

// Texts are UTF-8, cut at a character boundary to the field's size. The
// icon is copied. A balloon stays between 10 and 30 seconds.
BOOL Shell_NotifyIcon(DWORD message, NOTIFYICONDATA* data);
inline BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATA* data) { return Shell_NotifyIcon(message, data); }

// What the notification area keeps of one icon, for tests and displays.
struct TNotifyIconInfo {
  HICON Icon = nullptr;  // the area's copy
  std::string Tip;
  UINT CallbackMessage = 0;
  UINT Version = 0;
  bool BalloonShown = false;
  std::string BalloonTitle;
  std::string BalloonText;
  DWORD BalloonFlags = 0;
  UINT BalloonTimeout = 0;  // milliseconds, once kept in range
  bool Focused = false;     // holds the area's keyboard focus (NIM_SETFOCUS)
};
bool GetNotifyIconInfo(HWND window, UINT id, TNotifyIconInfo& info);
// The balloon window on show (null when none).
HWND NotifyBalloonWindow();

// For display back ends, from any thread: the mouse on a tray icon (button
// -1: a move; 0 left, 1 right, 2 middle). The icon's window hears its
// callback message with the mouse message (double clicks made here).
void InputNotifyIconMouse(HWND window, UINT id, int button, bool down);
// For display back ends: a key pressed while the notification area has the
// keyboard focus, which NIM_SETFOCUS gives to an icon. Enter or Space
// selects it (NIN_KEYSELECT), the menu key or Shift+F10 asks for its menu
// (WM_CONTEXTMENU); icons of version 3 and later hear these, older ones have
// no keyboard events. False when no icon has the focus or the key means
// nothing there.
bool InputNotifyIconKey(BYTE vk, bool shift);
