// The header driven by synthetic input on the headless display: clicks on
// columns, resizing by a column's edge within its limits, moving columns by
// drag and drop (before and after the target, dragged out, Escape), the drag
// picture following the mouse, and the header's place in the frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

#include "TreeTestSupport.h"
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/SharedResources.h"
#include "platform/classes/forms/Application.h"
#include "tests/support/GoldenImage.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/win.h"

namespace {

struct THeaderRecorder {
  std::vector<std::string> Events;
  void Click(TLTHeader*, TColumnIndex Column, TMouseButton Button, TShiftState, int, int)
  {
    Events.push_back("click " + std::to_string(Column) + (Button == mbLeft ? " left" : " other"));
  }
  void Resize(TLTHeader*, TColumnIndex Column) { Events.push_back("resize " + std::to_string(Column)); }
  void Dragged(TLTHeader*, TColumnIndex Column, int OldPosition)
  {
    Events.push_back("dragged " + std::to_string(Column) + " from " + std::to_string(OldPosition));
  }
  void DraggedOut(TLTHeader*, TColumnIndex Column, TPoint)
  {
    Events.push_back("dragged out " + std::to_string(Column));
  }
  void CellText(TBaseLazyTree*, PLazyNode Node, TColumnIndex Column, TLSTTextType, WideString& Text)
  {
    Text = UTF8Decode("c" + std::to_string(Column) + " n" + std::to_string(Node->SiblingIndex));
  }
};

class HeaderMouseTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Tree = std::make_unique<TLazyStringTree>(nullptr);
    Stage.Open(TRect(40, 40, 440, 260), Tree.get(), TRect(10, 10, 370, 170));
    Display = Stage.Display;
    Form = Stage.Form;
    const char* captions[] = {"Nom", "Statut", "Groupe"};
    for (int i = 0; i < 3; ++i) {
      TLazyTreeColumn* column = Tree->Header().Columns().Add();
      column->SetWidth(80 + 10 * i);
      column->SetText(UTF8Decode(captions[i]));
    }
    Tree->Header().SetOptions(Tree->Header().Options() + hoVisible);
    Tree->OnGetText = TLSTGetTextEvent(&Rec, &THeaderRecorder::CellText);
    Tree->OnHeaderClick = TLTHeaderClickEvent(&Rec, &THeaderRecorder::Click);
    Tree->OnColumnResize = TLTHeaderNotifyEvent(&Rec, &THeaderRecorder::Resize);
    Tree->OnHeaderDragged = TLTHeaderDraggedEvent(&Rec, &THeaderRecorder::Dragged);
    Tree->OnHeaderDraggedOut = TLTHeaderDraggedOutEvent(&Rec, &THeaderRecorder::DraggedOut);
    Tree->SetRootNodeCount(4);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    Stage.Close(Tree.get());
    Tree.reset();
  }
  void Pump() { Application()->ProcessMessages(); }
  TLazyTreeColumn* Column(int I) { return Tree->Header().Columns().Item(I); }
  // A point of the header: x in client coordinates, in the middle of its height.
  TPoint HeaderPoint(int X) { return Tree->ClientToScreen(TPoint(X, -Tree->Header().Height() / 2)); }
  int Middle(int I) { return Column(I)->Left() + Column(I)->Width() / 2; }
  void MoveTo(TPoint Screen)
  {
    Display->MoveMouse(Screen.x, Screen.y);
    Pump();
  }
  void Press(TPoint Screen)
  {
    // Apart from the press before, so that it is no double click.
    THeadlessDisplay::Advance(1000);
    MoveTo(Screen);
    Display->Press();
    Pump();
  }
  void Release()
  {
    Display->Release();
    Pump();
  }
  std::vector<unsigned> Positions()
  {
    return {Column(0)->Position(), Column(1)->Position(), Column(2)->Position()};
  }

  TInputStage Stage;
  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  std::unique_ptr<TLazyStringTree> Tree;
  THeaderRecorder Rec;
};

}  // namespace

TEST_F(HeaderMouseTest, TheHeaderLiesAboveTheClientAndAnswersAsBorder)
{
  TPoint header = HeaderPoint(20), client = Tree->ClientToScreen(TPoint(20, 5));
  EXPECT_EQ(SendMessage(Tree->Handle(), WM_NCHITTEST, 0, MAKELPARAM(header.x, header.y)), HTBORDER);
  EXPECT_EQ(SendMessage(Tree->Handle(), WM_NCHITTEST, 0, MAKELPARAM(client.x, client.y)), HTCLIENT);
}

