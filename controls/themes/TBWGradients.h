// Gradient fills: through GradientFill when the system has it, else in
// one-pixel strips from a small cache of colour ramps.
#pragma once

#include <vector>

#include "platform/win/win.h"

// The Length colours from C1 to C2 (RGB values), both ends included: entry i
// is C1 + (n div 2 + i * delta) / n per channel with n = Length - 1, the
// division rounding down so that falling ramps end on C2 just as rising ones
// do; a ramp of one colour is the midpoint. Length above 0
// (EAssertionFailed otherwise). The answer lives in one of 16 cache slots
// keyed on (Length, C1, C2) and stays valid until 16 other ramps were made.
const std::vector<COLORREF>& RampFor(int Length, COLORREF C1, COLORREF C2);
// The number of ramps made since the cache was last emptied (for tests).
int RampsBuilt();
void ClearRampCache();

// Fills R from C1 to C2 (TColor values, system colours included), left to
// right or top to bottom; nothing when R is not visible.
void GradientFillRect(HDC DC, const TRect& R, TColor C1, TColor C2, bool Vertical);
