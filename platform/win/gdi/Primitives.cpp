#include "platform/win/gdi/Primitives.h"

#include <algorithm>
#include <cstdlib>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/detail/Raster.h"
#include "platform/win/gdi/detail/Shapes.h"

using namespace gdi;

namespace {

uint8_t PenRop(const TDrawAccess& a) { return Rop2ToRop3(a.State().Rop2); }

// On/off run lengths of the styled cosmetic pens, in pixels.
std::vector<int> DashesOf(UINT style)
{
  switch (style & PS_STYLE_MASK) {
  case PS_DASH: return {18, 6};
  case PS_DOT: return {3, 3};
  case PS_DASHDOT: return {9, 6, 3, 6};
  case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
  case PS_ALTERNATE: return {1, 1};
  default: return {};
  }
}

bool PenVisible(const TGdiPen* pen) { return pen && (pen->Style & PS_STYLE_MASK) != PS_NULL; }

TRect Normalized(int l, int t, int r, int b)
{
  return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// The logical area a path through pts, stroked with the DC's pen, can touch.
TRect StrokeBounds(HDC h, const TPoint* pts, std::size_t count)
{
  auto dc = LookupDC(h);
  int w = dc && dc->S.Pen ? std::max(dc->S.Pen->Width, 1) : 1;
  TRect r(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
  for (std::size_t i = 1; i < count; ++i)
    r = TRect(std::min(r.Left, pts[i].x), std::min(r.Top, pts[i].y), std::max(r.Right, pts[i].x),
              std::max(r.Bottom, pts[i].y));
  // A wide pen covers a square of its width around each pixel of the line.
  return TRect(r.Left - w, r.Top - w, r.Right + w, r.Bottom + w);
}

// Paints a region (surface pixels) with one pattern and operation, clipped.
void PaintRegion(TDrawAccess& a, const TRegion& r, const TPattern& p, uint8_t rop)
{
  // Clip rectangles do not overlap, so each pixel is touched once.
  TRegion clipped = r.Intersect(a.Clip);
  for (const TRect& part : clipped.Rects())
    for (int y = part.Top; y < part.Bottom; ++y)
      PaintSpan(a, y, part.Left, part.Right, p, rop);
}

// Strokes a path (logical points) with the selected pen. Each segment
// excludes its end point; a closed path returns to its first point.
void Stroke(TDrawAccess& a, const TPoint* pts, int count, bool closed)
{
  const TGdiPen* pen = a.State().Pen.get();
  if (!PenVisible(pen) || count < 2)
    return;
  const TDCState& s = a.State();
  bool dcPen = pen->Stock && pen == Lookup<TGdiPen>(GetStockObject(DC_PEN)).get();
  TPattern ink = SolidPattern(a.PixelOf(dcPen ? s.DCPenColor : pen->Color));
  uint8_t rop = PenRop(a);
  int n = closed ? count + 1 : count;
  if (pen->Width > 1) {
    // A wide pen covers a square of its width around each pixel of the line.
    std::vector<std::vector<std::pair<int, int>>> unused;
    TRegion covered;
    int w = pen->Width, half = w / 2;
    for (int i = 0; i + 1 < n; ++i) {
      TPoint p0 = a.ToSurface(pts[i % count]), p1 = a.ToSurface(pts[(i + 1) % count]);
      auto pixels = LinePixels(p0, p1);
      if (pixels.empty())
        pixels.push_back(p0);
      for (const TPoint& q : pixels)
        covered = covered.Union(TRegion(TRect(q.x - half, q.y - half, q.x - half + w, q.y - half + w)));
    }
    PaintRegion(a, covered, ink, rop);
    return;
  }
  std::vector<int> dashes = DashesOf(pen->Style);
  TPattern gap = SolidPattern(a.PixelOf(s.BkColor));
  bool paintGaps = s.BkMode == OPAQUE;
  std::size_t dash = 0;
  int left = dashes.empty() ? 0 : dashes[0];
  for (int i = 0; i + 1 < n; ++i) {
    TPoint p0 = a.ToSurface(pts[i % count]), p1 = a.ToSurface(pts[(i + 1) % count]);
    for (const TPoint& q : LinePixels(p0, p1)) {
      if (dashes.empty()) {
        PaintPixel(a, q.x, q.y, ink, rop);
        continue;
      }
      if ((dash & 1) == 0)
        PaintPixel(a, q.x, q.y, ink, rop);
      else if (paintGaps)
        PaintPixel(a, q.x, q.y, gap, rop);
      if (--left == 0) {
        dash = (dash + 1) % dashes.size();
        left = dashes[dash];
      }
    }
  }
}

// Fills a shape (surface pixels) with the brush, then strokes its outline with
// the pen when it has one; the outline pixels are not filled, so XOR modes
// touch each pixel once.
void FillAndFrame(TDrawAccess& a, const TRegion& shape, const TRegion& nullPenShape)
{
  uint8_t rop = PenRop(a);
  TPattern brush = RealizeBrush(a, a.State().Brush.get());
  const TGdiPen* pen = a.State().Pen.get();
  if (!PenVisible(pen)) {
    if (!brush.Null)
      PaintRegion(a, nullPenShape, brush, rop);
    return;
  }
  TRegion ring = Outline(shape);
  int w = std::max(pen->Width, 1);
  for (int i = 1; i < w; ++i)
    ring = ring.Union(Outline(shape.Subtract(ring)));
  if (!brush.Null)
    PaintRegion(a, shape.Subtract(ring), brush, rop);
  const TDCState& s = a.State();
  bool dcPen = pen->Stock && pen == Lookup<TGdiPen>(GetStockObject(DC_PEN)).get();
  PaintRegion(a, ring, SolidPattern(a.PixelOf(dcPen ? s.DCPenColor : pen->Color)), rop);
}

std::shared_ptr<TGdiBrush> BrushOf(HBRUSH brush)
{
  // A system colour index plus one stands for that colour's brush.
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value > 0 && value <= 31)
    return Lookup<TGdiBrush>(GetSysColorBrush(int(value - 1)));
  return Lookup<TGdiBrush>(brush);
}

}  // namespace

BOOL MoveToEx(HDC h, int x, int y, TPoint* old)
{
  auto dc = LookupDC(h);
  if (!dc)
    return FALSE;
  if (old)
    *old = dc->S.CurrentPos;
  dc->S.CurrentPos = {x, y};
  return TRUE;
}

BOOL LineTo(HDC h, int x, int y)
{
  auto dc = LookupDC(h);
  if (!dc)
    return FALSE;
  TPoint pts[2] = {dc->S.CurrentPos, {x, y}};
  TDrawAccess a(h, StrokeBounds(h, pts, 2));
  if (!a)
    return FALSE;
  Stroke(a, pts, 2, false);
  a.State().CurrentPos = {x, y};
  return TRUE;
}

BOOL Polyline(HDC h, const TPoint* points, int count)
{
  if (!points || count < 2)
    return FALSE;
  TDrawAccess a(h, StrokeBounds(h, points, std::size_t(count)));
  if (!a)
    return FALSE;
  Stroke(a, points, count, false);
  return TRUE;
}

BOOL PolylineTo(HDC h, const TPoint* points, DWORD count)
{
  auto dc = LookupDC(h);
  if (!dc || !points || count == 0)
    return FALSE;
  std::vector<TPoint> path{dc->S.CurrentPos};
  path.insert(path.end(), points, points + count);
  TDrawAccess a(h, StrokeBounds(h, path.data(), path.size()));
  if (!a)
    return FALSE;
  Stroke(a, path.data(), int(path.size()), false);
  a.State().CurrentPos = points[count - 1];
  return TRUE;
}

BOOL Polygon(HDC h, const TPoint* points, int count)
{
  if (!points || count < 2)
    return FALSE;
  TDrawAccess a(h, StrokeBounds(h, points, std::size_t(count)));
  if (!a)
    return FALSE;
  std::vector<TPoint> surface(points, points + count);
  for (auto& p : surface)
    p = a.ToSurface(p);
  TPattern brush = RealizeBrush(a, a.State().Brush.get());
  if (!brush.Null)
    PaintRegion(a, PolygonRegion(surface.data(), count, a.State().PolyFillMode), brush, PenRop(a));
  Stroke(a, points, count, true);
  return TRUE;
}

BOOL PolyPolygon(HDC h, const TPoint* points, const INT* counts, int polygons)
{
  if (!points || !counts || polygons <= 0)
    return FALSE;
  for (int i = 0; i < polygons; ++i) {
    if (!Polygon(h, points, counts[i]))
      return FALSE;
    points += counts[i];
  }
  return TRUE;
}

BOOL Rectangle(HDC h, int left, int top, int right, int bottom)
{
  TRect shape = Normalized(left, top, right, bottom);
  TDrawAccess a(h, shape);
  if (!a)
    return FALSE;
  TRect r = a.ToSurface(shape);
  FillAndFrame(a, TRegion(r), TRegion(TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1)));
  return TRUE;
}

