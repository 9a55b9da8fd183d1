// Private to the base layer: the comparison of text by the rules of the French
// locale, shared by the 8-bit and the wide comparisons.
#pragma once

#include <string>
#include <string_view>

namespace corvane::detail {

// Letters compare first by their base letter ("é" with "e"), then by accent,
// then (when case counts) lower case before upper case, and last by code
// point, so that 0 means equal text (equal once upper-cased when case does
// not count). Answers -1, 0 or 1.
int Collate(const std::u32string& a, const std::u32string& b, bool ignoreCase);

// The same order for two texts of ASCII bytes only, read in place: file
// names and keys are compared often and would otherwise be widened first.
int CollateAscii(std::string_view a, std::string_view b, bool ignoreCase);

// True when every byte of the text is below 0x80.
bool IsAscii(std::string_view s);

}  // namespace corvane::detail
