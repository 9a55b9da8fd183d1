// A region: a set of pixels kept as y-banded rectangles. Each band is a run of
// rows [Top, Bottom) holding sorted, disjoint, non-touching rectangles; two
// vertically adjacent bands never hold the same spans (they are merged), so two
// equal pixel sets always have the same rectangle list.
#pragma once

#include <vector>

#include "platform/base/Geometry.h"

class TRegion {
public:
  TRegion() = default;
  explicit TRegion(const TRect& r);

  // Builds a region from rows of spans: spans[i] lists [x0, x1) pairs of row top + i.
  static TRegion FromRows(int top, const std::vector<std::vector<std::pair<int, int>>>& rows);

  bool IsEmpty() const { return FRects.empty(); }
  bool IsRect() const { return FRects.size() == 1; }
  // The smallest rectangle holding every pixel; all zeros when empty.
  TRect Bounds() const { return FBounds; }
  const std::vector<TRect>& Rects() const { return FRects; }

  bool Contains(const TPoint& p) const;
  // True when any pixel of r is in the region.
  bool Intersects(const TRect& r) const;

  TRegion Union(const TRegion& o) const;
  TRegion Intersect(const TRegion& o) const;
  TRegion Subtract(const TRegion& o) const;
  TRegion Xor(const TRegion& o) const;
  TRegion Intersect(const TRect& r) const;
  void Offset(int dx, int dy);
  void Clear();

  friend bool operator==(const TRegion& a, const TRegion& b) { return a.FRects == b.FRects; }

private:
  enum class TOp { Union, Intersect, Subtract, Xor };
  static TRegion Combine(const TRegion& a, const TRegion& b, TOp op);
  void UpdateBounds();

  std::vector<TRect> FRects;
  TRect FBounds;
};
