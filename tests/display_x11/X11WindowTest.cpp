// Top-level windows as X windows: the kind each style makes, what the window
// manager is told, the pixels the server shows, and the delete protocol.
#include "X11TestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace {

struct TCloseLog {
  int Closes = 0;
};
TCloseLog gLog;

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_CLOSE)
    ++gLog.Closes;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    TRect r;
    GetClientRect(hwnd, &r);
    HBRUSH blue = CreateSolidBrush(RGB(20, 60, 200));
    FillRect(dc, &r, blue);
    DeleteObject(blue);
    TRect inner(10, 10, 50, 30);
    HBRUSH orange = CreateSolidBrush(RGB(250, 140, 10));
    FillRect(dc, &inner, orange);
    DeleteObject(orange);
    SetBkMode(dc, TRANSPARENT);
    TextOut(dc, 12, 40, "Bonjour, été", 13);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterTestClass()
{
  static bool done = false;
  if (done)
    return;
  WNDCLASS wc;
  wc.lpfnWndProc = &RecordingProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "X11TestWindow";
  RegisterClass(&wc);
  done = true;
}

class X11WindowTest : public X11Fixture {
protected:
  HWND Make(DWORD style, DWORD exStyle, HWND owner, const char* title, TRect r = TRect(60, 50, 300, 210))
  {
    RegisterTestClass();
    HWND h = CreateWindowEx(exStyle, "X11TestWindow", title, style, r.Left, r.Top, r.Width(), r.Height(), owner,
                            nullptr, nullptr, nullptr);
    return Track(h);
  }
  // A captioned window shown and painted, once the server shows it; R is
  // where it is on the screen.
  HWND ShowPaintedWindow(XWin& W, TRect& R)
  {
    HWND h = Make(WS_OVERLAPPEDWINDOW, 0, nullptr, "Pixels");
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    W = XOf(h);
    EXPECT_TRUE(PumpUntil([&] { return Viewable(W); }));
    GetWindowRect(h, &R);
    return h;
  }
};

TEST_F(X11WindowTest, EachKindOfWindowIsShownAsItsStylesAsk)
{
  HWND main = Make(WS_OVERLAPPEDWINDOW, 0, nullptr, "Corvane — été €");
  ShowWindow(main, SW_SHOW);
  struct TCase {
    const char* Name;
    DWORD Style, ExStyle;
    bool Owned;
    bool OverrideRedirect, InTaskBar;
    const char* Type;
  };
  const TCase cases[] = {
      {"main window", WS_OVERLAPPEDWINDOW, 0, false, false, true, "_NET_WM_WINDOW_TYPE_NORMAL"},
      {"owned dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, true, false, false,
       "_NET_WM_WINDOW_TYPE_DIALOG"},
      {"floating tool frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW, true, false, false,
       "_NET_WM_WINDOW_TYPE_UTILITY"},
      {"own task-bar button", WS_POPUP | WS_CAPTION, WS_EX_APPWINDOW, true, false, true, nullptr},
      {"menu-like popup", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, false, true, false,
       "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {"hint-like popup", WS_POPUP | WS_BORDER, 0, true, true, false, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND h = c.Owned || std::string(c.Name) != "main window" ? Make(c.Style, c.ExStyle, c.Owned ? main : nullptr, c.Name)
                                                               : main;
    ShowWindow(h, SW_SHOWNOACTIVATE);
    XWin w = XOf(h);
    ASSERT_NE(w, 0u);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(w); }));
    EXPECT_EQ(OverrideRedirect(w), c.OverrideRedirect);
    // The server has the window where the layer has it.
    TRect r;
    GetWindowRect(h, &r);
    XWindowAttributes attrs;
    ASSERT_TRUE(XGetWindowAttributes(X, w, &attrs));
    int x, y;
    Window child;
    XTranslateCoordinates(X, w, DefaultRootWindow(X), 0, 0, &x, &y, &child);
    EXPECT_EQ(TRect(x, y, x + attrs.width, y + attrs.height), r);
    if (c.Type) {
      auto type = Longs(w, "_NET_WM_WINDOW_TYPE");
      ASSERT_EQ(type.size(), 1u);
      EXPECT_EQ(static_cast<unsigned long>(type[0]), AtomOf(c.Type));
    }
    auto transient = Longs(w, "WM_TRANSIENT_FOR");
    if (c.Owned) {
      EXPECT_EQ(transient, std::vector<long>{long(XOf(main))});
    }
    if (c.OverrideRedirect)
      continue;
    // Managed: the layer's frame, none of the window manager's.
    auto motif = Longs(w, "_MOTIF_WM_HINTS");
    ASSERT_GE(motif.size(), 3u);
    EXPECT_EQ(motif[0] & 2, 2) << "decorations given";
    EXPECT_EQ(motif[2], 0) << "no decoration";
    auto states = Longs(w, "_NET_WM_STATE");
    bool skips = std::find(states.begin(), states.end(), long(AtomOf("_NET_WM_STATE_SKIP_TASKBAR"))) != states.end();
    EXPECT_EQ(!skips, c.InTaskBar);
    auto protocols = Longs(w, "WM_PROTOCOLS");
    EXPECT_NE(std::find(protocols.begin(), protocols.end(), long(AtomOf("WM_DELETE_WINDOW"))), protocols.end());
  }
  EXPECT_EQ(Utf8Property(XOf(main), "_NET_WM_NAME"), "Corvane — été €");
  SetWindowText(main, "Ünïcode ✓");
  EXPECT_TRUE(PumpUntil([&] { return Utf8Property(XOf(main), "_NET_WM_NAME") == "Ünïcode ✓"; }));
}

