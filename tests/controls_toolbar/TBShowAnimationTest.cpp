// The popup show animation: its steps and slide offsets, and whole
// animations of a plain window paced by the worker on the virtual clock.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "platform/classes/Messages.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

TMessage FrameMessage(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  return m;
}

TEST(TBShowAnimation, StepsAreMultiplesOf16OnThe255Scale)
{
  struct {
    LONGLONG Elapsed;
    int Want;
  } cases[] = {{0, 0}, {9, 0}, {10, 16}, {75, 128}, {140, 224}, {149, 240}, {150, 240}, {-10, -17}};
  for (auto c : cases)
    EXPECT_EQ(AnimationStepAt(c.Elapsed, 150), c.Want) << c.Elapsed << " ms";
}

TEST(TBShowAnimation, SlideOffsetsMoveTheImageInFromItsEdge)
{
  struct {
    TTBAnimationDirection Dir;
    int Step;
    TPoint Want;
  } cases[] = {{tbadDown, 128, TPoint(0, -50)}, {tbadUp, 128, TPoint(0, 50)},       {tbadRight, 0, TPoint(-80, 0)},
               {tbadLeft, 128, TPoint(40, 0)},   {tbadDown | tbadRight, 255, TPoint(0, 0)}, {0, 64, TPoint(0, 0)}};
  for (auto c : cases)
    EXPECT_EQ(SlideOffset(c.Dir, c.Step, 80, 100), c.Want) << int(c.Dir) << " at " << c.Step;
}

std::vector<MSG> Received;
constexpr COLORREF Paint = 0x0000C000;

LRESULT AnimatedProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
  switch (Msg) {
  case TBM_ANIMATIONSTEP: {
    Received.push_back(MSG{Wnd, Msg, WParam, LParam, 0, {}});
    TMessage m = FrameMessage(Msg, WParam, LParam);
    AnimationFrame(m);
    return 0;
  }
  case TBM_ANIMATIONEND: Received.push_back(MSG{Wnd, Msg, WParam, LParam, 0, {}}); return 0;
  case WM_PRINT: {
    TRect r(0, 0, 80, 100);
    HBRUSH b = CreateSolidBrush(Paint);
    FillRect(HDC(WParam), &r, b);
    DeleteObject(b);
    return 0;
  }
  default: return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
}

class TBShowAnimationTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Display->MoveMouse(900, 700);
    static bool registered = [] {
      WNDCLASS wc{};
      wc.lpfnWndProc = AnimatedProc;
      wc.lpszClassName = "TAnimated";
      return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    Window = Make();
    Received.clear();
  }
  void TearDown() override
  {
    StopShowAnimation(nullptr);
    SetAnimationThreadCreationFails(false);
    Display->SetLayeredWindowsSupported(true);
    for (HWND w : Made)
      DestroyWindow(w);
    THeadlessDisplay::PumpMessages();
  }
  HWND Make()
  {
    HWND w = CreateWindowEx(WS_EX_TOPMOST, "TAnimated", "", WS_POPUP, 100, 100, 80, 100, nullptr, nullptr, nullptr,
                            nullptr);
    Made.push_back(w);
    return w;
  }
  // Pumps until a message of the kind has arrived (the worker runs in real
  // time between the clock's steps).
  bool WaitFor(UINT Msg, size_t Count = 1)
  {
    for (int i = 0; i < 2000; ++i) {
      THeadlessDisplay::PumpMessages();
      size_t n = 0;
      for (const MSG& m : Received)
        n += m.message == Msg;
      if (n >= Count)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  TRect RegionBox(HWND W)
  {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    TRect box(-1, -1, -1, -1);
    if (GetWindowRgn(W, r) != ERROR)
      GetRgnBox(r, &box);
    DeleteObject(r);
    return box;
  }
  THeadlessDisplay* Display = nullptr;
  HWND Window = nullptr;
  std::vector<HWND> Made;
};

TEST_F(TBShowAnimationTest, SlideGrowsTheRegionFrameByFrameThenShowsTheWholeWindow)
{
  StartShowAnimation(Window, 150, false, tbadDown);
  EXPECT_TRUE(IsWindowVisible(Window));
  EXPECT_TRUE(RegionBox(Window).IsEmpty());
  EXPECT_NE(Display->ScreenPixel(140, 190), Paint) << "the window showed before its first frame";
  THeadlessDisplay::Advance(75);
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONSTEP));
  EXPECT_EQ(RegionBox(Window), TRect(0, -50, 80, 50));
  EXPECT_EQ(Display->ScreenPixel(140, 140), Paint);
  EXPECT_NE(Display->ScreenPixel(140, 190), Paint);
  THeadlessDisplay::Advance(100);
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONEND));
  EXPECT_FALSE(ShowAnimationRunning(nullptr));
  EXPECT_EQ(RegionBox(Window), TRect(-1, -1, -1, -1)) << "the region stayed after the end";
  EXPECT_EQ(Display->ScreenPixel(140, 190), Paint);
}

