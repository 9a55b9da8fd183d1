#include "platform/win/gdi/Blit.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Regions.h"
#include "platform/win/gdi/detail/DibView.h"
#include "platform/win/gdi/detail/Raster.h"

using namespace gdi;

namespace {

// The source side of a transfer: a copy of the source pixels already in the
// destination's format (monochrome mapped through the colours), so the
// destination can be the same surface.
struct TSource {
  std::vector<uint32_t> Pixels;
  int Width = 0;
  int Height = 0;
  uint32_t At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
};

// Source pixels in the destination's format: a monochrome source maps
// through the destination's text and background colours, a colour source
// onto a monochrome destination by its own background colour.
class TSourceReader {
public:
  TSourceReader(const TDrawAccess& source, const TDrawAccess& dest)
      : FSource(source), FDestMono(dest.Mono()), FFore(dest.PixelOf(dest.State().TextColor)),
        FBack(dest.PixelOf(dest.State().BkColor)), FSourceBack(ToPixel(source.State().BkColor & 0xFFFFFF))
  {
    auto bitmap = SelectedBitmap(source.DC());
    FSourceMono = bitmap && bitmap->IsMono();
  }

  // n pixels of surface row sy from column sx, 0 where outside the source
  // surface: the source row itself when it needs no conversion, else
  // converted into scratch.
  const uint32_t* Span(int sx, int sy, int n, std::vector<uint32_t>& scratch) const
  {
    const TSurface& surface = FSource.Surface;
    bool inside = sy >= 0 && sy < surface.Height && sx >= 0 && sx + n <= surface.Width;
    if (inside && FSourceMono == FDestMono)
      return surface.Row(sy) + sx;
    scratch.resize(std::size_t(n));
    Convert(sx, sy, n, scratch.data());
    return scratch.data();
  }