TEST_F(HeaderMouseTest, AClickOnOneColumnReportsItAPressMovedToAnotherDoesNot)
{
  Press(HeaderPoint(Middle(1)));
  EXPECT_EQ(Tree->Header().Columns().DownIndex, 1);
  Release();
  ASSERT_EQ(Rec.Events, (std::vector<std::string>{"click 1 left"}));
  EXPECT_EQ(Tree->Header().Columns().DownIndex, NoColumn);
  // Pressed on the first column, released on the third (within the drag threshold is not possible here).
  Tree->Header().SetOptions(Tree->Header().Options() - hoDrag);
  Rec.Events.clear();
  Press(HeaderPoint(Middle(0)));
  MoveTo(HeaderPoint(Middle(2)));
  Release();
  EXPECT_TRUE(Rec.Events.empty());
  EXPECT_EQ(Positions(), (std::vector<unsigned>{0, 1, 2}));
}

TEST_F(HeaderMouseTest, DraggingAColumnEdgeResizesItWithinItsLimits)
{
  Column(0)->SetMaxWidth(120);
  struct Case {
    int X, Width;
  };
  // The first column's right edge is at 80; its left edge at 0.
  const Case cases[] = {{130, 120}, {50, 50}, {3, 10}, {95, 95}};
  Press(HeaderPoint(80));
  EXPECT_TRUE(Tree->Header().States().Contains(hsTrackPending));
  for (const Case& c : cases) {
    MoveTo(HeaderPoint(c.X));
    EXPECT_EQ(Column(0)->Width(), c.Width) << "x = " << c.X;
  }
  Release();
  EXPECT_TRUE(Tree->Header().States().Empty());
  EXPECT_EQ(Rec.Events.front(), "resize 0");
  EXPECT_EQ(Column(1)->Left(), 95) << "the next column follows the edge";
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), std::string("click 0 left")), 0)
      << "a resize is no click";
}

// Hovering a column's right edge (from 3 pixels left of it to 4 right of it)
// shows the split cursor, only while the header lets columns be resized and
// the column is resizable; the owner has the last word.
TEST_F(HeaderMouseTest, HoveringAResizableEdgeShowsTheSplitCursor)
{
  struct Owner {
    HCURSOR Given = nullptr;
    void Cursor(TLTHeader*, HCURSOR& C) { C = Given ? Given : C; }
  } owner;
  Tree->OnGetHeaderCursor = TLTGetHeaderCursorEvent(&owner, &Owner::Cursor);
  HCURSOR split = Screen()->Cursors(crHeaderSplit), hand = Screen()->Cursors(crHandPoint);
  enum { Resize = 1, Resizable = 2, OwnerHand = 4 };
  const struct {
    int X, Flags;
    HCURSOR Expected;
  } cases[] = {
      {80, Resize | Resizable, split},   {78, Resize | Resizable, split}, {84, Resize | Resizable, split},
      {77, Resize | Resizable, nullptr}, {40, Resize | Resizable, nullptr}, {80, Resizable, nullptr},
      {80, Resize, nullptr},             {80, Resize | Resizable | OwnerHand, hand},
  };
  // Between cases the pointer rests over the client area with the standard arrow.
  HCURSOR arrow = Screen()->Cursors(crDefault);
  for (const auto& c : cases) {
    MoveTo(Tree->ClientToScreen(TPoint(40, 40)));
    ::SetCursor(arrow);
    auto options = Tree->Header().Options();
    Tree->Header().SetOptions(c.Flags & Resize ? options + hoColumnResize : options - hoColumnResize);
    TLTColumnOptions columnOptions = Column(0)->Options();
    Column(0)->SetOptions(c.Flags & Resizable ? columnOptions + coResizable : columnOptions - coResizable);
    owner.Given = c.Flags & OwnerHand ? hand : nullptr;
    MoveTo(HeaderPoint(c.X));
    EXPECT_EQ(GetCursor(), c.Expected ? c.Expected : arrow) << "x = " << c.X << ", flags " << c.Flags;
  }
}

TEST_F(HeaderMouseTest, ADroppedColumnLandsBeforeOrAfterItsTarget)
{
  struct Case {
    int TargetX;  // client x over the third column
    std::vector<unsigned> Positions;
  };
  const Case cases[] = {
      {Middle(2) + 20, {2, 0, 1}},  // right half of the third column
      {Middle(2) - 20, {1, 0, 2}},  // left half
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 3; ++i)
      Column(i)->SetPosition(unsigned(i));
    Rec.Events.clear();
    Press(HeaderPoint(Middle(0)));
    MoveTo(HeaderPoint(Middle(0) + 10));
    ASSERT_TRUE(Tree->Header().States().Contains(hsDragging));
    MoveTo(HeaderPoint(c.TargetX));
    EXPECT_EQ(Tree->Header().Columns().DropTarget, 2);
    Release();
    EXPECT_EQ(Positions(), c.Positions) << "x = " << c.TargetX;
    EXPECT_EQ(Rec.Events, (std::vector<std::string>{"dragged 0 from 0"}));
    EXPECT_FALSE(Tree->Header().DragImage().Prepared());
  }
}

