// Drop shadows: a window of a CS_DROPSHADOW class casts a soft shadow to its
// right and below on a screen that composes windows, following the window as
// it moves, hides, shows, goes below another window and is destroyed; the
// shadow never takes a click. Without composition there is none, and
// SPI_GETDROPSHADOW says so.
#include "WindowTestSupport.h"

#include "platform/win/gdi/gdi.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

class DropShadowTest : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    static bool registered = [] {
      WNDCLASS wc{};
      wc.style = CS_DROPSHADOW;
      wc.lpfnWndProc = Proc;
      wc.lpszClassName = "TShadowed";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_HIGHLIGHT + 1));
      return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    // A white window under everything, for the shadow to fall on.
    Ground = Make(WS_POPUP, 0, 0, 500, 400);
    ShowWindow(Ground, SW_SHOWNOACTIVATE);
    UpdateWindow(Ground);
  }

  void TearDown() override
  {
    Display->SetLayeredWindowsSupported(true);
    TWindowFixture::TearDown();
  }

  HWND Shadowed(int x, int y, int w, int h)
  {
    HWND hwnd = CreateWindowEx(0, "TShadowed", "", WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    Made.push_back(hwnd);
    return hwnd;
  }

  static bool Grey(uint32_t p) { return (p & 0xFF) == ((p >> 8) & 0xFF) && (p & 0xFF) == ((p >> 16) & 0xFF); }

  // The shadow of a window at r (screen): darkest next to the window,
  // lighter outwards across its 5 pixels, none beyond, none left or above.
  void ExpectShadowOf(const TRect& r)
  {
    const int midY = (r.Top + r.Bottom) / 2, midX = (r.Left + r.Right) / 2;
    uint32_t last = 0;
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      uint32_t right = Display->ScreenPixel(r.Right + i, midY), below = Display->ScreenPixel(midX, r.Bottom + i);
      EXPECT_TRUE(Grey(right) && right < kWhite) << std::hex << right;
      EXPECT_EQ(right, below) << "the same fade beside and below";
      EXPECT_GT(right, last) << "lighter outwards";
      last = right;
    }
    EXPECT_EQ(Display->ScreenPixel(r.Right + 5, midY), kWhite);
    EXPECT_EQ(Display->ScreenPixel(midX, r.Bottom + 5), kWhite);
    EXPECT_EQ(Display->ScreenPixel(r.Left - 1, midY), kWhite);
    EXPECT_EQ(Display->ScreenPixel(midX, r.Top - 1), kWhite);
    EXPECT_EQ(Display->ScreenPixel(r.Right, r.Top), kWhite) << "it starts a little below the top";
    EXPECT_GT(Display->ScreenPixel(r.Right + 4, r.Bottom + 4), Display->ScreenPixel(r.Right, r.Bottom))
        << "a soft corner";
  }

  void ExpectNoShadowOf(const TRect& r)
  {
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(Display->ScreenPixel(r.Right + i, (r.Top + r.Bottom) / 2), kWhite);
      EXPECT_EQ(Display->ScreenPixel((r.Left + r.Right) / 2, r.Bottom + i), kWhite);
    }
  }

  HWND Ground = nullptr;
};

TEST_F(DropShadowTest, TheShadowFollowsItsWindow)
{
  UINT shown = FALSE;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETDROPSHADOW, 0, &shown, 0));
  EXPECT_TRUE(shown);
  TRect r(100, 100, 200, 180);
  HWND w = Shadowed(r.Left, r.Top, r.Width(), r.Height());
  ExpectNoShadowOf(r);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  EXPECT_EQ(GetActiveWindow(), w) << "the shadow takes no activation";
  {
    SCOPED_TRACE("shown");
    ExpectShadowOf(r);
  }
  EXPECT_EQ(Display->ScreenPixel(150, 140), Display->Pixel(w, 50, 40)) << "the window itself is untouched";
  EXPECT_EQ(WindowFromPoint(TPoint(r.Right + 1, 140)), Ground) << "a click goes through the shadow";

  // Moved and resized.
  const TRect old = r;
  r = TRect(250, 150, 330, 300);
  SetWindowPos(w, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(w);
  {
    SCOPED_TRACE("moved");
    ExpectShadowOf(r);
    ExpectNoShadowOf(old);
  }

  // Another window above it is not shadowed, even as the window moves
  // under it; raised again, the window's shadow falls on that one.
  HWND other = Make(WS_POPUP, r.Right - 10, r.Top + 20, 40, 40);
  ShowWindow(other, SW_SHOWNOACTIVATE);
  UpdateWindow(other);
  EXPECT_EQ(Display->ScreenPixel(r.Right + 1, r.Top + 30), kWhite);
  r = TRect(251, 150, 331, 300);
  SetWindowPos(w, nullptr, r.Left, r.Top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Display->ScreenPixel(r.Right + 1, r.Top + 30), kWhite);
  SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_LT(Display->ScreenPixel(r.Right + 1, r.Top + 30), kWhite);
  DestroyWindow(other);

  ShowWindow(w, SW_HIDE);
  {
    SCOPED_TRACE("hidden");
    ExpectNoShadowOf(r);
  }
  ShowWindow(w, SW_SHOWNOACTIVATE);
  {
    SCOPED_TRACE("shown again");
    ExpectShadowOf(r);
  }
  DestroyWindow(w);
  {
    SCOPED_TRACE("destroyed");
    ExpectNoShadowOf(r);
  }
  EXPECT_EQ(FindWindow("SysShadow", nullptr), nullptr) << "the shadow went with its window";
}

TEST_F(DropShadowTest, AScreenThatCannotComposeShowsNoShadow)
{
  Display->SetLayeredWindowsSupported(false);
  UINT shown = TRUE;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETDROPSHADOW, 0, &shown, 0));
  EXPECT_FALSE(shown);
  const TRect r(100, 100, 200, 180);
  HWND w = Shadowed(r.Left, r.Top, r.Width(), r.Height());
  ShowWindow(w, SW_SHOWNOACTIVATE);
  UpdateWindow(w);
  ExpectNoShadowOf(r);
  EXPECT_EQ(FindWindow("SysShadow", nullptr), nullptr);
}

}  // namespace
