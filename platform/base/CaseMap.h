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

// Character types (CT_CTYPE1), one word per unit of the text: the C1_* bits.
// Letters are the characters that have a case (upper, lower, or both ASCII
// letters); digits, spaces, blanks, controls and punctuation are the ASCII
// ones (and the no-break space as a space and a blank). In 8-bit (UTF-8) text
// every byte of a character gets that character's type; bytes that are not
// well-formed UTF-8 get 0. The locale is not consulted.
constexpr DWORD CT_CTYPE1 = 1;
constexpr WORD C1_UPPER = 0x1, C1_LOWER = 0x2, C1_DIGIT = 0x4, C1_SPACE = 0x8, C1_PUNCT = 0x10, C1_CNTRL = 0x20,
               C1_BLANK = 0x40, C1_XDIGIT = 0x80, C1_ALPHA = 0x100;
BOOL GetStringTypeExW(DWORD locale, DWORD infoType, LPCWSTR text, int count, WORD* types);
BOOL GetStringTypeExA(DWORD locale, DWORD infoType, LPCSTR text, int count, WORD* types);
