// The message loop shared by the frame's button tracking, the drag loop and
// the resize loop: it runs while the window holds the mouse capture. A left
// press ends it cancelled, the left release ends it accepted; right and
// middle button messages are dropped; key messages go to the caller (or are
// dropped); everything else is dispatched as usual.
#pragma once

#include <functional>

#include "platform/win/win.h"

enum class TCaptureLoopEnd { Released, Cancelled };

// MouseMoved runs on every WM_MOUSEMOVE. Key (may be empty) sees every key
// message and answers true to end the loop cancelled. A lost capture or a
// WM_QUIT (posted again) ends it cancelled too.
TCaptureLoopEnd RunCaptureLoop(HWND Capture, const std::function<void()>& MouseMoved,
                               const std::function<bool(const MSG&)>& Key = {});
