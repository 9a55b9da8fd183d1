#include "platform/base/IntConversions.h"

#include <cstdint>
#include <limits>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"

namespace {

std::string Hex(std::uint64_t v, int digits)
{
  static const char table[] = "0123456789ABCDEF";
  std::string r;
  do {
    r.insert(r.begin(), table[v & 15]);
    v >>= 4;
  } while (v);
  if (int(r.size()) < digits)
    r.insert(0, std::size_t(digits) - r.size(), '0');
  return r;
}

// Reads an integer of `bits` bits (32 or 64).
bool Parse(std::string_view s, int bits, Int64& value)
{
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ')
    ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size())
    return false;
  const std::uint64_t signedLimit = bits == 32 ? 0x80000000ull : 0x8000000000000000ull;
  const std::uint64_t hexLimit = bits == 32 ? 0xFFFFFFFFull : ~0ull;
  std::uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (hex && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else if (hex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else
      return false;
    if (hex) {
      if (magnitude > (hexLimit >> 4))
        return false;
      magnitude = (magnitude << 4) | std::uint64_t(digit);
    } else {
      if (magnitude > (signedLimit - std::uint64_t(digit)) / 10)
        return false;
      magnitude = magnitude * 10 + std::uint64_t(digit);
    }
  }
  if (hex) {
    // Hexadecimal digits are the bits of the value.
    Int64 v = bits == 32 ? Int64(std::int32_t(std::uint32_t(magnitude))) : Int64(magnitude);
    value = negative ? Int64(0 - std::uint64_t(v)) : v;
    if (bits == 32)
      value = std::int32_t(std::uint32_t(value));
    return true;
  }
  if (!negative && magnitude == signedLimit)
    return false;
  value = negative ? Int64(0 - magnitude) : Int64(magnitude);
  return true;
}

[[noreturn]] void RaiseInvalid(std::string_view s) { throw EConvertError(Format(SInvalidInteger, s)); }

}  // namespace

std::string IntToStr(Int64 Value) { return std::to_string(Value); }

std::string IntToHex(int Value, int Digits) { return Hex(std::uint32_t(Value), Digits); }
std::string IntToHex(unsigned Value, int Digits) { return Hex(Value, Digits); }
std::string IntToHex(long Value, int Digits) { return Hex(std::uint64_t(Value), Digits); }
std::string IntToHex(unsigned long Value, int Digits) { return Hex(Value, Digits); }
std::string IntToHex(long long Value, int Digits) { return Hex(std::uint64_t(Value), Digits); }
std::string IntToHex(unsigned long long Value, int Digits) { return Hex(Value, Digits); }

bool TryStrToInt(std::string_view S, int& Value)
{
  Int64 v = 0;
  if (!Parse(S, 32, v))
    return false;
  Value = int(v);
  return true;
}

bool TryStrToInt64(std::string_view S, Int64& Value) { return Parse(S, 64, Value); }

int StrToInt(std::string_view S)
{
  int v = 0;
  if (!TryStrToInt(S, v))
    RaiseInvalid(S);
  return v;
}

Int64 StrToInt64(std::string_view S)
{
  Int64 v = 0;
  if (!TryStrToInt64(S, v))
    RaiseInvalid(S);
  return v;
}

int StrToIntDef(std::string_view S, int Default)
{
  int v = 0;
  return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64Def(std::string_view S, Int64 Default)
{
  Int64 v = 0;
  return TryStrToInt64(S, v) ? v : Default;
}
