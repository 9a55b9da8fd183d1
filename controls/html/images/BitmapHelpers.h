// Small operations on the class library's bitmaps that the image units share:
// new top-down DIB sections with a colour table, colour tables, palettes.
#pragma once

#include <vector>

#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

class TBitmap;

// A top-down DIB section of the depth (1, 4, 8, 24 or 32) with the first
// ColorCount entries of its colour table from Colors (the rest black), pixels
// zero. Null when the drawing layer cannot make it.
HBITMAP CreateTopDownDIB(int Width, int Height, int BitCount, const RGBQUAD* Colors = nullptr, int ColorCount = 0);
// The colour table of a bitmap of 8 bits or fewer (empty otherwise).
std::vector<RGBQUAD> ReadColorTable(TBitmap* Bitmap);
// Bits per pixel of the bitmap's pixels (32 for the device format).
int BitmapBitCount(TBitmap* Bitmap);
// A palette of the entries (at most 256); null for none.
HPALETTE PaletteFromEntries(const PALETTEENTRY* Entries, int Count);
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE Palette);
