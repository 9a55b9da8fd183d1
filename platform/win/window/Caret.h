// The caret: one per thread, owned by a window, drawn by inverting its
// rectangle in the window's client area and blinking on WM_SYSTIMER, which
// DefWindowProc handles. BeginPaint hides it and EndPaint shows it again, so
// painting never leaves half a caret behind.
#pragma once

#include "platform/win/window/WindowTypes.h"

// Width or height 0 takes the border size; the bitmap is not used (the caret
// is always a solid inverted rectangle). Created hidden.
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
// Hiding nests: as many ShowCaret as HideCaret before it shows again.
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
// Client coordinates of the owner window.
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(TPoint* point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);
