// What the viewer's pictures are prepared for: the colour depth of the
// display (4, 8 or 24) and, on an 8-bit display, the viewer's shared palette.
// Measured once on first use; MeasureDisplay measures again (tests switch the
// drawing layer's low-colour profile between cases).
#pragma once

#include "platform/base/Types.h"

// 4 (16 colours or fewer), 8 or 24.
int ColorBits();
// The shared palette on an 8-bit display, null otherwise. Owned here.
HPALETTE ThePalette();
// A new palette with the entries of Palette (at most 256); null on displays
// deeper than 8 bits or when Palette is null. The caller owns it.
HPALETTE CopyPalette(HPALETTE Palette);
void MeasureDisplay();
