// The Default theme's glyphs that the other built-in themes draw as well:
// the toolbar chevron, the close cross of a panel caption bar and the status
// bar's size grip.
#pragma once

#include "platform/win/win.h"

namespace TBWDefault {

// Where a toolbar's chevron goes in R: a 5 x 8 box whose right edge is 4
// pixels inside R (vertical toolbars), or an 8 x 5 box 4 pixels below the
// top (horizontal ones), centred the other way.
TRect ChevronGlyphBox(const TRect& R, bool Vertical);
// The chevron pattern filling Box (from ChevronGlyphBox) in Color.
void DrawChevronPattern(HDC DC, const TRect& Box, bool Vertical, TColor Color);

// The 7 x 6 close cross of a panel caption bar, centred in R.
void DrawPanelCloseCross(HDC DC, const TRect& R, TColor Color);

// 45-degree lines out from the bottom-right corner of R: three groups of a
// shadow and a light line, each led by lines that grow with the grip (BarColor
// and shadow lines), closed by a BarColor corner.
void DrawSizeGrip(HDC DC, const TRect& R, TColor BarColor);

}  // namespace TBWDefault
