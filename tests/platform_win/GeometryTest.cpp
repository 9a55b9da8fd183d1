// Both umbrellas together, as most of the system includes them.
#include "platform/base/base.h"
#include "platform/win/win.h"

#include "WindowTestSupport.h"

namespace {

class GeometryTest : public TWindowFixture {};

TEST_F(GeometryTest, WindowFromPointSkipsHiddenTransparentAndClickThroughWindows)
{
  HWND below = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
  HWND clickThrough = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, WS_EX_LAYERED | WS_EX_TRANSPARENT);
  HWND panel = Make(WS_CHILD | WS_VISIBLE, 10, 10, 200, 200, below);
  HWND hidden = Make(WS_CHILD, 20, 20, 50, 50, panel);
  HWND glass = Make(WS_CHILD | WS_VISIBLE, 100, 20, 50, 50, panel);
  HWND under = Make(WS_CHILD | WS_VISIBLE, 100, 20, 50, 50, panel);
  HWND disabled = Make(WS_CHILD | WS_VISIBLE | WS_DISABLED, 20, 100, 50, 50, panel);
  On(WM_NCHITTEST, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT& r) {
    if (h != glass)
      return false;
    r = HTTRANSPARENT;
    return true;
  });
  struct TCase {
    TPoint Pt;
    HWND Expected;
  } cases[] = {
      {{40, 40}, panel},        // the hidden child does not count
      {{120, 40}, under},       // the transparent one lets the one below answer
      {{40, 120}, panel},       // a disabled child gives way to its parent
      {{5, 5}, below},          // under the click-through window
      {{400, 400}, nullptr},    // nothing there
  };
  for (auto& c : cases)
    EXPECT_EQ(WindowFromPoint(c.Pt), c.Expected) << c.Pt.x << "," << c.Pt.y;
  (void)hidden;
  (void)disabled;
  (void)clickThrough;
  EXPECT_EQ(ChildWindowFromPointEx(panel, TPoint(30, 30), CWP_ALL), hidden);
  EXPECT_EQ(ChildWindowFromPointEx(panel, TPoint(30, 30), CWP_SKIPINVISIBLE), panel);
  EXPECT_EQ(ChildWindowFromPointEx(panel, TPoint(500, 30), CWP_ALL), nullptr);
}

TEST_F(GeometryTest, SetWindowPosSendsChangingThenChangedWithMoveAndSize)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 100, 100);
  Take();
  On(WM_WINDOWPOSCHANGING, [&](HWND, UINT, WPARAM, LPARAM l, LRESULT&) {
    reinterpret_cast<WINDOWPOS*>(l)->cx = 150;  // the window may change its mind
    return true;
  });
  SetWindowPos(w, nullptr, 20, 30, 120, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  auto log = Take({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE});
  ASSERT_EQ(Names(log), "WM_WINDOWPOSCHANGING WM_WINDOWPOSCHANGED WM_SIZE WM_MOVE");
  EXPECT_EQ(LOWORD(log[2].L), 148);  // client width inside the one-pixel border
  EXPECT_EQ(HIWORD(log[2].L), 78);
  EXPECT_EQ(GET_X_LPARAM(log[3].L), 21);
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, TRect(20, 30, 170, 110));
  // Moving alone sends no WM_SIZE.
  MoveWindow(w, 0, 0, 150, 80, TRUE);
  EXPECT_EQ(Names(Take({WM_SIZE, WM_MOVE})), "WM_MOVE");
}

TEST_F(GeometryTest, FramesShapeTheClientAreaAndItsHitTest)
{
  struct TCase {
    DWORD Style;
    DWORD Ex;
    TRect Client;  // in window coordinates
  } cases[] = {
      {WS_POPUP, 0, {0, 0, 200, 100}},
      {WS_POPUP | WS_BORDER, 0, {1, 1, 199, 99}},
      {WS_POPUP | WS_THICKFRAME, 0, {4, 4, 196, 96}},
      {WS_OVERLAPPED | WS_THICKFRAME, 0, {4, 23, 196, 96}},
      {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {3, 19, 197, 97}},
      {WS_POPUP, WS_EX_CLIENTEDGE, {2, 2, 198, 98}},
      {WS_POPUP | WS_VSCROLL, 0, {0, 0, 184, 100}},
  };
  for (auto& c : cases) {
    HWND w = Make(c.Style | WS_VISIBLE, 100, 100, 200, 100, nullptr, c.Ex);
    TRect client;
    GetClientRect(w, &client);
    TPoint origin;
    ClientToScreen(w, &origin);
    TRect inWindow(origin.x - 100, origin.y - 100, origin.x - 100 + client.Width(), origin.y - 100 + client.Height());
    EXPECT_EQ(inWindow, c.Client) << std::hex << c.Style << " " << c.Ex;
    TRect adjusted = c.Client;
    AdjustWindowRectEx(&adjusted, c.Style, FALSE, c.Ex);
    if (c.Style & (WS_POPUP | WS_CHILD)) {
      EXPECT_EQ(adjusted, TRect(0, 0, 200, 100)) << std::hex << c.Style;
    }
    DestroyWindow(w);
  }
  HWND w = Make(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 100, 100, 200, 100);
  struct THit {
    TPoint Pt;
    LRESULT Hit;
  } hits[] = {{{150, 150}, HTCLIENT}, {{150, 110}, HTCAPTION}, {{101, 150}, HTLEFT},
              {{298, 198}, HTBOTTOMRIGHT}, {{150, 101}, HTTOP}, {{290, 112}, HTCLOSE}, {{50, 50}, HTNOWHERE}};
  for (auto& h : hits)
    EXPECT_EQ(SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(h.Pt.x, h.Pt.y)), h.Hit) << h.Pt.x << "," << h.Pt.y;
}

