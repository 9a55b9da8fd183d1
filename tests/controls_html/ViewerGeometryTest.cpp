// The viewer's layout decisions as tables: layout passes (the 9999 and
// 10000 character cases), scroll bar placement, positions kept relative to
// anchors, and where background tiles start.
#include <gtest/gtest.h>

#include "controls/html/viewer/BackgroundTiling.h"
#include "controls/html/viewer/ViewerGeometry.h"

namespace {

TViewerFrame Frame(TScrollStyle Bars, int W = 300, int H = 200, bool ShowV = false)
{
  TViewerFrame F;
  F.ScrollBars = Bars;
  F.Width = W;
  F.Height = H;
  F.BarWidth = 16;
  F.ShowVScroll = ShowV;
  return F;
}

// A document whose height depends on the width it is laid out at.
TLayoutPass Document(int Tall, int Short, int NarrowWidth, int DocWidth = 100)
{
  return [=](int Width, int& W) {
    W = DocWidth;
    return Width <= NarrowWidth ? Tall : Short;
  };
}

}  // namespace

TEST(ViewerGeometryTest, LayoutPassesFollowTheBarDecision)
{
  const int W = 300 - 2;  // inside the border
  struct {
    const char* Name;
    TScrollStyle Bars;
    bool ShowV;
    int SourceLength;
    int Tall, Short;
    std::vector<int> Widths;
  } Cases[] = {
      {"short document, trial pass only", ssVertical, false, 9999, 50, 50, {W}},
      {"tall document: second pass narrower", ssVertical, false, 9999, 500, 500, {W, W - 16}},
      {"10000 characters: one narrower pass", ssVertical, false, 10000, 500, 500, {W - 16}},
      {"always-shown bar: one narrower pass", ssBoth, true, 10, 50, 50, {W - 16}},
      {"horizontal bars only: one pass", ssHorizontal, false, 9999, 500, 500, {W}},
      {"no bars: one pass", ssNone, false, 20000, 500, 500, {W}},
  };
  for (const auto& C : Cases) {
    const TLayoutResult R = FormatPasses(Frame(C.Bars, 300, 200, C.ShowV), C.SourceLength, Document(C.Tall, C.Short, W - 16));
    EXPECT_EQ(R.PassWidths, C.Widths) << C.Name;
  }
  // With the vertical bar taken by a tall first pass, a document that is
  // short at the narrower width is laid out a third time at full width.
  const TLayoutResult R = FormatPasses(Frame(ssVertical), 9999, [&](int Width, int& DW) {
    DW = 100;
    return Width == W ? 500 : 50;
  });
  EXPECT_EQ(R.PassWidths, (std::vector<int>{W, W - 16, W}));
  EXPECT_EQ(R.DocHeight, 500);
}

TEST(ViewerGeometryTest, BarPlacement)
{
  // A tall, narrow document: vertical bar only, the panel beside it.
  TBarPlacement P = PlaceBars(Frame(ssBoth), 200, 1000);
  EXPECT_TRUE(P.VShown);
  EXPECT_FALSE(P.HShown);
  EXPECT_EQ(P.Panel, TRect(1, 1, 1 + 300 - 16 - 2, 1 + 200 - 2));
  EXPECT_EQ(P.VBar, TRect(300 - 16 - 1, 1, 300 - 1, 199));
  EXPECT_EQ(P.VPage, 198 + 1);
  EXPECT_EQ(P.VMax, 1000);
  EXPECT_EQ(P.VLargeChange, 198 - 16);

  // A document 7000 pixels wide scrolls over at most 6000.
  P = PlaceBars(Frame(ssBoth), 7000, 100);
  EXPECT_TRUE(P.HShown);
  EXPECT_EQ(P.DocWidth, 6000);
  EXPECT_EQ(P.HMax, 6000);
  EXPECT_EQ(P.Panel.Bottom - P.Panel.Top, 200 - 2 - 16);

  // ssVertical never shows the horizontal bar.
  P = PlaceBars(Frame(ssVertical), 7000, 1000);
  EXPECT_FALSE(P.HShown);
  EXPECT_TRUE(P.VShown);

  // The always-shown bar: shown and disabled when the document fits.
  P = PlaceBars(Frame(ssVertical, 300, 200, true), 100, 50);
  EXPECT_TRUE(P.VBarVisible);
  EXPECT_FALSE(P.VBarEnabled);
  EXPECT_EQ(P.Panel.Right - P.Panel.Left, 300 - 16 - 2);
  P = PlaceBars(Frame(ssVertical, 300, 200, true), 100, 5000);
  EXPECT_TRUE(P.VBarVisible);
  EXPECT_TRUE(P.VBarEnabled);

  // Nothing shown for a document that fits; without a border the panel
  // fills the control.
  TViewerFrame F = Frame(ssBoth);
  F.NoBorder = true;
  P = PlaceBars(F, 100, 50);
  EXPECT_FALSE(P.VBarVisible);
  EXPECT_FALSE(P.HShown);
  EXPECT_EQ(P.Panel, TRect(0, 0, 300, 200));
}

