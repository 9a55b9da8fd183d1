#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/base/CheckedMath.h"
#include "platform/base/Exception.h"
#include "platform/base/FloatConversions.h"
#include "platform/base/Format.h"
#include "platform/base/IntConversions.h"

TEST(Format, IntegerAndTextForms)
{
  int32_t minusOne = -1;
  struct Case {
    std::string actual, expected;
  } cases[] = {
      {Format("%d|%5d|%-5d|%.3d", 42, 42, 42, -7), "42|   42|42   |-007"},
      {Format("%u", minusOne), "4294967295"},
      {Format("%x %X %.8x %.2x", 255, 255, 255, 4095), "FF FF 000000FF FFF"},
      {Format("%x", minusOne), "FFFFFFFF"},
      {Format("%x", int64_t(-1)), "FFFFFFFFFFFFFFFF"},
      {Format("%d", INT64_MIN), "-9223372036854775808"},
      {Format("%d", UINT64_MAX), "18446744073709551615"},
      {Format("%s-%s-%s", std::string("a"), "b", ShortString("c")), "a-b-c"},
      {Format("[%5s][%-4s][%.2s]", "é", "ab", "éèê"), "[    é][ab  ][éè]"},  // widths count characters
      {Format("%s", u"été"), "été"},
      {Format("%s%s", 'x', 'y'), "xy"},
      {Format("%1:s %0:s %s", "a", "b"), "b a b"},
      {Format("%*d|%-*d|%.*d", 4, 7, 3, 8, 3, 9), "   7|8  |009"},
      {Format("100%%"), "100%"},
      {Format("%s%.8d", "StartHTML:", 97), "StartHTML:00000097"},
      {Format("%.5d%.3d", 12, 3), "00012003"},
      {Format("%p", reinterpret_cast<void*>(0xABC)), "0000000000000ABC"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, FloatFormsUseTheFrenchLocale)
{
  struct Case {
    std::string actual, expected;
  } cases[] = {
      {Format("%f", 1.5), "1,50"},
      {Format("%.0f|%.3f|%.2f", 2.5, -0.0005, 1.005), "3|-0,001|1,00"},  // halves away from zero; 1.005 is below
      {Format("%e", 1234.5), "1,23450000000000E+003"},
      {Format("%.3e", -0.000123456), "-1,23E-004"},
      {Format("%g|%g|%g", 1.5, 1e20, 0.0001), "1,5|1E20|0,0001"},
      {Format("%g", 0.00001), "1E-5"},
      {Format("%n", 1234567.891), "1\u00A0234\u00A0567,89"},
      {Format("%m", -1234.5), "-1\u00A0234,50 €"},
      {Format("%8.2f|", 3.14159), "    3,14|"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, BadFormatsAndArgumentsRaiseConvertErrors)
{
  auto message = [](auto call) {
    try {
      call();
    } catch (const EConvertError& e) {
      return e.Message();
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message([] { Format("%d", "text"); }), "Format '%d' incorrect ou incompatible avec l'argument");
  EXPECT_EQ(message([] { Format("%d %d", 1); }), "Aucun argument pour le format '%d %d'");
  const char* bad[] = {"%", "%5", "%q", "%f", "%s"};
  for (const char* f : bad)
    EXPECT_THROW(Format(f, 7), EConvertError) << f;
  EXPECT_THROW(Format("%s", 1.5), EConvertError);
  EXPECT_THROW(Format("%99999999d", 1), EConvertError);  // no unbounded padding
  EXPECT_THROW(Format("%*d", "x", 1), EConvertError);
}

TEST(IntConversions, TextToInteger)
{
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"123", true, 123},           {"-45", true, -45},           {"+7", true, 7},
      {"  12", true, 12},           {"$FF", true, 255},           {"0x1f", true, 31},
      {"-$10", true, -16},          {"$FFFFFFFF", true, -1},      {"2147483647", true, INT_MAX},
      {"-2147483648", true, INT_MIN}, {"2147483648", false, 0},   {"$100000000", false, 0},
      {"12 ", false, 0},            {"", false, 0},               {"-", false, 0},
      {"$", false, 0},              {"1.5", false, 0},            {"abc", false, 0},
  };
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99) << c.text;
  }
  try {
    StrToInt("12a");
    ADD_FAILURE() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' n'est pas une valeur entière valide");
  }
  EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
}

TEST(IntConversions, IntToHexPadsAndShowsNegativesInTheirWidth)
{
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x12345, 2), "12345");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(int64_t(-1), 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(0u, 0), "0");
}

TEST(FloatConversions, TextAndBack)
{
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  EXPECT_EQ(FloatToStr(-0.1), "-0,1");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0,333333333333333");
  EXPECT_EQ(FloatToStr(123456789012345678.0), "1,23456789012346E17");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");

  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {{"1,5", true, 1.5}, {" -2,25e2 ", true, -225}, {",5", true, 0.5}, {"3,", true, 3},
               {"1.5", false, 0},  {"", false, 0},            {"1e", false, 0},  {"1e999", false, 0},
               {"x", false, 0},    {"1,5x", false, 0}};
  for (const auto& c : cases) {
    double v = 0;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
  EXPECT_THROW(StrToFloat("1.5"), EConvertError);
  TFormatSettings dot;
  dot.DecimalSeparator = '.';
  EXPECT_DOUBLE_EQ(StrToFloat("1.5", dot), 1.5);
}

TEST(FloatConversions, FormatFloatPictures)
{
  struct Case {
    const char* format;
    double value;
    const char* expected;
  } cases[] = {
      {"0.00", 3.14159, "3,14"},
      {"#,##0.00", 1234.5, "1\u00A0234,50"},
      {"0.###", 2.5, "2,5"},
      {"0.###", 2, "2"},
      {"000", 7, "007"},
      {"#.##", 0.5, ",5"},
      {"0.00E+00", 12345, "1,23E+04"},
      {"0.0;(0.0);zéro", -1.25, "(1,3)"},
      {"0.0;(0.0);zéro", 0, "zéro"},
      {"'Total: '0", 3, "Total: 3"},
      {"0", -0.4, "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.format, c.value), c.expected) << c.format << " " << c.value;
}

TEST(CheckedMath, OverflowAndRangeRaise)
{
  EXPECT_EQ(CheckedAdd(INT_MAX - 1, 1), INT_MAX);
  EXPECT_THROW(CheckedAdd(INT_MAX, 1), EIntOverflow);
  EXPECT_THROW(CheckedSub(INT_MIN, 1), EIntOverflow);
  EXPECT_THROW(CheckedMul(65536, 65536), EIntOverflow);
  EXPECT_THROW(CheckedNeg(INT_MIN), EIntOverflow);
  EXPECT_THROW(CheckedDiv(INT_MIN, -1), EIntOverflow);
  EXPECT_THROW(CheckedDiv(1, 0), EDivByZero);
  EXPECT_EQ(CheckedDiv(-7, 2), -3);
  EXPECT_EQ(CheckedMod(INT_MIN, -1), 0);
  EXPECT_EQ((RangeCheck<uint8_t>(255)), 255);
  EXPECT_THROW((RangeCheck<uint8_t>(256)), ERangeError);
  EXPECT_THROW((RangeCheck<uint32_t>(-1)), ERangeError);
  EXPECT_THROW(RangeCheck(10, 0, 9), ERangeError);
  try {
    CheckedAdd(INT_MAX, 1);
  } catch (const EIntOverflow& e) {
    EXPECT_EQ(e.Message(), "Débordement d'entier");
  }
}
