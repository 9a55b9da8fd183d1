#include "controls/utility/detail/ValueText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/HexDigit.h"
#include "platform/base/SysConsts.h"
#include "platform/base/StringRoutines.h"

namespace ut_detail {

namespace {

[[noreturn]] void BadFloat(std::string_view text)
{
  throw EConvertError(Format(SInvalidFloat, text));
}

[[noreturn]] void BadDate(std::string_view text)
{
  throw EConvertError("'" + std::string(text) + "' n'est pas une date et heure valide");
}

bool ReadNumber(std::string_view& s, std::size_t digits, WORD& value)
{
  if (s.size() < digits)
    return false;
  value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    if (s[i] < '0' || s[i] > '9')
      return false;
    value = WORD(value * 10 + (s[i] - '0'));
  }
  s.remove_prefix(digits);
  return true;
}

// One to Max digits.
bool ReadDigits(std::string_view& s, std::size_t Max, WORD& value)
{
  std::size_t n = 0;
  while (n < s.size() && n < Max && s[n] >= '0' && s[n] <= '9')
    ++n;
  return n > 0 && ReadNumber(s, n, value);
}

bool Expect(std::string_view& s, char c)
{
  if (s.empty() || s[0] != c)
    return false;
  s.remove_prefix(1);
  return true;
}

}  // namespace

std::string FloatToText(double value)
{
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double TextToFloat(std::string_view text)
{
  std::string t = Trim(text);
  if (t.find('.') == std::string::npos)
    if (auto comma = t.find(','); comma != std::string::npos)
      t[comma] = '.';
  if (!t.empty() && t[0] == '+')
    t.erase(0, 1);
  double value = 0;
  auto result = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || result.ec != std::errc() || result.ptr != t.data() + t.size() || !std::isfinite(value))
    BadFloat(text);
  return value;
}

std::string DateTimeToText(TDateTime value)
{
  WORD year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  if (!std::isfinite(value))
    BadDate(FloatToText(value));
  DecodeDateTime(value, year, month, day, hour, minute, second, ms);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u %02u:%02u:%02u.%03u", unsigned(year), unsigned(month),
                unsigned(day), unsigned(hour), unsigned(minute), unsigned(second), unsigned(ms));
  return buffer;
}

TDateTime TextToDateTime(std::string_view text)
{
  std::string trimmed = Trim(text);
  std::string_view s = trimmed;
  WORD year, month, day, hour = 0, minute = 0, second = 0, ms = 0;
  bool dateRead = false;
  if (s.find('/') < s.find(' ')) {
    // What the French locale wrote before: "dd/mm/yyyy[ hh:nn:ss]".
    dateRead = ReadDigits(s, 2, day) && Expect(s, '/') && ReadDigits(s, 2, month) && Expect(s, '/') &&
               ReadNumber(s, 4, year);
  } else {
    dateRead = ReadNumber(s, 4, year) && Expect(s, '-') && ReadNumber(s, 2, month) && Expect(s, '-') &&
               ReadNumber(s, 2, day);
  }
  if (!dateRead)
    BadDate(text);
  if (!s.empty()) {
    if (!(Expect(s, ' ') || Expect(s, 'T')) || !ReadDigits(s, 2, hour) || !Expect(s, ':') ||
        !ReadDigits(s, 2, minute))
      BadDate(text);
    if (Expect(s, ':') && !ReadDigits(s, 2, second))
      BadDate(text);
    if (Expect(s, '.') && !ReadNumber(s, 3, ms))
      BadDate(text);
    if (!s.empty())
      BadDate(text);
  }
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, second, ms, time))
    BadDate(text);
  // The time of a day before the epoch counts as the fraction's absolute value.
  return date < 0 ? date - time : date + time;
}

std::string BytesToHex(const void* data, std::size_t size)
{
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(size * 2);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    text += Digits[bytes[i] >> 4];
    text += Digits[bytes[i] & 15];
  }
  return text;
}

std::vector<std::uint8_t> HexToBytes(std::string_view text)
{
  auto digit = [&](char c) {
    int value = HexDigitValue(c);
    if (value >= 0)
      return value;
    throw EConvertError("'" + std::string(text) + "' n'est pas une suite d'octets valide");
  };
  if (text.size() % 2)
    digit('?');
  std::vector<std::uint8_t> bytes(text.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = std::uint8_t(digit(text[2 * i]) << 4 | digit(text[2 * i + 1]));
  return bytes;
}

}  // namespace ut_detail