TEST_F(GeometryTest, CustomHitCodesRouteToNonClientMessagesAndTheCursorMessage)
{
  THeadlessDisplay::UseVirtualClock();
  THeadlessDisplay::Advance(5000);
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  On(WM_NCHITTEST, [](HWND, UINT, WPARAM, LPARAM, LRESULT& r) {
    r = 2001;
    return true;
  });
  Take();
  Display->Click(50, 50);
  Display->Click(50, 50);
  Pump();
  auto log = Take({WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN});
  EXPECT_EQ(Names(log), "WM_SETCURSOR WM_NCMOUSEMOVE WM_SETCURSOR WM_NCLBUTTONDOWN WM_SETCURSOR WM_SETCURSOR "
                        "WM_NCLBUTTONDBLCLK WM_SETCURSOR");
  for (auto& r : log)
    EXPECT_EQ(r.Msg == WM_SETCURSOR ? LRESULT(LOWORD(std::uintptr_t(r.L))) : LRESULT(r.W), 2001);
  (void)w;
}

TEST_F(GeometryTest, ShowWindowMinimisesMaximisesAndRestores)
{
  HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200);
  ShowWindow(w, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(w));
  TRect r;
  GetWindowRect(w, &r);
  TRect work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(r, TRect(work.Left - 4, work.Top - 4, work.Right + 4, work.Bottom + 4));
  ShowWindow(w, SW_RESTORE);
  GetWindowRect(w, &r);
  EXPECT_EQ(r, TRect(50, 50, 350, 250));
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w));
  EXPECT_EQ(Take({WM_SIZE}).back().W, SIZE_MINIMIZED);
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_TRUE(ShowWindow(w, SW_HIDE));
  EXPECT_FALSE(ShowWindow(w, SW_HIDE));  // already hidden
}

TEST_F(GeometryTest, PlacementKeepsTheMinimisedPositionOnlyWhenAskedTo)
{
  HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200);
  WINDOWPLACEMENT p;
  ASSERT_TRUE(GetWindowPlacement(w, &p));
  EXPECT_EQ(p.ptMinPosition, TPoint(-1, -1));

  p.ptMinPosition = TPoint(5, 600);
  p.rcNormalPosition = TRect(60, 70, 260, 220);
  p.showCmd = SW_SHOWNORMAL;
  ASSERT_TRUE(SetWindowPlacement(w, &p));
  GetWindowPlacement(w, &p);
  EXPECT_EQ(p.ptMinPosition, TPoint(-1, -1));  // without the flag it is not taken

  p.flags = WPF_SETMINPOSITION;
  p.ptMinPosition = TPoint(5, 600);
  p.showCmd = SW_SHOWMINIMIZED;
  ASSERT_TRUE(SetWindowPlacement(w, &p));
  EXPECT_TRUE(IsIconic(w));
  WINDOWPLACEMENT read;
  GetWindowPlacement(w, &read);
  EXPECT_EQ(read.showCmd, UINT(SW_SHOWMINIMIZED));
  EXPECT_EQ(read.ptMinPosition, TPoint(5, 600));
  EXPECT_EQ(read.rcNormalPosition, TRect(60, 70, 260, 220));

  // A later placement without the flag leaves the kept position alone.
  read.flags = 0;
  read.ptMinPosition = TPoint(0, 0);
  read.showCmd = SW_RESTORE;
  SetWindowPlacement(w, &read);
  GetWindowPlacement(w, &read);
  EXPECT_EQ(read.ptMinPosition, TPoint(5, 600));
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, TRect(60, 70, 260, 220));
}

TEST_F(GeometryTest, MappingBetweenWindowsAndTheScreen)
{
  HWND top = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 50, 300, 300);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 20, 100, 100, top);
  TPoint p(0, 0);
  ClientToScreen(child, &p);
  EXPECT_EQ(p, TPoint(111, 71));
  ScreenToClient(top, &p);
  EXPECT_EQ(p, TPoint(10, 20));
  TPoint pts[2] = {{0, 0}, {5, 5}};
  MapWindowPoints(child, top, pts, 2);
  EXPECT_EQ(pts[1], TPoint(15, 25));
  MapWindowPoints(top, nullptr, pts, 1);
  EXPECT_EQ(pts[0], TPoint(111, 71));
}

TEST_F(GeometryTest, WindowRegionShapesHitTesting)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HRGN half = CreateRectRgn(0, 0, 50, 100);
  EXPECT_TRUE(SetWindowRgn(w, half, TRUE));
  EXPECT_EQ(WindowFromPoint(TPoint(25, 50)), w);
  EXPECT_EQ(WindowFromPoint(TPoint(75, 50)), nullptr);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(w, copy), 0);
  TRect box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box, TRect(0, 0, 50, 100));
  DeleteObject(copy);
  SetWindowRgn(w, nullptr, FALSE);
  EXPECT_EQ(WindowFromPoint(TPoint(75, 50)), w);
}

}  // namespace
