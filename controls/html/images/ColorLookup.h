// Finding the palette colour nearest to a colour: TFastColorLookup over any
// palette (an inverse table of 15-bit colours fills as colours are asked for),
// TWebSafeColorLookup over the 6x6x6 colour cube.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

class TColorLookup {
public:
  virtual ~TColorLookup() = default;
  // The palette index, with the palette's colour written to the out bytes.
  virtual int NearestColor(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B) = 0;
  int Colors() const { return FColors; }

protected:
  int FColors = 0;
};

class TFastColorLookup : public TColorLookup {
public:
  explicit TFastColorLookup(HPALETTE Palette);
  // Sum of absolute differences; the first entry wins ties.
  int NearestColor(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B) override;

private:
  PALETTEENTRY FPalette[256] = {};
  std::int16_t FInverse[32768];
};

class TWebSafeColorLookup : public TColorLookup {
public:
  TWebSafeColorLookup() { FColors = 216; }
  // Level (c + 3) div 51 per component; index blue + green * 6 + red * 36.
  int NearestColor(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B) override;
};
