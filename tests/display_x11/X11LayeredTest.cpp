// Layered windows and the screen DC on an X server: without a compositing
// manager the layered calls fail, so callers fall back; with one (a real
// one, started for the test) alpha, colour keys and per-pixel alpha show on
// the screen. The screen DC reads the root window's contents and draws over
// the windows on it. Popup kinds follow the styles alone.
#include "X11TestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>

extern char** environ;

namespace {

std::map<HWND, COLORREF> gColours;

LRESULT FillingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    TRect r;
    GetClientRect(hwnd, &r);
    HBRUSH brush = CreateSolidBrush(gColours.count(hwnd) ? gColours[hwnd] : RGB(255, 0, 0));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class X11LayeredTest : public X11Fixture {
protected:
  void TearDown() override
  {
    StopCompositor();
    X11Fixture::TearDown();
    gColours.clear();
  }

  HWND Make(const char* className, DWORD style, DWORD exStyle, const TRect& r, HWND owner = nullptr)
  {
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, className, &wc)) {
      wc = WNDCLASS();
      wc.lpfnWndProc = &FillingProc;
      wc.lpszClassName = className;
      RegisterClass(&wc);
    }
    return Track(CreateWindowEx(exStyle, className, "", style, r.Left, r.Top, r.Width(), r.Height(), owner, nullptr,
                                nullptr, nullptr));
  }

  // A shown window filled with one colour, once the server shows it.
  HWND Shown(const TRect& r, COLORREF colour, DWORD exStyle = WS_EX_TOOLWINDOW)
  {
    HWND h = Make("X11Filled", WS_POPUP, exStyle, r);
    gColours[h] = colour;
    ShowWindow(h, SW_SHOWNOACTIVATE);
    UpdateWindow(h);
    EXPECT_TRUE(PumpUntil([&] { return Viewable(XOf(h)); }));
    return h;
  }

  static uint32_t RootPixel(int x, int y)
  {
    XImage* image = XGetImage(X, DefaultRootWindow(X), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
      return 0xFFFFFFFF;
    uint32_t p = uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
  }

  static bool Near(uint32_t a, uint32_t b)
  {
    for (int shift = 0; shift < 24; shift += 8)
      if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2)
        return false;
    return true;
  }

  // The real compositing manager of the desktop, when installed.
  bool StartCompositor()
  {
    const char* argv[] = {"xcompmgr", nullptr};
    if (posix_spawnp(&FCompositor, "xcompmgr", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      FCompositor = 0;
      return false;
    }
    return PumpUntil([&] { return Backend->SupportsLayeredWindows(); }, 5000);
  }

  void StopCompositor()
  {
    if (!FCompositor)
      return;
    kill(FCompositor, SIGTERM);
    waitpid(FCompositor, nullptr, 0);
    FCompositor = 0;
    PumpUntil([&] { return !Backend->SupportsLayeredWindows(); });
  }

  pid_t FCompositor = 0;
};

