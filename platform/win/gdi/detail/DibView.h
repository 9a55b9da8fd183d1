// A bitmap object over memory described by a BITMAPINFO (the caller's DIB
// bits), so DIB transfers read and write pixels with the bitmap accessors.
#pragma once

#include "platform/win/gdi/detail/GdiObjects.h"

namespace gdi {

// Fills view from info and bits; false when the header is not one the layer
// reads (size, bit count, compression, dimensions). For DIB_PAL_COLORS the
// colour table holds indexes into the palette selected in dc.
bool MakeDibView(const BITMAPINFO* info, const void* bits, UINT usage, HDC dc, TGdiBitmap& view);
// The number of colour-table entries a header implies.
int ColorTableSize(const BITMAPINFOHEADER& h);

}  // namespace gdi
