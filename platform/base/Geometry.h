// Points, sizes and rectangles, with the platform's rectangle rules: a
// rectangle includes its left and top edges and excludes its right and bottom
// edges, so its width is Right - Left.
#pragma once

#include "platform/base/Types.h"

struct TPoint {
  LONG x = 0;
  LONG y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(LONG ax, LONG ay) : x(ax), y(ay) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
  constexpr TPoint operator+(const TPoint& o) const { return {x + o.x, y + o.y}; }
  constexpr TPoint operator-(const TPoint& o) const { return {x - o.x, y - o.y}; }
};

struct TSize {
  LONG cx = 0;
  LONG cy = 0;
  constexpr TSize() = default;
  constexpr TSize(LONG w, LONG h) : cx(w), cy(h) {}
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  LONG Left = 0;
  LONG Top = 0;
  LONG Right = 0;
  LONG Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(LONG l, LONG t, LONG r, LONG b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(const TPoint& topLeft, const TPoint& bottomRight)
      : Left(topLeft.x), Top(topLeft.y), Right(bottomRight.x), Bottom(bottomRight.y) {}
  friend constexpr bool operator==(const TRect&, const TRect&) = default;

  constexpr LONG Width() const { return Right - Left; }
  constexpr LONG Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  // Empty when it holds no pixel.
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(const TPoint& p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
};

using POINT = TPoint;
using SIZE = TSize;
using RECT = TRect;
using LPRECT = TRect*;
using LPPOINT = TPoint*;

struct TSmallPoint {
  SHORT x = 0;
  SHORT y = 0;
};

constexpr TPoint Point(LONG x, LONG y) { return {x, y}; }
constexpr TRect Rect(LONG l, LONG t, LONG r, LONG b) { return {l, t, r, b}; }
constexpr TRect Bounds(LONG l, LONG t, LONG w, LONG h) { return {l, t, l + w, t + h}; }
constexpr TSmallPoint PointToSmallPoint(const TPoint& p) { return {SHORT(p.x), SHORT(p.y)}; }
constexpr TPoint SmallPointToPoint(const TSmallPoint& p) { return {p.x, p.y}; }

// The platform's rectangle functions. Each returns nonzero on success, as the
// callers test; the ones that compute a rectangle set an empty result to all
// zeros, as the platform does.
BOOL SetRect(TRect* r, int left, int top, int right, int bottom);
BOOL SetRectEmpty(TRect* r);
BOOL CopyRect(TRect* dst, const TRect* src);
BOOL IsRectEmpty(const TRect* r);
BOOL EqualRect(const TRect* a, const TRect* b);
BOOL PtInRect(const TRect* r, TPoint p);
BOOL OffsetRect(TRect* r, int dx, int dy);
BOOL InflateRect(TRect* r, int dx, int dy);
// Empty (all zeros) and FALSE when the two do not overlap.
BOOL IntersectRect(TRect* dst, const TRect* a, const TRect* b);
// An empty source does not count.
BOOL UnionRect(TRect* dst, const TRect* a, const TRect* b);
// The part of a not covered by b, when that part is a rectangle; a otherwise.
BOOL SubtractRect(TRect* dst, const TRect* a, const TRect* b);

// Class-library forms of the same operations.
bool PtInRect(const TRect& r, const TPoint& p);
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
bool IsRectEmpty(const TRect& r);
TPoint CenterPoint(const TRect& r);
