// PNG pictures of drawing surfaces (screenshots): a whole bitmap, what a DC
// can draw on, written as PNG files. Reading them back and comparing them
// with golden pictures is the tests' business (tests/support).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

// 0x00RRGGBB pixels, rows top first.
struct TPixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Pixels;
  friend bool operator==(const TPixelImage&, const TPixelImage&) = default;
};

// The pixels of a bitmap, or of the area a DC draws on (a memory DC: its
// bitmap; a window DC: the bounds of its visible region). Empty for a stale handle.
TPixelImage CaptureBitmap(HBITMAP bitmap);
TPixelImage CaptureDC(HDC dc);

bool WritePng(const std::string& path, const TPixelImage& image);
