// Scripted drags and resizes on the headless display: the script plays the
// user whenever the drag or resize loop waits for input.
#include <gtest/gtest.h>

#include "TBScriptedUser.h"

#include <deque>
#include <functional>

#include "TBDockTestSupport.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/win/win.h"

namespace {

class TBDragLoopTest : public ::testing::Test, public TDockFixture {
public:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    Form->SetBounds(100, 100, 600, 400);
    Form->Show();
    Top = AddDock(dpTop, true);
    Bottom = AddDock(dpBottom, true);
    Bar = AddBar(Top, 0, 0);
    THeadlessDisplay::PumpMessages();
    User.Attach(Display);
  }
  void TearDown() override
  {
    EXPECT_TRUE(Steps.empty()) << "the loop ended before the script did";
    EXPECT_FALSE(RanOut) << "the script ran out before the loop ended";
    User.Detach();
    if (GetKeyState(VK_CONTROL) < 0)
      Display->KeyUp(VK_CONTROL);
    THeadlessDisplay::PumpMessages();
  }

  static TRect ScreenRectOf(TWinControl* Control)
  {
    TRect r;
    GetWindowRect(Control->Handle(), &r);
    return r;
  }
  // A point on the docked bar's drag handle.
  TPoint HandlePoint() const
  {
    TRect r = ScreenRectOf(Bar);
    return TPoint(r.Left + 4, (r.Top + r.Bottom) / 2);
  }
  // A point inside the bottom dock's snap zone.
  TPoint InBottomDock() const
  {
    TRect r = ScreenRectOf(Bottom);
    return TPoint(300, r.Top - 2);
  }
  // Presses the left button at P (the loop starts there) and plays the
  // script until the loop has ended.
  void PressAt(TPoint P)
  {
    // Far apart in time: two presses in one place would be a double click.
    THeadlessDisplay::Advance(1000);
    Display->MoveMouse(P.x, P.y);
    THeadlessDisplay::PumpMessages();
    Display->Press();
    THeadlessDisplay::PumpMessages();
    THeadlessDisplay::PumpMessages();
  }
  void Move(TPoint P) { Display->MoveMouse(P.x, P.y); }

  THeadlessDisplay* Display = nullptr;
  TTBDock* Top = nullptr;
  TTBDock* Bottom = nullptr;
  TFakeBar* Bar = nullptr;
  TScriptedUser User;
  std::deque<std::function<void()>>& Steps = User.Steps;
  bool& RanOut = User.RanOut;
};

