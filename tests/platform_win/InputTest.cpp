#include "WindowTestSupport.h"

namespace {

class InputTest : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    THeadlessDisplay::UseVirtualClock();
    // Far from any earlier click, so no double click carries over between tests.
    THeadlessDisplay::Advance(10000);
  }
};

TEST_F(InputTest, ClickSequenceGivesMovesDownsUpsAndDoubleClicksInOrder)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
  Pump();
  Take();
  Display->Click(150, 130);
  Display->KeyDown(VK_SHIFT);
  Display->Click(150, 130);
  Display->KeyUp(VK_SHIFT);
  std::vector<SHORT> shiftSeen;
  On(WM_LBUTTONDBLCLK, [&](HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    shiftSeen.push_back(GetKeyState(VK_SHIFT));
    return false;
  });
  Pump();
  auto log = Take({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
  ASSERT_EQ(Names(log), "WM_MOUSEMOVE WM_LBUTTONDOWN WM_LBUTTONUP WM_LBUTTONDBLCLK WM_LBUTTONUP");
  for (auto& r : log) {
    EXPECT_EQ(r.Hwnd, w);
    EXPECT_EQ(GET_X_LPARAM(r.L), 50);
    EXPECT_EQ(GET_Y_LPARAM(r.L), 30);
  }
  EXPECT_EQ(log[1].W, MK_LBUTTON);
  EXPECT_EQ(log[2].W, 0u);
  EXPECT_EQ(log[3].W, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(log[4].W, MK_SHIFT);
  ASSERT_EQ(shiftSeen.size(), 1u);
  EXPECT_LT(shiftSeen[0], 0);  // Shift was down when that message was made
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // and is up once its release was handled
}

TEST_F(InputTest, DoubleClickNeedsTimeDistanceAndTheClassStyle)
{
  struct TCase {
    unsigned Wait;
    int Dx;
    bool Double;
  } cases[] = {{0, 0, true}, {500, 2, true}, {501, 0, false}, {0, 3, false}};
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
  for (auto& c : cases) {
    THeadlessDisplay::Advance(2000);
    Display->Click(100, 100);
    THeadlessDisplay::Advance(c.Wait);
    Display->Click(100 + c.Dx, 100);
    Pump();
    auto log = Take({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].Msg == WM_LBUTTONDBLCLK, c.Double) << "wait " << c.Wait << " dx " << c.Dx;
  }
  // A third quick click starts a new pair rather than making a second double click.
  THeadlessDisplay::Advance(2000);
  for (int i = 0; i < 3; ++i)
    Display->Click(100, 100);
  Pump();
  EXPECT_EQ(Names(Take({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK})), "WM_LBUTTONDOWN WM_LBUTTONDBLCLK WM_LBUTTONDOWN");
  (void)w;
}

// The press handler pumps its paint messages before it takes the capture:
// input already waiting stays input until a retrieval can take it, and so
// follows the capture.
TEST_F(InputTest, CaptureKeepsTheMouseOutsideTheWindow)
{
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 400, 400);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 100, 100, 50, 50, top);
  On(WM_LBUTTONDOWN, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
    if (h == child) {
      MSG m;
      while (PeekMessage(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessage(&m);
      EXPECT_FALSE(PeekMessage(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
      SetCapture(child);
    }
    return false;
  });
  Display->MoveMouse(110, 110);
  Display->Press();
  Display->MoveMouse(20, 300);  // over the parent, far outside the child
  Display->Release();
  Pump();
  auto log = Take({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_EQ(Names(log), "WM_MOUSEMOVE WM_LBUTTONDOWN WM_MOUSEMOVE WM_LBUTTONUP");
  for (auto& r : log)
    EXPECT_EQ(r.Hwnd, child);
  EXPECT_EQ(GET_X_LPARAM(log[2].L), -80);
  EXPECT_EQ(GET_Y_LPARAM(log[2].L), 200);
  EXPECT_EQ(GetCapture(), child);
  ReleaseCapture();
  EXPECT_EQ(Names(Take({WM_CAPTURECHANGED})), "WM_CAPTURECHANGED");
  Display->MoveMouse(25, 300);
  Pump();
  log = Take({WM_MOUSEMOVE});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Hwnd, top);
}

TEST_F(InputTest, ClickOnAnInactiveWindowAsksThenActivatesBeforeTheButton)
{
  HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = Make(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  SetActiveWindow(a);
  Pump();
  Take();
  Display->Click(250, 50);
  Pump();
  auto log = Take({WM_MOUSEACTIVATE, WM_SETCURSOR, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_LBUTTONDOWN});
  EXPECT_EQ(Names(log),
            "WM_SETCURSOR WM_SETCURSOR WM_MOUSEACTIVATE WM_NCACTIVATE WM_ACTIVATE WM_NCACTIVATE WM_ACTIVATE "
            "WM_KILLFOCUS WM_SETFOCUS WM_LBUTTONDOWN WM_SETCURSOR");
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  auto activate = std::find_if(log.begin(), log.end(), [&](auto& r) { return r.Msg == WM_ACTIVATE && r.Hwnd == b; });
  ASSERT_NE(activate, log.end());
  EXPECT_EQ(LOWORD(activate->W), WA_CLICKACTIVE);
}

TEST_F(InputTest, MouseActivateAnswersDecideActivationAndEating)
{
  struct TCase {
    LRESULT Answer;
    bool Activated;
    bool ButtonSeen;
  } cases[] = {{MA_ACTIVATE, true, true},
               {MA_ACTIVATEANDEAT, true, false},
               {MA_NOACTIVATE, false, true},
               {MA_NOACTIVATEANDEAT, false, false}};
  for (auto& c : cases) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND popup = Make(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    SetActiveWindow(a);
    On(WM_MOUSEACTIVATE, [&](HWND, UINT, WPARAM, LPARAM, LRESULT& r) {
      r = c.Answer;
      return true;
    });
    THeadlessDisplay::Advance(2000);
    Display->Click(250, 50);
    Pump();
    EXPECT_EQ(GetActiveWindow() == popup, c.Activated) << c.Answer;
    EXPECT_EQ(Take({WM_LBUTTONDOWN}).size() == 1, c.ButtonSeen) << c.Answer;
    DestroyWindow(popup);
    DestroyWindow(a);
  }
}

TEST_F(InputTest, TypedKeysBecomeCharactersThroughTranslateMessage)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SetFocus(w);
  Take();
  Display->TypeText("aB\xC3\xA9");
  Pump();
  auto log = Take({WM_KEYDOWN, WM_KEYUP, WM_CHAR});
  ASSERT_EQ(Names(log),
            "WM_KEYDOWN WM_CHAR WM_KEYUP WM_KEYDOWN WM_KEYDOWN WM_CHAR WM_KEYUP WM_KEYUP WM_KEYDOWN WM_CHAR WM_KEYUP");
  EXPECT_EQ(log[0].W, WPARAM('A'));
  EXPECT_EQ(log[1].W, WPARAM('a'));
  EXPECT_EQ(log[3].W, WPARAM(VK_SHIFT));
  EXPECT_EQ(log[5].W, WPARAM('B'));
  EXPECT_EQ(log[9].W, WPARAM(0xE9));  // é, as a code point
  EXPECT_TRUE(log[2].L & KF_UP_BIT);
  EXPECT_FALSE(log[0].L & KF_UP_BIT);
}

TEST_F(InputTest, AltAndF10OpenTheKeyboardMenuThroughDefWindowProc)
{
  struct TCase {
    std::function<void(THeadlessDisplay*)> Keys;
    LPARAM Key;  // SC_KEYMENU's lParam
  } cases[] = {
      {[](THeadlessDisplay* d) { d->PressKey(VK_MENU); }, 0},
      {[](THeadlessDisplay* d) { d->PressKey(VK_F10); }, 0},
      {[](THeadlessDisplay* d) {
         d->KeyDown(VK_MENU);
         d->PressKey('F');
         d->KeyUp(VK_MENU);
       },
       'f'},
  };
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, w);
  for (auto& c : cases) {
    SetFocus(child);
    Take();
    c.Keys(Display);
    Pump();
    auto log = Take({WM_SYSCOMMAND});
    ASSERT_EQ(log.size(), 1u) << "key " << c.Key;
    EXPECT_EQ(log[0].Hwnd, w);  // the top-level window gets it
    EXPECT_EQ(log[0].W & 0xFFF0, SC_KEYMENU);
    EXPECT_EQ(log[0].L, c.Key);
  }
  // Alt with another key between press and release is no menu key.
  Display->KeyDown(VK_MENU);
  Display->PressKey(VK_SHIFT);
  Display->KeyUp(VK_MENU);
  Pump();
  EXPECT_TRUE(Take({WM_SYSCOMMAND}).empty());
}

TEST_F(InputTest, ContextMenuComesFromRightButtonAndKeyboard)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, w);
  SetFocus(child);
  Take();
  Display->Click(20, 30, 1);
  Display->PressKey(VK_APPS);
  Pump();
  auto log = Take({WM_CONTEXTMENU});
  // Each goes to the child and on to its parent.
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].Hwnd, child);
  EXPECT_EQ(log[1].Hwnd, w);
  EXPECT_EQ(GET_X_LPARAM(log[0].L), 20);
  EXPECT_EQ(GET_Y_LPARAM(log[0].L), 30);
  EXPECT_EQ(log[2].L, -1);
}

