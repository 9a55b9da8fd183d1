// TDib: a device-independent copy of a bitmap's pixels (header, colour table
// and bits), read through the display palette, from which a screen-compatible
// bitmap is made.
#pragma once

#include <vector>

#include "platform/base/Object.h"
#include "platform/base/Types.h"

class TDib : public TObject {
public:
  // Reads Bitmap's pixels in DC with Bitmap's palette selected and realised.
  // 16- and 32-bit pictures are read at 24 bits. EOutOfMemory when the read
  // fails.
  TDib(HDC DC, HBITMAP Bitmap, HPALETTE Palette);
  ~TDib() override = default;
  TDib(const TDib&) = delete;
  TDib& operator=(const TDib&) = delete;

  // A device bitmap made from the bits through the display palette.
  HBITMAP CreateDIBitmap();

  int InfoSize() const { return int(FInfo.size()); }
  int ImageSize() const { return int(FImage.size()); }
  const void* Bits() const { return FImage.data(); }

private:
  std::vector<BYTE> FInfo;   // BITMAPINFOHEADER and colour table
  std::vector<BYTE> FImage;  // rows bottom-up
};
