// A bitmap drawn through a device-independent copy of its pixels.
#include <cstdint>
#include <vector>

#include "controls/html/paint/DrawingHelpers.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/gdi/gdi.h"

void DrawBitmapThroughCopy(HDC DC, int X, int Y, TBitmap* Bitmap, int W, int H)
{
  if (!Bitmap || Bitmap->Empty() || W <= 0 || H <= 0)
    return;
  const int BW = Bitmap->Width(), BH = Bitmap->Height();
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = BW;
  Info.bmiHeader.biHeight = -BH;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> Pixels(std::size_t(BW) * std::size_t(BH));
  if (!GetDIBits(Bitmap->Canvas()->Handle(), Bitmap->Handle(), 0, UINT(BH), Pixels.data(), &Info, DIB_RGB_COLORS))
    return;  // nothing to copy: the picture is left out
  const int OldMode = SetStretchBltMode(DC, COLORONCOLOR);
  StretchDIBits(DC, X, Y, W, H, 0, 0, BW, BH, Pixels.data(), &Info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(DC, OldMode);
}

