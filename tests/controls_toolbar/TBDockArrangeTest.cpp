// The dock's arrangement with fake dockable windows: wrapping, full size,
// stretch, chevron shrinking, empty rows, stored positions and thickness.
// The docks here have no drag handle, so a window's docked frame adds 4 in
// each direction: a natural length of 76 is a full length of 80.
#include <gtest/gtest.h>

#include "TBDockTestSupport.h"
#include "platform/base/Exception.h"

namespace {

class TBDockArrangeTest : public ::testing::Test, public TDockFixture {};

struct TPlaced {
  int Row, Pos, Length;
};

TPlaced Placed(TTBCustomDockableWindow* W) { return {W->ArrangedRow(), W->ArrangedPos(), W->Width()}; }

#define EXPECT_PLACED(bar, row, pos, length)          \
  do {                                               \
    TPlaced p = Placed(bar);                         \
    EXPECT_EQ(p.Row, row) << #bar " row";            \
    EXPECT_EQ(p.Pos, pos) << #bar " position";       \
    EXPECT_EQ(p.Length, length) << #bar " length";   \
  } while (0)

TEST_F(TBDockArrangeTest, ARowWrapsAtTheFirstWindowThatDoesNotFitAndRowsAreFourThicker)
{
  TTBDock* dock = AddDock(dpTop);
  ASSERT_EQ(dock->Width(), 200);
  auto* a = AddBar(dock, 0, 0);
  auto* b = AddBar(dock, 0, 80);
  auto* c = AddBar(dock, 0, 160);
  EXPECT_PLACED(a, 0, 0, 80);
  EXPECT_PLACED(b, 0, 80, 80);
  // The wrapped window keeps its wanted place as far as the row allows.
  EXPECT_PLACED(c, 1, 120, 80);
  EXPECT_EQ(a->Height(), 24);
  EXPECT_EQ(c->Top(), 24);
  EXPECT_EQ(dock->Height(), 48) << "two rows of content 20 + 4";

  dock->SetLimitToOneRow(true);
  dock->ArrangeWindows();
  EXPECT_EQ(c->ArrangedRow(), 0);
  EXPECT_EQ(dock->Height(), 24);
}

TEST_F(TBDockArrangeTest, AWindowLongerThanTheRowStillTakesTheFirstPlaceOfItsRow)
{
  TTBDock* dock = AddDock(dpTop);
  auto* wide = AddBar(dock, 0, 0, 296);
  EXPECT_EQ(wide->ArrangedRow(), 0) << "never wraps at the first window of a row";
  EXPECT_EQ(wide->Width(), 300);
}

TEST_F(TBDockArrangeTest, ChevronWindowsShrinkToFitTheRow)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 0, 146);
  auto* b = AddBar(dock, 0, 150, 146);
  for (TFakeBar* bar : {a, b}) {
    bar->Mode = tbsmChevron;
    bar->MinLength = 40;
  }
  dock->ArrangeWindows();
  EXPECT_PLACED(a, 0, 0, 150);
  EXPECT_PLACED(b, 0, 150, 50);
  EXPECT_EQ(b->CurrentLength(), 50);
  EXPECT_EQ(a->CurrentLength(), 0) << "full length means no imposed length";
}

// The gaps an overflowing row skips move the later wanted places along: the
// middle bar is not taken as overlapping the last, so only the last pays the
// overflow.
TEST_F(TBDockArrangeTest, AnOverflowingRowWithGapsShrinksOnlyItsLastWindow)
{
  Form->SetClientWidth(250);
  TTBDock* dock = AddDock(dpTop);
  ASSERT_EQ(dock->Width(), 250);
  dock->BeginUpdate();
  auto* a = AddBar(dock, 0, 0, 96);
  auto* b = AddBar(dock, 0, 150, 96);
  auto* c = AddBar(dock, 0, 220, 96);
  for (TFakeBar* bar : {a, b, c}) {
    bar->Mode = tbsmChevron;
    bar->MinLength = 20;
  }
  dock->EndUpdate();
  dock->ArrangeWindows();
  EXPECT_PLACED(a, 0, 0, 100);
  EXPECT_PLACED(b, 0, 100, 100);
  EXPECT_PLACED(c, 0, 200, 50);
}

