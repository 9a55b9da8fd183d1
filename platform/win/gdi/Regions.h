// Region handles over TRegion. Coordinates are device pixels; a rectangle
// includes its left and top edges and excludes its right and bottom ones.
#pragma once

#include <vector>

#include "platform/base/Types.h"

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/Region.h"

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const TRect* rect);
// The pixels Ellipse and RoundRect fill for the same arguments (the outline included).
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const TRect* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse, int heightEllipse);
// The pixels Polygon fills with the given fill mode (ALTERNATE or WINDING).
HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode);
// A new region handle holding a copy of the value.
HRGN CreateRegionFrom(const TRegion& region);

// Combines src1 and src2 into dest (which may be either of them); answers the
// kind of the result (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const TRect* rect);
int GetRgnBox(HRGN rgn, TRect* rect);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// Paints through the DC with its current brush (FillRgn with a given one).
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL PaintRgn(HDC dc, HRGN rgn);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC dc, HRGN rgn);

// The value behind a region handle; null for anything else.
const TRegion* RegionOf(HRGN rgn);
// Replaces the value behind a region handle; false for anything else.
bool SetRegionOf(HRGN rgn, const TRegion& value);

// Region data: a header and the region's rectangles (bands top to bottom).
constexpr DWORD RDH_RECTANGLES = 1;
struct RGNDATAHEADER {
  DWORD dwSize = sizeof(RGNDATAHEADER);
  DWORD iType = RDH_RECTANGLES;
  DWORD nCount = 0;
  DWORD nRgnSize = 0;
  TRect rcBound;
};
struct RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];
};
struct XFORM {
  float eM11 = 1, eM12 = 0, eM21 = 0, eM22 = 1, eDx = 0, eDy = 0;
};
// Answers the bytes needed (data null or count too small: nothing written).
DWORD GetRegionData(HRGN rgn, DWORD count, RGNDATA* data);
// The union of the rectangles, moved and scaled by xform when given; a
// rotating or shearing transform is refused (null).
HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const RGNDATA* data);
