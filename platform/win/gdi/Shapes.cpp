#include "platform/win/gdi/detail/Shapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Regions.h"

namespace gdi {

namespace {
using TRows = std::vector<std::vector<std::pair<int, int>>>;

int64_t FloorDiv(int64_t a, int64_t b)
{
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0)))
    --q;
  return q;
}

// Spans of the pixels (x, y) of [l, r) x [t, b) for which inside(x, y) holds.
template <class F>
TRegion Scan(const TRect& box, F inside)
{
  TRows rows(std::size_t(std::max(0, box.Height())));
  for (int y = box.Top; y < box.Bottom; ++y) {
    auto& row = rows[std::size_t(y - box.Top)];
    int start = 0;
    bool in = false;
    for (int x = box.Left; x <= box.Right; ++x) {
      bool now = x < box.Right && inside(x, y);
      if (now && !in)
        start = x;
      else if (!now && in)
        row.push_back({start, x});
      in = now;
    }
  }
  return TRegion::FromRows(box.Top, rows);
}

// Whether the centre of pixel (x, y) lies in the ellipse inscribed in e, in
// doubled coordinates: dx²/w² + dy²/h² <= 1, that is dy²·w² <= (w² - dx²)·h².
// A pixel of the box has |dx| <= w and |dy| <= h, so both sides stay below
// 2^128 for any int coordinates.
bool InEllipse(int x, int y, const TRect& e)
{
  using U128 = unsigned __int128;
  const uint64_t w = uint64_t(int64_t(e.Right) - e.Left), h = uint64_t(int64_t(e.Bottom) - e.Top);
  const uint64_t dx = uint64_t(std::llabs(2 * int64_t(x) + 1 - (int64_t(e.Left) + e.Right)));
  const uint64_t dy = uint64_t(std::llabs(2 * int64_t(y) + 1 - (int64_t(e.Top) + e.Bottom)));
  if (dx > w || dy > h)
    return false;
  return U128(dy * dy) * (w * w) <= U128(w * w - dx * dx) * (h * h);
}
}  // namespace

TRegion EllipseRegion(const TRect& box)
{
  if (box.IsEmpty())
    return {};
  // One span a row: the leftmost pixel inside, found by halving (the test is
  // monotone towards the centre), and its mirror image on the right.
  TRows rows(std::size_t(int64_t(box.Bottom) - box.Top));
  const int64_t mirror = int64_t(box.Left) + box.Right - 1;  // x + x' of two mirrored pixels
  for (int y = box.Top; y < box.Bottom; ++y) {
    int64_t lo = box.Left, hi = FloorDiv(mirror, 2);  // hi: the left pixel nearest the centre
    if (!InEllipse(int(hi), y, box))
      continue;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (InEllipse(int(mid), y, box))
        hi = mid;
      else
        lo = mid + 1;
    }
    rows[std::size_t(int64_t(y) - box.Top)].push_back({int(lo), int(mirror - lo + 1)});
  }
  return TRegion::FromRows(box.Top, rows);
}

TRegion RoundRectRegion(const TRect& box, int w, int h)
{
  if (box.IsEmpty())
    return {};
  w = std::min(std::abs(w), box.Width());
  h = std::min(std::abs(h), box.Height());
  if (w < 2 || h < 2)
    return TRegion(box);
  TRect tl(box.Left, box.Top, box.Left + w, box.Top + h);
  TRect tr(box.Right - w, box.Top, box.Right, box.Top + h);
  TRect bl(box.Left, box.Bottom - h, box.Left + w, box.Bottom);
  TRect br(box.Right - w, box.Bottom - h, box.Right, box.Bottom);
  int hw = w / 2, hh = h / 2;
  return Scan(box, [&](int x, int y) {
    bool left = x < box.Left + hw, right = x >= box.Right - hw, top = y < box.Top + hh, bottom = y >= box.Bottom - hh;
    if (left && top)
      return InEllipse(x, y, tl);
    if (right && top)
      return InEllipse(x, y, tr);
    if (left && bottom)
      return InEllipse(x, y, bl);
    if (right && bottom)
      return InEllipse(x, y, br);
    return true;
  });
}

