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

// The pieces of moving a drag image of Width x Height by (DeltaX, DeltaY),
// each |delta| smaller than the image, all relative to the OLD place's
// top-left: the strips of the old place that the move uncovers (given back
// to the screen), the strips of the new place not covered before (taken from
// the screen), and the overlap that the saved background keeps. Unused
// strips are empty; the strips of each kind never overlap.
struct TDragImageRects {
  TRect ClipRect;     // the whole image
  TRect ScrollRect;   // the overlap of the old and the new place
  TRect DrawRect1;    // uncovered: the vertical strip
  TRect DrawRect2;    // uncovered: the horizontal strip
  TRect SampleRect1;  // newly covered: the vertical strip
  TRect SampleRect2;  // newly covered: the horizontal strip
};
TDragImageRects SplitDragImageRects(int Width, int Height, int DeltaX, int DeltaY);
