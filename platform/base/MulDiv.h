// MulDiv: number * numerator / denominator with a 64-bit intermediate, the
// result rounded half away from zero; -1 for a zero denominator or a result
// outside 32 bits.
#pragma once

#include "platform/base/Types.h"

int MulDiv(int number, int numerator, int denominator);