TEST_F(HeaderMouseTest, EscapeOrADropOutsideTheTreeLeavesThePositions)
{
  Press(HeaderPoint(Middle(0)));
  MoveTo(HeaderPoint(Middle(2)));
  ASSERT_TRUE(Tree->Header().States().Contains(hsDragging));
  Display->PressKey(VK_ESCAPE);
  Pump();
  EXPECT_TRUE(Tree->Header().States().Empty());
  EXPECT_EQ(Tree->Header().Columns().DropTarget, NoColumn);
  Release();
  EXPECT_EQ(Positions(), (std::vector<unsigned>{0, 1, 2}));
  EXPECT_TRUE(Rec.Events.empty());

  Press(HeaderPoint(Middle(0)));
  MoveTo(HeaderPoint(Middle(2)));
  TRect window;
  GetWindowRect(Tree->Handle(), &window);
  MoveTo(TPoint(window.Right + 40, window.Top + 5));
  Release();
  EXPECT_EQ(Positions(), (std::vector<unsigned>{0, 1, 2}));
  EXPECT_EQ(Rec.Events, (std::vector<std::string>{"dragged out 0"}));
}

TEST_F(HeaderMouseTest, TheDragPictureFollowsTheMouse)
{
  Tree->Header().SetOptions(Tree->Header().Options() + hoShowSortGlyphs);
  Tree->Header().SetSortColumn(0);
  Press(HeaderPoint(Middle(0)));
  MoveTo(HeaderPoint(Middle(0) + 10));
  TLTDragImage& picture = Tree->Header().DragImage();
  ASSERT_TRUE(picture.Visible());
  TPoint start = picture.ImagePosition();
  MoveTo(HeaderPoint(Middle(1) + 25));
  TPoint after = picture.ImagePosition();
  EXPECT_EQ(after.x - start.x, Middle(1) + 25 - (Middle(0) + 10)) << "the picture goes the way the mouse went";
  EXPECT_EQ(after.y, start.y);
  // Restricted to the horizontal: a move down leaves the picture's height.
  Tree->Header().DragImage().MoveRestriction = dmrHorizontalOnly;
  TPoint p = HeaderPoint(Middle(1) + 25);
  MoveTo(TPoint(p.x, p.y + 30));
  EXPECT_EQ(picture.ImagePosition().y, start.y);

  TRect area = Form->BoundsRect();
  std::vector<uint32_t> pixels = Display->ScreenImage(area);
  TPixelImage shot{area.Width(), area.Height(), pixels};
  std::string message;
  EXPECT_TRUE(MatchesGolden(shot, std::string(VTREE_GOLDEN_DIR) + "/header-drag.png", &message)) << message;
  // The picture is darker than the header's face where it covers the client area.
  TRect r = picture.GetDragImageRect();
  uint32_t over = Display->ScreenPixel(r.Left + 2, r.Bottom - 3);
  EXPECT_NE(over, Display->ScreenPixel(r.Left + 2, r.Bottom + 40));
  Release();
}

// A double click on a column's right edge slides the edge to the widest
// content in 32 steps of 1 ms; the width ends exact and the old one is kept.
TEST_F(HeaderMouseTest, ADoubleClickOnAnEdgeAnimatesTheColumnToItsContent)
{
  Tree->Header().SetOptions(Tree->Header().Options() + hoDblClickResize);
  const int widest = std::max(Column(0)->MinWidth(), Tree->ColumnContentWidth(0));
  ASSERT_NE(widest, Column(0)->Width());
  TPoint edge = HeaderPoint(Column(0)->Width() - 1);
  Press(edge);
  Release();
  const DWORD before = GetTickCount();
  Display->Press();
  Pump();
  Display->Release();
  Pump();
  EXPECT_EQ(Column(0)->Width(), widest);
  EXPECT_EQ(Column(0)->LastWidth(), 80);
  EXPECT_GE(GetTickCount() - before, 32u) << "32 steps of 1 ms";
  // Back to the last width the same way; an unchanged width takes no step.
  Column(0)->RestoreLastWidth();
  EXPECT_EQ(Column(0)->Width(), 80);
  const DWORD still = GetTickCount();
  Tree->Header().Columns().AnimatedResize(0, 80);
  EXPECT_EQ(GetTickCount(), still);
}
