// Colour reduction for displays of 8 bits per pixel or fewer: a true-colour
// bitmap becomes an 8-bit palette bitmap, by nearest colour or with
// Floyd-Steinberg dithering, against the platform's default palette, the
// 6x6x6 colour cube, the viewer's display palette or an octree palette of the
// picture's own colours.
#pragma once

#include "platform/base/Types.h"

class TBitmap;
class TGraphic;

// 0 none (24 bits), 1 default palette (20 colours), 3 colour cube, 4 display
// palette, 5 octree palette of 236 picture colours and the 20 system colours.
enum TColorReductionMode : unsigned char { rmNone = 0, rmWindows20 = 1, rmWebSafe = 3, rmDisplay = 4, rmQuantize = 5 };
enum TDitherMode : unsigned char { dmNearest = 0, dmFloydSteinberg = 1 };

// A new bitmap (the caller's); the source is switched to 24 bits on the way.
TBitmap* ReduceBitmapColors(TBitmap* Bitmap, TColorReductionMode Mode, TDitherMode Dither);
// Null when Graphic is not a non-empty bitmap; a device-format bitmap is
// copied as it is; any other is reduced to the display palette (the default
// palette on displays of fewer than 8 bits) with Floyd-Steinberg.
TBitmap* DitherForPaletteDisplay(TGraphic* Graphic);
// 216 entries: entry i * 36 + j * 6 + k is (i * 51, j * 51, k * 51).
HPALETTE BuildCubePalette();
// An octree palette of the bitmap's colours (read at 24 bits); with the
// system colours, entries 0-9 and 246-255 are the default palette's and the
// picture's colours fill 10-245.
HPALETTE QuantizeToPalette(TBitmap* Bitmap, int Colors, int ColorBits, bool WithSystemColors);
