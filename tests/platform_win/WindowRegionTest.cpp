// Window regions: a window is only its region, for the eye and for the mouse.
// Outside it the window below (or the parent) shows and takes the clicks,
// painting cannot reach there, and the window is not even asked WM_NCHITTEST.
#include "WindowTestSupport.h"

#include "platform/win/gdi/gdi.h"

namespace {

class WindowRegionTest : public TWindowFixture {};

TEST_F(WindowRegionTest, OutsideItsRegionAWindowIsNeitherSeenNorHit)
{
  struct TCase {
    const char* Name;
    bool Child;  // shaped window inside the other one, or a popup above it
  };
  for (TCase c : {TCase{"popup above another", false}, TCase{"child of its parent", true}}) {
    SCOPED_TRACE(c.Name);
    HWND below = Make(WS_POPUP, 100, 100, 200, 200);
    ShowWindow(below, SW_SHOWNOACTIVATE);
    UpdateWindow(below);
    // The shaped window covers (150, 150)-(250, 250) on the screen; its
    // region is its left half.
    HWND shaped = c.Child ? Make(WS_CHILD | WS_VISIBLE, 50, 50, 100, 100, below) : Make(WS_POPUP, 150, 150, 100, 100);
    ShowWindow(shaped, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 100), TRUE));
    UpdateWindow(shaped);
    HDC dc = GetDC(shaped);
    Fill(dc, TRect(0, 0, 100, 100), RGB(200, 0, 0));
    ReleaseDC(shaped, dc);

    EXPECT_EQ(Display->ScreenPixel(170, 200), 0xC80000u) << "inside the region";
    EXPECT_EQ(Display->ScreenPixel(230, 200), 0xFFFFFFu) << "outside, the white window behind";

    EXPECT_EQ(WindowFromPoint(TPoint(170, 200)), shaped);
    Take();
    EXPECT_EQ(WindowFromPoint(TPoint(230, 200)), below);
    for (const TRecorded& r : Take({WM_NCHITTEST}))
      EXPECT_NE(r.Hwnd, shaped) << "not asked outside its region";
    Display->Click(230, 200);
    Pump();
    auto presses = Take({WM_LBUTTONDOWN});
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].Hwnd, below);
    DestroyWindow(shaped);
    DestroyWindow(below);
  }
}

}  // namespace
