#include "controls/html/images/Dib.h"

#include "controls/html/images/DisplayState.h"
#include "controls/html/images/ImageLimits.h"
#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

namespace {
constexpr const char* SOutOfMemory = "Mémoire insuffisante";
}
#include "platform/win/gdi/gdi.h"

TDib::TDib(HDC DC, HBITMAP Bitmap, HPALETTE Palette)
{
  BITMAP bm;
  if (!GetObject(Bitmap, sizeof(bm), &bm))
    throw EOutOfMemory(SOutOfMemory);
  int bits = bm.bmPlanes * bm.bmBitsPixel;
  if (bits == 16 || bits == 32)
    bits = 24;
  if (!image_limits::SizeFits(bm.bmWidth, bm.bmHeight))
    throw EOutOfMemory(SOutOfMemory);
  const std::size_t infoSize = sizeof(BITMAPINFOHEADER) + (bits <= 8 ? (std::size_t(1) << bits) * sizeof(RGBQUAD) : 0);
  FInfo.assign(infoSize, 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(FInfo.data());
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = bm.bmWidth;
  header->biHeight = bm.bmHeight;
  header->biPlanes = 1;
  header->biBitCount = WORD(bits);
  header->biCompression = BI_RGB;
  const std::size_t rowBytes = std::size_t(((bits * bm.bmWidth + 31) / 32) * 4);
  header->biSizeImage = DWORD(rowBytes * std::size_t(bm.bmHeight));
  FImage.assign(header->biSizeImage, 0);
  HPALETTE old = nullptr;
  if (Palette) {
    old = SelectPalette(DC, Palette, FALSE);
    RealizePalette(DC);
  }
  const int read = GetDIBits(DC, Bitmap, 0, UINT(bm.bmHeight), FImage.data(),
                             reinterpret_cast<BITMAPINFO*>(FInfo.data()), DIB_RGB_COLORS);
  if (old)
    SelectPalette(DC, old, FALSE);
  if (read == 0)
    throw EOutOfMemory(SOutOfMemory);
}

HBITMAP TDib::CreateDIBitmap()
{
  // A memory context stands for the screen: device bitmaps are the
  // screen's format whatever context makes them.
  HDC screen = CreateCompatibleDC(nullptr);
  HPALETTE old = nullptr;
  if (ThePalette()) {
    old = SelectPalette(screen, ThePalette(), FALSE);
    RealizePalette(screen);
  }
  // Always the screen's 32-bit format: a 1-bit picture keeps its two colours.
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(FInfo.data());
  const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  HBITMAP result = CreateBitmap(header->biWidth, height, 1, 32, nullptr);
  if (result)
    SetDIBits(screen, result, 0, UINT(height), FImage.data(), reinterpret_cast<const BITMAPINFO*>(FInfo.data()),
              DIB_RGB_COLORS);
  if (old)
    SelectPalette(screen, old, FALSE);
  DeleteDC(screen);
  return result;
}
