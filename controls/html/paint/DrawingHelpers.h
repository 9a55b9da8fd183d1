// Drawing helpers of the viewer's document objects: colours as the style
// model writes them made plain, solid fills and lines, the nine CSS border
// styles, raised and sunken frames.
#pragma once

#include <array>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

// A style colour as a plain RGB value: system colours resolved, the
// palette-relative mark 0x02000000 dropped.
COLORREF PlainColor(TColor Color);
// Each of red, green and blue times 0.75, rounded.
TColor Darker(TColor Color);

void FillSolid(HDC DC, const TRect& R, TColor Color);
void FillPolygon(HDC DC, const TPoint* Points, int Count, TColor Color);
void SolidLine(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color);

// Border styles 0 none, 1 solid, 2 inset, 3 outset, 4 groove, 5 ridge,
// 6 dashed, 7 dotted, 8 double; sides 0 left, 1 top, 2 right, 3 bottom.
using TBorderColors = std::array<TColor, 4>;
using TBorderStyles = std::array<int, 4>;
// Paints the band between Outer and Inner. Background (unless clNone) fills
// the band first where a dashed, dotted or double side leaves gaps.
void DrawBorder(HDC DC, TRect Outer, TRect Inner, const TBorderColors& Colors, const TBorderStyles& Styles,
                TColor Background);

// A 3-D frame of Width pixels round R: light on the left and top when
// Raised, dark there when sunken. WhiteBackground picks silver as the light
// colour, else the button highlight.
void RaisedFrame(HDC DC, const TRect& R, bool Raised, int Width, bool WhiteBackground);
