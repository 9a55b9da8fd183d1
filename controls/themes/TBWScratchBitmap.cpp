#include "controls/themes/TBWScratchBitmap.h"

#include <algorithm>

TScratchBitmap::TScratchBitmap(int Width, int Height) : FWidth(std::max(Width, 1)), FHeight(std::max(Height, 1))
{
  BITMAPINFO info{};
  info.bmiHeader.biWidth = FWidth;
  info.bmiHeader.biHeight = -FHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  FBits = static_cast<uint32_t*>(bits);
  FDC = CreateCompatibleDC(nullptr);
  FOldBitmap = HBITMAP(SelectObject(FDC, FBitmap));
}

TScratchBitmap::~TScratchBitmap()
{
  SelectObject(FDC, FOldBitmap);
  DeleteDC(FDC);
  DeleteObject(FBitmap);
}

void TScratchBitmap::Fill(uint32_t Value) const
{
  GdiFlush();
  std::fill(FBits, FBits + size_t(FWidth) * size_t(FHeight), Value);
}
