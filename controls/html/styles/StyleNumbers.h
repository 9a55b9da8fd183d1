// Numbers in style and attribute text: the strict number test, the longest
// numeric prefix, and rounding as the class library rounds (half to even).
#pragma once

#include <string_view>

// Half to even, clamped to the 32-bit range.
int RoundToInt(double Value);

// True, with the value, when the whole of Text is a number: an optional sign,
// digits with an optional decimal point (or a point and digits), an optional
// exponent. Non-finite and out-of-range values are not numbers.
bool ReadNumber(std::string_view Text, double& Value);

// The longest prefix of Text (cut before its first "e") that is a number:
// its value and its length. Length 0 and value 0 when there is none.
double NumberPrefix(std::string_view Text, std::size_t& Length);
