// The character entity references of HTML 4.01 (the Latin-1, symbol and
// special sets), looked up case-sensitively: "Eacute" and "eacute" are two
// letters, "EACUTE" is none.
#pragma once

#include <string_view>

inline constexpr int EntityCount = 252;

// The code of a named entity, or -1 when the name is unknown.
int EntityCode(std::string_view Name);

// The name of the index-th entity of the table (0 .. EntityCount - 1), in
// table order; used to build dictionaries and tests.
std::string_view EntityName(int Index);
