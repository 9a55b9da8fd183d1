// The host-like form (menu bar and a toolbar with a chevron) in a real
// window: the screen shows the headless golden picture; with XTest input the
// toolbar is dragged off its dock to float and goes back by its caption.
#include "X11TestSupport.h"

#include <chrono>
#include <thread>

#include "controls/toolbar/TBFloatingWindowParent.h"
#include "tests/controls_toolbar/TBToolbarHostForm.h"
#include "tests/support/GoldenImage.h"

namespace {

class X11ToolbarDockTest : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    Application()->Initialize();
    SetBuiltinFontOnly(true);
    Host = std::make_unique<THostLikeForm>(Log);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(Host->Form->Handle())); }));
  }
  void TearDown() override
  {
    Host.reset();
    SetBuiltinFontOnly(false);
    X11Fixture::TearDown();
  }

  static TRect WindowRect(HWND Window)
  {
    TRect r;
    GetWindowRect(Window, &r);
    return r;
  }

  // Presses at From, moves to To in steps as a hand would, releases.
  static void DragWithXTest(TPoint From, TPoint To)
  {
    MoveTo(From.x, From.y);
    Button(1, true);
    const int steps = 12;
    for (int i = 1; i <= steps; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(15));
      MoveTo(From.x + (To.x - From.x) * i / steps, From.y + (To.y - From.y) * i / steps);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    Button(1, false);
  }

  TItemClickLog Log;
  std::unique_ptr<THostLikeForm> Host;
};

TEST_F(X11ToolbarDockTest, HostLikeFormLooksLikeTheGoldenAndItsToolbarFloatsAndDocksBack)
{
  TPixelImage golden;
  ASSERT_TRUE(ReadPng(std::string(TOOLBAR_GOLDEN_DIR) + "/host-like-form.png", golden));
  HWND form = Host->Form->Handle();
  TRect formRect = WindowRect(form);
  ASSERT_EQ(formRect.Width(), golden.Width);
  ASSERT_EQ(formRect.Height(), golden.Height);
  EXPECT_TRUE(PumpUntil([&] { return ServerPixels(XOf(form), golden.Width, golden.Height) == golden.Pixels; }))
      << "the screen shows the headless golden picture";

  // Off the dock by the drag handle, to below the form.
  TTBToolbar* tools = Host->Tools;
  TRect docked = WindowRect(tools->Handle());
  TPoint handle(docked.Left + 4, (docked.Top + docked.Bottom) / 2);
  std::thread off([&] { DragWithXTest(handle, TPoint(handle.x + 40, formRect.Bottom + 120)); });
  bool floated = PumpUntil([&] { return tools->Floating(); });
  off.join();
  ASSERT_TRUE(floated) << "the toolbar did not float";
  TTBFloatingWindowParent* frame = tools->FloatFrame();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(frame->Handle())); }));
  TRect floating = WindowRect(frame->Handle());
  EXPECT_GT(floating.Top, formRect.Bottom) << "the frame is where the toolbar was dropped";

  EXPECT_TRUE(Log.Clicked.empty()) << "a drag clicked an item";

  // Back by its caption: dragged over the dock, then (floated again)
  // double-clicked.
  const TRect caption = frame->CaptionRect();
  const TRect dock = WindowRect(Host->Dock->Handle());
  TPoint onCaption(floating.Left + caption.Left + 5, floating.Top + caption.Top + 3);
  std::thread back([&] { DragWithXTest(onCaption, TPoint(dock.Left + 40, dock.Bottom - 4)); });
  bool redocked = PumpUntil([&] { return tools->CurrentDock() == Host->Dock; });
  back.join();
  ASSERT_TRUE(redocked) << "dragging the caption over the dock did not dock the toolbar";
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() == nullptr; }));

  tools->MakeFloating(true);
  tools->MoveFrameTo(TRect(200, 400, 200, 400));
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(tools->FloatFrame()->Handle())); }));
  floating = WindowRect(tools->FloatFrame()->Handle());
  onCaption = TPoint(floating.Left + caption.Left + 5, floating.Top + caption.Top + 3);
  MoveTo(onCaption.x, onCaption.y);
  Click(onCaption.x, onCaption.y);
  Click(onCaption.x, onCaption.y);
  EXPECT_TRUE(PumpUntil([&] { return tools->CurrentDock() == Host->Dock; }))
      << "a double click on the caption did not dock the toolbar";
  EXPECT_TRUE(Log.Clicked.empty()) << "a press on the caption clicked an item";
}

}  // namespace
