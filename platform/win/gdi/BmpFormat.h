// BMP images: files ("BM" header) and packed DIBs in memory.
// Read: headers of 12 (core), 40, 52, 56, 108 and 124 bytes; 1, 4, 8, 16,
// 24 and 32 bits; BI_RGB and BI_BITFIELDS; rows bottom-up or top-down.
// Compressed (RLE) images are refused. Written: 40-byte headers, bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

// True when data starts like a BMP file.
bool IsBmpFile(const void* data, std::size_t size);
// A DIB section (1-, 4- and 8-bit images keep their colour table and depth;
// 16 and 24 bits become 24, 32 stays 32). Null for anything it cannot read.
HBITMAP ReadBmpFile(const void* data, std::size_t size);
// The same from a packed DIB (a BITMAPINFOHEADER, its colour table, the bits).
HBITMAP ReadPackedDib(const void* data, std::size_t size);
// A BMP file of the bitmap at bitCount (0: the bitmap's own depth; 1, 4, 8,
// 24 or 32). Empty on failure.
std::vector<uint8_t> WriteBmpFile(HBITMAP bitmap, int bitCount = 0);
