// Stepped floating sizes and the snapping of a frame resized by an edge,
// over a fake content: Count buttons 20 wide, lines 22 high, margins 8 by 3.
#include <gtest/gtest.h>

#include "controls/toolbar/TBFloatingSteps.h"

namespace {

TTBMeasuredSize MeasureButtons(int Count, int WrapWidth)
{
  int perLine = WrapWidth == 0 ? Count : std::max(1, (WrapWidth - 8) / 20);
  perLine = std::min(perLine, Count);
  int lines = (Count + perLine - 1) / perLine;
  return {perLine * 20 + 8, lines * 22 + 3, lines};
}

std::vector<TPoint> FourButtonSteps()
{
  return FloatingSizeSteps([](int Wrap) { return MeasureButtons(4, Wrap); }, 8);
}

TEST(FloatingSteps, OneNarrowestSizePerLineCount)
{
  // One line 88 wide; two lines from 68 down to 48 keep the narrowest;
  // four lines at 28; nothing narrower fits.
  EXPECT_EQ(FourButtonSteps(), (std::vector<TPoint>{{88, 25}, {48, 47}, {28, 91}}));
}

class ResizeTrack : public ::testing::Test {
public:
  // The frame adds 6 by 20; its client starts 3 pixels in.
  static constexpr TPoint NonClient{6, 20};
  void Start(int Edge, TPoint Content)
  {
    Frame = TRect(100, 100, 100 + Content.x + NonClient.x, 100 + Content.y + NonClient.y);
    StartResizeTrack(Track, Edge, FourButtonSteps(), NonClient, Frame, 3, 0);
  }
  TRect Move(TPoint Cursor)
  {
    TRect r;
    TrackResize(Track, Cursor, r, Frame);
    return r;
  }
  TTBResizeTrackRecord Track;
  TRect Frame;
};

TEST_F(ResizeTrack, RightEdgeTakesOnlyListedWidthsAndSnapsBackNearTheStart)
{
  Start(1, TPoint(88, 25));
  EXPECT_EQ(Track.SnapRange, 12);
  // A small pull stays at the start size.
  EXPECT_EQ(Move(TPoint(Frame.Right - 10, 0)), Frame);
  EXPECT_FALSE(Track.MovedAway);
  // Further in: the widest listed size not wider than the pointer.
  TRect r = Move(TPoint(Frame.Left + 60, 0));
  EXPECT_EQ(r, TRect(Frame.Left, Frame.Top, Frame.Left + 54, Frame.Top + 67));
  EXPECT_EQ(Track.WrapWidth, 54 - 2 * 3);
  EXPECT_TRUE(Track.MovedAway);
  // Back past the start, within the snap range: exactly the start size, unwrapped.
  EXPECT_EQ(Move(TPoint(Frame.Right + 7, 0)), Frame);
  EXPECT_EQ(Track.WrapWidth, 0);
}

TEST_F(ResizeTrack, LeftEdgeKeepsTheRightSideAndBottomEdgeStepsByHeight)
{
  Start(0, TPoint(88, 25));
  TRect r = Move(TPoint(Frame.Left + 60, 0));
  EXPECT_EQ(r.Right, Frame.Right);
  EXPECT_EQ(r.Width(), 34);  // the four-line size, 28 + 6
  EXPECT_EQ(r.Height(), 111);

  Start(5, TPoint(88, 25));
  // Growing by height: the lowest listed height above the pointer.
  r = Move(TPoint(0, Frame.Top + 60));
  EXPECT_EQ(r, TRect(Frame.Left, Frame.Top, Frame.Left + 54, Frame.Top + 67));
  EXPECT_EQ(Track.WrapWidth, 48);
}

TEST_F(ResizeTrack, SnapRangeShrinksToTheNeighbours)
{
  // The entry at 15 lies 5 from its lower neighbour and 15 from its upper one.
  StartResizeTrack(Track, 2, {{10, 10}, {10, 15}, {10, 30}}, TPoint(0, 0), TRect(0, 0, 10, 15), 0, 0);
  EXPECT_EQ(Track.SnapRange, 4);
}

}  // namespace
