#include "platform/classes/graphics/detail/BitmapImage.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/gdi.h"

namespace bitmap_detail {

namespace {

// The sixteen colours of 4-bit pictures, RGB.
constexpr std::uint32_t Vga16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                     0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                     0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

RGBQUAD Quad(std::uint32_t rgb)
{
  RGBQUAD q;
  q.rgbRed = BYTE(rgb >> 16);
  q.rgbGreen = BYTE(rgb >> 8);
  q.rgbBlue = BYTE(rgb);
  return q;
}

struct TInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

}  // namespace

TBitmapImage::~TBitmapImage()
{
  if (Handle)
    DeleteObject(Handle);
  if (MaskHandle)
    DeleteObject(MaskHandle);
  if (Palette)
    DeleteObject(Palette);
}

int BytesPerScanline(int Width, int BitCount)
{
  return ((Width * BitCount + 31) / 32) * 4;
}

HBITMAP CreateFormatDIB(int Width, int Height, TPixelFormat Format, void** Bits)
{
  if (Width <= 0 || Height <= 0 || Format == pfCustom)
    return nullptr;
  TInfo256 info{};
  info.Header.biWidth = Width;
  info.Header.biHeight = -Height;
  info.Header.biBitCount = WORD(PixelFormatBitCount(Format));
  switch (Format) {
  case pf1bit:
    info.Colors[0] = Quad(0x000000);
    info.Colors[1] = Quad(0xFFFFFF);
    break;
  case pf4bit:
    for (int i = 0; i < 16; ++i)
      info.Colors[i] = Quad(Vga16[i]);
    break;
  case pf8bit: {
    // The sixteen colours, a 6 x 6 x 6 colour cube and a ramp of 24 greys.
    int n = 0;
    for (; n < 16; ++n)
      info.Colors[n] = Quad(Vga16[n]);
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          info.Colors[n++] = Quad(std::uint32_t(r * 51) << 16 | std::uint32_t(g * 51) << 8 | std::uint32_t(b * 51));
    for (int i = 0; i < 24; ++i) {
      std::uint32_t v = std::uint32_t(8 + i * 10);
      info.Colors[n++] = Quad(v << 16 | v << 8 | v);
    }
    break;
  }
  case pf16bit: {
    info.Header.biCompression = BI_BITFIELDS;
    DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.Colors, masks, sizeof(masks));
    break;
  }
  default:
    break;
  }
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap)
    return nullptr;
  std::memset(bits, 0, std::size_t(BytesPerScanline(Width, info.Header.biBitCount)) * std::size_t(Height));
  if (Bits)
    *Bits = bits;
  return bitmap;
}

std::vector<std::uint32_t> ReadPixels(HBITMAP Bitmap, int Width, int Height)
{
  std::vector<std::uint32_t> pixels(std::size_t(Width) * std::size_t(Height));
  BITMAPINFO info{};
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biBitCount = 32;
  if (!pixels.empty())
    GetDIBits(nullptr, Bitmap, 0, UINT(Height), pixels.data(), &info, DIB_RGB_COLORS);
  for (auto& p : pixels)
    p &= 0xFFFFFF;
  return pixels;
}

std::shared_ptr<TBitmapImage> CopyToNewImage(const TBitmapImage* Source, int Width, int Height, TPixelFormat Format,
                                             COLORREF Fill)
{
  auto image = std::make_shared<TBitmapImage>();
  if (Width <= 0 || Height <= 0)
    return image;
  image->Handle = CreateFormatDIB(Width, Height, Format, &image->Bits);
  if (!image->Handle)
    return nullptr;
  image->Width = Width;
  image->Height = Height;
  image->PixelFormat = Format;
  image->BitCount = PixelFormatBitCount(Format);
  image->DDB = Format == pfDevice;

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, image->Handle);
  bool covered = Source && Source->Handle && Source->Width >= Width && Source->Height >= Height;
  if (!covered) {
    HBRUSH brush = CreateSolidBrush(Fill);
    TRect all(0, 0, Width, Height);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }
  if (Source && Source->Handle) {
    std::vector<std::uint32_t> pixels = ReadPixels(Source->Handle, Source->Width, Source->Height);
    BITMAPINFO info{};
    info.bmiHeader.biWidth = Source->Width;
    info.bmiHeader.biHeight = -Source->Height;
    info.bmiHeader.biBitCount = 32;
    int w = std::min(Width, Source->Width), h = std::min(Height, Source->Height);
    StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return image;
}

std::shared_ptr<TBitmapImage> AdoptBitmap(HBITMAP Bitmap)
{
  auto image = std::make_shared<TBitmapImage>();
  DIBSECTION ds{};
  int n = GetObject(Bitmap, sizeof(ds), &ds);
  if (n == 0)
    return image;
  image->Handle = Bitmap;
  image->Width = ds.dsBm.bmWidth;
  image->Height = ds.dsBm.bmHeight;
  image->BitCount = ds.dsBm.bmBitsPixel;
  image->Bits = ds.dsBm.bmBits;
  image->DDB = ds.dsBm.bmBits == nullptr;
  switch (image->BitCount) {
  case 1:
    image->PixelFormat = pf1bit;
    break;
  case 4:
    image->PixelFormat = pf4bit;
    break;
  case 8:
    image->PixelFormat = pf8bit;
    break;
  case 16:
    image->PixelFormat = n >= int(sizeof(DIBSECTION) - sizeof(HANDLE) - sizeof(DWORD)) &&
                                 ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0
                             ? pf16bit
                             : pf15bit;
    break;
  case 24:
    image->PixelFormat = pf24bit;
    break;
  default:
    image->PixelFormat = image->DDB ? pfDevice : pf32bit;
    break;
  }
  return image;
}

HBITMAP MakeColorMask(const std::vector<std::uint32_t>& Pixels, int Width, int Height, COLORREF Color)
{
  std::uint32_t key = (Color & 0xFF) << 16 | (Color & 0xFF00) | ((Color >> 16) & 0xFF);
  void* bits = nullptr;
  HBITMAP mask = CreateFormatDIB(Width, Height, pf1bit, &bits);
  if (!mask)
    return nullptr;
  int stride = BytesPerScanline(Width, 1);
  auto* row = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < Height; ++y, row += stride)
    for (int x = 0; x < Width; ++x)
      if (Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)] == key)
        row[x / 8] |= std::uint8_t(0x80 >> (x % 8));
  return mask;
}

}  // namespace bitmap_detail