TEST_F(TBDockArrangeTest, AFullSizeWindowTakesARowOfItsOwnBeforeTheOthersAndTheWholeLength)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 0);
  auto* full = AddBar(dock, 0, 100);
  full->SetFullSize(true);
  EXPECT_PLACED(full, 0, 0, 200);
  EXPECT_PLACED(a, 1, 0, 80);
}

TEST_F(TBDockArrangeTest, AStretchWindowFillsTheRestOfItsRow)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 0);
  auto* s = AddBar(dock, 0, 90);
  s->SetStretch(true);
  EXPECT_PLACED(a, 0, 0, 80);
  EXPECT_PLACED(s, 0, 80, 120);  // its gap absorbed, reaching the end
}

TEST_F(TBDockArrangeTest, GapsAreKeptWhileTheRowHasRoomAndWantedPositionsArePlacedAfterEachOther)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 10, 36);
  auto* b = AddBar(dock, 0, 20, 36);
  EXPECT_PLACED(a, 0, 10, 40);
  EXPECT_PLACED(b, 0, 50, 40);  // raised past the window before
  a->SetDockPos(-8);
  EXPECT_EQ(a->ArrangedPos(), 0) << "a negative wanted position starts at 0";
}

TEST_F(TBDockArrangeTest, AHiddenMemberKeepsItsRow)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 0);
  auto* hidden = AddBar(dock, 1, 0);
  auto* c = AddBar(dock, 2, 0);
  hidden->Hide();
  dock->ArrangeWindows();
  EXPECT_EQ(a->ArrangedRow(), 0);
  EXPECT_EQ(hidden->ArrangedRow(), 1);
  EXPECT_EQ(c->ArrangedRow(), 2);
  EXPECT_EQ(c->Top(), 24) << "the hidden row has no thickness";
  EXPECT_EQ(dock->Height(), 48);
  EXPECT_EQ(dock->VisibleWindowCount(), 2);
}

TEST_F(TBDockArrangeTest, EmptyRowsAreRemovedAndStoredPositionsOnlyWhenAsked)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 3, 30);
  EXPECT_EQ(a->ArrangedRow(), 0);
  EXPECT_EQ(a->DockRow(), 3) << "the wanted row stays";
  EXPECT_EQ(a->DockPos(), 30);
  dock->SetStoreArrangedPositions(true);
  dock->ArrangeWindows();
  EXPECT_EQ(a->DockRow(), 0);
  EXPECT_EQ(a->DockPos(), 30);
}

TEST_F(TBDockArrangeTest, WindowsWantingTheSamePlaceKeepTheirOrderOverRepeatedArrangements)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 0, 36);
  auto* b = AddBar(dock, 0, 0, 36);
  for (int i = 0; i < 3; ++i) {
    a->SetDockPos(0);
    b->SetDockPos(0);
    a->SetDockRow(0);
    b->SetDockRow(0);
    dock->SetStoreArrangedPositions(true);
    dock->ArrangeWindows();
    EXPECT_EQ(a->ArrangedPos(), 0);
    EXPECT_EQ(b->ArrangedPos(), 40);
  }
}

TEST_F(TBDockArrangeTest, AnEmptyDockShrinksAndVerticalDocksArrangeAcross)
{
  TTBDock* dock = AddDock(dpTop);
  auto* a = AddBar(dock, 0, 0);
  EXPECT_EQ(dock->Height(), 24);
  a->Hide();
  EXPECT_EQ(dock->Height(), 0);
  dock->SetFixAlign(true);
  EXPECT_EQ(dock->Height(), 1);

  TTBDock* left = AddDock(dpLeft);
  auto* v = AddBar(left, 0, 5);
  EXPECT_EQ(v->Top(), 5);
  EXPECT_EQ(v->Height(), 80);
  EXPECT_EQ(left->Width(), 24);
}

TEST_F(TBDockArrangeTest, BoundLinesAddToTheThicknessAndDockErrorsAreReported)
{
  TTBDock* dock = AddDock(dpTop);
  AddBar(dock, 0, 0);
  dock->SetBoundLines(TTBDockBoundLines{blTop, blBottom});
  EXPECT_EQ(dock->Height(), 26);
  EXPECT_THROW(dock->SetPosition(dpBottom), EInvalidOperation);
  auto* bar = AddBar(dock, 0, 0);
  auto* inner = new TTBDock(Form);
  EXPECT_THROW(inner->SetParent(bar), EInvalidOperation);
  EXPECT_THROW(inner->SetParent(dock), EInvalidOperation);
}

}  // namespace