TEST_F(InputTest, TrackingReportsLeavingClientAndFrame)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 100, 100);
  Display->MoveMouse(50, 50);
  Pump();
  TRACKMOUSEEVENT t;
  t.dwFlags = TME_LEAVE;
  t.hwndTrack = w;
  ASSERT_TRUE(TrackMouseEvent(&t));
  Display->MoveMouse(60, 60);  // still inside: nothing
  Pump();
  EXPECT_TRUE(Take({WM_MOUSELEAVE}).empty());
  Display->MoveMouse(300, 300);
  Pump();
  EXPECT_EQ(Take({WM_MOUSELEAVE}).size(), 1u);
  // The frame's own tracking.
  Display->MoveMouse(0, 50);
  Pump();
  t.dwFlags = TME_LEAVE | TME_NONCLIENT;
  ASSERT_TRUE(TrackMouseEvent(&t));
  Display->MoveMouse(50, 50);  // into the client area: the frame was left
  Pump();
  EXPECT_EQ(Take({WM_NCMOUSELEAVE, WM_MOUSELEAVE}).size(), 1u);
}

TEST_F(InputTest, FocusAndEnablingFollowTheRules)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND a = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, w);
  HWND b = Make(WS_CHILD | WS_VISIBLE, 50, 0, 50, 50, w);
  SetFocus(a);
  Take();
  EXPECT_EQ(SetFocus(b), a);
  auto log = Take({WM_KILLFOCUS, WM_SETFOCUS});
  ASSERT_EQ(Names(log), "WM_KILLFOCUS WM_SETFOCUS");
  EXPECT_EQ(log[0].Hwnd, a);
  EXPECT_EQ(log[0].W, reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(log[1].W, reinterpret_cast<WPARAM>(a));
  // Disabling the focused window takes the focus away; a disabled one cannot take it.
  EnableWindow(b, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(b), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(b));
  EXPECT_TRUE(EnableWindow(b, TRUE));  // answers "was disabled"
}

}  // namespace

