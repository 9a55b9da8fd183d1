// The "Static" window class: text, rectangles and frames, etched lines,
// icons and bitmaps, owner-drawn statics.
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
