// Unicode case mapping of single characters and the platform's in-place case
// conversions. Mappings are one-to-one ("ß" keeps its form), so a conversion
// never changes the length of wide text.
#pragma once

#include "platform/base/Types.h"

char32_t UnicodeToUpper(char32_t c);
char32_t UnicodeToLower(char32_t c);

// Wide text: every character, including those written as surrogate pairs.
DWORD CharUpperBuffW(LPWSTR lpsz, DWORD cchLength);
DWORD CharLowerBuffW(LPWSTR lpsz, DWORD cchLength);
// 8-bit (UTF-8) text: a character is replaced only when its converted form
// takes as many bytes, so the buffer keeps its length; bytes that are not
// well-formed UTF-8 stay as they are.
DWORD CharUpperBuffA(LPSTR lpsz, DWORD cchLength);
DWORD CharLowerBuffA(LPSTR lpsz, DWORD cchLength);
