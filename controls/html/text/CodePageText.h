// 8-bit text in a code page and wide text: the conversions of the viewer,
// with the layer's 8-bit code page as the fallback for a page the platform
// does not know.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

// The conversion to wide text; a page that converts nothing is tried again as
// the layer's 8-bit code page.
std::u16string MultibyteToWideString(UINT CodePage, std::string_view Text);
// The reverse: UTF-8 for 65001, else the page, else the layer's 8-bit page.
std::string WideStringToMultibyte(UINT CodePage, std::u16string_view Text);

// Converts Bytes (with one source position per byte) and appends the wide
// characters to Chars, each with the position of the first byte of its
// character, so that every wide character has a position.
void AppendConverted(std::string_view Bytes, const int* BytePositions, UINT CodePage, std::u16string& Chars,
                     std::vector<int>& Positions);

// True for the pages where a byte above 127 is not a character of its own
// (UTF-8 and the double-byte pages): a lone byte written as a numeric
// reference cannot be converted there.
bool IsMultiByteCodePage(UINT CodePage);
