#include "controls/html/images/BitmapHelpers.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/graphics/Bitmap.h"
#include "platform/win/gdi/gdi.h"

namespace {

struct TInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

}  // namespace

HBITMAP CreateTopDownDIB(int Width, int Height, int BitCount, const RGBQUAD* Colors, int ColorCount)
{
  TInfo256 info{};
  info.Header.biWidth = Width;
  info.Header.biHeight = -Height;
  info.Header.biBitCount = WORD(BitCount);
  if (BitCount <= 8) {
    int n = std::min(ColorCount, 1 << BitCount);
    if (Colors && n > 0)
      std::memcpy(info.Colors, Colors, std::size_t(n) * sizeof(RGBQUAD));
    if (BitCount == 1 && !Colors)
      info.Colors[1] = RGBQUAD{255, 255, 255, 0};
    info.Header.biClrUsed = DWORD(1) << BitCount;
  }
  void* bits = nullptr;
  return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
}

int BitmapBitCount(TBitmap* Bitmap)
{
  return PixelFormatBitCount(Bitmap->PixelFormat());
}

std::vector<RGBQUAD> ReadColorTable(TBitmap* Bitmap)
{
  int bits = BitmapBitCount(Bitmap);
  if (bits > 8 || Bitmap->Empty())
    return {};
  TInfo256 info{};
  info.Header.biWidth = Bitmap->Width();
  info.Header.biHeight = Bitmap->Height();
  info.Header.biBitCount = WORD(bits);
  if (!GetDIBits(nullptr, Bitmap->Handle(), 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
    return {};
  return std::vector<RGBQUAD>(info.Colors, info.Colors + (1 << bits));
}

HPALETTE PaletteFromEntries(const PALETTEENTRY* Entries, int Count)
{
  Count = std::min(Count, 256);
  if (Count <= 0)
    return nullptr;
  std::vector<BYTE> block(sizeof(LOGPALETTE) + std::size_t(Count) * sizeof(PALETTEENTRY));
  auto* pal = reinterpret_cast<LOGPALETTE*>(block.data());
  pal->palVersion = 0x300;
  pal->palNumEntries = WORD(Count);
  std::memcpy(pal->palPalEntry, Entries, std::size_t(Count) * sizeof(PALETTEENTRY));
  return CreatePalette(pal);
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE Palette)
{
  if (!Palette)
    return {};
  std::vector<PALETTEENTRY> entries(256);
  UINT n = GetPaletteEntries(Palette, 0, 256, entries.data());
  entries.resize(n);
  return entries;
}
