#include "controls/themes/TBWStripesThemeTextures.h"

#include <algorithm>

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/detail/TBWThemeHelpers.h"

using themes_detail::Rgb;

namespace {

constexpr int StripePeriod = 5;
constexpr int TileSize = 8;

HBITMAP DotTile = nullptr;
int DotTileUses = 0;

TColor NearestScreenColor(TColor C) { return TColor(GetNearestColor(StockObjects().ColorDC, ColorToRGB(C))); }

// Bitmap pixels are 0x00RRGGBB; colours keep red in the low byte.
std::uint32_t TexturePixelOf(TColor C)
{
  const COLORREF c = ColorToRGB(C);
  return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// The tile for C: C with a light dot at (0,0), (4,0), (0,4), (4,4) and a dark
// one diagonally below each.
void PrepareDotTile(TColor C)
{
  const std::uint32_t face = TexturePixelOf(C);
  const std::uint32_t light = TexturePixelOf(NearestScreenColor(WeightedColorMix(Rgb(C), Rgb(clBtnHighlight), 32)));
  const std::uint32_t dark = TexturePixelOf(NearestScreenColor(WeightedColorMix(Rgb(C), Rgb(clBtnShadow), 64)));
  std::uint32_t pixels[TileSize * TileSize];
  std::fill(std::begin(pixels), std::end(pixels), face);
  for (int y : {0, 4})
    for (int x : {0, 4}) {
      pixels[y * TileSize + x] = light;
      pixels[(y + 1) * TileSize + x + 1] = dark;
    }
  SetBitmapBits(DotTile, sizeof(pixels), pixels);
}

}  // namespace

TDotTileUse::TDotTileUse()
{
  if (DotTileUses++ == 0)
    DotTile = CreateBitmap(TileSize, TileSize, 1, 32, nullptr);
}

TDotTileUse::~TDotTileUse()
{
  if (--DotTileUses == 0) {
    DeleteObject(DotTile);
    DotTile = nullptr;
  }
}

TStripeColors StripeColorsFor(TColor C)
{
  const TColor rgb = Rgb(C);
  const int brightness = Luminance(rgb);
  // Dark faces get brighter light stripes, or the stripes would vanish.
  const int lift = 16 + (brightness < 200 ? (200 - brightness) / 20 : 0);
  return {NearestScreenColor(ShiftColor(rgb, lift)), NearestScreenColor(ShiftColor(rgb, -16))};
}

void DrawStripes(HDC DC, const TRect& R, const TRect& Area, TColor C, bool BackgroundPainted)
{
  if (R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  if (!BackgroundPainted)
    FillRectColor(DC, R, C);
  const TStripeColors stripes = StripeColorsFor(C);
  const int bottom = std::min(R.Bottom, Area.Bottom);
  auto row = [&](int y, TColor Color) {
    if (y >= R.Top && y < bottom)
      FillRectColor(DC, TRect(R.Left, y, R.Right, y + 1), Color);
  };
  for (int y = R.Top - (R.Top - Area.Top) % StripePeriod; y < bottom; y += StripePeriod) {
    row(y, stripes.Dark);
    row(y + 1, stripes.Light);
  }
}

void DrawSoftOutline(HDC DC, const TRect& R, int A, int B, TColor Color)
{
  const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
  const TPoint outline[9] = {{l + A, t}, {r - B, t}, {r, t + B}, {r, b - B}, {r - B, b},
                             {l + A, b}, {l, b - A}, {l, t + A}, {l + A, t}};
  PolylineColor(DC, outline, 8, Color);
}

void DrawDotTexture(HDC DC, const TRect& R, TColor C, int Inset)
{
  if (C != clNone)
    FillRectColor(DC, R, C);
  const TRect r(R.Left + Inset, R.Top + Inset, R.Right - Inset, R.Bottom - Inset);
  int w = r.Right - r.Left - 2, h = r.Bottom - r.Top - 2;
  if (w < 0)
    w = r.Right - r.Left + 1;
  if (h < 0)
    h = r.Bottom - r.Top + 1;
  const int left = (r.Left + r.Right - (w / 4) * 4 - 3) / 2, top = (r.Top + r.Bottom - (h / 4) * 4 - 3) / 2;
  const TRect area(left, top, left + (w / 4) * 4 + 2, top + (h / 4) * 4 + 2);
  if (C != clNone) {
    if (!DotTile)
      return;
    PrepareDotTile(C);
    HBRUSH brush = CreatePatternBrush(DotTile);
    TPoint oldOrigin;
    SetBrushOrgEx(DC, area.Left, area.Top, &oldOrigin);
    FillRect(DC, &area, brush);
    SetBrushOrgEx(DC, oldOrigin.x, oldOrigin.y, nullptr);
    DeleteObject(brush);
    return;
  }
  const COLORREF light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  for (int y = area.Top; y + 2 < area.Bottom; y += 4)
    for (int x = area.Left; x + 2 < area.Right; x += 4) {
      SetPixel(DC, x + 1, y + 1, light);
      SetPixel(DC, x + 2, y + 2, dark);
    }
}

void FillPushedButtonFace(HDC DC, const TRect& R)
{
  FillRectDithered(DC, R, WeightedColorMix(Rgb(clBtnHighlight), Rgb(clBtnFace), 126), clBtnHighlight);
}

void FillHotButtonFace(HDC DC, const TRect& R)
{
  FillRectDithered(DC, R, clBtnFace, NearestScreenColor(WeightedColorMix(Rgb(clBtnHighlight), Rgb(clBtnFace), 192)));
}
