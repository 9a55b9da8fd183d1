// Lines, shapes, fills and single pixels. Lines exclude their end pixel;
// filled shapes own the pixels whose centres they hold (see detail/Shapes.h);
// Rectangle and Ellipse with the null pen fill one pixel less on the right and
// bottom, as the platform does.
#pragma once

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/GdiTypes.h"

BOOL MoveToEx(HDC dc, int x, int y, TPoint* old);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const TPoint* points, int count);
BOOL PolylineTo(HDC dc, const TPoint* points, DWORD count);
BOOL Polygon(HDC dc, const TPoint* points, int count);
BOOL PolyPolygon(HDC dc, const TPoint* points, const INT* counts, int polygons);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);

// brush may be a system colour index plus one, as the platform allows.
int FillRect(HDC dc, const TRect* rect, HBRUSH brush);
int FrameRect(HDC dc, const TRect* rect, HBRUSH brush);
BOOL InvertRect(HDC dc, const TRect* rect);
// Pattern-only raster operations over a rectangle (negative sizes allowed).
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

// Answers the colour set (the nearest the surface can hold), or CLR_INVALID.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color);
// CLR_INVALID outside the clip.
COLORREF GetPixel(HDC dc, int x, int y);
// A dotted ring drawn with XOR: a second call with the same rectangle restores the pixels.
BOOL DrawFocusRect(HDC dc, const TRect* rect);
