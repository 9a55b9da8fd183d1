// Case conversion and locale comparison of 8-bit (UTF-8) text, for every
// letter: AnsiUpperCase("é") is "É", AnsiSameText("ÉCOLE", "école") holds.
// Comparisons follow the French locale: "é" sorts with "e", lower case
// before upper case. Bytes that are not well-formed UTF-8 pass unchanged.
#pragma once

#include <string>
#include <string_view>

std::string AnsiUpperCase(std::string_view S);
std::string AnsiLowerCase(std::string_view S);
int AnsiCompareStr(std::string_view S1, std::string_view S2);
int AnsiCompareText(std::string_view S1, std::string_view S2);
bool AnsiSameStr(std::string_view S1, std::string_view S2);
bool AnsiSameText(std::string_view S1, std::string_view S2);
// 1-based byte position of Substr in S, 0 when absent.
int AnsiPos(std::string_view Substr, std::string_view S);
