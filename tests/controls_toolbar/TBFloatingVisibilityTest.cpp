// Floating windows: hidden while the application is inactive (or shown with a
// dimmed caption when they should stay), and frames kept on the work area.
#include <gtest/gtest.h>

#include "TBDockTestSupport.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/win/win.h"

namespace {

class TBFloatingVisibilityTest : public ::testing::Test, public TDockFixture {
public:
  void SetUp() override
  {
    Display = THeadlessDisplay::Current();
    Display->SetMonitors({{TRect(0, 0, 1000, 800), TRect(0, 0, 1000, 760)}});
    Form->Show();
    Dock = AddDock(dpTop, true);
    Bar = AddBar(Dock, 0, 0);
    Bar->MakeFloating(true);
    THeadlessDisplay::PumpMessages();
  }
  void TearDown() override { Display->SetMonitors({}); }

  void SetAppActive(bool Active)
  {
    Display->SetAppActive(Active);
    THeadlessDisplay::PumpMessages();
  }
  bool FrameShown() { return IsWindowVisible(Bar->FloatFrame()->Handle()); }

  THeadlessDisplay* Display = nullptr;
  TTBDock* Dock = nullptr;
  TFakeBar* Bar = nullptr;
};

TEST_F(TBFloatingVisibilityTest, HiddenWhileTheApplicationIsInactive)
{
  ASSERT_TRUE(Bar->Floating());
  ASSERT_TRUE(FrameShown());
  SetAppActive(false);
  EXPECT_FALSE(FrameShown());
  EXPECT_FALSE(Bar->CaptionDimmed());
  SetAppActive(true);
  EXPECT_TRUE(FrameShown());

  // Kept visible when asked: the caption is dimmed instead.
  Bar->SetHideWhenInactive(false);
  SetAppActive(false);
  EXPECT_TRUE(FrameShown());
  EXPECT_TRUE(Bar->CaptionDimmed());
  SetAppActive(true);
  EXPECT_FALSE(Bar->CaptionDimmed());

  // Turning it back on while inactive hides the frame at once.
  SetAppActive(false);
  Bar->SetHideWhenInactive(true);
  THeadlessDisplay::PumpMessages();
  EXPECT_FALSE(FrameShown());
  SetAppActive(true);
  EXPECT_TRUE(FrameShown());
}

TEST_F(TBFloatingVisibilityTest, KeepFrameOnScreen)
{
  struct TCase {
    const char* Name;
    TRect Frame;
    bool OnlyIfFullyOff;
    TPoint Expected;  // the frame's top-left afterwards
  };
  // The work area is (0, 0)-(1000, 760).
  const TCase cases[] = {
      {"off to the right", TRect(1200, 100, 1300, 160), false, TPoint(900, 100)},
      {"off to the right, fully off", TRect(1200, 100, 1300, 160), true, TPoint(900, 100)},
      {"below the bottom", TRect(100, 790, 200, 850), false, TPoint(100, 700)},
      {"off to the left and above", TRect(-500, -300, -400, -240), false, TPoint(0, 0)},
      {"larger than the area: left and top win", TRect(-20, -30, 1180, 870), false, TPoint(0, 0)},
      {"partly off, moved", TRect(950, 100, 1050, 160), false, TPoint(900, 100)},
      {"partly off, left alone when only fully off counts", TRect(950, 100, 1050, 160), true, TPoint(950, 100)},
      {"inside", TRect(10, 20, 110, 80), false, TPoint(10, 20)},
  };
  TTBFloatingWindowParent* frame = Bar->FloatFrame();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    frame->SetBounds(c.Frame.Left, c.Frame.Top, c.Frame.Width(), c.Frame.Height());
    Bar->KeepFrameOnScreen(c.OnlyIfFullyOff);
    EXPECT_EQ(TPoint(frame->Left(), frame->Top()), c.Expected);
    EXPECT_EQ(frame->Width(), c.Frame.Width()) << "the frame keeps its size";
    EXPECT_EQ(frame->Height(), c.Frame.Height());
  }

  // A docked window has no frame to move.
  Bar->SetCurrentDock(Dock);
  TRect before = Bar->BoundsRect();
  Bar->KeepFrameOnScreen(false);
  EXPECT_EQ(Bar->BoundsRect(), before);
}

}  // namespace
