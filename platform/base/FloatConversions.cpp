#include "platform/base/FloatConversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <vector>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"

namespace {

// A value as 0.Digits x 10^Exponent; Digits has no trailing zeros and is
// empty for zero.
struct Decimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
};

// Parses the output of printf's %e or %f into a Decimal.
Decimal ParsePrinted(const char* text, bool negative)
{
  Decimal d;
  d.Negative = negative;
  int pointAt = -1, count = 0, exp10 = 0;
  std::string digits;
  for (const char* p = text; *p; ++p) {
    if (*p >= '0' && *p <= '9') {
      digits += *p;
      ++count;
    } else if (*p == '.') {
      pointAt = count;
    } else if (*p == 'e' || *p == 'E') {
      exp10 = std::atoi(p + 1);
      break;
    }
  }
  if (pointAt < 0)
    pointAt = count;
  std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos)
    return Decimal{negative, "", 0};
  d.Exponent = pointAt - int(first) + exp10;
  d.Digits = digits.substr(first);
  while (!d.Digits.empty() && d.Digits.back() == '0')
    d.Digits.pop_back();
  return d;
}

// Rounded to Precision significant digits and, when Decimals >= 0, to that
// many decimals as well. Halves round away from zero on the decimal digits
// (2.5 gives 3 at no decimals), as the run-time library rounds.
Decimal ToDecimal(double value, int precision, int decimals)
{
  precision = std::clamp(precision, 1, 17);
  // The 17 significant digits that identify the double, independent of the
  // process locale (unlike printf).
  char buffer[64];
  auto done = std::to_chars(buffer, buffer + sizeof(buffer) - 1, std::fabs(value), std::chars_format::scientific, 16);
  *done.ptr = 0;
  Decimal d = ParsePrinted(buffer, std::signbit(value));
  if (d.Digits.empty())
    return d;
  int keep = precision;
  if (decimals >= 0)
    keep = std::min(keep, d.Exponent + decimals);
  if (keep < 0)
    return Decimal{d.Negative, "", 0};
  if (keep < int(d.Digits.size())) {
    bool up = d.Digits[std::size_t(keep)] >= '5';
    d.Digits.resize(std::size_t(keep));
    if (up) {
      int i = keep - 1;
      while (i >= 0 && d.Digits[std::size_t(i)] == '9')
        d.Digits[std::size_t(i--)] = '0';
      if (i >= 0) {
        ++d.Digits[std::size_t(i)];
      } else {
        d.Digits.insert(d.Digits.begin(), '1');
        ++d.Exponent;
      }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
      d.Digits.pop_back();
    if (d.Digits.empty())
      d.Exponent = 0;
  }
  return d;
}

std::string Zeros(int n) { return n > 0 ? std::string(std::size_t(n), '0') : std::string(); }

std::string ExponentText(int exponent, int minDigits, bool plusSign)
{
  std::string digits = std::to_string(std::abs(exponent));
  if (int(digits.size()) < minDigits)
    digits = Zeros(minDigits - int(digits.size())) + digits;
  return std::string(exponent < 0 ? "-" : (plusSign ? "+" : "")) + digits;
}

std::string WithThousands(const std::string& integer, const std::string& separator)
{
  std::string r;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0)
      r += separator;
    r += integer[i];
  }
  return r;
}

std::string General(const Decimal& d, int precision, int digits, const TFormatSettings& fs)
{
  if (d.Digits.empty())
    return "0";
  std::string r = d.Negative ? "-" : "";
  if (d.Exponent > precision || d.Exponent < -3) {
    r += d.Digits[0];
    if (d.Digits.size() > 1)
      r += fs.DecimalSeparator + d.Digits.substr(1);
    return r + "E" + ExponentText(d.Exponent - 1, std::clamp(digits, 0, 4), false);
  }
  if (d.Exponent <= 0)
    return r + "0" + fs.DecimalSeparator + Zeros(-d.Exponent) + d.Digits;
  if (int(d.Digits.size()) <= d.Exponent)
    return r + d.Digits + Zeros(d.Exponent - int(d.Digits.size()));
  return r + d.Digits.substr(0, std::size_t(d.Exponent)) + fs.DecimalSeparator + d.Digits.substr(std::size_t(d.Exponent));
}

std::string Exponent(const Decimal& d, int precision, int digits, const TFormatSettings& fs)
{
  precision = std::clamp(precision, 1, 17);
  std::string mantissa = d.Digits + Zeros(precision - int(d.Digits.size()));
  std::string r = d.Negative && !d.Digits.empty() ? "-" : "";
  r += mantissa[0];
  if (precision > 1)
    r += fs.DecimalSeparator + mantissa.substr(1);
  int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
  return r + "E" + ExponentText(exponent, std::clamp(digits, 0, 4), true);
}