TEST(ViewerGeometryTest, PositionsKeptRelativeToAnchors)
{
  const std::vector<int> Tops{0, 100, 250};
  EXPECT_EQ(PackPosition(Tops, 270), 0x30014);
  EXPECT_EQ(PackPosition(Tops, 100), 0x20000);
  EXPECT_EQ(PackPosition({50, 80}, 20), 20) << "no anchor at or above";
  int Y = 0;
  ASSERT_TRUE(UnpackPosition({0, 100, 300}, 0x30014, Y));
  EXPECT_EQ(Y, 320) << "the anchor moved to 300 after a new layout";
  ASSERT_TRUE(UnpackPosition({}, 20, Y));
  EXPECT_EQ(Y, 20);
  EXPECT_FALSE(UnpackPosition({0, 100}, 0x30014, Y)) << "a missing anchor moves nothing";
  // Far below its anchor (a long plain text is one object): the distance
  // no longer fits in 16 bits, the position is kept as it is.
  const int Far = PackPosition({0}, 70000);
  ASSERT_TRUE(UnpackPosition({0}, Far, Y));
  EXPECT_EQ(Y, 70000);
  ASSERT_TRUE(UnpackPosition({}, PackPosition({}, 70000), Y));
  EXPECT_EQ(Y, 70000);
}

TEST(ViewerGeometryTest, TilesStartAtTheLastStartAboveTheClip)
{
  TBackgroundPlacement Pos;
  Pos.X = {BgPos::Left, 0, true, false};
  // Placed at 10 (a length) in a tall area: tiles of 8 rows start at -6 for a
  // clip from 0.
  Pos.Y = {BgPos::Length, 10, true, false};
  TTiling T = CalcBackgroundTiling(Pos, 8, 8, 100, 100, 0, 0, TRect(0, 0, 50, 40));
  EXPECT_EQ(T.Y, -6);
  EXPECT_EQ(T.YLast, 40);
  // Scrolled 20 down: from -20 to -4.
  Pos.Y = {BgPos::Top, 0, true, false};
  T = CalcBackgroundTiling(Pos, 8, 8, 100, 100, 0, 20, TRect(0, 0, 50, 40));
  EXPECT_EQ(T.Y, -4);
  // Centred and not repeated: one tile when it meets the clip, none otherwise.
  Pos.X = {BgPos::Center, 0, false, false};
  Pos.Y = {BgPos::Center, 0, false, false};
  T = CalcBackgroundTiling(Pos, 10, 10, 100, 100, 0, 0, TRect(0, 0, 100, 100));
  EXPECT_EQ(T.X, 45);
  EXPECT_EQ(T.XLast, 46);
  EXPECT_EQ(T.YLast, 46);
  T = CalcBackgroundTiling(Pos, 10, 10, 100, 100, 0, 0, TRect(0, 0, 100, 30));
  EXPECT_EQ(T.YLast, T.Y) << "below the clip: no row";
  // Right and bottom, in percent.
  Pos.X = {BgPos::Right, 0, false, false};
  Pos.Y = {BgPos::Percent, 50, false, false};
  T = CalcBackgroundTiling(Pos, 10, 20, 100, 200, 5, 0, TRect(0, 0, 100, 200));
  EXPECT_EQ(T.X, 100 - 10 - 5);
  EXPECT_EQ(T.Y, 90);
}
