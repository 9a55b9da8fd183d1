// Input from the X server: clicks and typed text (accents, the euro sign)
// reaching the right control, Alt against AltGr, and a popup menu whose
// outside click reaches the window under it, ours or another program's.
#include "X11TestSupport.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

#include <atomic>
#include <thread>

namespace {

std::vector<MSG> gKeys;

LRESULT KeyRecorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if ((msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_LBUTTONDOWN) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    gKeys.push_back(m);
  }
  if (msg == WM_SYSCHAR || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP)
    return 0;  // no menu loop from Alt in this test
  if (msg == WM_APP) {
    EndMenu();  // a test's rescue when its click did not close the menu
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeRecorder(TRect r)
{
  static bool registered = false;
  if (!registered) {
    WNDCLASS wc;
    wc.lpfnWndProc = &KeyRecorder;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "X11KeyRecorder";
    RegisterClass(&wc);
    registered = true;
  }
  return CreateWindowEx(0, "X11KeyRecorder", "Touches", WS_OVERLAPPEDWINDOW, r.Left, r.Top, r.Width(), r.Height(),
                        nullptr, nullptr, nullptr, nullptr);
}

std::string TextOf(HWND h)
{
  char buffer[256] = {};
  GetWindowText(h, buffer, sizeof buffer);
  return buffer;
}

void XTestClick(Display* x, TPoint at)
{
  XTestFakeMotionEvent(x, DefaultScreen(x), at.x, at.y, 0);
  XTestFakeButtonEvent(x, 1, True, 0);
  XTestFakeButtonEvent(x, 1, False, 0);
  XSync(x, False);
}

class X11InputTest : public X11Fixture {};

TEST_F(X11InputTest, AClickFocusesTheEditAndTypedTextArrivesWithAccentsAndTheEuro)
{
  HWND form = Track(MakeRecorder(TRect(80, 60, 420, 260)));
  HWND first = CreateWindowEx(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 300, 24, form, nullptr,
                              nullptr, nullptr);
  HWND second = CreateWindowEx(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 50, 300, 24, form, nullptr,
                               nullptr, nullptr);
  ShowWindow(form, SW_SHOW);
  UpdateWindow(form);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(form)); }));
  SetFocus(first);
  TRect r;
  GetWindowRect(second, &r);
  Click(r.Left + 20, r.Top + 10);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == second; }));
  TypeText("Noël à 5 €, été");
  EXPECT_TRUE(PumpUntil([&] { return TextOf(second) == "Noël à 5 €, été"; })) << TextOf(second);
  EXPECT_EQ(TextOf(first), "");
}

TEST_F(X11InputTest, AltMakesSystemKeysAndAltGrTypesText)
{
  HWND h = Track(MakeRecorder(TRect(80, 60, 320, 200)));
  ShowWindow(h, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(h)); }));
  SetFocus(h);
  TRect r;
  GetWindowRect(h, &r);
  MoveTo(r.Left + 50, r.Top + 50);
  gKeys.clear();
  auto has = [](UINT msg, WPARAM w) {
    for (const MSG& m : gKeys)
      if (m.message == msg && m.wParam == w)
        return true;
    return false;
  };
  Key(XK_Alt_L, true);
  TypeKeySym(XK_f);
  Key(XK_Alt_L, false);
  ASSERT_TRUE(PumpUntil([&] { return has(WM_SYSKEYUP, VK_MENU); }));
  EXPECT_TRUE(has(WM_SYSKEYDOWN, 'F'));
  EXPECT_TRUE(has(WM_SYSCHAR, 'f'));
  EXPECT_FALSE(has(WM_CHAR, 'f'));

  gKeys.clear();
  Key(XK_ISO_Level3_Shift, true);
  EXPECT_TRUE(PumpUntil([] { return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_RMENU) < 0; }))
      << "AltGr holds Ctrl and the right Alt";
  TypeKeySym(XK_EuroSign);
  Key(XK_ISO_Level3_Shift, false);
  ASSERT_TRUE(PumpUntil([&] { return has(WM_CHAR, 0x20AC); }));
  EXPECT_FALSE(has(WM_SYSCHAR, 0x20AC));
  EXPECT_TRUE(PumpUntil([&] { return GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0; }));
}

// The scan code and extended bit a key message carries name the key: Num
// Lock is the extended 0x45, Pause the plain one, and the keypad's 7 (Num
// Lock off) is not Home although both go as VK_HOME.
TEST_F(X11InputTest, KeyMessagesCarryTheScanCodeThatNamesTheKey)
{
  HWND h = Track(MakeRecorder(TRect(80, 60, 320, 200)));
  ShowWindow(h, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(h)); }));
  SetFocus(h);
  struct TCase {
    KeySym Sym;
    UINT Scan;
    bool Extended;
    const char* Name;
  };
  const TCase cases[] = {
      {XK_Num_Lock, 0x45, true, "Num Lock"}, {XK_Pause, 0x45, false, "Pause"},    {XK_a, 0x1E, false, "A"},
      {XK_Up, 0x48, true, "Up"},             {XK_Control_R, 0x1D, true, "Right Ctrl"},
      {XK_KP_Enter, 0x1C, true, "Num Enter"}, {XK_KP_Home, 0x47, false, "Num 7"}, {XK_Home, 0x47, true, "Home"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(XKeysymToString(c.Sym));
    gKeys.clear();
    TypeKeySym(c.Sym);
    auto keyUp = [] {
      return std::any_of(gKeys.begin(), gKeys.end(), [](const MSG& m) { return m.message == WM_KEYUP; });
    };
    ASSERT_TRUE(PumpUntil(keyUp));
    auto down = std::find_if(gKeys.begin(), gKeys.end(), [](const MSG& m) { return m.message == WM_KEYDOWN; });
    ASSERT_NE(down, gKeys.end());
    LPARAM l = down->lParam;
    EXPECT_EQ((l >> 16) & 0xFF, LPARAM(c.Scan));
    EXPECT_EQ((l & KF_EXTENDED_BIT) != 0, c.Extended);
    char name[64] = {};
    GetKeyNameText(LONG(l), name, sizeof name);
    EXPECT_STREQ(name, c.Name);
    if (c.Sym == XK_Num_Lock) {
      TypeKeySym(XK_Num_Lock);  // back off, for the keypad's keys after it
      Pump();
    }
  }
}