namespace {

TEST_F(InputTest, TheCursorComesFromTheClassOrTheFrameUnderThePointer)
{
  HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
  WNDCLASS wc;
  wc.lpfnWndProc = TWindowFixture::Proc;
  wc.lpszClassName = "TWithCursor";
  wc.hCursor = hand;
  static ATOM atom = RegisterClass(&wc);
  ASSERT_NE(atom, 0);
  HWND w = CreateWindowEx(0, "TWithCursor", "", WS_POPUP | WS_VISIBLE | WS_THICKFRAME, 100, 100, 200, 200, nullptr,
                          nullptr, nullptr, nullptr);
  Made.push_back(w);
  struct TCase {
    TPoint Pt;
    HCURSOR Shown;
  } cases[] = {{{200, 200}, hand},
               {{101, 200}, LoadCursor(nullptr, IDC_SIZEWE)},
               {{200, 298}, LoadCursor(nullptr, IDC_SIZENS)},
               {{101, 101}, LoadCursor(nullptr, IDC_SIZENWSE)}};
  for (auto& c : cases) {
    Display->MoveMouse(c.Pt.x, c.Pt.y);
    Pump();
    EXPECT_EQ(Display->Cursor(), c.Shown) << c.Pt.x << "," << c.Pt.y;
  }
  // A window that sets its own cursor in WM_SETCURSOR wins.
  HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
  On(WM_SETCURSOR, [&](HWND, UINT, WPARAM, LPARAM, LRESULT& r) {
    SetCursor(cross);
    r = TRUE;
    return true;
  });
  Display->MoveMouse(210, 210);
  Pump();
  EXPECT_EQ(Display->Cursor(), cross);
}

TEST_F(InputTest, CaptionsMoveAndBordersSizeTheirWindowUntilRelease)
{
  struct TCase {
    TPoint Press;
    TPoint To;
    bool Escape;
    TRect Expected;
  } cases[] = {
      {{200, 110}, {250, 160}, false, {150, 150, 450, 350}},  // caption: moved
      {{399, 200}, {449, 230}, false, {100, 100, 450, 300}},  // right border: wider
      {{200, 299}, {200, 269}, false, {100, 100, 400, 270}},  // bottom border: lower
      {{200, 110}, {300, 300}, true, {100, 100, 400, 300}},   // Escape puts it back
  };
  for (auto& c : cases) {
    HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    THeadlessDisplay::Advance(2000);
    Display->MoveMouse(c.Press.x, c.Press.y);
    Display->Press();
    Display->MoveMouse(c.To.x, c.To.y);
    if (c.Escape)
      Display->PressKey(VK_ESCAPE);
    Display->Release();
    Pump();
    TRect r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, c.Expected) << c.Press.x << "," << c.Press.y;
    EXPECT_EQ(GetCapture(), nullptr);
    auto loop = Take({WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE});
    EXPECT_EQ(loop.size(), 2u);
    DestroyWindow(w);
  }
}

