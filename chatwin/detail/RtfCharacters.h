// Character output of the RTF converter: 8-bit characters in a code page and
// UTF-16 units, both appended to UTF-8 text.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/HexDigit.h"

// Whether the code page can be converted here.
bool IsKnownCodePage(int CodePage);
// Appends Bytes, characters of CodePage, as UTF-8. Single-byte pages go
// through a table of the page's upper half, built once per page.
void AppendCodePageText(int CodePage, std::string_view Bytes, std::string& Out);
// Appends UTF-16 units as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf16Text(std::u16string_view Units, std::string& Out);
