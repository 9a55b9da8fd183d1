// Code pages: conversion between 8-bit text in a numbered code page and wide
// text, with the platform's calls and numbers. The 8-bit code page of the
// layer (CP_ACP) is UTF-8; the other pages convert through iconv. A page that
// iconv cannot serve is reported absent (IsValidCodePage false, conversions 0).
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"
#include "platform/base/Utf.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_MACCP = 2;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

// The layer's 8-bit code page: 65001.
UINT GetACP();
UINT GetOEMCP();
BOOL IsValidCodePage(UINT CodePage);

// Converts cbMultiByte bytes (-1: up to and including the terminating zero) to
// wide characters. With cchWideChar 0 answers the number of wide characters
// needed; otherwise writes them and answers how many were written, or 0 when
// the buffer is too small (ERROR_INSUFFICIENT_BUFFER), the page is unknown
// (ERROR_INVALID_PARAMETER) or, with MB_ERR_INVALID_CHARS, the input is
// ill-formed (ERROR_NO_UNICODE_TRANSLATION). Ill-formed input otherwise
// becomes U+FFFD.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
// The reverse. Characters the page cannot show become lpDefaultChar's first
// byte ("?" when null), and *lpUsedDefaultChar tells whether that happened.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        BOOL* lpUsedDefaultChar);

// The next character of zero-terminated text in the code page: two bytes for
// a lead byte of a double-byte page, a whole sequence in UTF-8; the same
// pointer at the terminating zero.
LPSTR CharNextExA(WORD CodePage, LPCSTR lpCurrentChar, DWORD dwFlags);
BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);

// String forms of the two conversions; ok (when given) tells whether the page
// is known. Unknown pages give an empty result.
WideString CodePageToWide(UINT CodePage, std::string_view text, bool* ok = nullptr);
std::string WideToCodePage(UINT CodePage, std::u16string_view text, bool* ok = nullptr,
                           char defaultChar = '?', bool* usedDefault = nullptr);