BOOL RoundRect(HDC h, int left, int top, int right, int bottom, int width, int height)
{
  TRect shape = Normalized(left, top, right, bottom);
  TDrawAccess a(h, shape);
  if (!a)
    return FALSE;
  TRect r = a.ToSurface(shape);
  FillAndFrame(a, RoundRectRegion(r, width, height), RoundRectRegion(TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), width, height));
  return TRUE;
}

BOOL Ellipse(HDC h, int left, int top, int right, int bottom)
{
  TRect shape = Normalized(left, top, right, bottom);
  TDrawAccess a(h, shape);
  if (!a)
    return FALSE;
  TRect r = a.ToSurface(shape);
  FillAndFrame(a, EllipseRegion(r), EllipseRegion(TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1)));
  return TRUE;
}

int FillRect(HDC h, const TRect* rect, HBRUSH brush)
{
  auto b = BrushOf(brush);
  if (!rect || !b)
    return 0;
  TDrawAccess a(h, *rect);
  if (!a)
    return 0;
  PaintRect(a, a.ToSurface(*rect), RealizeBrush(a, b.get()), 0xF0);
  return 1;
}

int FrameRect(HDC h, const TRect* rect, HBRUSH brush)
{
  auto b = BrushOf(brush);
  if (!rect || !b)
    return 0;
  TDrawAccess a(h, *rect);
  if (!a)
    return 0;
  TRect r = a.ToSurface(*rect);
  if (r.IsEmpty())
    return 1;
  TRegion ring = TRegion(r).Subtract(TRegion(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1)));
  PaintRegion(a, ring, RealizeBrush(a, b.get()), 0xF0);
  return 1;
}

