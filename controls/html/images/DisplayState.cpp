#include "controls/html/images/DisplayState.h"

#include <mutex>
#include <vector>

#include "platform/win/gdi/gdi.h"

namespace {

struct TDisplayState {
  int Bits = 24;
  HPALETTE Palette = nullptr;
};

std::mutex StateLock;
bool Measured = false;
TDisplayState State;

// 256 entries: the system palette, with entries 10 to 224 the colour cube of
// the levels 55 to 255 (red fastest, white left out) and 225 to 245 greys,
// entry 245 a near white that is not the system's white.
HPALETTE MakeSharedPalette()
{
  std::vector<BYTE> block(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* pal = reinterpret_cast<LOGPALETTE*>(block.data());
  pal->palVersion = 0x300;
  pal->palNumEntries = 256;
  PALETTEENTRY* e = pal->palPalEntry;
  HDC dc = CreateCompatibleDC(nullptr);
  GetSystemPaletteEntries(dc, 0, 256, e);
  DeleteDC(dc);
  static constexpr BYTE Levels[6] = {55, 115, 165, 205, 235, 255};
  int n = 10;
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) {
        if (r == 5 && g == 5 && b == 5)
          continue;
        e[n++] = PALETTEENTRY{Levels[r], Levels[g], Levels[b], 0};
      }
  static constexpr BYTE Greys[21] = {135, 140, 145, 150, 155, 160, 170, 175, 180, 185, 190,
                                     195, 200, 210, 215, 220, 225, 230, 240, 245, 250};
  for (BYTE v : Greys)
    e[n++] = PALETTEENTRY{v, v, v, 0};
  e[245] = PALETTEENTRY{255, 255, 254, 0};
  return CreatePalette(pal);
}

void MeasureLocked()
{
  HDC dc = CreateCompatibleDC(nullptr);
  int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  DeleteDC(dc);
  State.Bits = bits <= 4 ? 4 : bits <= 8 ? 8 : 24;
  if (State.Palette)
    DeleteObject(State.Palette);
  State.Palette = State.Bits == 8 ? MakeSharedPalette() : nullptr;
  Measured = true;
}

const TDisplayState& Current()
{
  std::lock_guard<std::mutex> lock(StateLock);
  if (!Measured)
    MeasureLocked();
  return State;
}

}  // namespace

int ColorBits()
{
  return Current().Bits;
}

HPALETTE ThePalette()
{
  return Current().Palette;
}

HPALETTE CopyPalette(HPALETTE Palette)
{
  if (ColorBits() > 8 || !Palette)
    return nullptr;
  std::vector<BYTE> block(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* pal = reinterpret_cast<LOGPALETTE*>(block.data());
  UINT n = GetPaletteEntries(Palette, 0, 256, pal->palPalEntry);
  if (n == 0)
    return nullptr;
  pal->palVersion = 0x300;
  pal->palNumEntries = WORD(n);
  return CreatePalette(pal);
}

void MeasureDisplay()
{
  std::lock_guard<std::mutex> lock(StateLock);
  MeasureLocked();
}
