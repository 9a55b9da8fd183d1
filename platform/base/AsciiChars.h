#pragma once

// Character classes of the ASCII range, whatever the locale: markup, style
// sheets and file formats spell their names and numbers in it.
constexpr bool IsAsciiDigit(char C) { return C >= '0' && C <= '9'; }
constexpr bool IsAsciiLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }
