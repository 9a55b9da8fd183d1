#include "WindowTestSupport.h"
#include "platform/win/gdi/Primitives.h"

namespace {

class ScrollBarTest : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    THeadlessDisplay::UseVirtualClock();
    THeadlessDisplay::Advance(10000);
  }
  // A 200 x 100 window with a vertical bar over 0..99, ten to a page.
  HWND MakeScrolled()
  {
    HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 0;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    Pump();
    Take();
    return w;
  }
  std::vector<WORD> Codes()
  {
    std::vector<WORD> codes;
    for (auto& r : Take({WM_VSCROLL}))
      codes.push_back(LOWORD(r.W));
    return codes;
  }
};

TEST_F(ScrollBarTest, TheBarShowsOnlyWhenThereIsSomethingToScrollAndKeepsItsValuesInRange)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 50;
  si.nPos = 80;
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 50);  // the page must still fit
  TRect client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.Width(), 184);
  si.fMask = SIF_PAGE;
  si.nPage = 100;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  GetClientRect(w, &client);
  EXPECT_EQ(client.Width(), 200);
  EXPECT_FALSE(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL);
  si.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLongPtr(w, GWL_STYLE) & WS_VSCROLL);
  SCROLLINFO out;
  out.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &out));
  EXPECT_EQ(out.nMax, 99);
  EXPECT_EQ(out.nPage, 100u);
  EXPECT_EQ(out.nPos, 0);
  EXPECT_EQ(SetScrollPos(w, SB_HORZ, 5, FALSE), 0);
  EXPECT_EQ(GetScrollPos(w, SB_HORZ), 5);
}

TEST_F(ScrollBarTest, PressesOnTheBarSendItsScrollCodes)
{
  struct TCase {
    const char* What;
    TPoint Press;
    int DragBy;
    std::vector<WORD> Codes;
  } cases[] = {
      {"down arrow", {192, 90}, 0, {SB_LINEDOWN, SB_ENDSCROLL}},
      {"up arrow", {192, 5}, 0, {SB_LINEUP, SB_ENDSCROLL}},
      {"below the thumb", {192, 60}, 0, {SB_PAGEDOWN, SB_ENDSCROLL}},
      {"thumb dragged", {192, 20}, 30, {SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}},
  };
  for (auto& c : cases) {
    HWND w = MakeScrolled();
    int tracked = -1;
    On(WM_VSCROLL, [&](HWND h, UINT, WPARAM wp, LPARAM, LRESULT&) {
      if (LOWORD(wp) == SB_THUMBTRACK) {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(h, SB_VERT, &si);
        tracked = si.nTrackPos;
        EXPECT_EQ(HIWORD(wp), si.nTrackPos);
      }
      return true;
    });
    THeadlessDisplay::Advance(1000);
    Display->MoveMouse(c.Press.x, c.Press.y);
    Display->Press();
    if (c.DragBy)
      Display->MoveMouse(c.Press.x, c.Press.y + c.DragBy);
    Display->Release();
    Pump();
    EXPECT_EQ(Codes(), c.Codes) << c.What;
    if (c.DragBy) {
      EXPECT_EQ(tracked, 45) << "30 of the 60 free pixels: half of the 90 positions";
    }
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(w);
  }
}

// A message filter hook sees the messages of the tracking loop with
// MSGF_SCROLLBAR; a move it eats does not move the thumb.
std::vector<std::pair<int, UINT>> gScrollFiltered;
LRESULT EatMoves(int code, WPARAM w, LPARAM l)
{
  const MSG* msg = reinterpret_cast<const MSG*>(l);
  gScrollFiltered.emplace_back(code, msg->message);
  if (code == MSGF_SCROLLBAR && msg->message == WM_MOUSEMOVE)
    return 1;
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(ScrollBarTest, AMessageFilterHookSeesTheTrackingLoopAndMayEatAMove)
{
  HWND w = MakeScrolled();
  gScrollFiltered.clear();
  HHOOK hook = SetWindowsHookEx(WH_MSGFILTER, EatMoves, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  Display->MoveMouse(192, 20);
  Display->Press();
  Display->MoveMouse(192, 50);
  Display->Release();
  Pump();
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  EXPECT_EQ(Codes(), (std::vector<WORD>{SB_THUMBPOSITION, SB_ENDSCROLL}));
  EXPECT_EQ(gScrollFiltered, (std::vector<std::pair<int, UINT>>{{MSGF_SCROLLBAR, WM_MOUSEMOVE},
                                                                {MSGF_SCROLLBAR, WM_LBUTTONUP}}));
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(w);
}

TEST_F(ScrollBarTest, AnArrowHeldDownRepeats)
{
  MakeScrolled();
  Display->MoveMouse(192, 90);
  Display->Press();
  int step = 0;
  Display->SetIdleScript([&] {
    switch (step++) {
      case 0: THeadlessDisplay::Advance(350); return true;
      case 1: THeadlessDisplay::Advance(50); return true;
      case 2: Display->Release(); return true;
      default: return false;
    }
  });
  Pump();
  Display->SetIdleScript(nullptr);
  EXPECT_EQ(Codes(), (std::vector<WORD>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, ScrollingMovesThePixelsAndInvalidatesWhatItUncovers)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  On(WM_PAINT, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    TRect top(0, 0, 100, 50), bottom(0, 50, 100, 100);
    FillRect(dc, &top, red);
    FillRect(dc, &bottom, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(h, &ps);
    return true;
  });
  Pump();
  Handlers.clear();
  TRect updated;
  EXPECT_EQ(ScrollWindowEx(w, 0, -30, nullptr, nullptr, nullptr, &updated, SW_INVALIDATE), SIMPLEREGION);
  EXPECT_EQ(updated, TRect(0, 70, 100, 100));
  EXPECT_EQ(Display->Pixel(w, 10, 10), 0xFF0000u);
  EXPECT_EQ(Display->Pixel(w, 10, 25), 0x0000FFu);
  TRect pending;
  EXPECT_TRUE(GetUpdateRect(w, &pending, FALSE));
  EXPECT_EQ(pending, updated);
}

}  // namespace