BOOL InvertRect(HDC h, const TRect* rect)
{
  if (!rect)
    return FALSE;
  TDrawAccess a(h, *rect);
  if (!a)
    return FALSE;
  PaintRect(a, a.ToSurface(*rect), TPattern(), 0x55);
  return TRUE;
}

BOOL PatBlt(HDC h, int x, int y, int width, int height, DWORD rop)
{
  uint8_t code = uint8_t(rop >> 16);
  if (RopUsesSource(code))
    return FALSE;
  TRect area = Normalized(x, y, x + width, y + height);
  TDrawAccess a(h, area);
  if (!a)
    return FALSE;
  TRect r = a.ToSurface(area);
  PaintRect(a, r, RealizeBrush(a, a.State().Brush.get()), code);
  return TRUE;
}

COLORREF SetPixel(HDC h, int x, int y, COLORREF color)
{
  TDrawAccess a(h, TRect(x, y, x + 1, y + 1));
  if (!a)
    return CLR_INVALID;
  TPoint p = a.ToSurface(TPoint(x, y));
  if (!a.Clip.Contains(p))
    return CLR_INVALID;
  uint32_t pixel = a.PixelOf(color);
  PaintPixel(a, p.x, p.y, SolidPattern(pixel), 0xF0);
  return ToColorRef(pixel);
}