TEST_F(X11WindowTest, TheServerShowsTheFramebufferPixelForPixelAlsoAfterAnExpose)
{
  XWin w = 0;
  TRect r;
  HWND h = ShowPaintedWindow(w, r);
  auto same = [&] { return ServerPixels(w, r.Width(), r.Height()) == LayerPixels(h, r.Width(), r.Height()); };
  ASSERT_TRUE(PumpUntil(same));
  EXPECT_NE(LayerPixels(h, r.Width(), r.Height())[std::size_t(GetSystemMetrics(SM_CYCAPTION) + 20) * r.Width() + 20],
            0u)
      << "something was drawn";

  // Another program's window covers it and goes: the server asks for the
  // uncovered part again, and gets it from the framebuffer.
  Window cover = XCreateSimpleWindow(X, DefaultRootWindow(X), r.Left + 10, r.Top + 10, 120, 80, 0, 0, 0xFFFFFF);
  XSetWindowAttributes attrs;
  attrs.override_redirect = True;
  XChangeWindowAttributes(X, cover, CWOverrideRedirect, &attrs);
  XMapRaised(X, cover);
  XSync(X, False);
  ASSERT_TRUE(PumpUntil([&] { return !same(); })) << "covered";
  XDestroyWindow(X, cover);
  XSync(X, False);
  EXPECT_TRUE(PumpUntil(same));

  // A resize keeps presenting the right pixels.
  SetWindowPos(h, nullptr, 0, 0, 260, 190, SWP_NOMOVE | SWP_NOZORDER);
  UpdateWindow(h);
  GetWindowRect(h, &r);
  EXPECT_TRUE(PumpUntil(same));
}

// Out of sight, a window gives its pixels back; shown again, the server shows
// exactly what it showed before (hidden and shown, minimised and restored).
TEST_F(X11WindowTest, AWindowOutOfSightHoldsNoPixelsAndShowsTheSameAgain)
{
  struct TWay {
    const char* Name;
    int Out;
    int Back;
  };
  for (TWay way : {TWay{"hidden", SW_HIDE, SW_SHOW}, TWay{"minimised", SW_MINIMIZE, SW_RESTORE}}) {
    SCOPED_TRACE(way.Name);
    XWin w = 0;
    TRect r;
    HWND h = ShowPaintedWindow(w, r);
    auto server = [&] { return ServerPixels(w, r.Width(), r.Height()); };
    ASSERT_TRUE(PumpUntil([&] { return server() == LayerPixels(h, r.Width(), r.Height()); }));
    const std::vector<uint32_t> before = server();
    ASSERT_TRUE(Backend->HoldsPixels(h));

    ShowWindow(h, way.Out);
    ASSERT_TRUE(PumpUntil([&] { return !Viewable(w); }));
    EXPECT_FALSE(Backend->HoldsPixels(h));

    ShowWindow(h, way.Back);
    UpdateWindow(h);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(w); }));
    EXPECT_TRUE(Backend->HoldsPixels(h));
    GetWindowRect(h, &r);
    EXPECT_TRUE(PumpUntil([&] { return server() == before; }));
    DestroyWindow(h);
  }
}

