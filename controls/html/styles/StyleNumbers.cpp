#include "controls/html/styles/StyleNumbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "platform/base/AsciiChars.h"

int RoundToInt(double Value)
{
  if (std::isnan(Value))
    return 0;
  double R = std::nearbyint(Value);  // the default rounding mode: half to even
  if (R >= double(INT_MAX))
    return INT_MAX;
  if (R <= double(INT_MIN))
    return INT_MIN;
  return int(R);
}

namespace {

// The length of the number that starts Text (sign, digits, point, digits and,
// when Exponent, an exponent), 0 when none does.
std::size_t ScanNumber(std::string_view Text, bool Exponent)
{
  std::size_t I = 0;
  if (I < Text.size() && (Text[I] == '+' || Text[I] == '-'))
    ++I;
  std::size_t Digits = 0;
  while (I < Text.size() && IsAsciiDigit(Text[I]))
    ++I, ++Digits;
  if (I < Text.size() && Text[I] == '.') {
    std::size_t AfterPoint = I + 1;
    std::size_t Fraction = 0;
    while (AfterPoint + Fraction < Text.size() && IsAsciiDigit(Text[AfterPoint + Fraction]))
      ++Fraction;
    if (Digits + Fraction > 0) {
      I = AfterPoint + Fraction;
      Digits += Fraction;
    }
  }
  if (Digits == 0)
    return 0;
  if (Exponent && I < Text.size() && (Text[I] == 'e' || Text[I] == 'E')) {
    std::size_t J = I + 1;
    if (J < Text.size() && (Text[J] == '+' || Text[J] == '-'))
      ++J;
    std::size_t ExpDigits = 0;
    while (J + ExpDigits < Text.size() && IsAsciiDigit(Text[J + ExpDigits]))
      ++ExpDigits;
    if (ExpDigits > 0)
      I = J + ExpDigits;
  }
  return I;
}

bool Convert(std::string_view Text, double& Value)
{
  if (!Text.empty() && Text[0] == '+')
    Text.remove_prefix(1);
  // from_chars reads neither a leading "+" nor ".5" after a sign in every
  // library, so the accepted text is rebuilt in its plainest form.
  std::string Plain(Text);
  if (!Plain.empty() && Plain[0] == '.')
    Plain.insert(0, 1, '0');
  else if (Plain.size() > 1 && Plain[0] == '-' && Plain[1] == '.')
    Plain.insert(1, 1, '0');
  std::size_t Point = Plain.find('.');
  if (Point != std::string::npos && (Point + 1 == Plain.size() || Plain[Point + 1] == 'e' || Plain[Point + 1] == 'E'))
    Plain.erase(Point, 1);
  auto [End, Error] = std::from_chars(Plain.data(), Plain.data() + Plain.size(), Value);
  return Error == std::errc() && End == Plain.data() + Plain.size() && std::isfinite(Value);
}

}  // namespace

bool ReadNumber(std::string_view Text, double& Value)
{
  Value = 0;
  if (Text.empty() || ScanNumber(Text, true) != Text.size())
    return false;
  if (!Convert(Text, Value)) {
    Value = 0;
    return false;
  }
  return true;
}

double NumberPrefix(std::string_view Text, std::size_t& Length)
{
  std::size_t E = Text.find_first_of("eE");
  if (E != std::string_view::npos)
    Text = Text.substr(0, E);
  Length = ScanNumber(Text, false);
  double Value = 0;
  if (Length == 0 || !Convert(Text.substr(0, Length), Value))
    return 0;
  return Value;
}
