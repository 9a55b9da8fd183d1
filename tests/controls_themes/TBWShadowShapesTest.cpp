#include <gtest/gtest.h>

#include <vector>

#include "controls/themes/TBWShadowShapes.h"

namespace {

std::vector<int> Alphas(int w, int h, bool vertical, BYTE edges)
{
  std::vector<uint32_t> pixels(size_t(w * h), 0x12345678);
  FillShadowAlpha(pixels.data(), w, h, vertical, edges);
  std::vector<int> alphas;
  for (uint32_t p : pixels) {
    EXPECT_EQ(p & 0xFFFFFF, 0u);  // premultiplied black
    alphas.push_back(int(p >> 24));
  }
  return alphas;
}

TEST(ThemeShadowAlpha, FadesAndCorners)
{
  // Row fades: 255 - i * 256 / h.
  EXPECT_EQ(Alphas(1, 4, false, 0), (std::vector<int>{255, 191, 127, 63}));
  EXPECT_EQ(Alphas(1, 3, false, 0), (std::vector<int>{255, 170, 85}));
  EXPECT_EQ(Alphas(4, 1, true, 0), (std::vector<int>{255, 191, 127, 63}));
  // A 4 x 4 strip with one end rounded is that corner alone.
  EXPECT_EQ(Alphas(4, 4, false, ShadowFirstEnd),
            (std::vector<int>{63, 127, 191, 255, 31, 95, 159, 191, 0, 63, 95, 127, 0, 0, 31, 63}));
  EXPECT_EQ(Alphas(4, 4, false, ShadowSecondEnd),
            (std::vector<int>{255, 191, 127, 63, 191, 159, 95, 31, 127, 95, 63, 0, 63, 31, 0, 0}));
  // The top end of a vertical strip mirrors the left end of a horizontal one.
  const std::vector<int> top = Alphas(4, 4, true, ShadowFirstEnd), left = Alphas(4, 4, false, ShadowFirstEnd);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(top[size_t(y * 4 + x)], left[size_t(x * 4 + y)]) << x << "," << y;
}

TEST(ThemeShadowAlpha, AShortStripSharesItsLengthBetweenItsCorners)
{
  // Length 6 with two corners of 4: corners of 3 and no fade between them.
  const std::vector<int> strip = Alphas(6, 4, false, ShadowFirstEnd | ShadowSecondEnd);
  const std::vector<int> faded = Alphas(6, 4, false, 0);
  // Column 3 opens the right corner (a left corner of 4 would still be at
  // its full end, 255); the fade is 255 all along the top row.
  EXPECT_EQ(strip[2], 191);
  EXPECT_EQ(strip[3], 191);
  EXPECT_EQ(faded[3], 255);
  EXPECT_EQ(strip[size_t(3 * 6 + 0)], 0);
  // One corner on a strip shorter than it takes the whole length: a 2 x 4
  // left corner (m = 4) has 63 and 127 on its top row where a fade has 255.
  EXPECT_EQ(Alphas(2, 4, false, ShadowFirstEnd)[0], 63);
  EXPECT_EQ(Alphas(2, 4, false, ShadowFirstEnd)[1], 127);
}

struct TCutCase {
  const char* Name;
  TRect Parent, Popup;
  TShadowPieces Expected;
};

TShadowPiece V(int l, int t, int r, int b, BYTE e) { return {true, TRect{l, t, r, b}, e}; }
TShadowPiece H(int l, int t, int r, int b, BYTE e) { return {false, TRect{l, t, r, b}, e}; }

TEST(ThemeShadowCut, TheFourCases)
{
  const TRect none{};
  const TCutCase cases[] = {
      {"popup alone", none, TRect{100, 50, 200, 150},
       {V(200, 54, 204, 150, 1), H(104, 150, 204, 154, 3), {}, {}, {}, {}}},
      {"parent alone", TRect{10, 10, 50, 30}, none, {V(50, 14, 54, 30, 1), H(14, 30, 54, 34, 3), {}, {}, {}, {}}},
      {"both empty", none, none, {}},
      // A dropdown under a menu-bar item of the same width.
      {"stacked, same width", TRect{100, 20, 160, 40}, TRect{100, 40, 160, 200},
       {V(160, 24, 164, 40, 1), {}, V(160, 41, 164, 200, 0), H(104, 200, 164, 204, 3), {}, {}}},
      // A wider dropdown: its right side is past the item's shadow, so V2
      // gets a rounded top.
      {"stacked, wider popup", TRect{100, 20, 140, 40}, TRect{100, 40, 200, 200},
       {V(140, 24, 144, 40, 1), {}, V(200, 44, 204, 200, 1), H(104, 200, 204, 204, 3), {}, {}}},
      // A popup opened upwards, narrower than the item below it: the popup is
      // the upper rectangle, the item's right side reaches past its shadow.
      {"stacked, upwards", TRect{100, 200, 200, 220}, TRect{120, 100, 180, 200},
       {V(180, 104, 184, 200, 1), {}, V(200, 204, 204, 220, 1), H(104, 220, 204, 224, 3), {}, {}}},
      // A submenu beside its parent item, starting lower and ending lower.
      {"side by side", TRect{0, 0, 100, 20}, TRect{100, 10, 200, 110},
       {V(100, 4, 104, 10, 1), H(4, 20, 100, 24, 1), V(200, 14, 204, 114, 3), H(104, 110, 200, 114, 1), {}, {}}},
      // A popup opening to the left of a taller parent: the two swap, so the
      // popup is P and the parent's side and bottom make V2 and H2.
      {"side by side, left", TRect{200, 0, 300, 100}, TRect{100, 10, 200, 50},
       {std::nullopt, H(104, 50, 200, 54, 1), V(300, 4, 304, 104, 3), H(204, 100, 300, 104, 1), std::nullopt,
        std::nullopt}},
      // A submenu ending above its parent's bottom (the parent is a tall item).
      {"side by side, shorter popup", TRect{0, 0, 100, 100}, TRect{100, 10, 200, 50},
       {V(100, 4, 104, 10, 1), H(4, 100, 100, 104, 1), V(200, 14, 204, 54, 3), H(100, 50, 200, 54, 0),
        V(100, 50, 104, 104, 3), {}}},
      {"overlapping", TRect{0, 0, 100, 100}, TRect{50, 50, 150, 150}, {}},
  };
  for (const TCutCase& c : cases)
    EXPECT_EQ(CutShadow(c.Parent, c.Popup, 4), c.Expected) << c.Name;
}

TEST(ThemeShadowCut, SizeAndStyleFollowTheDisplayAndFunctions)
{
  EXPECT_EQ(ShadowSize(4, false, true, true), 4);
  EXPECT_EQ(ShadowSize(4, true, true, true), 2);
  EXPECT_EQ(ShadowSize(4, false, false, true), 4);
  EXPECT_EQ(ShadowSize(4, false, false, false), 2);
  EXPECT_EQ(ChooseShadowStyle(false, true, true), TShadowStyle::Layered);
  EXPECT_EQ(ChooseShadowStyle(true, true, true), TShadowStyle::Solid);
  EXPECT_EQ(ChooseShadowStyle(false, false, true), TShadowStyle::Blended);
  EXPECT_EQ(ChooseShadowStyle(false, true, false), TShadowStyle::Solid);
  EXPECT_EQ(ChooseShadowStyle(false, false, false), TShadowStyle::Solid);
}

}  // namespace
