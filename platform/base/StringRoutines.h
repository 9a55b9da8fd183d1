// The run-time library's routines on 8-bit (UTF-8) strings. Positions and
// lengths count bytes and start at 1, as the system's code counts them.
// UpperCase, LowerCase, CompareText and SameText touch ASCII letters only; the
// Ansi* forms (AnsiStrings.h) know every letter.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Set.h"

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Byte order: <0, 0 or >0.
int CompareStr(std::string_view s1, std::string_view s2);
int CompareText(std::string_view s1, std::string_view s2);
bool SameText(std::string_view s1, std::string_view s2);

// Without the leading and trailing characters up to the space (controls included).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// 1-based position of the first occurrence of Substr, 0 when absent or empty.
int Pos(std::string_view Substr, std::string_view S);
// Count bytes from Index (1-based); an index below 1 counts from 1, the range is
// clamped to the string.
std::string Copy(std::string_view S, int Index, int Count);
// Removes Count bytes from Index; nothing when Index lies outside the string.
void Delete(std::string& S, int Index, int Count);
// Inserts Source before Index (clamped to 1 .. length + 1).
void Insert(std::string_view Source, std::string& S, int Index);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
CORVANE_ENUM_RANGE(TReplaceFlag, 0, 1);
using TReplaceFlags = Set<TReplaceFlag>;

// Replaces the first (or with rfReplaceAll every) occurrence of OldPattern;
// rfIgnoreCase compares every letter without case.
std::string StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                          TReplaceFlags Flags);

// S between single quotes, inner quotes doubled: O'Neil -> 'O''Neil'.
std::string QuotedStr(std::string_view S);
std::string AnsiQuotedStr(std::string_view S, char Quote);
// Reads a quoted string starting at Src (which must point at Quote), undoubling
// the quotes, and moves Src past the closing quote (or to the terminating zero
// when there is none). Answers "" when Src does not start with Quote.
std::string AnsiExtractQuotedStr(const char*& Src, char Quote);
// S without its quotes when it is quoted, else S itself.
std::string AnsiDequotedStr(std::string_view S, char Quote);

std::string StringOfChar(char Ch, int Count);
