// Painting: update regions, WM_PAINT and WM_ERASEBKGND, and the device
// contexts of windows (over the drawing layer's surface DCs, drawing into the
// top-level window's framebuffer, clipped to what the window may touch).
#pragma once

#include "platform/win/window/WindowTypes.h"

BOOL InvalidateRect(HWND hwnd, const TRect* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const TRect* rect);
BOOL ValidateRgn(HWND hwnd, HRGN region);
BOOL RedrawWindow(HWND hwnd, const TRect* rect, HRGN region, UINT flags);
BOOL UpdateWindow(HWND hwnd);
BOOL GetUpdateRect(HWND hwnd, TRect* rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);
BOOL LockWindowUpdate(HWND hwnd);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HDC GetDC(HWND hwnd);
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
