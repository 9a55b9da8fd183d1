#include <gtest/gtest.h>

#include <vector>

#include "platform/win/gdi/gdi.h"

namespace {

// Every pixel of a small area, as a string of '#' (in) and '.' (out), row by row.
std::string Pixels(const TRegion& r, int w, int h)
{
  std::string s;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      s += r.Contains({x, y}) ? '#' : '.';
    s += '\n';
  }
  return s;
}

}  // namespace

TEST(Region, CombinesAsPixelSets)
{
  TRegion a(TRect(0, 0, 4, 4));
  TRegion b(TRect(2, 2, 6, 6));
  EXPECT_EQ(Pixels(a.Union(b), 6, 6), "####..\n####..\n######\n######\n..####\n..####\n");
  EXPECT_EQ(Pixels(a.Intersect(b), 6, 6), "......\n......\n..##..\n..##..\n......\n......\n");
  EXPECT_EQ(Pixels(a.Subtract(b), 6, 6), "####..\n####..\n##....\n##....\n......\n......\n");
  EXPECT_EQ(Pixels(a.Xor(b), 6, 6), "####..\n####..\n##..##\n##..##\n..####\n..####\n");
}

TEST(Region, KeepsOneCanonicalFormSoEqualSetsCompareEqual)
{
  // Two halves side by side and two halves one above the other are one rectangle.
  TRegion sideBySide = TRegion(TRect(0, 0, 3, 5)).Union(TRegion(TRect(3, 0, 8, 5)));
  TRegion stacked = TRegion(TRect(0, 0, 8, 2)).Union(TRegion(TRect(0, 2, 8, 5)));
  EXPECT_TRUE(sideBySide.IsRect());
  EXPECT_EQ(sideBySide, stacked);
  EXPECT_EQ(sideBySide.Rects().front(), TRect(0, 0, 8, 5));
  // A hole and its filling give back the rectangle.
  TRegion holed = TRegion(TRect(0, 0, 10, 10)).Subtract(TRegion(TRect(3, 3, 6, 6)));
  EXPECT_EQ(holed.Rects().size(), 4u);
  EXPECT_EQ(holed.Union(TRegion(TRect(3, 3, 6, 6))), TRegion(TRect(0, 0, 10, 10)));
  EXPECT_TRUE(holed.Subtract(TRegion(TRect(0, 0, 10, 10))).IsEmpty());
}

TEST(Region, QueriesBoundsPointsAndRectangles)
{
  TRegion holed = TRegion(TRect(0, 0, 10, 10)).Subtract(TRegion(TRect(3, 3, 6, 6)));
  EXPECT_EQ(holed.Bounds(), TRect(0, 0, 10, 10));
  EXPECT_TRUE(holed.Contains({2, 4}));
  EXPECT_FALSE(holed.Contains({4, 4}));
  EXPECT_FALSE(holed.Contains({10, 0}));  // right edge excluded
  EXPECT_FALSE(holed.Intersects(TRect(3, 3, 6, 6)));
  EXPECT_TRUE(holed.Intersects(TRect(5, 5, 7, 7)));
  holed.Offset(-3, 2);
  EXPECT_EQ(holed.Bounds(), TRect(-3, 2, 7, 12));
  EXPECT_FALSE(holed.Contains({1, 6}));
  EXPECT_EQ(TRegion().Bounds(), TRect());
  EXPECT_TRUE(TRegion(TRect(5, 5, 5, 9)).IsEmpty());
}

TEST(Region, HandlesCombineAndReportKinds)
{
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(3, 3, 6, 6);
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    int mode;
    int kind;
    TRect box;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {3, 3, 6, 6}},    {RGN_OR, SIMPLEREGION, {0, 0, 10, 10}},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}}, {RGN_XOR, COMPLEXREGION, {0, 0, 10, 10}},
      {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.kind) << c.mode;
    TRect box;
    EXPECT_EQ(GetRgnBox(d, &box), c.kind);
    EXPECT_EQ(box, c.box) << c.mode;
  }
  CombineRgn(d, a, b, RGN_DIFF);
  EXPECT_FALSE(PtInRegion(d, 4, 4));
  EXPECT_TRUE(PtInRegion(d, 1, 1));
  TRect hole{3, 3, 6, 6};
  EXPECT_FALSE(RectInRegion(d, &hole));
  // The destination may be a source.
  EXPECT_EQ(CombineRgn(d, d, b, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, a));
  EXPECT_EQ(OffsetRgn(d, 5, 5), SIMPLEREGION);
  EXPECT_EQ(RegionOf(d)->Bounds(), TRect(5, 5, 15, 15));
  SetRectRgn(d, 4, 4, 2, 2);  // corners in any order
  EXPECT_EQ(RegionOf(d)->Bounds(), TRect(2, 2, 4, 4));
  for (HRGN r : {a, b, d})
    EXPECT_TRUE(DeleteObject(r));
}

TEST(Region, StaleAndForeignHandlesAreRefused)
{
  HRGN r = CreateRectRgn(0, 0, 4, 4);
  ASSERT_TRUE(DeleteObject(r));
  TRect box;
  EXPECT_EQ(GetRgnBox(r, &box), ERROR);
  EXPECT_EQ(RegionOf(r), nullptr);
  EXPECT_FALSE(DeleteObject(r));
  HRGN fresh = CreateRectRgn(0, 0, 2, 2);  // likely reuses the slot: the old value stays dead
  EXPECT_EQ(RegionOf(r), nullptr);
  EXPECT_EQ(RegionOf(GetStockObject(WHITE_BRUSH)), nullptr);  // a brush is no region
  EXPECT_EQ(RegionOf(reinterpret_cast<HRGN>(std::uintptr_t(0x1234))), nullptr);
  EXPECT_EQ(CombineRgn(fresh, fresh, r, RGN_OR), ERROR);
  DeleteObject(fresh);
}

TEST(Region, DataRoundTripAndTransformedCreation)
{
  HRGN holed = CreateRectRgn(0, 0, 10, 10);
  HRGN hole = CreateRectRgn(3, 3, 6, 6);
  CombineRgn(holed, holed, hole, RGN_DIFF);
  DWORD size = GetRegionData(holed, 0, nullptr);
  ASSERT_EQ(size, sizeof(RGNDATAHEADER) + 4 * sizeof(TRect));
  std::vector<char> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  ASSERT_EQ(GetRegionData(holed, size, data), size);
  HRGN same = ExtCreateRegion(nullptr, size, data);
  EXPECT_TRUE(EqualRgn(same, holed));
  XFORM twice{2, 0, 0, 2, 1, 0};
  HRGN scaled = ExtCreateRegion(&twice, size, data);
  TRect box;
  GetRgnBox(scaled, &box);
  EXPECT_EQ(box, TRect(1, 0, 21, 20));
  EXPECT_FALSE(PtInRegion(scaled, 8, 7));
  XFORM turn{0, 1, -1, 0, 0, 0};
  EXPECT_EQ(ExtCreateRegion(&turn, size, data), nullptr);
  data->rdh.nCount = 1000;  // more rectangles than the data holds
  EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
  for (HRGN r : {holed, hole, same, scaled})
    DeleteObject(r);
}