TEST_F(X11WindowTest, TheDeleteProtocolClosesTheWindow)
{
  HWND h = Make(WS_OVERLAPPEDWINDOW, 0, nullptr, "Fermer");
  ShowWindow(h, SW_SHOW);
  XWin w = XOf(h);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(w); }));
  gLog = {};
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = AtomOf("WM_PROTOCOLS");
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = long(AtomOf("WM_DELETE_WINDOW"));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(X, w, False, NoEventMask, &ev);
  XSync(X, False);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(h); }));
  EXPECT_EQ(gLog.Closes, 1);
}

TEST_F(X11WindowTest, TheWorkAreaComesFromTheRootWindow)
{
  Window root = DefaultRootWindow(X);
  long area[4] = {0, 24, DisplayWidth(X, DefaultScreen(X)), DisplayHeight(X, DefaultScreen(X)) - 24 - 40};
  XChangeProperty(X, root, AtomOf("_NET_WORKAREA"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(area), 4);
  XSync(X, False);
  TRect work;
  EXPECT_TRUE(PumpUntil([&] {
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work == TRect(0, 24, int(area[2]), int(area[1] + area[3]));
  })) << work.Left << "," << work.Top << "," << work.Right << "," << work.Bottom;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), DisplayWidth(X, DefaultScreen(X)));
  // The area is kept between calls: a change of the root's hint still shows.
  XDeleteProperty(X, root, AtomOf("_NET_WORKAREA"));
  XSync(X, False);
  const TRect screen(0, 0, DisplayWidth(X, DefaultScreen(X)), DisplayHeight(X, DefaultScreen(X)));
  EXPECT_TRUE(PumpUntil([&] {
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work == screen;
  })) << work.Left << "," << work.Top << "," << work.Right << "," << work.Bottom;
}

TEST_F(X11WindowTest, LayeredWindowsNeedACompositor)
{
  HWND h = Make(WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_LAYERED, nullptr, "Fondu", TRect(100, 100, 180, 160));
  ShowWindow(h, SW_SHOWNOACTIVATE);
  UpdateWindow(h);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(h)); }));
  EXPECT_FALSE(Backend->SupportsLayeredWindows());
  EXPECT_FALSE(Backend->SetWindowAlpha(h, 128)) << "reported absent, so callers fall back";

  // A compositing manager starts (we play it): alpha shows, premultiplied.
  Window cm = XCreateSimpleWindow(X, DefaultRootWindow(X), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(X, AtomOf("_NET_WM_CM_S0"), cm, CurrentTime);
  XSync(X, False);
  ASSERT_TRUE(PumpUntil([&] { return Backend->SupportsLayeredWindows(); }));
  ASSERT_TRUE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
  XWin w = XOf(h);
  ASSERT_TRUE(PumpUntil([&] { return Viewable(w); }));
  XWindowAttributes attrs;
  XGetWindowAttributes(X, w, &attrs);
  EXPECT_EQ(attrs.depth, 32);
  uint32_t layer = LayerPixels(h, 1, 1)[0];
  // The new window shows its pixels once the server asked for them.
  unsigned long p = 0;
  EXPECT_TRUE(PumpUntil([&] {
    XImage* image = XGetImage(X, w, 0, 0, 1, 1, AllPlanes, ZPixmap);
    if (!image)
      return false;
    p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return ((p >> 24) & 0xFF) == 128;
  }));
  EXPECT_EQ((p >> 24) & 0xFF, 128u);
  EXPECT_EQ((p >> 16) & 0xFF, (((layer >> 16) & 0xFF) * 128 + 127) / 255);
  XDestroyWindow(X, cm);
  XSync(X, False);
  EXPECT_TRUE(PumpUntil([&] { return !Backend->SupportsLayeredWindows(); }));
}

}  // namespace
