// Where popups go: the placement rules on a 1024 x 768 monitor, with a fake
// parent view whose window stands at the screen origin.
#include <gtest/gtest.h>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBView.h"

namespace {

struct TPlacementCase {
  const char* Name;
  bool WithParentView;
  TTBViewAxis ParentAxis;
  bool AsSubmenu;
  TTBPopupAlignment Alignment;
  TRect Parent;
  int X, Y, W, H;
  int WantX, WantY;
  bool WantOtherSide;
  TTBAnimationDirection WantDirections;
};

const TPlacementCase Cases[] = {
    {"context menu right-aligned near the left edge opens right of the point", false, tbaHorizontal, false,
     tbpaRight, TRect(10, 10, 10, 10), 10 - 150, 10, 150, 200, 10, 10, false, tbadDown | tbadRight},
    {"context menu past the right edge ends left of the point", false, tbaHorizontal, false, tbpaLeft,
     TRect(1000, 10, 1000, 10), 1000, 10, 150, 200, 850, 10, false, tbadDown | tbadLeft},
    {"submenu that fits opens right of its item", true, tbaHorizontal, true, tbpaLeft, TRect(100, 50, 200, 70),
     197, 47, 150, 100, 197, 47, false, tbadRight},
    {"submenu without room on the right opens left of its item", true, tbaHorizontal, true, tbpaLeft,
     TRect(900, 50, 1000, 70), 997, 47, 200, 100, 703, 47, true, tbadLeft},
    {"submenu below the bottom ends at its item's bottom", true, tbaHorizontal, true, tbpaLeft,
     TRect(100, 700, 200, 720), 197, 697, 150, 200, 197, 523, false, tbadRight},
    {"drop-down near the bottom moves above its button", true, tbaHorizontal, false, tbpaLeft,
     TRect(300, 700, 360, 722), 300, 722, 150, 200, 300, 500, false, tbadUp},
    {"drop-down of a vertical toolbar opens beside it", true, tbaVertical, false, tbpaLeft, TRect(0, 100, 30, 122),
     -150, 100, 150, 200, 30, 100, false, tbadRight},
};

TEST(TBPopupPlacement, FitsTheMonitorAndKeepsOffTheParentItem)
{
  for (const TPlacementCase& c : Cases) {
    SCOPED_TRACE(c.Name);
    TTBRootItem root(nullptr);
    TTBView parent(nullptr, nullptr, &root, nullptr, true, false, false);
    parent.SetAxis(c.ParentAxis);
    TTBPopupPlacement pl;
    pl.PositionAsSubmenu = c.AsSubmenu;
    pl.Alignment = c.Alignment;
    pl.MonitorRect = TRect(0, 0, 1024, 768);
    pl.ParentItemRect = c.Parent;
    pl.FrameWidth = pl.FrameHeight = 3;
    pl.X = c.X;
    pl.Y = c.Y;
    pl.W = c.W;
    pl.H = c.H;
    root.FitPopupPosition(c.WithParentView ? &parent : nullptr, nullptr, pl);
    EXPECT_EQ(pl.X, c.WantX);
    EXPECT_EQ(pl.Y, c.WantY);
    EXPECT_EQ(pl.OpensToOtherSide, c.WantOtherSide);
    EXPECT_EQ(pl.AnimDir, c.WantDirections);
  }
}

TEST(TBPopupPlacement, SubmenuOfALeftwardSubmenuKeepsOpeningLeftUntilThereIsNoRoom)
{
  TTBRootItem root(nullptr);
  TTBView parent(nullptr, nullptr, &root, nullptr, false, false, false);
  TTBPopupPlacement pl;
  pl.PositionAsSubmenu = true;
  pl.OpensToOtherSide = true;  // the parent view opened to the left
  pl.MonitorRect = TRect(0, 0, 1024, 768);
  pl.FrameWidth = pl.FrameHeight = 3;
  pl.W = 150;
  pl.H = 100;
  pl.ParentItemRect = TRect(400, 50, 500, 70);
  pl.X = 497;
  pl.Y = 47;
  root.FitPopupPosition(&parent, nullptr, pl);
  EXPECT_EQ(pl.X, 400 + 3 - 150);
  EXPECT_TRUE(pl.OpensToOtherSide);
  // No room on the left any more: back to the right.
  pl.OpensToOtherSide = true;
  pl.ParentItemRect = TRect(50, 50, 150, 70);
  pl.X = 147;
  root.FitPopupPosition(&parent, nullptr, pl);
  EXPECT_EQ(pl.X, 147);
  EXPECT_FALSE(pl.OpensToOtherSide);
}

}  // namespace
