// A small 32-bit drawing surface for pixel tests: a memory DC holding a
// top-down DIB section, and a text picture of its pixels.
#pragma once

#include <map>
#include <string>

#include "platform/win/gdi/gdi.h"

class TDrawFixture {
public:
  TDrawFixture(int width, int height, COLORREF background = RGB(255, 255, 255)) : FWidth(width), FHeight(height)
  {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<uint32_t*>(bits);
    DC = CreateCompatibleDC(nullptr);
    FOld = SelectObject(DC, FBitmap);
    Fill(background);
  }
  ~TDrawFixture()
  {
    SelectObject(DC, FOld);
    DeleteDC(DC);
    DeleteObject(FBitmap);
  }
  TDrawFixture(const TDrawFixture&) = delete;
  TDrawFixture& operator=(const TDrawFixture&) = delete;

  void Fill(COLORREF c)
  {
    for (int i = 0; i < FWidth * FHeight; ++i)
      FBits[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  // The pixel as COLORREF.
  COLORREF At(int x, int y) const
  {
    uint32_t p = FBits[y * FWidth + x];
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
  uint32_t Raw(int x, int y) const { return FBits[y * FWidth + x]; }
  // One character per pixel from the legend ('?' for a colour not in it), rows ending in '\n'.
  std::string Picture(const std::map<COLORREF, char>& legend) const
  {
    std::string s;
    for (int y = 0; y < FHeight; ++y) {
      for (int x = 0; x < FWidth; ++x) {
        auto it = legend.find(At(x, y));
        s += it == legend.end() ? '?' : it->second;
      }
      s += '\n';
    }
    return s;
  }
  std::string Picture() const { return Picture({{RGB(255, 255, 255), '.'}, {RGB(0, 0, 0), '#'}}); }
  HBITMAP Bitmap() const { return FBitmap; }

  HDC DC = nullptr;

private:
  int FWidth, FHeight;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  uint32_t* FBits = nullptr;
};
