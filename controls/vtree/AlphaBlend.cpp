#include "controls/vtree/AlphaBlend.h"

#include <algorithm>

#include "controls/vtree/LazyTreeErrors.h"
#include "platform/win/gdi/gdi.h"

namespace {

inline std::uint32_t BlendPixel(std::uint32_t d, std::uint32_t s, int a, int bias)
{
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int db = int((d >> shift) & 0xFF), sb = int((s >> shift) & 0xFF);
    int v = (db * (256 - a) + sb * a) / 256 + bias;
    out |= std::uint32_t(std::clamp(v, 0, 255)) << shift;
  }
  return out;
}

}  // namespace

void BlendRowConstant(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha, int Bias)
{
  for (int i = 0; i < Count; ++i)
    Destination[i] = BlendPixel(Destination[i], Source[i], ConstantAlpha, Bias);
}

void BlendRowSourceAlpha(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int Bias)
{
  for (int i = 0; i < Count; ++i)
    Destination[i] = BlendPixel(Destination[i], Source[i], int(Source[i] >> 24), Bias);
}

void BlendRowScaledAlpha(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha,
                         int Bias)
{
  for (int i = 0; i < Count; ++i)
    Destination[i] = BlendPixel(Destination[i], Source[i], int(Source[i] >> 24) * ConstantAlpha / 256, Bias);
}

void BlendRowColor(std::uint32_t* Destination, int Count, int ConstantAlpha, std::uint32_t Color)
{
  // The colour's red, green and blue go into the pixel's blue, green, red order.
  std::uint32_t c = ((Color & 0xFF) << 16) | (Color & 0xFF00) | ((Color >> 16) & 0xFF);
  for (int i = 0; i < Count; ++i)
    Destination[i] = BlendPixel(Destination[i], c, ConstantAlpha, 0);
}

namespace {

struct TDibRows {
  std::uint8_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;
  bool BottomUp = false;
  std::uint32_t* Row(int y) const
  {
    int stored = BottomUp ? Height - y - 1 : y;
    return reinterpret_cast<std::uint32_t*>(Bits + std::size_t(stored) * std::size_t(Stride));
  }
};

TDibRows RowsOf(HDC DC)
{
  HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(DC, OBJ_BITMAP));
  DIBSECTION dib{};
  LT_ASSERT(bitmap && GetObject(bitmap, sizeof(dib), &dib) == int(sizeof(dib)) && dib.dsBm.bmBits,
            "Alpha blending DC error: no bitmap available.");
  LT_ASSERT(dib.dsBm.bmBitsPixel == 32, "Alpha blending error: bitmap must use 32 bpp.");
  TDibRows rows;
  rows.Bits = static_cast<std::uint8_t*>(dib.dsBm.bmBits);
  rows.Width = dib.dsBm.bmWidth;
  rows.Height = dib.dsBm.bmHeight;
  rows.Stride = dib.dsBm.bmWidthBytes;
  rows.BottomUp = dib.dsBmih.biHeight > 0;
  return rows;
}

}  // namespace

void BlendRect(HDC Source, HDC Destination, const TRect& R, TPoint Target, int Bias, int ConstantAlpha, TBlendMode Mode)
{
  if (R.IsEmpty())
    return;
  TDibRows dst = RowsOf(Destination);
  if (Mode == bmConstantAlphaAndColor) {
    // Only the destination: R itself is tinted, clipped to the bitmap.
    int left = std::max<int>(R.Left, 0), right = std::min<int>(R.Right, dst.Width);
    for (int y = std::max<int>(R.Top, 0); y < std::min<int>(R.Bottom, dst.Height); ++y)
      if (right > left)
        BlendRowColor(dst.Row(y) + left, right - left, ConstantAlpha, std::uint32_t(Bias));
    return;
  }
  TDibRows src = RowsOf(Source);
  int width = std::min<int>({R.Width(), src.Width - int(R.Left), dst.Width - int(Target.x)});
  for (int i = 0; i < R.Height(); ++i) {
    int sy = R.Top + i, dy = Target.y + i;
    if (sy < 0 || sy >= src.Height || dy < 0 || dy >= dst.Height || width <= 0 || R.Left < 0 || Target.x < 0)
      continue;
    const std::uint32_t* s = src.Row(sy) + R.Left;
    std::uint32_t* d = dst.Row(dy) + Target.x;
    switch (Mode) {
      case bmConstantAlpha: BlendRowConstant(s, d, width, ConstantAlpha, Bias); break;
      case bmPerPixelAlpha: BlendRowSourceAlpha(s, d, width, Bias); break;
      default: BlendRowScaledAlpha(s, d, width, ConstantAlpha, Bias); break;
    }
  }
}
