#include "platform/base/MulDiv.h"

#include <gtest/gtest.h>

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndRefusesZeroDivisor)
{
  struct Case {
    int number, numerator, denominator, expected;
  } cases[] = {
      {8, 96, 72, 11},            // 10.67: the font height of 8 points at 96 pixels per inch
      {-11, 72, 96, -8},          // -8.25
      {3, 1, 2, 2},               // 1.5 rounds up
      {-3, 1, 2, -2},             // -1.5 rounds away from zero
      {3, -1, 2, -2},             // sign from the numerator
      {3, 1, -2, -2},             // and from the denominator
      {65536, 65536, 2, -1},      // 2^31 does not fit
      {-65536, 65536, 2, int(0x80000000)},  // -2^31 does
      {1 << 30, 4, 4, 1 << 30},   // the 64-bit intermediate keeps the product
      {5, 7, 0, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}
