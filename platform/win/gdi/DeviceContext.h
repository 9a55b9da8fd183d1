// Device contexts: memory DCs, their state stack, origins, colours, modes and
// clipping. Window and screen DCs are made by the window system over
// SurfaceDC.h; everything below works on any DC.
#pragma once

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

// A memory DC compatible with dc (or the screen for null), holding the stock
// 1x1 monochrome bitmap until another is selected.
HDC CreateCompatibleDC(HDC dc);
// Memory DCs only: a window or screen DC is released through the window system.
BOOL DeleteDC(HDC dc);

// Saves the drawing state; answers its level (1 for the first), 0 on failure.
int SaveDC(HDC dc);
// A positive level restores that save; a negative one counts back from the latest.
BOOL RestoreDC(HDC dc, int savedDC);

BOOL SetWindowOrgEx(HDC dc, int x, int y, TPoint* old);
BOOL GetWindowOrgEx(HDC dc, TPoint* org);
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old);
BOOL SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
BOOL GetViewportOrgEx(HDC dc, TPoint* org);
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old);
BOOL SetBrushOrgEx(HDC dc, int x, int y, TPoint* old);
BOOL GetBrushOrgEx(HDC dc, TPoint* org);
BOOL LPtoDP(HDC dc, TPoint* points, int count);
BOOL DPtoLP(HDC dc, TPoint* points, int count);
int SetMapMode(HDC dc, int mode);  // MM_TEXT only
int GetMapMode(HDC dc);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
UINT GetTextAlign(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
int SetPolyFillMode(HDC dc, int mode);
int GetPolyFillMode(HDC dc);
BOOL SetTextJustification(HDC dc, int breakExtra, int breakCount);
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF SetDCPenColor(HDC dc, COLORREF color);
BOOL GetCurrentPositionEx(HDC dc, TPoint* pos);

int GetDeviceCaps(HDC dc, int index);
// The object of a kind currently selected (OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL).
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
BOOL GdiFlush();

// Clipping. Regions passed in are copied; coordinates are device ones except
// for the rectangle calls, which take logical coordinates.
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC dc, int dx, int dy);
// 1 and a copy of the clip region in rgn, 0 when none is selected, -1 on error.
int GetClipRgn(HDC dc, HRGN rgn);
// The logical bounds of what can be drawn; the region kind answered.
int GetClipBox(HDC dc, TRect* rect);
BOOL RectVisible(HDC dc, const TRect* rect);
BOOL PtVisible(HDC dc, int x, int y);

// The test profile of the screen: 32 bits, or a low-colour display of 8 bits
// with the 20-colour default palette (GetDeviceCaps, GetNearestColor and the
// colours drawn on window and screen surfaces follow it).
void SetLowColorDisplay(bool lowColor);
bool LowColorDisplay();
// The screen's logical resolution, which the user's choice of system font
// size sets: 96 pixels per inch for normal fonts, 120 for large ones.
// LOGPIXELSX and LOGPIXELSY answer it and the system's own fonts grow with it.
// Values outside 48-480 are refused (false).
bool SetScreenPixelsPerInch(int ppi);
int ScreenPixelsPerInch();
