// The balloon notice of the notification area: a small topmost popup of the
// layer with the notice's icon, bold title and wrapped text, placed above
// its tray icon or at the bottom-right corner of the work area. It never
// takes the focus; a left click or the time-out ends it.
#pragma once

#include <string>

#include "platform/base/Geometry.h"
#include "platform/win/window/WindowTypes.h"

// How a balloon ended (NIN_BALLOONTIMEOUT or NIN_BALLOONUSERCLICK), told on
// the balloon's thread once its window is gone.
using TBalloonEnded = void (*)(HWND balloon, UINT how);

// Opens the balloon on the calling thread; null when the window cannot be made.
// anchor: the tray icon on screen, or null for the work area's corner.
HWND OpenBalloonWindow(const std::string& title, const std::string& text, DWORD infoFlags, UINT timeoutMs,
                       const TRect* anchor, TBalloonEnded ended);
// Closes it without telling how it ended.
void CloseBalloonWindow(HWND balloon);
// Ends a balloon of the calling thread without telling how, but lets it
// stand until its thread's queue is next read, so that a notice that follows
// at once takes it over (RenewBalloonWindow) instead of a new window: a burst
// of notices updates one window in place. Another thread's balloon closes.
void RetireBalloonWindow(HWND balloon);
// Gives a retired balloon of the calling thread a new notice in place: its
// texts, icon, size and place, and a time-out counted from now. False when it
// is no such balloon (gone, another thread's, or not retired).
bool RenewBalloonWindow(HWND balloon, const std::string& title, const std::string& text, DWORD infoFlags,
                        UINT timeoutMs, const TRect* anchor, TBalloonEnded ended);
