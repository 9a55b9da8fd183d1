// Character set names that META, FONT and a document's own marks can give,
// with the font character set each stands for. Two numbers are private marks:
// 31 for ISO 8859-2 (character set 238 with code page 28592) and 30 for EUC-JP
// (the document is converted to Shift-JIS and shown with set 128).
#pragma once

#include <string_view>

inline constexpr int Iso8859_2Mark = 31;
inline constexpr int EucJpMark = 30;

// True, with the set of the first row (in table order) whose name occurs
// anywhere in the lower-cased Text: "ISO-8859-15" finds "8859-1" first.
bool TranslateCharset(std::string_view Text, int& CharSet);
