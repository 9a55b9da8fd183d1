// How windows mix on an X server's screen. Layered windows: without a
// compositing manager the layered calls fail, so callers fall back; with one
// (a real one, started for the test) alpha, colour keys and per-pixel alpha
// show on the screen, and so do drop shadows. The screen DC reads the root
// window's contents and draws over the windows on it. Window regions shape
// the X windows. Popup kinds follow the styles alone.
#include "X11TestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>


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
    X11Fixture::TearDown();
    gColours.clear();
  }

  HWND Make(const char* className, DWORD style, DWORD exStyle, const TRect& r, HWND owner = nullptr,
            UINT classStyle = 0)
  {
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, className, &wc)) {
      wc = WNDCLASS();
      wc.style = classStyle;
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

TEST_F(X11LayeredTest, DropShadowsShowOnlyWhereACompositorRuns)
{
  Shown(TRect(100, 100, 400, 400), RGB(255, 255, 255));
  const TRect r(150, 150, 250, 230);
  const int y = 190;
  for (bool compositing : {false, true}) {
    SCOPED_TRACE(compositing ? "with a compositor" : "without");
    if (compositing && !StartCompositor())
      GTEST_SKIP() << "no compositing manager installed";
    UINT shadows = !compositing;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETDROPSHADOW, 0, &shadows, 0));
    EXPECT_EQ(shadows != FALSE, compositing);
    HWND h = Make("X11Shadowed", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, r, nullptr, CS_DROPSHADOW);
    gColours[h] = RGB(0, 0, 255);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    UpdateWindow(h);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(h)) && RootPixel(200, y) == 0x0000FFu; }));
    if (!compositing) {
      Pump(200);
      EXPECT_EQ(RootPixel(r.Right + 1, y), 0xFFFFFFu);
      EXPECT_EQ(FindWindow("SysShadow", nullptr), nullptr);
      DestroyWindow(h);
      continue;
    }
    // A grey fade beside and below the window, lighter outwards, none beyond.
    uint32_t beside = 0;
    EXPECT_TRUE(PumpUntil([&] { return (beside = RootPixel(r.Right + 1, y)) < 0xF0F0F0u; })) << std::hex << beside;
    EXPECT_TRUE(Near(RootPixel(200, r.Bottom + 1), beside));
    EXPECT_GT(RootPixel(r.Right + 4, y), beside);
    EXPECT_EQ(RootPixel(r.Right + 6, y), 0xFFFFFFu);
    EXPECT_EQ(RootPixel(r.Left - 1, y), 0xFFFFFFu);
    // Clicks fall through it to the window below, and it goes with its window.
    XWin shadow = XOf(FindWindow("SysShadow", nullptr));
    int count = -1, ordering;
    XRectangle* input = XShapeGetRectangles(X, shadow, ShapeInput, &count, &ordering);
    EXPECT_EQ(count, 0) << "no input area";
    if (input)
      XFree(input);
    ShowWindow(h, SW_HIDE);
    EXPECT_TRUE(PumpUntil([&] { return RootPixel(r.Right + 1, y) == 0xFFFFFFu; }));
    DestroyWindow(h);
    EXPECT_EQ(FindWindow("SysShadow", nullptr), nullptr);
  }
}

TEST_F(X11LayeredTest, AWindowRegionShapesTheXWindow)
{
  Shown(TRect(100, 100, 300, 300), RGB(255, 255, 255));
  HWND h = Shown(TRect(150, 150, 250, 250), RGB(0, 0, 255), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  // Two squares touching at a corner.
  HRGN shape = CreateRectRgn(0, 0, 40, 40);
  HRGN second = CreateRectRgn(40, 40, 100, 100);
  CombineRgn(shape, shape, second, RGN_OR);
  DeleteObject(second);
  ASSERT_TRUE(SetWindowRgn(h, shape, TRUE));
  CatchUp();
  int count = 0, ordering;
  XRectangle* rects = XShapeGetRectangles(X, XOf(h), ShapeBounding, &count, &ordering);
  ASSERT_EQ(count, 2);
  std::vector<TRect> got;
  for (int i = 0; i < count; ++i)
    got.push_back(Bounds(rects[i].x, rects[i].y, rects[i].width, rects[i].height));
  XFree(rects);
  std::sort(got.begin(), got.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });
  EXPECT_EQ(got[0], TRect(0, 0, 40, 40));
  EXPECT_EQ(got[1], TRect(40, 40, 100, 100));
  EXPECT_TRUE(PumpUntil([&] { return RootPixel(220, 170) == 0xFFFFFFu; })) << "outside the region, what lies below";
  EXPECT_EQ(RootPixel(160, 160), 0x0000FFu);
  EXPECT_EQ(RootPixel(220, 220), 0x0000FFu);
  // Without a region the whole window shows again.
  SetWindowRgn(h, nullptr, TRUE);
  EXPECT_TRUE(PumpUntil([&] { return RootPixel(220, 170) == 0x0000FFu; }));
}

TEST_F(X11LayeredTest, TheScreenDCReadsTheRootAndItsInvertedFramesShowThere)
{
  HWND h = Shown(TRect(300, 300, 400, 400), RGB(255, 0, 0));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 350, 350), RGB(255, 0, 0));
  // A drag frame across the window and the desktop beside it.
  const uint32_t desktop = RootPixel(450, 350);
  // The back end draws on its own connection: XSync on ours would not wait for it.
  PatBlt(screen, 340, 340, 150, 4, DSTINVERT);
  CatchUp();
  EXPECT_EQ(RootPixel(350, 341), 0x00FFFFu) << "inverted over the window";
  EXPECT_EQ(RootPixel(450, 341), ~desktop & 0xFFFFFF) << "and over the desktop";
  EXPECT_EQ(RootPixel(350, 350), 0xFF0000u) << "nothing beside the frame";
  PatBlt(screen, 340, 340, 150, 4, DSTINVERT);
  CatchUp();
  EXPECT_EQ(RootPixel(350, 341), 0xFF0000u) << "the pixels underneath come back";
  EXPECT_EQ(RootPixel(450, 341), desktop);
  // Drawn over the window, it lasts until the window paints there again.
  PatBlt(screen, 310, 310, 10, 10, DSTINVERT);
  CatchUp();
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
