// What the in-process drag loop and drags of other programs share: finding a
// target with the thread it lives in.
#pragma once

#include "platform/win/ole/DragDrop.h"

namespace ole_detail {
// FindDropTarget, with the message-only window of the thread that registered
// the target (where calls from other programs' drags go).
IDropTarget* FindDropTargetHome(POINTL screenPoint, HWND* window, HWND* home);
// The calling thread's window for those calls, made on first use.
HWND ForeignDropHome();
}  // namespace ole_detail
