// Zero-terminated string routines. Memory from StrAlloc and StrNew carries its
// size and is given back with StrDispose only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/base/Types.h"

Cardinal StrLen(const char* Str);
char* StrEnd(const char* Str);
std::string StrPas(const char* Str);

// A buffer of Size bytes (the first set to zero).
char* StrAlloc(Cardinal Size);
// The size given to StrAlloc (StrNew: length + 1).
Cardinal StrBufSize(const char* Str);
// A copy of Str; null for null or empty text.
char* StrNew(const char* Str);
void StrDispose(char* Str);

char* StrCopy(char* Dest, const char* Source);
// At most MaxLen bytes and the terminating zero.
char* StrLCopy(char* Dest, const char* Source, Cardinal MaxLen);
char* StrPCopy(char* Dest, std::string_view Source);
char* StrPLCopy(char* Dest, std::string_view Source, Cardinal MaxLen);
char* StrCat(char* Dest, const char* Source);

int StrComp(const char* Str1, const char* Str2);
// Without case for ASCII letters.
int StrIComp(const char* Str1, const char* Str2);
int StrLComp(const char* Str1, const char* Str2, Cardinal MaxLen);
int StrLIComp(const char* Str1, const char* Str2, Cardinal MaxLen);

// The first (StrScan) or last (StrRScan) occurrence of Chr, null when absent.
// The terminating zero can be searched for.
char* StrScan(const char* Str, char Chr);
char* StrRScan(const char* Str, char Chr);
// The first occurrence of Str2 in Str1, null when absent or either is null.
char* StrPos(const char* Str1, const char* Str2);
