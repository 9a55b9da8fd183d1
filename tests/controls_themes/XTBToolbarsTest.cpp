#include <gtest/gtest.h>

#include "controls/themes/XTBAnchoring.h"
#include "controls/themes/XTBItemCache.h"
#include "controls/themes/XTBStatusToolbar.h"
#include "controls/toolbar/TBCustomItem.h"

namespace {

TEST(ExtendedToolbarAnchoring, AnchoredItemsGrowByTheDocksGrowthSinceFirstAnchored)
{
  TPoint point, delta;
  AnchorToDock(point, delta, TPoint(500, 24));
  EXPECT_EQ(point, TPoint(500, 24));
  EXPECT_EQ(delta, TPoint(0, 0));
  AnchorToDock(point, delta, TPoint(600, 24));
  EXPECT_EQ(point, TPoint(500, 24));
  EXPECT_EQ(delta, TPoint(100, 0));
  AnchorToDock(point, delta, TPoint(450, 24));
  EXPECT_EQ(delta, TPoint(-50, 0));
}

TEST(ExtendedToolbarAnchoring, RightAnchoredControlsKeepTheirWidthPlusTheGrowthNeverBelowTheirMinimum)
{
  struct {
    int Width, ParentWidth, Dock, Min, Expected;
  } cases[] = {
      {120, 500, 560, 0, 180},
      {120, 500, 500, 0, 120},
      {120, 500, 420, 0, 40},
      // A dock shrunk past the cached width: no negative width.
      {120, 500, 300, 0, 0},
      {120, 500, 300, 25, 25},
  };
  for (auto& c : cases)
    EXPECT_EQ(AnchoredControlWidth(c.Width, c.ParentWidth, c.Dock, c.Min), c.Expected) << c.Dock << " " << c.Min;
}

TEST(ExtendedToolbarAnchoring, ItemCacheFindsEntriesByItem)
{
  TXTBItemCacheCollection cache;
  TTBItem first(nullptr), second(nullptr);
  first.SetName("Premier");
  EXPECT_EQ(cache.IndexOfItem(nullptr), -1);
  EXPECT_EQ(cache.AddCache(&first, TRect(2, 3, 122, 25)), 0);
  EXPECT_EQ(cache.AddCache(&second, TRect(0, 0, 10, 10)), 1);
  EXPECT_EQ(cache.IndexOfItem(&second), 1);
  EXPECT_EQ(cache.IndexOfItem(nullptr), -1);
  TXTBItemCache* entry = cache.Items(0);
  EXPECT_EQ(entry->Name(), "Premier");
  EXPECT_EQ(TRect(entry->Left(), entry->Top(), entry->Width(), entry->Height()), TRect(2, 3, 120, 22));
  cache.Delete(0);
  EXPECT_EQ(cache.IndexOfItem(&first), -1);
  EXPECT_EQ(cache.IndexOfItem(&second), 0);
}

TEST(StatusToolbar, SeparatorHidingByModeVisualStylesAndTheme)
{
  struct {
    int Mode;
    bool VisualStyles;
    const char* Theme;
    bool Hidden;
  } cases[] = {
      {0, false, "Default", true},  {0, true, "Stripes", true},
      {1, false, "Default", true},  {1, false, "OfficeXP", true},
      {1, true, "Default", false},  {1, true, "OfficeXP", true},
      {2, false, "Default", false}, {2, false, "Stripes", false},
      {2, false, "OfficeXP", true}, {2, true, "OfficeXP", true},
  };
  for (auto& c : cases)
    EXPECT_EQ(SeparatorsHidden(std::uint8_t(c.Mode), c.VisualStyles, c.Theme), c.Hidden)
        << c.Mode << " " << c.VisualStyles << " " << c.Theme;
}

TEST(StatusToolbar, SizingCornerIsTheDocksRightEdgeAScrollBarWide)
{
  const TRect corner = SizingCornerOf(TRect(0, 0, 800, 24), 17);
  EXPECT_EQ(corner, TRect(783, -3, 800, 24));
  EXPECT_TRUE(PtInRect(&corner, TPoint(799, 23)));
  EXPECT_FALSE(PtInRect(&corner, TPoint(782, 10)));
}

}  // namespace
