// The one road from the library's tray icon to the shell notification area.
// Tests put a recorder in its place to see the exact calls.
#pragma once

#include "platform/win/shell/ShellNotify.h"

using TUtShellNotifyProc = BOOL (*)(DWORD Message, NOTIFYICONDATA* Data);

// Calls the current shell procedure (Shell_NotifyIcon unless replaced).
BOOL UtShellNotify(DWORD Message, NOTIFYICONDATA* Data);
// Replaces the procedure (null puts Shell_NotifyIcon back); answers the previous one.
TUtShellNotifyProc SetUtShellNotifyProc(TUtShellNotifyProc Proc);
