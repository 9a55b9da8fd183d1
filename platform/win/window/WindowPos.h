// Window geometry: position, size, z-order, showing, rectangles, coordinate
// mapping, hit testing of the window tree and window regions.
#pragma once

#include "platform/win/window/WindowTypes.h"

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Nonzero when the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, TRect* rect);
BOOL GetClientRect(HWND hwnd, TRect* rect);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement);
BOOL AdjustWindowRectEx(TRect* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL ClientToScreen(HWND hwnd, TPoint* point);
BOOL ScreenToClient(HWND hwnd, TPoint* point);
int MapWindowPoints(HWND from, HWND to, TPoint* points, UINT count);
// The deepest visible, enabled window under a screen point whose hit test is
// not HTTRANSPARENT; click-through (layered and transparent) windows are skipped.
HWND WindowFromPoint(TPoint point);
HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint);
HWND ChildWindowFromPointEx(HWND parent, TPoint clientPoint, UINT flags);
HWND RealChildWindowFromPoint(HWND parent, TPoint clientPoint);
// The window takes ownership of the region (window coordinates); 0 removes it.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window region into an existing region; ERROR (0) when none.
int GetWindowRgn(HWND hwnd, HRGN region);
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
// Moves, sizes and fills a layered window at once: its whole area comes from
// the source DC (at sourcePoint), with the blend's constant alpha or the
// colour key; it gets no WM_PAINT for it. C linkage: bound at run time in
// "user32.dll".
extern "C" BOOL UpdateLayeredWindow(HWND hwnd, HDC screenDC, const TPoint* destination, const TSize* size, HDC source,
                         const TPoint* sourcePoint, COLORREF key, const BLENDFUNCTION* blend, DWORD flags);
