#include "platform/win/gdi/detail/Raster.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/win/gdi/Objects.h"

namespace gdi {

uint8_t Rop2ToRop3(int rop2)
{
  int f = (rop2 - 1) & 15;
  uint8_t code = 0;
  for (int i = 0; i < 8; ++i) {
    int p = (i >> 2) & 1, d = i & 1;
    if ((f >> (p * 2 + d)) & 1)
      code |= uint8_t(1 << i);
  }
  return code;
}

TPattern SolidPattern(uint32_t color)
{
  TPattern p;
  p.Color = color;
  return p;
}

namespace {
// Hatch rows, bit 7 leftmost, 8x8.
const uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal, top-left to bottom-right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};
}  // namespace

TPattern RealizeBrush(const TDrawAccess& a, const TGdiBrush* brush)
{
  TPattern p;
  if (!brush || brush->Style == BS_NULL) {
    p.Null = true;
    return p;
  }
  const TDCState& s = a.State();
  // The DC brush stock object paints the colour set with SetDCBrushColor.
  bool dcBrush = brush->Stock && brush == Lookup<TGdiBrush>(GetStockObject(DC_BRUSH)).get();
  switch (brush->Style) {
  case BS_SOLID: p.Color = a.PixelOf(dcBrush ? s.DCBrushColor : brush->Color); return p;
  case BS_HATCHED: {
    p.W = p.H = 8;
    p.Pixels.resize(64);
    bool transparent = s.BkMode == TRANSPARENT;
    if (transparent)
      p.Skip.resize(64);
    uint32_t fg = a.PixelOf(brush->Color), bg = a.PixelOf(s.BkColor);
    int h = int(std::min<ULONG_PTR>(brush->Hatch, 5));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        bool on = (kHatch[h][y] >> (7 - x)) & 1;
        p.Pixels[std::size_t(y * 8 + x)] = on ? fg : bg;
        if (transparent)
          p.Skip[std::size_t(y * 8 + x)] = !on;
      }
    break;
  }
  default: {
    if (brush->Pattern.empty()) {
      p.Null = true;
      return p;
    }
    p.W = brush->PatternWidth;
    p.H = brush->PatternHeight;
    p.Pixels = brush->Pattern;
    if (brush->PatternMono) {
      uint32_t fg = a.PixelOf(s.TextColor), bg = a.PixelOf(s.BkColor);
      for (auto& v : p.Pixels)
        v = v ? bg : fg;
    } else if (a.Mono()) {
      for (auto& v : p.Pixels)
        v = a.PixelOf(ToColorRef(v));
    }
    break;
  }
  }
  // The brush origin is in device pixels.
  p.OrgX = s.BrushOrg.x + a.DeviceOffset.x;
  p.OrgY = s.BrushOrg.y + a.DeviceOffset.y;
  return p;
}

namespace {

// A solid run: 16-byte stores (the compiler does not vectorise std::fill_n at -O2).
void FillPixels(uint32_t* d, int n, uint32_t color)
{
#if defined(__SSE2__)
  int i = 0;
  while (i < n && (reinterpret_cast<std::uintptr_t>(d + i) & 15))
    d[i++] = color;
  __m128i v = _mm_set1_epi32(int(color));
  for (; i + 16 <= n; i += 16) {
    _mm_store_si128(reinterpret_cast<__m128i*>(d + i), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(d + i + 4), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(d + i + 8), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(d + i + 12), v);
  }
  for (; i < n; ++i)
    d[i] = color;
#else
  std::fill_n(d, n, color);
#endif
}

template <class Op>
void PatternRow(uint32_t* d, const TPattern& p, int x, int y, int n, Op op)
{
  if (p.Solid()) {
    for (int i = 0; i < n; ++i)
      d[i] = op(p.Color, d[i]);
    return;
  }
  for (int i = 0; i < n; ++i)
    if (!p.Skips(x + i, y))
      d[i] = op(p.At(x + i, y), d[i]);
}

void PatternOnlyRow(uint32_t* d, const TPattern& p, int x, int y, int n, uint8_t rop)
{
  switch (rop) {
  case 0xF0:  // PATCOPY
    if (p.Solid()) {
      FillPixels(d, n, p.Color);
      return;
    }
    PatternRow(d, p, x, y, n, [](uint32_t pp, uint32_t) { return pp; });
    return;
  case 0x5A: PatternRow(d, p, x, y, n, [](uint32_t pp, uint32_t dd) { return pp ^ dd; }); return;  // PATINVERT
  case 0x55:
    for (int i = 0; i < n; ++i)
      d[i] = ~d[i];
    return;
  case 0x00: FillPixels(d, n, 0u); return;
  case 0xFF: FillPixels(d, n, 0x00FFFFFFu); return;
  case 0xAA: return;
  default: PatternRow(d, p, x, y, n, [rop](uint32_t pp, uint32_t dd) { return Rop3(rop, pp, 0, dd); }); return;
  }
}

}  // namespace