TEST_F(TBDragLoopTest, TopDockToBottomDock)
{
  HWND handle = Bar->Handle();
  Steps = {
      [&] { Move(InBottomDock()); },
      [&] {
        EXPECT_EQ(Bar->CurrentDock(), Bottom) << "a smooth drag docks as the mouse moves";
        Display->Release();
      },
  };
  PressAt(HandlePoint());
  EXPECT_EQ(Bar->CurrentDock(), Bottom);
  EXPECT_EQ(Bar->Handle(), handle);
  EXPECT_EQ(Bar->LastDock(), Bottom);
  EXPECT_EQ(Top->VisibleWindowCount(), 0);
  EXPECT_FALSE(Top->IsMember(Bar));
  EXPECT_EQ(Bar->ArrangedRow(), 0);
  EXPECT_GT(Bottom->Height(), 0) << "the bottom dock grew to hold its row";
  EXPECT_EQ(Top->Height(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TBDragLoopTest, AwayFromEveryDockFloatsUnderTheCursor)
{
  const TPoint grab = HandlePoint();
  const TPoint drop(380, 300);
  Steps = {
      [&] { Move(drop); },
      [&] { Display->Release(); },
  };
  PressAt(grab);
  ASSERT_TRUE(Bar->Floating());
  TRect frame = ScreenRectOf(Bar->FloatFrame());
  EXPECT_TRUE(PtInRect(&frame, drop)) << "the frame is where the window was let go";
  EXPECT_TRUE(IsWindowVisible(Bar->FloatFrame()->Handle()));
  EXPECT_EQ(Bar->LastDock(), Top) << "the dock it came from stays its last dock";
  EXPECT_TRUE(Top->IsMember(Bar));
}

TEST_F(TBDragLoopTest, CtrlFloatsOverADockAndItsReleaseDocksAgainAtOnce)
{
  Steps = {
      [&] { Move(InBottomDock()); },
      [&] {
        ASSERT_EQ(Bar->CurrentDock(), Bottom);
        Display->KeyDown(VK_CONTROL);
      },
      [&] {
        EXPECT_TRUE(Bar->Floating()) << "Ctrl decides again without a mouse move";
        Display->KeyUp(VK_CONTROL);
      },
      [&] {
        EXPECT_EQ(Bar->CurrentDock(), Bottom);
        Display->KeyDown(VK_CONTROL);
      },
      [&] { Display->Release(); },
  };
  PressAt(HandlePoint());
  EXPECT_TRUE(Bar->Floating());
}

TEST_F(TBDragLoopTest, AWindowThatCannotFloatShowsTheNoCursorAndStaysPut)
{
  Bar->SetDockMode(dmCannotFloat);
  AddBar(Top, 0, 200);
  const TRect before = ScreenRectOf(Bar);
  const int row = Bar->ArrangedRow(), pos = Bar->ArrangedPos();
  Steps = {
      [&] { Move(TPoint(380, 300)); },
      [&] {
        EXPECT_EQ(Display->Cursor(), LoadCursor(nullptr, IDC_NO));
        Move(TPoint(390, 310));
      },
      [&] { Display->Release(); },
  };
  PressAt(HandlePoint());
  EXPECT_EQ(Bar->CurrentDock(), Top);
  EXPECT_EQ(Bar->ArrangedRow(), row);
  EXPECT_EQ(Bar->ArrangedPos(), pos);
  TRect after = ScreenRectOf(Bar);
  EXPECT_TRUE(EqualRect(&before, &after));
}

// Escape undoes a smooth drag that already moved the window elsewhere: it
// goes back to its dock, row and place, or to its floating frame's place.
TEST_F(TBDragLoopTest, EscapeDuringASmoothDragPutsTheWindowBack)
{
  AddBar(Top, 0, 0);
  Bar->SetDockRow(1);
  Bar->SetDockPos(60);
  const TRect docked = ScreenRectOf(Bar);
  ASSERT_EQ(Bar->ArrangedRow(), 1);
  ASSERT_EQ(Bar->ArrangedPos(), 60);
  for (TPoint elsewhere : {InBottomDock(), TPoint(380, 300)}) {
    Steps = {
        [&] { Move(elsewhere); },
        [&] {
          EXPECT_NE(Bar->CurrentDock(), Top);
          Display->PressKey(VK_ESCAPE);
        },
    };
    PressAt(HandlePoint());
    Display->Release();
    THeadlessDisplay::PumpMessages();
    EXPECT_EQ(Bar->CurrentDock(), Top);
    EXPECT_EQ(Bar->ArrangedRow(), 1);
    EXPECT_EQ(Bar->ArrangedPos(), 60);
    TRect back = ScreenRectOf(Bar);
    EXPECT_TRUE(EqualRect(&back, &docked));
    EXPECT_EQ(Bottom->VisibleWindowCount(), 0);
  }

  // From floating: the frame goes back to where it was.
  Bar->MakeFloating(true);
  Bar->MoveFrameTo(TRect(300, 250, 300, 250));
  const TRect frameBefore = ScreenRectOf(Bar->FloatFrame());
  TRect caption = Bar->FloatFrame()->CaptionRect();
  const TPoint onCaption(frameBefore.Left + caption.Left + 5, frameBefore.Top + caption.Top + 3);
  Steps = {
      [&] { Move(TPoint(onCaption.x + 40, onCaption.y + 30)); },
      [&] { Move(InBottomDock()); },
      [&] {
        EXPECT_EQ(Bar->CurrentDock(), Bottom);
        Display->PressKey(VK_ESCAPE);
      },
  };
  PressAt(onCaption);
  Display->Release();
  THeadlessDisplay::PumpMessages();
  ASSERT_TRUE(Bar->Floating());
  TRect frameAfter = ScreenRectOf(Bar->FloatFrame());
  EXPECT_TRUE(EqualRect(&frameBefore, &frameAfter));
}

// An outline drag draws on the screen itself; once it ends the screen shows
// exactly what it showed before, the bare desktop included.
TEST_F(TBDragLoopTest, AnOutlineDragLeavesNoTraceOnTheScreen)
{
  Bar->SetSmoothDrag(false);
  const TRect screen(0, 0, 1024, 738);
  THeadlessDisplay::PumpMessages();
  const std::vector<uint32_t> before = Display->ScreenImage(screen);
  Steps = {
      [&] { Move(TPoint(380, 300)); },
      [&] {
        EXPECT_NE(Display->ScreenImage(screen), before) << "the outline shows while dragging";
        EXPECT_EQ(Bar->CurrentDock(), Top) << "only the outline moves";
        // Over the bare desktop, where no window paints over what is left.
        Move(TPoint(850, 600));
      },
      [&] {
        EXPECT_NE(Display->ScreenImage(screen), before);
        Display->PressKey(VK_ESCAPE);
      },
  };
  PressAt(HandlePoint());
  Display->Release();
  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Bar->CurrentDock(), Top);
  EXPECT_EQ(Display->ScreenImage(screen), before);

  // Accepted: the outline goes and the window lands where it was dropped.
  Steps = {
      [&] { Move(TPoint(380, 300)); },
      [&] { Move(InBottomDock()); },
      [&] { Display->Release(); },
  };
  PressAt(HandlePoint());
  EXPECT_EQ(Bar->CurrentDock(), Bottom);
  THeadlessDisplay::PumpMessages();
  const std::vector<uint32_t> after = Display->ScreenImage(screen);
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(Display->ScreenImage(screen), after) << "the screen shows the windows, and no outline";
}

// Resizing a floating frame by its edges: the content stays between its
// minimum and maximum, and the window's own tracking (a width step here)
// decides the final size.
TEST_F(TBDragLoopTest, ResizingAFloatingFrameKeepsItsClampsAndSteps)
{
  Bar->MinFloating = TPoint(40, 20);
  Bar->MaxFloating = TPoint(200, 0);
  Bar->MakeFloating(true);
  Bar->MoveFrameTo(TRect(300, 250, 300, 250));
  TTBFloatingWindowParent* frame = Bar->FloatFrame();
  TRect nc = frame->NonClientSizes();
  const int ncW = nc.Left + nc.Right;
  enum { Left, Right, BottomEdge };
  struct TCase {
    int Edge;
    int Delta;
    int Step;
    int ContentWidth, ContentHeight;  // -1: unchanged
    const char* What;
  } cases[] = {
      {Right, -500, 0, 40, -1, "the minimum width"},
      {Right, +500, 0, 200, -1, "the maximum width"},
      {Left, +500, 0, 40, -1, "the minimum, moving the left edge"},
      {BottomEdge, -500, 0, -1, 20, "the minimum height"},
      {BottomEdge, +60, 0, -1, 120, "no maximum height"},
      {Right, +25, 30, 120, -1, "snapped down to a step of 30"},
  };
  for (const TCase& c : cases) {
    Bar->WidthStep = c.Step;
    // Each case starts from a 100 x 60 content.
    frame->SetBounds(300, 250, 100 + ncW, 60 + nc.Top + nc.Bottom);
    Bar->SetBounds(0, 0, 100, 60);
    THeadlessDisplay::PumpMessages();
    const TRect start = ScreenRectOf(frame);
    TPoint p = c.Edge == Left    ? TPoint(start.Left + 1, (start.Top + start.Bottom) / 2)
               : c.Edge == Right ? TPoint(start.Right - 2, (start.Top + start.Bottom) / 2)
                                 : TPoint((start.Left + start.Right) / 2, start.Bottom - 2);
    TPoint to = c.Edge == BottomEdge ? TPoint(p.x, p.y + c.Delta) : TPoint(p.x + c.Delta, p.y);
    Steps = {
        [&] { Move(to); },
        [&] { Display->Release(); },
    };
    PressAt(p);
    const TRect r = ScreenRectOf(frame);
    const int expectW = c.ContentWidth < 0 ? 100 : c.ContentWidth;
    const int expectH = c.ContentHeight < 0 ? 60 : c.ContentHeight;
    EXPECT_EQ(Bar->Width(), expectW) << c.What;
    EXPECT_EQ(Bar->Height(), expectH) << c.What;
    EXPECT_EQ(r.Width(), expectW + ncW) << c.What;
    if (c.Edge == Left)
      EXPECT_EQ(r.Right, start.Right) << c.What << ": the right edge stays";
    else
      EXPECT_EQ(r.Left, start.Left) << c.What << ": the left edge stays";
  }
}

}  // namespace