// The menu's loop runs on this thread; another thread plays the user.
// The override-redirect windows mapped on the screen now, besides the ones listed.
std::vector<Window> MappedPopups(Display* x, const std::vector<Window>& except)
{
  std::vector<Window> found;
  Window root, parent, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &n))
    return found;
  for (unsigned i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (std::find(except.begin(), except.end(), children[i]) == except.end() &&
        XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable && a.override_redirect)
      found.push_back(children[i]);
  }
  if (children)
    XFree(children);
  return found;
}

TEST_F(X11InputTest, AClickOutsideAMenuClosesItAndReachesTheWindowUnderIt)
{
  HWND owner = Track(MakeRecorder(TRect(100, 100, 500, 400)));
  ShowWindow(owner, SW_SHOW);
  UpdateWindow(owner);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(owner)); }));
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 1, "Info contact");
  AppendMenu(menu, MF_STRING, 2, "Envoi direct");

  // Another program's window beside ours.
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  Window foreign = XCreateSimpleWindow(other, DefaultRootWindow(other), 600, 100, 150, 150, 0, 0, 0xFFFFFF);
  XSetWindowAttributes attrs;
  attrs.override_redirect = True;
  attrs.event_mask = ButtonPressMask;
  XChangeWindowAttributes(other, foreign, CWOverrideRedirect | CWEventMask, &attrs);
  XMapRaised(other, foreign);
  XSync(other, False);

  struct TCase {
    const char* Name;
    TPoint Click;
    bool Ours;
  };
  const TCase cases[] = {{"on our window", TPoint(300, 350), true}, {"on another program's", TPoint(650, 150), false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    gKeys.clear();
    std::atomic<bool> sawPopup{false};
    std::vector<Window> before = MappedPopups(X, {});
    std::atomic<bool> sawGrab{false}, closed{false}, rescued{false};
    std::thread user([&] {
      Display* u = XOpenDisplay(nullptr);
      sawPopup = WaitUntil([&] { return !MappedPopups(u, before).empty(); });
      // The menu holds the pointer once its loop runs: click only then, as a
      // click that comes before the grab is the window's under it, not the menu's.
      sawGrab = WaitUntil([&] {
        int status = XGrabPointer(u, DefaultRootWindow(u), False, ButtonPressMask, GrabModeAsync, GrabModeAsync,
                                  None, None, CurrentTime);
        if (status == GrabSuccess)
          XUngrabPointer(u, CurrentTime);
        XSync(u, False);
        return status == AlreadyGrabbed;
      });
      // Clicked even when a wait failed; a menu the click left open is ended
      // from its loop, so that the failure shows below instead of a hang.
      XTestClick(u, c.Click);
      if (!WaitUntil([&] { return closed.load(); })) {
        rescued = true;
        PostMessage(owner, WM_APP, 0, 0);
      }
      XCloseDisplay(u);
    });
    BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, 120, 120, 0, owner, nullptr);
    closed = true;
    user.join();
    EXPECT_FALSE(rescued) << "the click closed the menu";
    EXPECT_TRUE(sawPopup) << "the menu showed as an override-redirect window";
    EXPECT_TRUE(sawGrab) << "the menu grabbed the pointer";
    EXPECT_EQ(chosen, 0) << "closed without a choice";
    if (c.Ours) {
      EXPECT_TRUE(PumpUntil([&] {
        for (const MSG& m : gKeys)
          if (m.message == WM_LBUTTONDOWN && m.hwnd == owner)
            return true;
        return false;
      })) << "the press reached the window under the menu";
    } else {
      bool pressed = false;
      PumpUntil([&] {
        XEvent ev;
        while (XCheckWindowEvent(other, foreign, ButtonPressMask, &ev))
          pressed = true;
        return pressed;
      });
      Window root, under = 0;
      int rx, ry, wx, wy;
      unsigned mask;
      if (!pressed)
        XQueryPointer(other, DefaultRootWindow(other), &root, &under, &rx, &ry, &wx, &wy, &mask);
      EXPECT_TRUE(pressed) << "the press went on to the other program (the pointer is over window 0x" << std::hex
                           << under << ", the other program's is 0x" << foreign << ", ours 0x" << XOf(owner) << ")";
    }
  }
  DestroyMenu(menu);
  XCloseDisplay(other);
}

}  // namespace
