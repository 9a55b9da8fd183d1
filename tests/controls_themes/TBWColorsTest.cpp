#include <gtest/gtest.h>

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWGradients.h"
#include "platform/base/Exception.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace {

TColor Grey(int v) { return TColor(v | (v << 8) | (v << 16)); }

TEST(ThemeColors, MixingAndBlendingScales)
{
  EXPECT_EQ(WeightedColorMix(0xFFFFFF, 0, 255), Grey(254));
  EXPECT_THROW(WeightedColorMix(0xFFFFFF, 0, 256), EAssertionFailed);
  // The mixed scale of the colour tables: 99 is a percentage, 100 per mille.
  EXPECT_EQ(PercentBlend(Grey(200), 0, 99), Grey(198));
  EXPECT_EQ(PercentBlend(Grey(200), 0, 100), Grey(20));
  EXPECT_EQ(BlendPercent(Grey(200), 0, 50), Grey(100));
  EXPECT_EQ(BlendPermille(Grey(200), 0, 500), Grey(100));
  EXPECT_EQ(ShiftColor(TColor(0x10F0FA), 10), TColor(0x1AFAFF));
  EXPECT_EQ(SwapRedBlue(TColor(0x112233)), TColor(0x332211));
  EXPECT_EQ(Luminance(0xFFFFFF), 255);
  EXPECT_NEAR(ColorDistance(0xFFFFFF, 0), 440.85f, 0.05f);
}

TEST(ThemeColors, EnsureContrastMovesAlongTheLine)
{
  TColor c = Grey(128);
  EnsureContrast(c, Grey(140), 100);
  EXPECT_EQ(c, Grey(82));
  TColor kept = 0;
  EnsureContrast(kept, 0xFFFFFF, 100);
  EXPECT_EQ(kept, 0);
}

TEST(ThemeColors, EnsureContrastOfAColourAtTheOriginStaysFinite)
{
  // Black on black moves along the line from black, which has no direction
  // through black itself: it takes the grey axis and ends clear of the
  // background rather than with an undefined value.
  TColor c = 0;
  EnsureContrast(c, 0, 100);
  EXPECT_TRUE(HasContrast(c, 0, true, 100 - 2));
  // A colour that cannot reach the distance (a white background asks a
  // large distance of a near-white colour) still comes out a valid colour.
  TColor w = 0xFFFFFF;
  EnsureContrast(w, Grey(250), 500);
  EXPECT_EQ(w & ~0xFFFFFF, 0);
}

struct TRampCase {
  int Length;
  COLORREF C1, C2;
  std::vector<COLORREF> Expected;
};

TEST(ThemeGradients, RampsEndOnBothColoursInBothDirections)
{
  const TRampCase cases[] = {
      {3, 0, 0xFF, {0, 128, 255}},
      {3, 0xFF, 0, {255, 128, 0}},
      {1, 0, 0xFF, {127}},
      {1, 0xFF, 0, {127}},
      {2, 0x0000FF, 0xFF0000, {0x0000FF, 0xFF0000}},
  };
  for (const TRampCase& c : cases) {
    ClearRampCache();
    EXPECT_EQ(RampFor(c.Length, c.C1, c.C2), c.Expected) << c.Length << " " << c.C1 << "->" << c.C2;
  }
  EXPECT_THROW(RampFor(0, 0, 1), EAssertionFailed);
}

TEST(ThemeGradients, CacheIsKeyedOnLengthAndBothColours)
{
  ClearRampCache();
  RampFor(10, 0xFF, 0);
  RampFor(10, 0xFF, 0);  // a falling ramp is found again
  EXPECT_EQ(RampsBuilt(), 1);
  RampFor(10, 0xFF, 1);  // same length and first colour, other end
  RampFor(11, 0xFF, 0);
  EXPECT_EQ(RampsBuilt(), 3);
  // 16 slots: the 17th distinct ramp overwrites the oldest.
  for (int i = 0; i < 14; ++i)
    RampFor(20 + i, 0, 0xFF);
  EXPECT_EQ(RampsBuilt(), 17);
  RampFor(10, 0xFF, 1);
  EXPECT_EQ(RampsBuilt(), 17);
  RampFor(10, 0xFF, 0);
  EXPECT_EQ(RampsBuilt(), 18);
}

}  // namespace