TEST_F(X11LayeredTest, LayeredCallsFailWithoutACompositor)
{
  ASSERT_FALSE(Backend->SupportsLayeredWindows()) << "the test's X server runs no compositing manager";
  HWND h = Shown(TRect(100, 100, 160, 160), RGB(0, 0, 255), WS_EX_TOOLWINDOW | WS_EX_LAYERED);
  EXPECT_FALSE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
  EXPECT_FALSE(SetLayeredWindowAttributes(h, RGB(0, 0, 255), 255, LWA_COLORKEY));
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(UpdateLayeredWindow(h, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  XWindowAttributes attrs;
  XGetWindowAttributes(X, XOf(h), &attrs);
  EXPECT_NE(attrs.depth, 32) << "no window made again for alpha nobody shows";
}

TEST_F(X11LayeredTest, WithACompositorLayeredWindowsShowMixedOnTheScreen)
{
  if (!StartCompositor())
    GTEST_SKIP() << "no compositing manager installed";
  Shown(TRect(100, 100, 260, 200), RGB(255, 0, 0), WS_EX_TOOLWINDOW);
  // Colour key: the key colour is a hole.
  HWND keyed = Shown(TRect(110, 110, 140, 140), RGB(0, 255, 0), WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TOPMOST);
  ASSERT_TRUE(SetLayeredWindowAttributes(keyed, RGB(0, 255, 0), 255, LWA_COLORKEY));
  // Constant alpha.
  HWND faded = Shown(TRect(150, 110, 180, 140), RGB(0, 0, 255), WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TOPMOST);
  ASSERT_TRUE(SetLayeredWindowAttributes(faded, 0, 128, LWA_ALPHA));
  // Per-pixel alpha: half-transparent white, premultiplied.
  HWND shadow = Make("X11Filled", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TOPMOST, TRect(0, 0, 1, 1));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 30;
  info.bmiHeader.biHeight = -30;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(image, nullptr);
  for (int i = 0; i < 30 * 30; ++i)
    static_cast<uint32_t*>(bits)[i] = 0x80808080;
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, image);
  TPoint at(200, 110), from(0, 0);
  TSize size(30, 30);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(shadow, nullptr, &at, &size, memory, &from, 0, &blend, ULW_ALPHA));
  ShowWindow(shadow, SW_SHOWNOACTIVATE);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(image);

  struct TCase {
    const char* Name;
    int X, Y;
    uint32_t Shown;
  } cases[] = {
      {"colour key", 125, 125, 0xFF0000},
      {"constant alpha", 165, 125, 0x7F0080},
      {"per-pixel alpha", 215, 125, 0xFF8080},
      {"no window above", 245, 180, 0xFF0000},
  };
  HDC screen = GetDC(nullptr);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    uint32_t root = 0;
    EXPECT_TRUE(PumpUntil([&] { return Near(root = RootPixel(c.X, c.Y), c.Shown); })) << std::hex << root;
    // The screen DC reads what the compositor made.
    COLORREF read = GetPixel(screen, c.X, c.Y);
    EXPECT_TRUE(Near((GetRValue(read) << 16) | (GetGValue(read) << 8) | GetBValue(read), c.Shown)) << std::hex << read;
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(X11LayeredTest, TheScreenDCReadsTheRootAndItsInvertedFramesShowThere)
{
  HWND h = Shown(TRect(300, 300, 400, 400), RGB(255, 0, 0));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 350, 350), RGB(255, 0, 0));
  // A drag frame across the window and the desktop beside it.
  const uint32_t desktop = RootPixel(450, 350);
  PatBlt(screen, 340, 340, 150, 4, DSTINVERT);
  XSync(X, False);
  EXPECT_EQ(RootPixel(350, 341), 0x00FFFFu) << "inverted over the window";
  EXPECT_EQ(RootPixel(450, 341), ~desktop & 0xFFFFFF) << "and over the desktop";
  EXPECT_EQ(RootPixel(350, 350), 0xFF0000u) << "nothing beside the frame";
  PatBlt(screen, 340, 340, 150, 4, DSTINVERT);
  XSync(X, False);
  EXPECT_EQ(RootPixel(350, 341), 0xFF0000u) << "the pixels underneath come back";
  EXPECT_EQ(RootPixel(450, 341), desktop);
  // Drawn over the window, it lasts until the window paints there again.
  PatBlt(screen, 310, 310, 10, 10, DSTINVERT);
  XSync(X, False);
  EXPECT_EQ(RootPixel(315, 315), 0x00FFFFu);
  InvalidateRect(h, nullptr, TRUE);
  UpdateWindow(h);
  EXPECT_TRUE(PumpUntil([&] { return RootPixel(315, 315) == 0xFF0000u; }));
  ReleaseDC(nullptr, screen);
}

TEST_F(X11LayeredTest, PopupKindsComeFromStylesNotClassNames)
{
  HWND main = Make("X11Filled", WS_OVERLAPPEDWINDOW, 0, TRect(50, 50, 250, 200));
  ShowWindow(main, SW_SHOW);
  struct TCase {
    const char* ClassName;
    DWORD ExStyle;
    bool Owned;
    const char* Type;
  } cases[] = {
      {"THintWindow", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, true, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {"TBalloonTip", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, false, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {"ComboLBox", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, true, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
      {"X11Notice", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, false, "_NET_WM_WINDOW_TYPE_NOTIFICATION"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ClassName);
    HWND h = Make(c.ClassName, WS_POPUP | WS_BORDER, c.ExStyle, TRect(80, 80, 180, 120), c.Owned ? main : nullptr);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    XWin w = XOf(h);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(w); }));
    EXPECT_TRUE(OverrideRedirect(w));
    auto type = Longs(w, "_NET_WM_WINDOW_TYPE");
    ASSERT_EQ(type.size(), 1u);
    EXPECT_EQ(static_cast<unsigned long>(type[0]), AtomOf(c.Type));
    DestroyWindow(h);
  }
}

}  // namespace
