// The striped theme's textures: thin horizontal stripes whose phase follows
// the view's area, the raised-dot texture of drag handles and captions, and
// soft outlines with cut corners.
#pragma once

#include "platform/win/win.h"

// The light and dark stripe colours over background C (screen-nearest).
struct TStripeColors {
  TColor Light = 0;
  TColor Dark = 0;
};
TStripeColors StripeColorsFor(TColor C);

// Stripes over R with the phase of Area: a dark row where (y - Area.Top) is a
// multiple of 5, a light row below it. Only R is painted (first filled with
// C unless BackgroundPainted), so painting an area in pieces gives the same
// pixels as painting it at once.
void DrawStripes(HDC DC, const TRect& R, const TRect& Area, TColor C, bool BackgroundPainted);

// A one-pixel closed outline of R with corners cut by A (left) and B (right).
void DrawSoftOutline(HDC DC, const TRect& R, int A, int B, TColor Color);

// The dot texture in R inset by Inset, centred on a grid of 4: on C when C is
// a colour (R filled with it first), or single highlight and shadow dots over
// what is there when C is clNone.
void DrawDotTexture(HDC DC, const TRect& R, TColor C, int Inset);

// The dithered faces of a pushed and of a hot button.
void FillPushedButtonFace(HDC DC, const TRect& R);
void FillHotButtonFace(HDC DC, const TRect& R);

// One use of the 8 x 8 dot tile shared by every striped theme.
class TDotTileUse {
public:
  TDotTileUse();
  ~TDotTileUse();
  TDotTileUse(const TDotTileUse&) = delete;
  TDotTileUse& operator=(const TDotTileUse&) = delete;
};
