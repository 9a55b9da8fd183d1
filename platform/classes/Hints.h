// Hint texts: "short|long", the short part for the hint window, the long part
// for a status line. A text without "|" is both.
#pragma once

#include <string>

std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);
