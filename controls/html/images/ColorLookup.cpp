#include "controls/html/images/ColorLookup.h"

#include <cstdlib>

#include "platform/win/gdi/gdi.h"

namespace {

int Slot(BYTE Red, BYTE Green, BYTE Blue)
{
  return (Red >> 3) | ((Green & 0xF8) << 2) | ((Blue & 0xF8) << 7);
}

}  // namespace

TFastColorLookup::TFastColorLookup(HPALETTE Palette)
{
  for (auto& slot : FInverse)
    slot = -1;
  FColors = Palette ? int(GetPaletteEntries(Palette, 0, 256, FPalette)) : 0;
  for (int i = 0; i < FColors; ++i) {
    std::int16_t& slot = FInverse[Slot(FPalette[i].peRed, FPalette[i].peGreen, FPalette[i].peBlue)];
    if (slot < 0)
      slot = std::int16_t(i);
  }
}

int TFastColorLookup::NearestColor(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B)
{
  std::int16_t& slot = FInverse[Slot(Red, Green, Blue)];
  if (slot < 0) {
    int best = 0x30000, found = 0;
    for (int i = 0; i < FColors; ++i) {
      const int d = std::abs(int(FPalette[i].peRed) - Red) + std::abs(int(FPalette[i].peGreen) - Green) +
                    std::abs(int(FPalette[i].peBlue) - Blue);
      if (d < best) {
        best = d;
        found = i;
      }
    }
    slot = std::int16_t(found);
  }
  const PALETTEENTRY& e = FPalette[slot];
  R = e.peRed;
  G = e.peGreen;
  B = e.peBlue;
  return slot;
}

int TWebSafeColorLookup::NearestColor(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B)
{
  const int r = (Red + 3) / 51, g = (Green + 3) / 51, b = (Blue + 3) / 51;
  R = BYTE(r * 51);
  G = BYTE(g * 51);
  B = BYTE(b * 51);
  return b + g * 6 + r * 36;
}
