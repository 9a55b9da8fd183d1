// Drawing helpers of the viewer's document objects: colours as the style
// model writes them made plain, solid fills and lines, the nine CSS border
// styles, raised and sunken frames.
#pragma once

#include <array>
#include <string>

#include "controls/html/text/FontService.h"

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/win/gdi/GdiTypes.h"

class TBitmap;
class TSectionList;

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
// Raised, dark there when sunken. The light side is silver when printing or
// on a white document, else the button highlight; both sides are black on a
// monochrome printer. A frame one pixel wide is four lines (FrameLines).
void RaisedFrame(HDC DC, const TSectionList& Document, const TRect& R, bool Raised, int Width);
// The four one-pixel edges of a frame: left and top in Light and right and
// bottom in Dark when Raised, the other way round when sunken. The top is
// kept at -200 or below it and the bottom at 5000 or above.
void FrameLines(HDC DC, int Left, int Top, bool Raised, TColor Light, TColor Dark, int Bottom, int Right);
// The frame of a form control drawn into a printed page: on a monochrome
// device (when asked to check) black one-pixel lines, else two-pixel lines
// in silver and the button shadow; Filled paints the face (white on a
// monochrome device or unfilled).
void FormControlFrame(HDC DC, int Left, int Top, int Right, int Bottom, bool Filled, bool CheckMonochrome,
                      bool Raised);
// Text set in lines one letter height apart inside R, broken at spaces; a
// line whose bottom would pass R's bottom is not drawn. Nothing is drawn
// outside R.
void WrapText(HDC DC, const THtmlFontService& Fonts, const THtmlFontDesc& Font, TColor Color, const TRect& R,
              const std::u16string& Text);
// Bitmap stretched onto DC at (X, Y) in W x H through a device-independent
// copy, so that any target (a printer page too) receives the same pixels.
void DrawBitmapThroughCopy(HDC DC, int X, int Y, TBitmap* Bitmap, int W, int H);
// The font of the alt text of a missing picture: 8-point "Arial".
THtmlFontDesc AltTextFont(const THtmlFontService& Fonts);
