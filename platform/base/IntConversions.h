// Integers to and from text. Text to integer reads an optional sign, then
// decimal digits or hexadecimal ones after "$" or "0x"; leading spaces are
// skipped, nothing may follow. Hexadecimal text fills the whole width
// ("$FFFFFFFF" is -1 as a 32-bit integer).
#pragma once

#include <string>
#include <string_view>

#include "platform/base/Types.h"

std::string IntToStr(Int64 Value);
// Upper-case hexadecimal of at least Digits digits. Negative values show in
// their own width: IntToHex(-1, 2) is "FFFFFFFF", IntToHex(Int64(-1), 2) has 16.
std::string IntToHex(int Value, int Digits);
std::string IntToHex(unsigned Value, int Digits);
std::string IntToHex(long Value, int Digits);
std::string IntToHex(unsigned long Value, int Digits);
std::string IntToHex(long long Value, int Digits);
std::string IntToHex(unsigned long long Value, int Digits);

// Raise EConvertError "'<text>' n'est pas une valeur entière valide".
int StrToInt(std::string_view S);
Int64 StrToInt64(std::string_view S);
int StrToIntDef(std::string_view S, int Default);
Int64 StrToInt64Def(std::string_view S, Int64 Default);
bool TryStrToInt(std::string_view S, int& Value);
bool TryStrToInt64(std::string_view S, Int64& Value);
