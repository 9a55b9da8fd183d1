// Icons and cursors (HCURSOR is HICON): made from bitmaps, read from ".ico"
// and ".cur" data, drawn, and the standard cursors drawn by the layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

constexpr UINT DI_MASK = 1, DI_IMAGE = 2, DI_NORMAL = 3, DI_COMPAT = 4, DI_DEFAULTSIZE = 8;

HICON CreateIconIndirect(const ICONINFO* info);
// New bitmaps the caller deletes: the AND mask (monochrome) and the colour
// image (32-bit; null for a monochrome icon, whose mask is then twice as high).
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
inline BOOL DestroyCursor(HICON cursor) { return DestroyIcon(cursor); }
HICON CopyIcon(HICON icon);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// width/height 0: the icon's own size (DI_DEFAULTSIZE: 32). flickerFree, when
// given, is filled with the background first.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree, UINT flags);

// True when data looks like ".ico" (type 1) or ".cur" (type 2) data.
bool IsIconFile(const void* data, std::size_t size);
// The entry closest to the size asked for (0: the largest), deepest colours
// first among equals. Every depth (1, 4, 8, 24, 32 with alpha) and PNG
// entries; null for anything malformed.
HICON CreateIconFromFile(const void* data, std::size_t size, int desiredSize);

// What the display back end needs to show a cursor: premultiplied-free ARGB
// pixels (alpha 0 where the mask leaves the screen), the inverting pixels
// (mask 1 and colour not black: the screen is XORed there), and the hot spot.
struct TCursorImage {
  int Width = 0;
  int Height = 0;
  TPoint HotSpot;
  std::vector<uint32_t> Pixels;  // 0xAARRGGBB, not premultiplied
  std::vector<uint8_t> Invert;   // 1 where the screen is inverted
};
bool GetCursorImage(HCURSOR cursor, TCursorImage& image);
// The size of an icon, or (0, 0).
TSize IconSize(HICON icon);
