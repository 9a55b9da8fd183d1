// Drawing shortcuts that take a TColor (system colours and clNone included),
// the two-colour dither, three-dimensional frames, glyphs painted in one
// colour through a mask, and the drag frame.
#pragma once

#include <string>

#include "platform/base/Types.h"
#include "platform/win/win.h"

class TCanvas;
class TCustomImageList;

// A solid one-pixel pen, or the null pen for clNone. The caller deletes it.
HPEN PenForColor(TColor Color);
// The system brush for a system colour, a solid brush, or a hollow brush for
// clNone. DeleteObject on the answer is always safe (system and stock
// brushes ignore it).
HBRUSH BrushForColor(TColor Color);

// Fills unless Color is clNone; answers whether it filled.
bool FillRectColor(HDC DC, const TRect& R, TColor Color);
// Frames unless Color is clNone; with Shrink, R then loses one pixel on every
// side whatever the colour, so layouts do not depend on it.
void FrameRectColor(HDC DC, TRect& R, TColor Color, bool Shrink);
void DrawLineColor(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color);
// Points[0 .. LastIndex]. Lines exclude their end pixel.
void PolylineColor(HDC DC, const TPoint* Points, int LastIndex, TColor Color);
// Outlined in LineColor and filled with FillColor; nothing when both are clNone.
void PolygonColors(HDC DC, const TPoint* Points, int LastIndex, TColor LineColor, TColor FillColor);

// An 8 x 8 checker of C1 (where x + y is even) and C2. The caller deletes it.
HBRUSH DitherBrush(TColor C1, TColor C2);
void FillRectDithered(HDC DC, const TRect& R, TColor C1, TColor C2);

// R loses one pixel at right and bottom; its top and left edges are drawn in
// TopLeftColor, its bottom and right edges in BottomRightColor; then R loses
// one more pixel at its top-left (ShrinkTopLeft) or at its bottom-right.
void DrawFrame3D(HDC DC, TRect& R, TColor TopLeftColor, TColor BottomRightColor, bool ShrinkTopLeft);

// Caption text in Color on a clear brush (the canvas brush is solid
// afterwards); Rotated runs it downwards.
void DrawCaptionInColor(TCanvas* Canvas, const TRect& R, TColor Color, const std::string& Caption, UINT Format,
                        bool Rotated);

// Fills what lies of Outer outside Inner (nothing where Inner reaches the edge).
void FillRing(HDC DC, const TRect& Outer, const TRect& Inner, TColor Color);

// Text in the theme layer's small-caption font, in Color on a transparent
// background; Rotated runs it downwards.
void DrawSmallCaptionText(HDC DC, const TRect& R, const std::string& Text, TColor Color, UINT Format,
                          bool Rotated);
// The width of Text in the small-caption font.
int SmallCaptionTextWidth(HDC DC, const std::string& Text);
// The text of a window ("" without a window).
std::string WindowCaption(HWND Window);

// Paints, in Color, the pixels of the image that its mask leaves opaque
// (nothing for clNone); the pixels around keep what they had.
void DrawGlyphMask(HDC DC, int X, int Y, TCustomImageList* ImageList, int Index, TColor Color);
void DrawGlyphCentered(HDC DC, const TRect& R, TCustomImageList* ImageList, int Index, TColor Color);
// A monochrome pattern, one 16-bit word per row with bit 7 of the low byte
// the left-most pixel, centred in R: its set bits are painted in Color.
void DrawPatternGlyph(HDC DC, const TRect& R, int Width, int Height, const WORD* Bits, TColor Color);
// Paints Color where Mask (a DC holding a monochrome bitmap) is black, when
// PaintBlack, or white otherwise; the rest of the destination is kept.
void PaintThroughMask(HDC DC, int X, int Y, int Width, int Height, HDC Mask, bool PaintBlack, TColor Color);

// The half-tone drag frame, 3 pixels wide at the sides and 2 at top and
// bottom. Drawing the same rectangle twice leaves no trace; with OldRect the
// old frame is moved to NewRect in one inversion.
void DrawDragFrame(HDC DC, const TRect& NewRect, const TRect* OldRect);
