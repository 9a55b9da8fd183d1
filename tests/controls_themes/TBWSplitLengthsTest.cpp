// The multi-dock's length arithmetic on plain records.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "controls/themes/TBWSplitLengths.h"

namespace {

std::vector<int> Lengths(const std::vector<TSplitLength>& Records)
{
  std::vector<int> result;
  for (const auto& r : Records)
    result.push_back(r.Length);
  return result;
}

struct ShareCase {
  const char* Name;
  std::vector<std::array<int, 3>> Panels;  // min, max (0: none), asked length
  int Total;
  std::vector<int> Expected;
};

class ShareTable : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ShareTable, SharesTheLength)
{
  const ShareCase& c = GetParam();
  std::vector<TSplitLength> records;
  for (auto [mn, mx, len] : c.Panels) {
    TSplitLength r{mn, mx, len};
    NormalizeSplitLimits(r, c.Total);
    records.push_back(r);
  }
  ShareSplitLengths(records, c.Total);
  EXPECT_EQ(Lengths(records), c.Expected);
  int position = 0;
  for (const auto& r : records) {
    EXPECT_EQ(r.Position, position);
    position += r.Length;
  }
}

INSTANTIATE_TEST_SUITE_P(
    MultiDock, ShareTable,
    ::testing::Values(
        ShareCase{"Even", {{36, 0, 100}, {36, 0, 100}}, 300, {150, 150}},
        // 50.5 each: the first half rounds to the even 50, the second gets the rest.
        ShareCase{"OddRoundsHalfToEven", {{36, 0, 100}, {36, 0, 100}}, 301, {150, 151}},
        ShareCase{"Shrinking", {{36, 0, 200}, {36, 0, 200}, {36, 0, 200}}, 300, {100, 100, 100}},
        ShareCase{"MinimumOverflows", {{50, 0, 60}, {50, 0, 60}, {50, 0, 60}}, 120, {50, 50, 50}},
        ShareCase{"MaximumLeavesRoom", {{36, 80, 60}, {36, 90, 60}}, 400, {80, 90}},
        // A panel at its maximum stops taking; the others take the rest.
        ShareCase{"CarriesPastMaximum", {{36, 110, 100}, {36, 0, 100}, {36, 0, 100}}, 360, {110, 125, 125}},
        // A maximum below the minimum becomes the whole length.
        ShareCase{"MaximumBelowMinimum", {{60, 20, 10}, {36, 0, 100}}, 200, {80, 120}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(SplitTrack, CarriesPastTheNeighboursMinimumIntoTheNextPanel)
{
  std::vector<TSplitTrack> r(3, TSplitTrack{100, 32, 300, 100, 0});
  TrackSplit(r, 0, 90);
  EXPECT_EQ(r[0].NewLength, 190);
  EXPECT_EQ(r[1].NewLength, 32);
  EXPECT_EQ(r[2].NewLength, 78);
  EXPECT_EQ(r[2].NewPosition, 222);
}

TEST(SplitTrack, StopsWhenNoPanelCanGiveWay)
{
  std::vector<TSplitTrack> r(3, TSplitTrack{100, 32, 300, 100, 0});
  TrackSplit(r, 1, 500);  // the last panel can give only 68
  EXPECT_EQ(r[0].NewLength, 100);
  EXPECT_EQ(r[1].NewLength, 168);
  EXPECT_EQ(r[2].NewLength, 32);
  TrackSplit(r, 1, -500);  // backwards: both panels before give down to their minimums
  EXPECT_EQ(r[0].NewLength, 32);
  EXPECT_EQ(r[1].NewLength, 32);
  EXPECT_EQ(r[2].NewLength, 236);
}

TEST(SplitTrack, NearSideMaximumTakesBackWhatItCannotPlace)
{
  std::vector<TSplitTrack> r{{100, 32, 120, 100, 0}, {100, 32, 300, 100, 0}};
  TrackSplit(r, 0, 50);
  EXPECT_EQ(r[0].NewLength, 120);
  EXPECT_EQ(r[1].NewLength, 80);
  TrackSplit(r, 0, 0);  // back to the start
  EXPECT_EQ(r[0].NewLength, 100);
  EXPECT_EQ(r[1].NewLength, 100);
}

TEST(SplitTrack, SumStaysTheSame)
{
  for (int delta = -300; delta <= 300; delta += 7) {
    std::vector<TSplitTrack> r{{80, 32, 200, 80, 0}, {120, 40, 150, 120, 0}, {100, 32, 300, 100, 0}};
    TrackSplit(r, 1, delta);
    int sum = 0;
    for (const auto& t : r) {
      EXPECT_GE(t.NewLength, t.MinLength);
      EXPECT_LE(t.NewLength, t.MaxLength);
      sum += t.NewLength;
    }
    EXPECT_EQ(sum, 300) << "delta " << delta;
  }
}

}  // namespace