// The unsigned integer and fraction parts of a fixed form.
void FixedParts(const Decimal& d, int decimals, std::string& integer, std::string& fraction)
{
  integer.clear();
  fraction.clear();
  for (int i = 0; i < d.Exponent; ++i)
    integer += i < int(d.Digits.size()) ? d.Digits[std::size_t(i)] : '0';
  if (integer.empty())
    integer = "0";
  for (int i = 0; i < decimals; ++i) {
    int at = d.Exponent + i;
    fraction += (at >= 0 && at < int(d.Digits.size())) ? d.Digits[std::size_t(at)] : '0';
  }
}

std::string Currency(const std::string& number, bool negative, const TFormatSettings& fs)
{
  const std::string& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
    case 0: return c + number;
    case 1: return number + c;
    case 2: return c + " " + number;
    default: return number + " " + c;
    }
  }
  switch (fs.NegCurrFormat) {
  case 0: return "(" + c + number + ")";
  case 1: return "-" + c + number;
  case 2: return c + "-" + number;
  case 3: return c + number + "-";
  case 4: return "(" + number + c + ")";
  case 5: return "-" + number + c;
  case 6: return number + "-" + c;
  case 7: return number + c + "-";
  case 8: return "-" + number + " " + c;
  case 9: return "-" + c + " " + number;
  case 10: return number + " " + c + "-";
  case 11: return c + " " + number + "-";
  case 12: return c + " -" + number;
  case 13: return number + "- " + c;
  case 14: return "(" + c + " " + number + ")";
  default: return "(" + number + " " + c + ")";
  }
}

}  // namespace

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings)
{
  if (std::isnan(Value))
    return "NAN";
  if (std::isinf(Value))
    return Value > 0 ? "INF" : "-INF";
  Precision = std::clamp(Precision, 1, 17);
  switch (Format) {
  case ffGeneral:
    return General(ToDecimal(Value, Precision, -1), Precision, Digits, Settings);
  case ffExponent:
    return Exponent(ToDecimal(Value, Precision, -1), Precision, Digits, Settings);
  case ffFixed:
  case ffNumber:
  case ffCurrency: {
    Digits = std::clamp(Digits, 0, 18);
    Decimal d = ToDecimal(Value, Precision, Digits);
    if (d.Exponent > Precision)
      return General(d, Precision, 0, Settings);
    std::string integer, fraction;
    FixedParts(d, Digits, integer, fraction);
    if (Format != ffFixed)
      integer = WithThousands(integer, Settings.ThousandSeparator);
    std::string number = integer + (Digits > 0 ? Settings.DecimalSeparator + fraction : std::string());
    bool negative = d.Negative && !d.Digits.empty();
    if (Format == ffCurrency)
      return Currency(number, negative, Settings);
    return (negative ? "-" : "") + number;
  }
  }
  return {};
}

