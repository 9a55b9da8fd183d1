// Character classification and case tables of the 8-bit code page, and the
// splitting and joining of strings. The 8-bit code page is UTF-8, so a single
// byte is a letter only in the ASCII range; bytes of 0x80 and above are parts
// of longer characters and keep their value in every case table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

bool IsLowerCaseChar(char Ch);
bool IsUpperCaseChar(char Ch);
// The character-type flags of a byte (C1_UPPER 1, C1_LOWER 2, C1_DIGIT 4,
// C1_SPACE 8, C1_PUNCT 0x10, C1_CNTRL 0x20, C1_BLANK 0x40, C1_XDIGIT 0x80,
// C1_ALPHA 0x100).
unsigned CharTypeFlags(char Ch);

// The case tables: lower case, upper case, and the case reversed (letters of
// one case become the other, everything else stays).
char LowerCaseChar(char Ch);
char UpperCaseChar(char Ch);
char ReverseCaseChar(char Ch);

// The number of occurrences of Ch in S.
int CountChar(std::string_view S, char Ch);
// The first N characters (all of S when shorter, none for N below 1).
std::string LeftChars(std::string_view S, int N);
// The characters from position N (1-based; below 1 counts as 1) to the end.
std::string CharsFrom(std::string_view S, int N);

// Fills List with the parts of S between occurrences of Separator; empty parts
// only with AllowEmpty, and never an empty last part. An empty Separator
// leaves S whole.
void SplitString(std::string_view S, std::string_view Separator, std::vector<std::string>& List, bool AllowEmpty);
// The entries (the empty ones only with AllowEmpty) joined by Separator.
std::string JoinStrings(const std::vector<std::string>& List, std::string_view Separator, bool AllowEmpty);
