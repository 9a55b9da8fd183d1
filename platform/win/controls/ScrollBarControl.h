// The "ScrollBar" window class: a scroll bar as a control of its own
// (SBS_HORZ, SBS_VERT, SBS_SIZEGRIP / SBS_SIZEBOX), telling its parent with
// WM_HSCROLL / WM_VSCROLL carrying its handle.
#pragma once

#include "platform/win/window/WindowTypes.h"

LRESULT ScrollBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
