// UTF-8 and UTF-16, the two text forms of the layer. 8-bit text is UTF-8;
// wide text is UTF-16 in a std::u16string (WideString). Conversions never fail:
// each maximal ill-formed sequence and each lone surrogate becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

using WideString = std::u16string;

inline constexpr char32_t ReplacementChar = 0xFFFD;

// Decodes the character at text[pos] and moves pos past it. An ill-formed
// sequence yields ReplacementChar and moves pos past its maximal subpart (at
// least one byte). pos must be below text.size().
char32_t DecodeUtf8Char(std::string_view text, std::size_t& pos, bool* valid = nullptr);
// Appends the UTF-8 form of c (ReplacementChar for surrogates and values past U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);
// Decodes the character at text[pos] (a pair of surrogates or one unit) and
// moves pos past it; a lone surrogate yields ReplacementChar.
char32_t DecodeUtf16Char(std::u16string_view text, std::size_t& pos, bool* valid = nullptr);
void AppendUtf16(std::u16string& out, char32_t c);

WideString UTF8Decode(std::string_view text);
std::string UTF8Encode(std::u16string_view text);

// Number of characters (code points, ill-formed sequences counting one each).
std::size_t Utf8Length(std::string_view text);

// The longest prefix of text of at most maxBytes bytes that does not end inside
// a UTF-8 character: the byte after the cut decides.
std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes);
// Text whose end may fall inside a character (the rest was lost): without a
// last character whose lead byte announces more bytes than are left.
std::string_view WithoutPartialLastChar(std::string_view text);
