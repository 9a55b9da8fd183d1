// Rich-text (RTF 1.x) messages to plain text. Groups and destinations are
// followed (font, colour and style tables, information groups, pictures and
// "\*" groups are skipped); paragraph, line, row, page and section marks
// become CR LF, tabs and table cells a tab;
// "\'hh" escapes go through the document's code page (\ansicpg, 1252 when
// absent) and "\uN" through UTF-16, so the result is UTF-8.
#pragma once

#include <string>
#include <string_view>

// Whether Text is RTF: it begins with exactly "{\rtf1".
bool IsRtfText(std::string_view Text);

// The text of an RTF message; any other text comes back unchanged.
std::string RtfToText(std::string_view Text);

// The value of a string of hexadecimal digits (either case; "" gives 0).
// Raises EConvertError for another character and EIntOverflow beyond 32 bits.
int LowerHexToInt(std::string_view Digits);