TRegion PolygonRegion(const TPoint* pts, int count, int fillMode)
{
  if (!pts || count < 3)
    return {};
  int top = pts[0].y, bottom = pts[0].y;
  for (int i = 1; i < count; ++i) {
    top = std::min(top, int(pts[i].y));
    bottom = std::max(bottom, int(pts[i].y));
  }
  TRows rows(std::size_t(bottom - top));
  struct TCross {
    int X;  // first pixel whose centre is at or right of the crossing
    int Dir;
  };
  std::vector<TCross> crossings;
  for (int y = top; y < bottom; ++y) {
    crossings.clear();
    for (int i = 0; i < count; ++i) {
      TPoint a = pts[i], b = pts[(i + 1) % count];
      if (a.y == b.y)
        continue;
      int dir = b.y > a.y ? 1 : -1;
      if (a.y > b.y)
        std::swap(a, b);
      if (y < a.y || y >= b.y)
        continue;
      // Crossing x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y); the first
      // pixel at or right of it.
      int64_t den = int64_t(b.y - a.y);
      int64_t num = int64_t(a.x) * den + int64_t(y - a.y) * (b.x - a.x);
      int64_t first = -FloorDiv(-num, den);
      crossings.push_back({int(first), dir});
    }
    std::sort(crossings.begin(), crossings.end(), [](const TCross& p, const TCross& q) { return p.X < q.X; });
    auto& row = rows[std::size_t(y - top)];
    int winding = 0;
    for (std::size_t k = 0; k < crossings.size(); ++k) {
      winding += fillMode == WINDING ? crossings[k].Dir : 1;
      bool inside = fillMode == WINDING ? winding != 0 : (winding & 1);
      if (inside && k + 1 < crossings.size() && crossings[k].X < crossings[k + 1].X)
        row.push_back({crossings[k].X, crossings[k + 1].X});
    }
  }
  return TRegion::FromRows(top, rows);
}

std::vector<TPoint> LinePixels(TPoint a, TPoint b)
{
  std::vector<TPoint> out;
  int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
  int sx = b.x >= a.x ? 1 : -1, sy = b.y >= a.y ? 1 : -1;
  int x = a.x, y = a.y;
  if (dx >= dy) {
    int err = 2 * dy - dx;
    for (int i = 0; i < dx; ++i) {
      out.push_back({x, y});
      if (err > 0) {
        y += sy;
        err -= 2 * dx;
      }
      err += 2 * dy;
      x += sx;
    }
  } else {
    int err = 2 * dx - dy;
    for (int i = 0; i < dy; ++i) {
      out.push_back({x, y});
      if (err > 0) {
        x += sx;
        err -= 2 * dy;
      }
      err += 2 * dx;
      y += sy;
    }
  }
  return out;
}

TRegion Outline(const TRegion& r)
{
  TRegion shrunk = r;
  for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    TRegion moved = r;
    moved.Offset(dx, dy);
    shrunk = shrunk.Intersect(moved);
  }
  return r.Subtract(shrunk);
}

}  // namespace gdi

using namespace gdi;

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
  return CreateRegionFrom(EllipseRegion(TRect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom))));
}

HRGN CreateEllipticRgnIndirect(const TRect* r)
{
  return r ? CreateEllipticRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h)
{
  return CreateRegionFrom(RoundRectRegion(TRect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)), w, h));
}

HRGN CreatePolygonRgn(const TPoint* points, int count, int fillMode)
{
  if (!points || count < 0 || count > 1000000 || (fillMode != ALTERNATE && fillMode != WINDING))
    return nullptr;
  return CreateRegionFrom(PolygonRegion(points, count, fillMode));
}