void RopRow(uint32_t* d, const uint32_t* s, const TPattern& p, int x, int y, int n, uint8_t rop)
{
  switch (rop) {
  case 0xCC: std::memmove(d, s, std::size_t(n) * 4); return;                    // SRCCOPY
  case 0x88: for (int i = 0; i < n; ++i) d[i] &= s[i]; return;                  // SRCAND
  case 0xEE: for (int i = 0; i < n; ++i) d[i] |= s[i]; return;                  // SRCPAINT
  case 0x66: for (int i = 0; i < n; ++i) d[i] ^= s[i]; return;                  // SRCINVERT
  case 0x33: for (int i = 0; i < n; ++i) d[i] = ~s[i]; return;                  // NOTSRCCOPY
  case 0x44: for (int i = 0; i < n; ++i) d[i] = s[i] & ~d[i]; return;           // SRCERASE
  case 0xBB: for (int i = 0; i < n; ++i) d[i] |= ~s[i]; return;                 // MERGEPAINT
  case 0xE2:                                                                    // D xor (S and (P xor D))
    if (p.Solid()) {
      uint32_t c = p.Color;
      for (int i = 0; i < n; ++i)
        d[i] ^= s[i] & (c ^ d[i]);
      return;
    }
    for (int i = 0; i < n; ++i)
      d[i] ^= s[i] & (p.At(x + i, y) ^ d[i]);
    return;
  case 0xB8:  // P xor (S and (P xor D)): the brush where the mask is 0
    for (int i = 0; i < n; ++i) {
      uint32_t pp = p.At(x + i, y);
      d[i] = pp ^ (s[i] & (pp ^ d[i]));
    }
    return;
  case 0xC0: for (int i = 0; i < n; ++i) d[i] = p.At(x + i, y) & s[i]; return;  // MERGECOPY
  default:
    if (!RopUsesSource(rop)) {
      PatternOnlyRow(d, p, x, y, n, rop);
      return;
    }
    for (int i = 0; i < n; ++i)
      d[i] = Rop3(rop, p.At(x + i, y), s[i], d[i]);
  }
}

void PaintRect(TDrawAccess& a, const TRect& r, const TPattern& p, uint8_t rop3)
{
  if (p.Null && RopUsesPattern(rop3))
    return;
  ForEachClipped(a, r, [&](const TRect& part) {
    for (int y = part.Top; y < part.Bottom; ++y)
      PatternOnlyRow(a.Surface.Row(y) + part.Left, p, part.Left, y, part.Width(), rop3);
  });
}

void PaintSpan(TDrawAccess& a, int y, int x0, int x1, const TPattern& p, uint8_t rop3)
{
  if (x0 >= x1 || (p.Null && RopUsesPattern(rop3)))
    return;
  for (const TRect& c : a.Clip.Rects()) {
    if (c.Top > y)
      break;
    if (y >= c.Bottom)
      continue;
    int l = std::max(x0, c.Left), r = std::min(x1, c.Right);
    if (l < r)
      PatternOnlyRow(a.Surface.Row(y) + l, p, l, y, r - l, rop3);
  }
}

void PaintPixel(TDrawAccess& a, int x, int y, const TPattern& p, uint8_t rop3)
{
  PaintSpan(a, y, x, x + 1, p, rop3);
}

}  // namespace gdi
