#include "controls/themes/TBWColors.h"

#include <algorithm>
#include <cmath>

#include "platform/base/Exception.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Palettes.h"
#include "platform/win/gdi/SysColors.h"
#include "controls/themes/TBWStockObjects.h"

namespace {

int Red(TColor c) { return c & 0xFF; }
int Green(TColor c) { return (c >> 8) & 0xFF; }
int Blue(TColor c) { return (c >> 16) & 0xFF; }
TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// The weights of the contrast space and the sides of its cube.
constexpr float WeightR = 195.0f / 255.0f, WeightG = 390.0f / 255.0f, WeightB = 65.0f / 255.0f;
constexpr float SideR = 195.0f, SideG = 390.0f, SideB = 65.0f;

struct TVec {
  float R, G, B;
};
TVec Weighted(TColor c) { return {Red(c) * WeightR, Green(c) * WeightG, Blue(c) * WeightB}; }
float Dot(TVec a, TVec b) { return a.R * b.R + a.G * b.G + a.B * b.B; }
float Length(TVec v) { return std::sqrt(Dot(v, v)); }
TVec Mirrored(TVec v) { return {SideR - v.R, SideG - v.G, SideB - v.B}; }

int ToChannel(float weighted, float weight)
{
  return std::clamp(int(weighted / weight + 0.5f), 0, 255);
}

}  // namespace

TColor WeightedColorMix(TColor C1, TColor C2, int W)
{
  if (W >= 256 || W < 0)
    throw EAssertionFailed("WeightedColorMix: weight out of range");
  // Red and blue in one word, green apart.
  const std::uint32_t a = std::uint32_t(C1), b = std::uint32_t(C2);
  const std::uint32_t rb = (((a & 0xFF00FF) * W + (b & 0xFF00FF) * (255 - W)) >> 8) & 0xFF00FF;
  const std::uint32_t g = (((a & 0xFF00) * W + (b & 0xFF00) * (255 - W)) >> 8) & 0xFF00;
  return TColor(rb | g);
}

TColor NearestMixedColor(TColor C1, TColor C2, int W)
{
  return TColor(GetNearestColor(StockObjects().ColorDC, COLORREF(WeightedColorMix(C1, C2, W))));
}

TColor ShiftColor(TColor C, int Delta)
{
  auto shift = [Delta](int v) { return std::clamp(v + Delta, 0, 255); };
  return Rgb(shift(Red(C)), shift(Green(C)), shift(Blue(C)));
}

TColor ScaledBlend(TColor C1, TColor C2, int W, int Scale)
{
  auto mix = [W, Scale](int a, int b) { return (b * (Scale - W) + a * W + Scale / 2) / Scale; };
  return Rgb(mix(Red(C1), Red(C2)), mix(Green(C1), Green(C2)), mix(Blue(C1), Blue(C2)));
}

int Luminance(TColor Color)
{
  return (Red(Color) * 76 + Green(Color) * 150 + Blue(Color) * 30) >> 8;
}

bool IsDarkerThan(TColor C, int Level)
{
  return Red(C) * 76 + Green(C) * 150 + Blue(C) * 30 < Level * 256;
}

float ColorDistance(TColor C1, TColor C2)
{
  const float dr = float(Red(C1) - Red(C2)) * 0.764706f;
  const float dg = float(Green(C1) - Green(C2)) * 1.52941f;
  const float db = float(Blue(C1) - Blue(C2)) * 0.254902f;
  return std::sqrt(dr * dr + dg * dg + db * db);
}

float ScaledMinimumDistance(float D, float Brightness)
{
  return Brightness >= 220.0f ? D : D * (2.0f - Brightness / 220.0f);
}

bool HasContrast(TColor C, TColor Background, bool AdjustByBrightness, float D)
{
  if (AdjustByBrightness)
    D = ScaledMinimumDistance(D, ColorDistance(Background, TColor(0)));
  return ColorDistance(Background, C) > D;
}

void EnsureContrast(TColor& C, TColor Background, float D)
{
  C = TColor(ColorToRGB(C));
  Background = TColor(ColorToRGB(Background));
  if (HasContrast(C, Background, true, D))
    return;
  TVec color = Weighted(C), back = Weighted(Background);
  const float b = Length(color), c = Length(back);
  const float target = ScaledMinimumDistance(D, c);
  const bool fromBlack = (b > c && c >= 442.0f - target) || (b <= c && c >= target);
  if (!fromBlack) {
    color = Mirrored(color);
    back = Mirrored(back);
  }
  // The unit direction of the line from the origin through C; a colour at the
  // origin itself has no direction, so it moves along the grey axis.
  TVec dir = color;
  float length = Length(dir);
  if (length < 0.01f) {
    dir = {SideR, SideG, SideB};
    length = Length(dir);
  }
  dir = {dir.R / length, dir.G / length, dir.B / length};
  const float p = Dot(back, dir);
  const float q2 = std::max(0.0f, Dot(back, back) - p * p);
  // Rounding can push the radicand just below zero; the nearest point is
  // then the projection itself.
  const float radicand = std::max(0.0f, target * target - q2);
  const float f = p - std::sqrt(radicand);
  TVec point = {std::clamp(dir.R * f, 0.0f, SideR), std::clamp(dir.G * f, 0.0f, SideG),
                std::clamp(dir.B * f, 0.0f, SideB)};
  if (!fromBlack)
    point = Mirrored(point);
  C = Rgb(ToChannel(point.R, WeightR), ToChannel(point.G, WeightG), ToChannel(point.B, WeightB));
}

TColor SwapRedBlue(TColor Color)
{
  const std::uint32_t c = std::uint32_t(Color);
  return TColor((c & 0xFF00FF00u) | ((c & 0xFF) << 16) | ((c >> 16) & 0xFF));
}
