#pragma once

// The value of a hexadecimal digit: 0-9 for '0'-'9', 10-15 for 'a'-'f' and
// 'A'-'F', -1 for any other character. Constant-evaluable so GUID literals can
// be read at compile time.
constexpr int HexDigitValue(char c)
{
  return c >= '0' && c <= '9'   ? c - '0'
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                : -1;
}
