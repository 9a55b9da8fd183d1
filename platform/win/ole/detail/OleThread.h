// What the last OleUninitialize of a thread tidies up.
#pragma once

namespace ole_detail {
// Renders the calling thread's data object on the clipboard into the plain
// clipboard and releases it, when it is the current one.
void FlushClipboardOfThread();
// Releases the drop targets of windows that were destroyed without revoking.
void ReleaseStaleDropTargets();
}  // namespace ole_detail

#include "platform/win/window/WindowTypes.h"

namespace ole_detail {
// The calling thread's message-only window of the class (registered on first
// use with the procedure), made on first use and kept for the thread.
HWND ThreadWindow(const char* className, WNDPROC procedure);
}  // namespace ole_detail
