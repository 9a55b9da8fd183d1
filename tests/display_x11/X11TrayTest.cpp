// The notification area's icon in a system tray (the test plays the tray):
// the dock request names a window of ours that shows the icon, a click on
// it reaches the icon's window as its callback message, and a balloon
// opens as a popup next to it.
#include "X11TestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace {

constexpr UINT Callback = WM_USER + 1;
std::vector<LPARAM> gTrayEvents;

LRESULT TrayOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == Callback)
    gTrayEvents.push_back(lParam);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class X11TrayTest : public X11Fixture {};

TEST_F(X11TrayTest, TheIconDocksInTheTrayAndItsClicksComeBack)
{
  // The tray: a window owning the tray selection, announced to everyone.
  Display* tray = XOpenDisplay(nullptr);
  ASSERT_NE(tray, nullptr);
  Window manager = XCreateSimpleWindow(tray, DefaultRootWindow(tray), 900, 700, 200, 40, 0, 0, 0x808080);
  XSetWindowAttributes attrs;
  attrs.override_redirect = True;
  XChangeWindowAttributes(tray, manager, CWOverrideRedirect, &attrs);
  XMapRaised(tray, manager);
  XSetSelectionOwner(tray, XInternAtom(tray, "_NET_SYSTEM_TRAY_S0", False), manager, CurrentTime);
  XSync(tray, False);

  WNDCLASS wc;
  wc.lpfnWndProc = &TrayOwnerProc;
  wc.lpszClassName = "X11TrayOwner";
  RegisterClass(&wc);
  HWND owner = Track(CreateWindowEx(0, "X11TrayOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
  NOTIFYICONDATA d;
  d.hWnd = owner;
  d.uID = 1;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = Callback;
  d.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  std::strcpy(d.szTip, "Corvane");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));

  // The dock request names the icon's window; the tray embeds it.
  Window icon = 0;
  ASSERT_TRUE(PumpUntil([&] {
    while (XPending(tray)) {
      XEvent ev;
      XNextEvent(tray, &ev);
      if (ev.type == ClientMessage && ev.xclient.message_type == XInternAtom(tray, "_NET_SYSTEM_TRAY_OPCODE", False) &&
          ev.xclient.data.l[1] == 0)
        icon = Window(ev.xclient.data.l[2]);
    }
    return icon != 0;
  }));
  XReparentWindow(tray, icon, manager, 10, 8);
  XResizeWindow(tray, icon, 24, 24);
  XMapWindow(tray, icon);
  XSync(tray, False);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(icon); }));
  EXPECT_FALSE(Longs(icon, "_XEMBED_INFO").empty());

  gTrayEvents.clear();
  Click(900 + 10 + 12, 700 + 8 + 12);
  EXPECT_TRUE(PumpUntil([&] {
    return gTrayEvents.size() >= 2 && gTrayEvents[gTrayEvents.size() - 2] == WM_LBUTTONDOWN &&
           gTrayEvents.back() == WM_LBUTTONUP;
  }));
  TPoint cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor, TPoint(922, 720)) << "where a menu of the icon would open";

  // A balloon shows as a popup above the icon.
  NOTIFYICONDATA b = d;
  b.uFlags = NIF_INFO;
  std::strcpy(b.szInfoTitle, "Nouveau message");
  std::strcpy(b.szInfo, "Élodie vous a écrit");
  b.uTimeout = 10000;
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &b));
  HWND balloon = NotifyBalloonWindow();
  ASSERT_NE(balloon, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(balloon)); }));
  EXPECT_TRUE(OverrideRedirect(XOf(balloon)));
  TRect r;
  GetWindowRect(balloon, &r);
  EXPECT_LE(r.Bottom, 700 + 8);
  EXPECT_GE(r.Right, 900);

  Shell_NotifyIcon(NIM_DELETE, &d);
  XCloseDisplay(tray);
  Pump(30);
}

}  // namespace
