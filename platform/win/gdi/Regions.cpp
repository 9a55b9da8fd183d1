#include "platform/win/gdi/Regions.h"

#include <cmath>
#include <cstring>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/detail/GdiObjects.h"

using namespace gdi;

namespace {
TRect Ordered(int left, int top, int right, int bottom)
{
  if (left > right)
    std::swap(left, right);
  if (top > bottom)
    std::swap(top, bottom);
  return {left, top, right, bottom};
}

int Kind(const TRegion& r) { return r.IsEmpty() ? NULLREGION : r.IsRect() ? SIMPLEREGION : COMPLEXREGION; }
}  // namespace

HRGN CreateRegionFrom(const TRegion& region)
{
  auto r = std::make_shared<TGdiRegion>();
  r->Region = region;
  return AddObject(r);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
  return CreateRegionFrom(TRegion(Ordered(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const TRect* rect)
{
  return rect ? CreateRectRgn(rect->Left, rect->Top, rect->Right, rect->Bottom) : nullptr;
}

const TRegion* RegionOf(HRGN rgn)
{
  // The object lives while its handle does; the window system holds handles
  // it reads through this on the thread that owns them.
  auto r = Lookup<TGdiRegion>(rgn);
  return r ? &r->Region : nullptr;
}

bool SetRegionOf(HRGN rgn, const TRegion& value)
{
  auto r = Lookup<TGdiRegion>(rgn);
  if (!r)
    return false;
  r->Region = value;
  return true;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
  auto d = Lookup<TGdiRegion>(dest);
  auto a = Lookup<TGdiRegion>(src1);
  if (!d || !a)
    return ERROR;
  if (mode == RGN_COPY) {
    d->Region = a->Region;
    return Kind(d->Region);
  }
  auto b = Lookup<TGdiRegion>(src2);
  if (!b)
    return ERROR;
  switch (mode) {
  case RGN_AND: d->Region = a->Region.Intersect(b->Region); break;
  case RGN_OR: d->Region = a->Region.Union(b->Region); break;
  case RGN_XOR: d->Region = a->Region.Xor(b->Region); break;
  case RGN_DIFF: d->Region = a->Region.Subtract(b->Region); break;
  default: return ERROR;
  }
  return Kind(d->Region);
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
  auto r = Lookup<TGdiRegion>(rgn);
  if (!r)
    return ERROR;
  r->Region.Offset(dx, dy);
  return Kind(r->Region);
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
  auto r = Lookup<TGdiRegion>(rgn);
  return r && r->Region.Contains({x, y}) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const TRect* rect)
{
  auto r = Lookup<TGdiRegion>(rgn);
  if (!r || !rect)
    return FALSE;
  return r->Region.Intersects(Ordered(rect->Left, rect->Top, rect->Right, rect->Bottom)) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, TRect* rect)
{
  auto r = Lookup<TGdiRegion>(rgn);
  if (!r || !rect)
    return ERROR;
  *rect = r->Region.Bounds();
  return Kind(r->Region);
}

BOOL EqualRgn(HRGN a, HRGN b)
{
  auto ra = Lookup<TGdiRegion>(a);
  auto rb = Lookup<TGdiRegion>(b);
  if (!ra || !rb)
    return ERROR;
  return ra->Region == rb->Region ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom)
{
  return SetRegionOf(rgn, TRegion(Ordered(left, top, right, bottom))) ? TRUE : FALSE;
}

DWORD GetRegionData(HRGN rgn, DWORD count, RGNDATA* data)
{
  auto r = Lookup<TGdiRegion>(rgn);
  if (!r)
    return 0;
  const auto& rects = r->Region.Rects();
  DWORD size = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(TRect));
  if (!data || count < size)
    return size;
  data->rdh = RGNDATAHEADER();
  data->rdh.nCount = DWORD(rects.size());
  data->rdh.nRgnSize = DWORD(rects.size() * sizeof(TRect));
  data->rdh.rcBound = r->Region.Bounds();
  std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(TRect));
  return size;
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const RGNDATA* data)
{
  if (!data || count < sizeof(RGNDATAHEADER) || data->rdh.iType != RDH_RECTANGLES ||
      data->rdh.dwSize < sizeof(RGNDATAHEADER) || data->rdh.nCount > (count - data->rdh.dwSize) / sizeof(TRect))
    return nullptr;
  if (xform && (xform->eM12 != 0 || xform->eM21 != 0))
    return nullptr;
  const auto* bytes = reinterpret_cast<const char*>(data) + data->rdh.dwSize;
  std::vector<TRect> rects(data->rdh.nCount);
  std::memcpy(rects.data(), bytes, rects.size() * sizeof(TRect));
  std::vector<TRegion> parts;
  parts.reserve(rects.size());
  for (TRect r : rects) {
    if (xform) {
      auto map = [](float v, float m, float d) { return LONG(std::lround(double(v) * m + d)); };
      r = Ordered(map(float(r.Left), xform->eM11, xform->eDx), map(float(r.Top), xform->eM22, xform->eDy),
                  map(float(r.Right), xform->eM11, xform->eDx), map(float(r.Bottom), xform->eM22, xform->eDy));
    }
    parts.push_back(TRegion(Ordered(r.Left, r.Top, r.Right, r.Bottom)));
  }
  // Pairwise unions: a region of many runs is built in logarithmic rounds.
  while (parts.size() > 1) {
    std::vector<TRegion> next;
    for (std::size_t i = 0; i < parts.size(); i += 2)
      next.push_back(i + 1 < parts.size() ? parts[i].Union(parts[i + 1]) : parts[i]);
    parts.swap(next);
  }
  return CreateRegionFrom(parts.empty() ? TRegion() : parts.front());
}