  // The same, always written to out.
  void Convert(int sx, int sy, int n, uint32_t* out) const
  {
    const TSurface& surface = FSource.Surface;
    std::fill(out, out + n, 0u);
    if (sy < 0 || sy >= surface.Height)
      return;
    const uint32_t* s = surface.Row(sy);
    int x0 = std::max(0, -sx), x1 = std::min(n, surface.Width - sx);
    if (x0 >= x1)
      return;
    if (FSourceMono && !FDestMono) {
      for (int x = x0; x < x1; ++x)
        out[x] = (s[sx + x] & 0xFFFFFF) ? FBack : FFore;
    } else if (!FSourceMono && FDestMono) {
      for (int x = x0; x < x1; ++x)
        out[x] = (s[sx + x] & 0xFFFFFF) == FSourceBack ? 0xFFFFFF : 0;
    } else {
      std::memcpy(out + x0, s + sx + x0, std::size_t(x1 - x0) * 4);
    }
  }

private:
  const TDrawAccess& FSource;
  bool FSourceMono = false;
  bool FDestMono;
  uint32_t FFore, FBack, FSourceBack;
};

// Reads rect r (logical coordinates of the source DC, already clamped to its
// surface) into a TSource.
bool ReadSource(HDC src, TDrawAccess* sameAccess, const TDrawAccess& dest, TRect r, TSource& out)
{
  std::optional<TDrawAccess> own;
  TDrawAccess* a = sameAccess;
  if (!a) {
    own.emplace(src, r, TDrawAccess::ReadOnly);
    a = &*own;
  }
  if (!*a)
    return false;
  TRect sr = a->ToSurface(r);
  out.Width = r.Width();
  out.Height = r.Height();
  out.Pixels.resize(std::size_t(out.Width) * std::size_t(out.Height));
  TSourceReader reader(*a, dest);
  for (int y = 0; y < out.Height; ++y)
    reader.Convert(sr.Left, sr.Top + y, out.Width, out.Pixels.data() + std::size_t(y) * std::size_t(out.Width));
  return true;
}

// Two channels at once, in the 16-bit lanes of 0x00XX00YY: each becomes
// (v * k + 127) / 255, exactly ((t + 1 + (t >> 8)) >> 8 is t / 255 for every
// t up to 255 * 255 + 127, and no lane carries into the next).
inline uint32_t ScalePairs(uint32_t pairs, uint32_t k)
{
  uint32_t t = pairs * k + 0x007F007F;
  return ((t + 0x00010001 + ((t >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}
// Lanes of at most 510 clamped to 255.
inline uint32_t SaturatePairs(uint32_t pairs)
{
  return (pairs | (((pairs >> 8) & 0x00010001) * 0xFF)) & 0x00FF00FF;
}

bool SameDC(HDC a, HDC b) { return a && a == b; }

// The logical rectangle at (x, y) of a size either of whose sides may be negative.
TRect Span(int x, int y, int width, int height)
{
  return TRect(std::min(x, x + width), std::min(y, y + height), std::max(x, x + width), std::max(y, y + height));
}

// What a transfer touches on its destination DC: the destination area, and
// the source area as well when it reads the same DC.
TRect Reach(HDC dest, const TRect& destArea, HDC src, const TRect& srcArea)
{
  TRect r = destArea;
  if (SameDC(dest, src))
    UnionRect(r, destArea, srcArea);
  return r;
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
  uint8_t code = uint8_t(rop >> 16);
  if (width < 0) {
    x += width;
    srcX += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    srcY += height;
    height = -height;
  }
  TDrawAccess a(dest, Reach(dest, TRect(x, y, x + width, y + height), src, TRect(srcX, srcY, srcX + width, srcY + height)));
  if (!a)
    return FALSE;
  TPattern pattern = RopUsesPattern(code) ? RealizeBrush(a, a.State().Brush.get()) : SolidPattern(0);
  if (pattern.Null)
    pattern = SolidPattern(0);
  TRect dr = a.ToSurface(TRect(x, y, x + width, y + height));
  if (!RopUsesSource(code)) {
    PaintRect(a, dr, pattern, code);
    return TRUE;
  }
  // The source access: the destination's own when both are one DC.
  std::optional<TDrawAccess> other;
  if (!SameDC(dest, src)) {
    other.emplace(src, TRect(srcX, srcY, srcX + width, srcY + height), TDrawAccess::ReadOnly);
    TDrawAccess& s = *other;
    if (!s)
      return FALSE;
    TPoint so = s.ToSurface(TPoint(srcX, srcY));
    auto sb = SelectedBitmap(s.DC());
    // The fast path: a plain copy between distinct 32-bit surfaces of the same kind.
    if (code == 0xCC && !(sb && sb->IsMono()) && !a.Mono()) {
      ForEachClipped(a, dr, [&](const TRect& part) {
        // Whole rows of two packed surfaces: one block copy.
        int sx0 = so.x + (part.Left - dr.Left), sy0 = so.y + (part.Top - dr.Top);
        int rowBytes = a.Surface.Width * 4;
        if (part.Left == 0 && sx0 == 0 && part.Width() == a.Surface.Width && s.Surface.Width == a.Surface.Width &&
            a.Surface.StrideBytes == rowBytes && s.Surface.StrideBytes == rowBytes && sy0 >= 0 &&
            sy0 + part.Height() <= s.Surface.Height) {
          std::memcpy(a.Surface.Row(part.Top), s.Surface.Row(sy0), std::size_t(rowBytes) * std::size_t(part.Height()));
          return;
        }
        for (int yy = part.Top; yy < part.Bottom; ++yy) {
          int sy = so.y + (yy - dr.Top);
          int sx = so.x + (part.Left - dr.Left);
          int n = part.Width(), skip = 0;
          if (sy < 0 || sy >= s.Surface.Height)
            continue;
          if (sx < 0) {
            skip = -sx;
          }
          n = std::min(n, s.Surface.Width - sx);
          if (n - skip <= 0)
            continue;
          std::memcpy(a.Surface.Row(yy) + part.Left + skip, s.Surface.Row(sy) + sx + skip, std::size_t(n - skip) * 4);
        }
      });
      return TRUE;
    }
    // Other raster operations read the source rows where they lie (converted
    // a row at a time when the formats differ) unless both DCs share their
    // pixels: then the source must be read whole before any is written.
    if (s.Surface.Bits != a.Surface.Bits) {
      TSourceReader reader(s, a);
      std::vector<uint32_t> scratch;
      ForEachClipped(a, dr, [&](const TRect& part) {
        for (int yy = part.Top; yy < part.Bottom; ++yy) {
          const uint32_t* row = reader.Span(so.x + (part.Left - dr.Left), so.y + (yy - dr.Top), part.Width(), scratch);
          RopRow(a.Surface.Row(yy) + part.Left, row, pattern, part.Left, yy, part.Width(), code);
        }
      });
      return TRUE;
    }
  }
  TSource source;
  if (!ReadSource(src, other ? &*other : &a, a, TRect(srcX, srcY, srcX + width, srcY + height), source))
    return FALSE;
  ForEachClipped(a, dr, [&](const TRect& part) {
    for (int yy = part.Top; yy < part.Bottom; ++yy)
      RopRow(a.Surface.Row(yy) + part.Left, &source.Pixels[std::size_t(yy - dr.Top) * std::size_t(source.Width) + std::size_t(part.Left - dr.Left)],
             pattern, part.Left, yy, part.Width(), code);
  });
  return TRUE;
}

namespace {

// Maps destination offsets to source offsets for a stretch of n pixels from m.
std::vector<int> StretchMap(int n, int m)
{
  std::vector<int> map(std::size_t(std::abs(n)));
  int an = std::abs(n), am = std::abs(m);
  for (int i = 0; i < an; ++i) {
    int j = int((int64_t(2 * i + 1) * am) / (2 * int64_t(an)));
    // Opposite signs mirror the picture.
    map[std::size_t(i)] = ((n < 0) != (m < 0)) ? am - 1 - j : j;
  }
  return map;
}

// Runs f(destSurfaceRow, destSurfaceX, destSurfaceY, sourceX, sourceY) over the stretched area.
template <class F>
bool ForEachStretched(TDrawAccess& a, int x, int y, int width, int height, int srcWidth, int srcHeight, F f)
{
  if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
    return false;
  auto mx = StretchMap(width, srcWidth), my = StretchMap(height, srcHeight);
  int dl = width < 0 ? x + width : x, dt = height < 0 ? y + height : y;
  TRect dr = a.ToSurface(TRect(dl, dt, dl + std::abs(width), dt + std::abs(height)));
  ForEachClipped(a, dr, [&](const TRect& part) {
    for (int yy = part.Top; yy < part.Bottom; ++yy) {
      uint32_t* row = a.Surface.Row(yy);
      int sy = my[std::size_t(yy - dr.Top)];
      for (int xx = part.Left; xx < part.Right; ++xx)
        f(row, xx, yy, mx[std::size_t(xx - dr.Left)], sy);
    }
  });
  return true;
}

}  // namespace

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop)
{
  if (std::abs(width) == std::abs(srcWidth) && std::abs(height) == std::abs(srcHeight) && width == srcWidth && height == srcHeight)
    return BitBlt(dest, x, y, width, height, src, srcX, srcY, rop);
  uint8_t code = uint8_t(rop >> 16);
  TRect srcArea = Span(srcX, srcY, srcWidth, srcHeight);
  TDrawAccess a(dest, Reach(dest, Span(x, y, width, height), src, srcArea));
  if (!a)
    return FALSE;
  TPattern pattern = RopUsesPattern(code) ? RealizeBrush(a, a.State().Brush.get()) : SolidPattern(0);
  if (pattern.Null)
    pattern = SolidPattern(0);
  TSource source;
  if (RopUsesSource(code) && !ReadSource(src, SameDC(dest, src) ? &a : nullptr, a, srcArea, source))
    return FALSE;
  return ForEachStretched(a, x, y, width, height, srcWidth, srcHeight, [&](uint32_t* row, int xx, int yy, int sx, int sy) {
    uint32_t s = source.Pixels.empty() ? 0 : source.At(sx, sy);
    RopRow(row + xx, &s, pattern, xx, yy, 1, code);
  }) ? TRUE : FALSE;
}

BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, HBITMAP mask, int maskX,
             int maskY, DWORD rop4)
{
  auto m = Lookup<TGdiBitmap>(mask);
  if (!mask)
    return BitBlt(dest, x, y, width, height, src, srcX, srcY, rop4 & 0xFFFFFF);
  if (!m || !m->IsMono() || width <= 0 || height <= 0)
    return FALSE;
  uint8_t fore = uint8_t(rop4 >> 16), back = uint8_t(rop4 >> 24);
  TDrawAccess a(dest, Reach(dest, TRect(x, y, x + width, y + height), src, TRect(srcX, srcY, srcX + width, srcY + height)));
  if (!a)
    return FALSE;
  TPattern pattern = RealizeBrush(a, a.State().Brush.get());
  if (pattern.Null)
    pattern = SolidPattern(0);
  TSource source;
  if ((RopUsesSource(fore) || RopUsesSource(back)) &&
      !ReadSource(src, SameDC(dest, src) ? &a : nullptr, a, TRect(srcX, srcY, srcX + width, srcY + height), source))
    return FALSE;
  TRect dr = a.ToSurface(TRect(x, y, x + width, y + height));
  ForEachClipped(a, dr, [&](const TRect& part) {
    for (int yy = part.Top; yy < part.Bottom; ++yy)
      for (int xx = part.Left; xx < part.Right; ++xx) {
        int mx = maskX + xx - dr.Left, my = maskY + yy - dr.Top;
        bool on = mx >= 0 && my >= 0 && mx < m->Width && my < m->Height && (m->PixelAt(mx, my) & 0xFFFFFF);
        uint32_t s = source.Pixels.empty() ? 0 : source.At(xx - dr.Left, yy - dr.Top);
        RopRow(a.Surface.Row(yy) + xx, &s, pattern, xx, yy, 1, on ? fore : back);
      }
  });
  return TRUE;
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT transparent)
{
  if (width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
    return FALSE;
  TDrawAccess a(dest, Reach(dest, TRect(x, y, x + width, y + height), src, TRect(srcX, srcY, srcX + srcWidth, srcY + srcHeight)));
  if (!a)
    return FALSE;
  TSource source;
  if (!ReadSource(src, SameDC(dest, src) ? &a : nullptr, a, TRect(srcX, srcY, srcX + srcWidth, srcY + srcHeight), source))
    return FALSE;
  uint32_t key = ToPixel(transparent & 0xFFFFFF);
  return ForEachStretched(a, x, y, width, height, srcWidth, srcHeight, [&](uint32_t* row, int xx, int, int sx, int sy) {
    uint32_t s = source.At(sx, sy);
    if ((s & 0xFFFFFF) != key)
      row[xx] = s;
  }) ? TRUE : FALSE;
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend)
{
  if (blend.BlendOp != AC_SRC_OVER || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
    return FALSE;
  TDrawAccess a(dest, Reach(dest, TRect(x, y, x + width, y + height), src, TRect(srcX, srcY, srcX + srcWidth, srcY + srcHeight)));
  if (!a)
    return FALSE;
  TSource source;
  if (!ReadSource(src, SameDC(dest, src) ? &a : nullptr, a, TRect(srcX, srcY, srcX + srcWidth, srcY + srcHeight), source))
    return FALSE;
  const uint32_t A = blend.SourceConstantAlpha;
  const bool perPixel = blend.AlphaFormat & AC_SRC_ALPHA;
  if (perPixel && width == srcWidth && height == srcHeight) {
    // The common case of icons and shadows: no stretch, per-pixel alpha.
    TRect dr = a.ToSurface(TRect(x, y, x + width, y + height));
    ForEachClipped(a, dr, [&](const TRect& part) {
      for (int yy = part.Top; yy < part.Bottom; ++yy) {
        uint32_t* d = a.Surface.Row(yy) + part.Left;
        const uint32_t* sp = &source.Pixels[std::size_t(yy - dr.Top) * std::size_t(width) + std::size_t(part.Left - dr.Left)];
        for (int i = 0; i < part.Width(); ++i) {
          uint32_t s = sp[i];
          if (s == 0)
            continue;  // fully transparent and black: nothing to add
          uint32_t scaled = A == 255 ? s : ScalePairs(s & 0x00FF00FF, A) | (ScalePairs((s >> 8) & 0x00FF00FF, A) << 8);
          uint32_t keep = 255 - (scaled >> 24), dv = d[i];
          uint32_t rb = SaturatePairs((scaled & 0x00FF00FF) + ScalePairs(dv & 0x00FF00FF, keep));
          uint32_t ag = SaturatePairs(((scaled >> 8) & 0x00FF00FF) + ScalePairs((dv >> 8) & 0x00FF00FF, keep));
          d[i] = rb | (ag << 8);
        }
      }
    });
    return TRUE;
  }
  return ForEachStretched(a, x, y, width, height, srcWidth, srcHeight, [&](uint32_t* row, int xx, int, int sx, int sy) {
    row[xx] = BlendPixel(row[xx], source.At(sx, sy), BYTE(A), perPixel);
  }) ? TRUE : FALSE;
}

uint32_t BlendPixel(uint32_t d, uint32_t s, BYTE constantAlpha, bool perPixel)
{
  const uint32_t A = constantAlpha;
  uint32_t out = 0;
  if (!perPixel) {
    for (int shift = 0; shift < 32; shift += 8) {
      uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
      out |= ((sc * A + dc * (255 - A) + 127) / 255) << shift;
    }
    return out;
  }
  uint32_t sa = ((s >> 24) * A + 127) / 255;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t sc = shift == 24 ? sa : (((s >> shift) & 0xFF) * A + 127) / 255, dc = (d >> shift) & 0xFF;
    out |= std::min<uint32_t>(255, sc + (dc * (255 - sa) + 127) / 255) << shift;
  }
  return out;
}

BOOL GradientFill(HDC dc, const TRIVERTEX* v, ULONG vertexCount, const void* mesh, ULONG meshCount, ULONG mode)
{
  if (!v || !mesh || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
    return FALSE;
  TDrawAccess a(dc);
  if (!a)
    return FALSE;
  const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
  for (ULONG k = 0; k < meshCount; ++k) {
    if (rects[k].UpperLeft >= vertexCount || rects[k].LowerRight >= vertexCount)
      return FALSE;
    TRIVERTEX p = v[rects[k].UpperLeft], q = v[rects[k].LowerRight];
    // The colours run from the vertex with the smaller coordinate.
    bool horizontal = mode == GRADIENT_FILL_RECT_H;
    if ((horizontal ? p.x > q.x : p.y > q.y))
      std::swap(p, q);
    TRect r = a.ToSurface(TRect(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)));
    int n = horizontal ? r.Width() : r.Height();
    if (n <= 0)
      continue;
    auto channel = [n](USHORT c0, USHORT c1, int i) { return uint32_t((int64_t(c0) * (n - i) + int64_t(c1) * i) / n) >> 8; };
    ForEachClipped(a, r, [&](const TRect& part) {
      for (int yy = part.Top; yy < part.Bottom; ++yy)
        for (int xx = part.Left; xx < part.Right; ++xx) {
          int i = horizontal ? xx - r.Left : yy - r.Top;
          uint32_t rgb = (channel(p.Red, q.Red, i) << 16) | (channel(p.Green, q.Green, i) << 8) | channel(p.Blue, q.Blue, i);
          a.Surface.Row(yy)[xx] = a.Mono() ? a.PixelOf(ToColorRef(rgb)) : rgb;
        }
    });
  }
  return TRUE;
}

namespace {
// Draws a DIB through a temporary memory DC holding a 32-bit copy.
int DrawDib(HDC dc, const BITMAPINFO* info, const void* bits, UINT usage, const std::function<BOOL(HDC)>& draw)
{
  TGdiBitmap view;
  if (!bits || !MakeDibView(info, bits, usage, dc, view))
    return 0;
  auto copy = NewBitmap(view.Width, view.Height, 32, false, false);
  if (!copy)
    return 0;
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x)
      copy->SetPixelAt(x, y, view.PixelAt(x, y));
  HBITMAP bm = AddObject(copy);
  HDC mem = CreateCompatibleDC(dc);
  SelectObject(mem, bm);
  BOOL ok = draw(mem);
  DeleteDC(mem);
  DeleteObject(bm);
  return ok ? view.Height : 0;
}
}  // namespace

int StretchDIBits(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
  if (!info)
    return 0;
  int dibHeight = std::abs(info->bmiHeader.biHeight);
  // Source coordinates of a bottom-up DIB count rows from the bottom.
  int top = info->bmiHeader.biHeight > 0 ? dibHeight - srcY - srcHeight : srcY;
  return DrawDib(dc, info, bits, usage, [&](HDC mem) {
    return StretchBlt(dc, x, y, width, height, mem, srcX, top, srcWidth, srcHeight, rop);
  });
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
  if (!info)
    return 0;
  int dibHeight = std::abs(info->bmiHeader.biHeight);
  if (startScan != 0 || int(lines) < dibHeight)
    return 0;  // banded transfers have no caller
  int top = info->bmiHeader.biHeight > 0 ? dibHeight - srcY - int(height) : srcY;
  return DrawDib(dc, info, bits, usage, [&](HDC mem) {
    return BitBlt(dc, x, y, int(width), int(height), mem, srcX, top, SRCCOPY);
  });
}

BOOL ScrollDC(HDC h, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update, TRect* updateRect)
{
  auto dc = LookupDC(h);
  if (!dc)
    return FALSE;
  TRect all;
  GetClipBox(h, &all);
  TRect area = scroll ? *scroll : all;
  if (clip && !IntersectRect(area, area, *clip))
    area = TRect();
  // What lands inside the area comes from the area moved back.
  TRect dest = area;
  OffsetRect(&dest, dx, dy);
  if (!IntersectRect(dest, dest, area))
    dest = TRect();
  if (!dest.IsEmpty())
    BitBlt(h, dest.Left, dest.Top, dest.Width(), dest.Height(), h, dest.Left - dx, dest.Top - dy, SRCCOPY);
  TRegion uncovered = TRegion(area).Subtract(TRegion(dest));
  if (updateRect)
    *updateRect = uncovered.Bounds();
  if (update) {
    TPoint d = dc->S.ViewportOrg - dc->S.WindowOrg;
    uncovered.Offset(d.x, d.y);
    SetRegionOf(update, uncovered);
  }
  return TRUE;
}
