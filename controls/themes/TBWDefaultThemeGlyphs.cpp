#include "controls/themes/TBWDefaultThemeGlyphs.h"

#include <algorithm>
#include <vector>

#include "controls/themes/TBWDrawing.h"

namespace TBWDefault {

namespace {

constexpr WORD ChevronHorzPattern[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
constexpr WORD ChevronVertPattern[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};
constexpr WORD PanelCloseCross[6] = {0xC6, 0x6C, 0x38, 0x38, 0x6C, 0xC6};

}  // namespace

TRect ChevronGlyphBox(const TRect& R, bool Vertical)
{
  if (Vertical) {
    const int top = (R.Top + R.Bottom - 8) / 2;
    return TRect(R.Right - 4 - 5, top, R.Right - 4, top + 8);
  }
  const int left = (R.Left + R.Right - 8) / 2;
  return TRect(left, R.Top + 4, left + 8, R.Top + 4 + 5);
}

void DrawChevronPattern(HDC DC, const TRect& Box, bool Vertical, TColor Color)
{
  if (Vertical)
    DrawPatternGlyph(DC, Box, 5, 8, ChevronVertPattern, Color);
  else
    DrawPatternGlyph(DC, Box, 8, 5, ChevronHorzPattern, Color);
}

void DrawPanelCloseCross(HDC DC, const TRect& R, TColor Color)
{
  DrawPatternGlyph(DC, R, 7, 6, PanelCloseCross, Color);
}

void DrawSizeGrip(HDC DC, const TRect& R, TColor BarColor)
{
  const int s = std::min(R.Right - R.Left, R.Bottom - R.Top);
  std::vector<TColor> lead;
  if (s >= 15)
    lead = {BarColor, clBtnShadow};
  else if (s >= 12)
    lead = {clBtnShadow};
  else if (s >= 9)
    lead = {BarColor};
  int k = 0;
  auto line = [&](TColor Color) {
    DrawLineColor(DC, R.Right - k - 2, R.Bottom - 2, R.Right - 1, R.Bottom - k - 3, Color);
    ++k;
  };
  for (int group = 0; group < 3; ++group) {
    for (TColor color : lead)
      line(color);
    line(clBtnShadow);
    line(clBtnHighlight);
  }
  const TPoint edge[3] = {
      {R.Right - k - 1, R.Bottom - 1}, {R.Right - 1, R.Bottom - 1}, {R.Right - 1, R.Bottom - k - 2}};
  PolylineColor(DC, edge, 2, BarColor);
}

}  // namespace TBWDefault
