#include "controls/themes/TBWImageStates.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWScratchBitmap.h"
#include "platform/base/Exception.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/gdi/SysColors.h"

namespace {

int Red(uint32_t p) { return int(p >> 16) & 0xFF; }
int Green(uint32_t p) { return int(p >> 8) & 0xFF; }
int Blue(uint32_t p) { return int(p) & 0xFF; }
uint32_t Pixel(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
// A COLORREF (red low) as a pixel of a 32-bit bitmap (red high).
uint32_t PixelOf(COLORREF c) { return Pixel(GetRValue(c), GetGValue(c), GetBValue(c)); }
// Weighted brightness on the 0 .. 65025 scale of the image routines.
int WeightedBrightness(uint32_t p) { return Red(p) * 76 + Green(p) * 150 + Blue(p) * 29; }

// The image's area: Rect's top-left, clipped to Rect and the image size.
struct TImageArea {
  int X, Y, W, H;
  bool Empty() const { return W <= 0 || H <= 0; }
};
TImageArea AreaOf(const TRect& Rect, TCustomImageList* ImageList)
{
  return {Rect.Left, Rect.Top, std::min(Rect.Right - Rect.Left, ImageList->Width()),
          std::min(Rect.Bottom - Rect.Top, ImageList->Height())};
}

enum class TUnder { Background, Key, White };

// Copies the canvas area into one bitmap, draws the image into another over
// a copy of that background, the key colour or white, lets Combine turn
// each (background, image) pair into the new background pixel, and copies
// the result back.
void CombineWithImage(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, TUnder Under,
                      const std::function<uint32_t(uint32_t Back, uint32_t Image)>& Combine)
{
  const TImageArea a = AreaOf(Rect, ImageList);
  if (a.Empty())
    return;
  HDC dc = Canvas->Handle();
  TScratchBitmap back(a.W, a.H), image(ImageList->Width(), ImageList->Height());
  BitBlt(back.DC(), 0, 0, a.W, a.H, dc, a.X, a.Y, SRCCOPY);
  GdiFlush();
  switch (Under) {
  case TUnder::Background:
    BitBlt(image.DC(), 0, 0, a.W, a.H, back.DC(), 0, 0, SRCCOPY);
    break;
  case TUnder::Key:
    image.Fill(PixelOf(ImageKeyColor));
    break;
  case TUnder::White:
    image.Fill(0xFFFFFF);
    break;
  }
  ImageList_Draw(ImageList->Handle(), Index, image.DC(), 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  for (int y = 0; y < a.H; ++y)
    for (int x = 0; x < a.W; ++x)
      back.At(x, y) = Combine(back.At(x, y) & 0xFFFFFF, image.At(x, y) & 0xFFFFFF) & 0xFFFFFF;
  BitBlt(dc, a.X, a.Y, a.W, a.H, back.DC(), 0, 0, SRCCOPY);
}

// Paints Color through a mask made pixel by pixel: Painted decides for each
// image pixel (drawn on the given ground) whether it takes the colour.
void PaintSilhouette(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, TColor Color,
                     TUnder Under, const std::function<bool(uint32_t Image)>& Painted)
{
  const TImageArea a = AreaOf(Rect, ImageList);
  if (a.Empty() || Color == clNone)
    return;
  TScratchBitmap image(ImageList->Width(), ImageList->Height());
  image.Fill(Under == TUnder::White ? 0xFFFFFF : PixelOf(ImageKeyColor));
  ImageList_Draw(ImageList->Handle(), Index, image.DC(), 0, 0, ILD_TRANSPARENT);
  GdiFlush();
  // The mask's bits are made in memory and handed over whole: a pixel set
  // at a time through the DC cost half of a toolbar's paint. Rows are
  // word-aligned, high bit first; 0 (black) takes the colour.
  const int rowBytes = (a.W + 15) / 16 * 2;
  std::vector<uint8_t> bits(std::size_t(rowBytes) * std::size_t(a.H), 0xFF);
  for (int y = 0; y < a.H; ++y)
    for (int x = 0; x < a.W; ++x)
      if (Painted(image.At(x, y) & 0xFFFFFF))
        bits[std::size_t(y * rowBytes + x / 8)] &= uint8_t(~(0x80 >> (x & 7)));
  HBITMAP mask = CreateBitmap(a.W, a.H, 1, 1, bits.data());
  HDC maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(maskDC, mask);
  PaintThroughMask(Canvas->Handle(), a.X, a.Y, a.W, a.H, maskDC, true, Color);
  SelectObject(maskDC, old);
  DeleteDC(maskDC);
  DeleteObject(mask);
}

}  // namespace

void DrawImageContrasting(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index,
                          bool Contrasting)
{
  if (!Contrasting) {
    ImageList->Draw(Canvas, Rect.Left, Rect.Top, Index);
    return;
  }
  const uint32_t key = PixelOf(ImageKeyColor);
  CombineWithImage(Canvas, Rect, ImageList, Index, TUnder::Key, [key](uint32_t back, uint32_t image) {
    if (image == key)
      return back;
    const int brightness = WeightedBrightness(image);
    if (brightness > 0xFD00)
      image = 0;
    else if (brightness < 25600)
      image = 0xFFFFFF;
    // ShiftColor works on every channel alike, so byte order does not matter.
    return uint32_t(ShiftColor(TColor(image), 32));
  });
}

void DrawImageBlended(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, int Alpha)
{
  CombineWithImage(Canvas, Rect, ImageList, Index, TUnder::Background, [Alpha](uint32_t back, uint32_t image) {
    if (image == back)
      return back;
    auto mix = [Alpha](int b, int i) { return (b * (255 - Alpha) + i * Alpha) >> 8; };
    return Pixel(mix(Red(back), Red(image)), mix(Green(back), Green(image)), mix(Blue(back), Blue(image)));
  });
}

void DrawImageTinted(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, TColor Color,
                     int Alpha)
{
  const uint32_t key = PixelOf(ImageKeyColor), tint = PixelOf(ColorToRGB(Color));
  CombineWithImage(Canvas, Rect, ImageList, Index, TUnder::Key, [=](uint32_t back, uint32_t image) {
    if (image == key)
      return back;
    auto mix = [Alpha](int c, int p) { return (c * (255 - Alpha) + p * Alpha) >> 8; };
    return Pixel(mix(Red(tint), Red(image)), mix(Green(tint), Green(image)), mix(Blue(tint), Blue(image)));
  });
}

void DrawImageWashed(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, int Level)
{
  if (Level < 0 || Level > 2)
    throw EAssertionFailed("DrawImageWashed: level out of range");
  static const int Divisor[3] = {3, 8, 20}, Base[3] = {170, 224, 243};
  CombineWithImage(Canvas, Rect, ImageList, Index, TUnder::Background, [Level](uint32_t back, uint32_t image) {
    if (image == back)
      return back;
    // Brightness on the 0 .. 254 scale, so the factor never passes 255.
    const int f = (WeightedBrightness(image) >> 8) / Divisor[Level] + Base[Level];
    return Pixel(Red(back) * f >> 8, Green(back) * f >> 8, Blue(back) * f >> 8);
  });
}

void DrawImageSilhouette(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index, TColor Color)
{
  PaintSilhouette(Canvas, Rect, ImageList, Index, Color, TUnder::White,
                  [](uint32_t image) { return image == 0 || WeightedBrightness(image) < 46081; });
}

void DrawImageMaskSilhouette(TCanvas* Canvas, const TRect& Rect, TCustomImageList* ImageList, int Index,
                             TColor Color)
{
  const uint32_t key = PixelOf(ImageKeyColor);
  PaintSilhouette(Canvas, Rect, ImageList, Index, Color, TUnder::Key,
                  [key](uint32_t image) { return image != key; });
}