std::string FloatToStr(double Value, const TFormatSettings& Settings)
{
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

namespace {

// One section of a FormatFloat picture.
struct Picture {
  std::string Prefix, Suffix;
  int IntegerZeros = 0;  // "0" before the point: the least count of integer digits
  int FractionZeros = 0, FractionMax = 0;
  bool Thousands = false, HasPlaceholder = false;
  bool Scientific = false, ExponentPlus = false;
  int ExponentDigits = 0;
};

std::vector<std::string> SplitSections(std::string_view format)
{
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote) {
      if (c == quote)
        quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

Picture ParsePicture(const std::string& section)
{
  Picture p;
  bool afterPoint = false, seenZero = false;
  for (std::size_t i = 0; i < section.size(); ++i) {
    char c = section[i];
    std::string& literal = p.HasPlaceholder ? p.Suffix : p.Prefix;
    if (c == '"' || c == '\'') {
      std::size_t end = section.find(c, i + 1);
      if (end == std::string::npos)
        end = section.size();
      literal += section.substr(i + 1, end - i - 1);
      i = end;
    } else if ((c == '0' || c == '#') && !p.Scientific) {
      p.HasPlaceholder = true;
      p.Suffix.clear();
      if (afterPoint) {
        ++p.FractionMax;
        if (c == '0')
          p.FractionZeros = p.FractionMax;
      } else if (c == '0' || seenZero) {
        seenZero = true;
        ++p.IntegerZeros;
      }
    } else if (c == '.' && !afterPoint && !p.Scientific) {
      afterPoint = true;
    } else if (c == ',' && !afterPoint && !p.Scientific) {
      p.Thousands = true;
    } else if ((c == 'E' || c == 'e') && p.HasPlaceholder && !p.Scientific && i + 1 < section.size() &&
               (section[i + 1] == '+' || section[i + 1] == '-')) {
      p.Scientific = true;
      p.ExponentPlus = section[i + 1] == '+';
      ++i;
      while (i + 1 < section.size() && section[i + 1] == '0') {
        ++p.ExponentDigits;
        ++i;
      }
      p.Suffix.clear();
    } else {
      literal += c;
    }
  }
  return p;
}

std::string ApplyPicture(const Picture& p, double value, const TFormatSettings& fs)
{
  std::string integer, fraction, exponent;
  if (p.Scientific) {
    int significant = std::max(1, std::max(p.IntegerZeros, 1) + p.FractionMax);
    Decimal d = ToDecimal(value, significant, -1);
    int intDigits = std::max(p.IntegerZeros, 1);
    int e = d.Digits.empty() ? 0 : d.Exponent - intDigits;
    Decimal shifted = d;
    shifted.Exponent = d.Digits.empty() ? 0 : intDigits;
    FixedParts(shifted, p.FractionMax, integer, fraction);
    exponent = "E" + ExponentText(e, p.ExponentDigits, p.ExponentPlus);
  } else {
    Decimal d = ToDecimal(value, 17, p.FractionMax);
    FixedParts(d, p.FractionMax, integer, fraction);
  }
  // The integer part keeps at least IntegerZeros digits; a lone 0 goes when
  // the picture asks for none.
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
  if (int(integer.size()) < p.IntegerZeros)
    integer = Zeros(p.IntegerZeros - int(integer.size())) + integer;
  while (int(fraction.size()) > p.FractionZeros && !fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  if (p.Thousands)
    integer = WithThousands(integer, fs.ThousandSeparator);
  std::string number = integer;
  if (!fraction.empty())
    number += fs.DecimalSeparator + fraction;
  if (number.empty())
    number = "0";
  return p.Prefix + number + exponent + p.Suffix;
}

}  // namespace

std::string FormatFloat(std::string_view Format, double Value, const TFormatSettings& Settings)
{
  if (std::isnan(Value) || std::isinf(Value) || Format.empty())
    return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
  std::vector<std::string> sections = SplitSections(Format);
  std::size_t index = 0;
  double shown = Value;
  if (Value < 0 && sections.size() > 1 && !sections[1].empty()) {
    index = 1;
    shown = -Value;  // the negative section writes its own sign
  }
  Picture p = ParsePicture(sections[index]);
  if (!p.HasPlaceholder)
    return p.Prefix;
  // The zero section serves values that show as zero in the chosen section.
  if (sections.size() > 2 && !sections[2].empty()) {
    Decimal d = ToDecimal(shown, 17, p.Scientific ? -1 : p.FractionMax);
    if (d.Digits.empty()) {
      Picture zero = ParsePicture(sections[2]);
      return zero.HasPlaceholder ? ApplyPicture(zero, 0.0, Settings) : zero.Prefix;
    }
  }
  std::string text = ApplyPicture(p, std::fabs(shown), Settings);
  bool negative = shown < 0 && text.find_first_of("123456789") != std::string::npos;
  return negative ? "-" + text : text;
}

bool TryStrToFloat(std::string_view S, double& Value, const TFormatSettings& Settings)
{
  std::size_t i = 0, n = S.size();
  auto blank = [&](std::size_t k) { return S[k] == ' ' || S[k] == '\t'; };
  while (i < n && blank(i))
    ++i;
  while (n > i && blank(n - 1))
    --n;
  std::string ascii;
  if (i < n && (S[i] == '+' || S[i] == '-'))
    ascii += S[i++];
  int mantissaDigits = 0;
  while (i < n && S[i] >= '0' && S[i] <= '9') {
    ascii += S[i++];
    ++mantissaDigits;
  }
  if (i < n && S[i] == Settings.DecimalSeparator) {
    ascii += '.';
    ++i;
    while (i < n && S[i] >= '0' && S[i] <= '9') {
      ascii += S[i++];
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0)
    return false;
  if (i < n && (S[i] == 'e' || S[i] == 'E')) {
    ascii += 'e';
    ++i;
    if (i < n && (S[i] == '+' || S[i] == '-'))
      ascii += S[i++];
    int exponentDigits = 0;
    while (i < n && S[i] >= '0' && S[i] <= '9') {
      ascii += S[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0)
      return false;
  }
  if (i != n)
    return false;
  // strtod_l in the C locale: independent of the process locale.
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  double v = strtod_l(ascii.c_str(), nullptr, cLocale);
  if (std::isinf(v))
    return false;  // beyond the range of a double
  Value = v;
  return true;
}

double StrToFloat(std::string_view S, const TFormatSettings& Settings)
{
  double v = 0;
  if (!TryStrToFloat(S, v, Settings))
    throw EConvertError(Format(SInvalidFloat, std::string(S)));
  return v;
}

double StrToFloatDef(std::string_view S, double Default, const TFormatSettings& Settings)
{
  double v = 0;
  return TryStrToFloat(S, v, Settings) ? v : Default;
}
