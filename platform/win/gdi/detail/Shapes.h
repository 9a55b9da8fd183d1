// Pixel sets of the filled shapes, shared by the drawing calls and the region
// constructors so both own the same pixels. Coordinates are whatever the caller
// passes (device or surface); rows are half-open.
#pragma once

#include <vector>

#include "platform/win/gdi/Region.h"

namespace gdi {

// The pixels whose centres lie inside the ellipse inscribed in [l, r) x [t, b).
TRegion EllipseRegion(const TRect& box);
// The rectangle with its corners cut by quarter ellipses of w x h.
TRegion RoundRectRegion(const TRect& box, int w, int h);
// The pixels whose top-left corners are inside the polygon (ALTERNATE: odd
// crossings; WINDING: nonzero winding); left and top edges are in, right and
// bottom edges out. With the outline the pen adds, a triangle (0,0) (4,0)
// (2,2) covers exactly the 5-3-1 pixels of a drop-down arrow.
TRegion PolygonRegion(const TPoint* points, int count, int fillMode);
// The pixels of a 1-pixel line from a to b, b itself excluded (integer
// Bresenham: x-major when |dx| >= |dy|; on a tie the error term stays).
std::vector<TPoint> LinePixels(TPoint a, TPoint b);
// The pixels of region r that touch (4-neighbourhood) a pixel outside it.
TRegion Outline(const TRegion& r);

}  // namespace gdi