TEST_F(TBShowAnimationTest, MouseEnteringTheWindowEndsTheAnimationAtOnce)
{
  StartShowAnimation(Window, 150, false, tbadDown);
  Display->MoveMouse(120, 120);
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONEND));
  EXPECT_EQ(Display->ScreenPixel(140, 190), Paint);
}

TEST_F(TBShowAnimationTest, AFrameOfAnOlderAnimationIsIgnored)
{
  StartShowAnimation(Window, 150, false, tbadDown);
  THeadlessDisplay::Advance(75);
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONSTEP));
  MSG old = Received.front();
  HWND second = Make();
  StartShowAnimation(second, 150, false, tbadUp);
  TMessage stale = FrameMessage(old.message, old.wParam, old.lParam);
  AnimationFrame(stale);
  EXPECT_TRUE(RegionBox(second).IsEmpty()) << "an older animation's frame drew the new one";
}

TEST_F(TBShowAnimationTest, WithoutAWorkerTheWindowIsShownWholeAndTheEndStillSent)
{
  SetAnimationThreadCreationFails(true);
  StartShowAnimation(Window, 150, false, tbadDown);
  EXPECT_FALSE(ShowAnimationRunning(nullptr));
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONEND));
  EXPECT_TRUE(IsWindowVisible(Window));
  EXPECT_EQ(Display->ScreenPixel(140, 190), Paint);
}

TEST_F(TBShowAnimationTest, FadeRaisesTheAlphaOfALayeredWindow)
{
  StartShowAnimation(Window, 150, true, 0);
  EXPECT_TRUE(GetWindowLong(Window, GWL_EXSTYLE) & WS_EX_LAYERED);
  uint32_t faint = Display->ScreenPixel(140, 150);
  EXPECT_NE(faint, Paint);
  EXPECT_GT(faint & 0xFF00, 0u) << "nothing of the window showed at alpha 32";
  THeadlessDisplay::Advance(160);
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONEND));
  EXPECT_FALSE(GetWindowLong(Window, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(Display->ScreenPixel(140, 150), Paint);
}

TEST_F(TBShowAnimationTest, FadeOnAScreenThatDoesNotComposeShowsTheWholeWindowAtTheFirstFrame)
{
  Display->SetLayeredWindowsSupported(false);
  StartShowAnimation(Window, 150, true, 0);
  EXPECT_FALSE(GetWindowLong(Window, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_NE(Display->ScreenPixel(140, 150), Paint);
  THeadlessDisplay::Advance(20);
  ASSERT_TRUE(WaitFor(TBM_ANIMATIONSTEP));
  EXPECT_EQ(RegionBox(Window), TRect(0, 0, 80, 100));
  EXPECT_EQ(Display->ScreenPixel(140, 190), Paint);
}

}  // namespace
