// The raster core: ternary raster operations on 32-bit pixels, brushes
// realised for one DC, and painting of rectangles, spans and pixels through a
// DC's clip region. Every coordinate here is a surface pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win/gdi/detail/DCData.h"

namespace gdi {

// One ternary operation, bit by bit: bit i of code gives the result for
// pattern bit (i >> 2) & 1, source bit (i >> 1) & 1, destination bit i & 1.
inline uint32_t Rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d)
{
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if (code & (1 << i))
      r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return r;
}
// The ternary code of a binary mode R2_* (pen P against destination D).
uint8_t Rop2ToRop3(int rop2);
inline bool RopUsesSource(uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
inline bool RopUsesPattern(uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }

// Source s with straight (not premultiplied) alpha over destination d, rounding
// to nearest; the result carries no alpha. Icons and image lists draw with it.
inline uint32_t AlphaOver(uint32_t d, uint32_t s)
{
  uint32_t a = s >> 24;
  if (a == 255)
    return s & 0xFFFFFF;
  uint32_t out = 0;
  for (int sh = 0; sh < 24; sh += 8)
    out |= ((((s >> sh) & 0xFF) * a + ((d >> sh) & 0xFF) * (255 - a) + 127) / 255) << sh;
  return out;
}

// What a brush paints: nothing, one colour, or a tiled pattern whose (0,0)
// sits at surface pixel (OrgX, OrgY). Skip marks pattern pixels left alone
// (the background of a hatch in transparent mode).
struct TPattern {
  bool Null = false;
  uint32_t Color = 0;
  int W = 0;
  int H = 0;
  int OrgX = 0;
  int OrgY = 0;
  std::vector<uint32_t> Pixels;
  std::vector<uint8_t> Skip;

  bool Solid() const { return Pixels.empty(); }
  std::size_t Index(int x, int y) const
  {
    int px = (x - OrgX) % W, py = (y - OrgY) % H;
    if (px < 0)
      px += W;
    if (py < 0)
      py += H;
    return std::size_t(py) * std::size_t(W) + std::size_t(px);
  }
  uint32_t At(int x, int y) const { return Solid() ? Color : Pixels[Index(x, y)]; }
  bool Skips(int x, int y) const { return !Skip.empty() && Skip[Index(x, y)]; }
};

TPattern SolidPattern(uint32_t color);
// The DC's selected brush, or another one, as it paints on this DC.
TPattern RealizeBrush(const TDrawAccess& a, const TGdiBrush* brush);

// Applies rop3 with the pattern (and no source) on a rectangle, a span
// [x0, x1) of row y, or one pixel, clipped to the DC.
void PaintRect(TDrawAccess& a, const TRect& r, const TPattern& p, uint8_t rop3);
void PaintSpan(TDrawAccess& a, int y, int x0, int x1, const TPattern& p, uint8_t rop3);
void PaintPixel(TDrawAccess& a, int x, int y, const TPattern& p, uint8_t rop3);
// A row operation with a source: d[i] = rop(p, s[i], d[i]) for n pixels
// starting at surface (x, y).
void RopRow(uint32_t* d, const uint32_t* s, const TPattern& p, int x, int y, int n, uint8_t rop3);
// Calls f(rect) for each part of r (surface pixels) inside the clip.
template <class F>
void ForEachClipped(const TDrawAccess& a, const TRect& r, F f)
{
  if (r.IsEmpty())
    return;
  for (const TRect& c : a.Clip.Rects()) {
    if (c.Top >= r.Bottom)
      break;
    TRect part;
    if (IntersectRect(part, c, r))
      f(part);
  }
}

}  // namespace gdi
