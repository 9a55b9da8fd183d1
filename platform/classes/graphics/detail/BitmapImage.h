// The pixels behind a TBitmap, shared between bitmaps assigned from each other
// until one of them changes (copy on write).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/Types.h"
#include "platform/classes/graphics/GraphicsTypes.h"

namespace bitmap_detail {

struct TBitmapImage {
  TBitmapImage() = default;
  ~TBitmapImage();
  TBitmapImage(const TBitmapImage&) = delete;
  TBitmapImage& operator=(const TBitmapImage&) = delete;

  HBITMAP Handle = nullptr;      // a DIB section, or a device bitmap (HandleType bhDDB)
  void* Bits = nullptr;          // the DIB section's pixels (null for a device bitmap)
  HBITMAP MaskHandle = nullptr;  // the mask set by the caller or made from the transparent colour
  bool MaskFromColor = false;    // the mask was made from the transparent colour (remade after changes)
  HPALETTE Palette = nullptr;
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  TPixelFormat PixelFormat = pfDevice;
  bool DDB = true;  // HandleType bhDDB: a device bitmap, or a 32-bit picture of pfDevice
  std::vector<std::uint8_t> DormantData;  // the image as a BMP file while dormant
};

// Bytes per row of a DIB of the width and depth (rows aligned to 32 bits).
int BytesPerScanline(int Width, int BitCount);
// A new top-down DIB section of the format (pfDevice: 32 bits), filled with
// black, with the format's colour table; null for a bad size or format.
HBITMAP CreateFormatDIB(int Width, int Height, TPixelFormat Format, void** Bits);
// The picture as 32-bit top-down pixels 0x00RRGGBB (Width * Height of them).
std::vector<std::uint32_t> ReadPixels(HBITMAP Bitmap, int Width, int Height);
// A new image of the size and format holding the top-left part of Source
// (null: none), the rest filled with Fill. Source is read without being
// selected anywhere, so a context may hold it meanwhile.
std::shared_ptr<TBitmapImage> CopyToNewImage(const TBitmapImage* Source, int Width, int Height, TPixelFormat Format,
                                             COLORREF Fill);
// An image taking over a bitmap of the layer.
std::shared_ptr<TBitmapImage> AdoptBitmap(HBITMAP Bitmap);
// A monochrome bitmap, 1 where Pixels hold Color.
HBITMAP MakeColorMask(const std::vector<std::uint32_t>& Pixels, int Width, int Height, COLORREF Color);

}  // namespace bitmap_detail
