// Small routines the tree shares: pointer sort, rectangle normalisation and
// the platform value of a colour, a top-down 32-bit bitmap.
#pragma once

#include <cstddef>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

// Ascending by address (unsigned), in place.
void SortPointers(void** Array, std::ptrdiff_t Low, std::ptrdiff_t High);
// Left <= Right and Top <= Bottom.
TRect NormalizeRect(const TRect& Source);
// clNone gives the platform's "none" (0xFFFFFFFF), clDefault its default
// (0xFF000000); anything else its RGB value.
std::uint32_t PlatformColorOf(TColor Color);

// A top-down 32-bit DIB section of Width x Height; its pixels in *Bits when asked.
HBITMAP NewTopDownBitmap(int Width, int Height, std::uint32_t** Bits = nullptr);