TEST_F(InputTest, AnIdleScriptDrivesAModalLoopOnOneThread)
{
  HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  THeadlessDisplay::Advance(2000);
  Display->MoveMouse(200, 110);
  Display->Press();
  int step = 0;
  // Each time the move loop would wait, the script gives the next event.
  Display->SetIdleScript([&] {
    switch (step++) {
      case 0: Display->MoveMouse(210, 115); return true;
      case 1: Display->MoveMouse(220, 130); return true;
      case 2: Display->Release(); return true;
      default: return false;
    }
  });
  Pump();
  Display->SetIdleScript(nullptr);
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, TRect(120, 120, 420, 320));
  EXPECT_EQ(step, 3);
}

TEST_F(InputTest, AppDeactivationAndReturnAreAnnounced)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SetActiveWindow(w);
  Take();
  Display->SetAppActive(false);
  Pump();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  auto log = Take({WM_ACTIVATEAPP, WM_ACTIVATE, WM_NCACTIVATE});
  EXPECT_EQ(Names(log), "WM_NCACTIVATE WM_ACTIVATE WM_ACTIVATEAPP");
  EXPECT_EQ(log.back().W, WPARAM(FALSE));
  // Whoever handles WM_ACTIVATEAPP on the return finds the window active
  // already (floating tool windows decide from it whether to show again).
  static HWND activeDuringActivateApp;
  activeDuringActivateApp = nullptr;
  HHOOK hook = SetWindowsHookEx(
      WH_CALLWNDPROC,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(l);
        if (sent->message == WM_ACTIVATEAPP && sent->wParam)
          activeDuringActivateApp = GetActiveWindow();
        return CallNextHookEx(nullptr, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  Display->SetAppActive(true);
  Pump();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(GetActiveWindow(), w);
  EXPECT_EQ(activeDuringActivateApp, w);
  log = Take({WM_ACTIVATEAPP});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].W, WPARAM(TRUE));
}

}  // namespace

namespace {

TEST_F(InputTest, TheWheelGoesToTheFocusAndUpItsParents)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, w);
  SetFocus(child);
  Display->MoveMouse(70, 80);  // not over the focus: the wheel follows the focus anyway
  Pump();
  Take();
  Display->KeyDown(VK_CONTROL);
  Display->Wheel(-WHEEL_DELTA);
  Display->KeyUp(VK_CONTROL);
  Pump();
  auto log = Take({WM_MOUSEWHEEL});
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Hwnd, child);
  EXPECT_EQ(log[1].Hwnd, w);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(log[0].W), -WHEEL_DELTA);
  EXPECT_EQ(LOWORD(log[0].W), MK_CONTROL);
  EXPECT_EQ(GET_X_LPARAM(log[0].L), 70);  // screen coordinates
}

}  // namespace

namespace {

TEST_F(InputTest, TheDesktopMayMoveAndCloseTopLevelWindows)
{
  HWND w = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100);
  Take();
  InputWindowMoved(w, TRect(50, 60, 350, 260));
  Pump();
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, TRect(50, 60, 350, 260));
  EXPECT_EQ(Names(Take({WM_SIZE, WM_MOVE})), "WM_SIZE WM_MOVE");
  InputCloseRequest(w);
  Pump();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(Take({WM_CLOSE}).size(), 1u);
}

}  // namespace
