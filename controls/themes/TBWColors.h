// Colour arithmetic shared by the themes: mixing, blending, brightness,
// distance and contrast. Colours are TColor values (red in the low byte); the
// routines that say so resolve system colours first.
#pragma once

#include "platform/base/Types.h"

// (C1 * W + C2 * (255 - W)) shr 8 per channel; W below 256
// (EAssertionFailed otherwise). White on black at 255 gives 254.
TColor WeightedColorMix(TColor C1, TColor C2, int W);
// WeightedColorMix snapped to the screen's nearest colour.
TColor NearestMixedColor(TColor C1, TColor C2, int W);
// Every channel moved by Delta, clamped to 0 .. 255.
TColor ShiftColor(TColor C, int Delta);

// Per channel (C2 * (Scale - W) + C1 * W + Scale div 2) div Scale: the one
// blend behind the two scales below.
TColor ScaledBlend(TColor C1, TColor C2, int W, int Scale);
// W per cent of C1 (W out of 100).
inline TColor BlendPercent(TColor C1, TColor C2, int Percent) { return ScaledBlend(C1, C2, Percent, 100); }
// W per mille of C1 (W out of 1000).
inline TColor BlendPermille(TColor C1, TColor C2, int Permille) { return ScaledBlend(C1, C2, Permille, 1000); }
// The themes' colour tables mix both scales in one column: a W below 100 is a
// percentage, from 100 on a per-mille value (so 100 means 10 %).
inline TColor PercentBlend(TColor C1, TColor C2, int W)
{
  return W < 100 ? BlendPercent(C1, C2, W) : BlendPermille(C1, C2, W);
}

// (R * 76 + G * 150 + B * 30) shr 8.
int Luminance(TColor Color);
bool IsDarkerThan(TColor C, int Level);
// Euclidean distance in the weighted space (weights 195/255, 390/255,
// 65/255), single precision.
float ColorDistance(TColor C1, TColor C2);
float ScaledMinimumDistance(float D, float Brightness);
bool HasContrast(TColor C, TColor Background, bool AdjustByBrightness, float D);
// Moves C (system colours resolved) until it stands at least D (scaled by the
// background's brightness) from Background, along the line from black or from
// white through C; unchanged when it already has that contrast.
void EnsureContrast(TColor& C, TColor Background, float D);
TColor SwapRedBlue(TColor Color);