BOOL SetPixelV(HDC h, int x, int y, COLORREF color) { return SetPixel(h, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC h, int x, int y)
{
  TDrawAccess a(h, TRect(x, y, x + 1, y + 1), TDrawAccess::ReadOnly);
  if (!a)
    return CLR_INVALID;
  TPoint p = a.ToSurface(TPoint(x, y));
  if (!a.Clip.Contains(p))
    return CLR_INVALID;
  return ToColorRef(a.Surface.Row(p.y)[p.x] & 0xFFFFFF);
}

BOOL DrawFocusRect(HDC h, const TRect* rect)
{
  if (!rect)
    return FALSE;
  TDrawAccess a(h, *rect);
  if (!a)
    return FALSE;
  TRect r = a.ToSurface(*rect);
  if (r.IsEmpty())
    return TRUE;
  // A checkerboard in device pixels: text colour where x + y is even,
  // background colour where it is odd, XORed onto the ring.
  TPattern p;
  p.W = p.H = 2;
  uint32_t fg = a.PixelOf(a.State().TextColor), bg = a.PixelOf(a.State().BkColor);
  p.Pixels = {fg, bg, bg, fg};
  p.OrgX = a.DeviceOffset.x;
  p.OrgY = a.DeviceOffset.y;
  TRegion ring = TRegion(r).Subtract(TRegion(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1)));
  PaintRegion(a, ring, p, 0x5A);
  return TRUE;
}

BOOL FillRgn(HDC h, HRGN rgn, HBRUSH brush)
{
  const TRegion* r = RegionOf(rgn);
  auto b = BrushOf(brush);
  TDrawAccess a(h);
  if (!a || !r || !b)
    return FALSE;
  TRegion shape = *r;
  TPoint d = a.DeviceOffset;  // regions are in device pixels
  shape.Offset(d.x, d.y);
  PaintRegion(a, shape, RealizeBrush(a, b.get()), 0xF0);
  return TRUE;
}

BOOL PaintRgn(HDC h, HRGN rgn)
{
  auto dc = LookupDC(h);
  return dc ? FillRgn(h, rgn, dc->S.BrushHandle) : FALSE;
}

BOOL FrameRgn(HDC h, HRGN rgn, HBRUSH brush, int width, int height)
{
  const TRegion* r = RegionOf(rgn);
  auto b = BrushOf(brush);
  TDrawAccess a(h);
  if (!a || !r || !b || width < 1 || height < 1)
    return FALSE;
  TRegion inner = *r;
  for (int dx = -width + 1; dx < width; ++dx) {
    TRegion m = *r;
    m.Offset(dx, 0);
    inner = inner.Intersect(m);
  }
  for (int dy = -height + 1; dy < height; ++dy) {
    TRegion m = *r;
    m.Offset(0, dy);
    inner = inner.Intersect(m);
  }
  TRegion ring = r->Subtract(inner);
  ring.Offset(a.DeviceOffset.x, a.DeviceOffset.y);
  PaintRegion(a, ring, RealizeBrush(a, b.get()), 0xF0);
  return TRUE;
}

BOOL InvertRgn(HDC h, HRGN rgn)
{
  const TRegion* r = RegionOf(rgn);
  TDrawAccess a(h);
  if (!a || !r)
    return FALSE;
  TRegion shape = *r;
  shape.Offset(a.DeviceOffset.x, a.DeviceOffset.y);
  PaintRegion(a, shape, TPattern(), 0x55);
  return TRUE;
}
