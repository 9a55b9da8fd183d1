// The theme's look: its colours, and the drawing of each kind of part on a DC
// through the drawing layer. Flat, light (dark while the system colours are):
// one-pixel frames, tinted fills for hot and pressed states, a blue accent for
// marks and selections.
#pragma once

#include "platform/base/Types.h"
#include "platform/visualstyles/ThemeClasses.h"

// The rectangle a part draws in: fixed-size glyphs (check boxes, radio
// buttons, tree glyphs, scroll grippers) centred in rect at their true size,
// every other part the whole rect.
TRect PartDrawRect(const TPartLook& part, const TRect& rect);
// Whether the part leaves pixels of its rectangle untouched in that state.
bool PartIsPartlyTransparent(const TPartLook& part, const TStateLook& state);

COLORREF PartFillColor(const TPartLook& part, const TStateLook& state);
COLORREF PartTextColor(const TPartLook& part, const TStateLook& state);
COLORREF PartBorderColor(const TPartLook& part, const TStateLook& state);

// Draws the part in rect with the DC's current clipping.
void PaintPart(HDC dc, const TPartLook& part, const TStateLook& state, const TRect& rect);
