// Layered windows: the calls answer what the display can show, and the
// headless screen composes constant alpha, colour keys and per-pixel alpha
// of top-level windows in z-order.
#include "WindowTestSupport.h"

#include <cstring>

#include "platform/base/LastError.h"
#include "platform/win/gdi/gdi.h"

namespace {

class LayeredWindowTest : public TWindowFixture {
protected:
  void TearDown() override
  {
    Display->SetLayeredWindowsSupported(true);
    TWindowFixture::TearDown();
  }
};

TEST_F(LayeredWindowTest, LayeredCallsFailWhereTheScreenCannotComposeWindows)
{
  Display->SetLayeredWindowsSupported(false);
  HWND w = Make(WS_POPUP | WS_VISIBLE, 10, 10, 40, 40, nullptr, WS_EX_LAYERED);
  for (DWORD flags : {LWA_ALPHA, LWA_COLORKEY, LWA_ALPHA | LWA_COLORKEY}) {
    SCOPED_TRACE(flags);
    SetLastError(0);
    EXPECT_FALSE(SetLayeredWindowAttributes(w, RGB(0, 255, 0), 128, flags));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
  TPoint at(200, 100);
  EXPECT_FALSE(UpdateLayeredWindow(w, nullptr, &at, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, TRect(10, 10, 50, 50)) << "a refused update leaves the window where it was";

  // Where the screen composes, a child window still cannot be layered.
  Display->SetLayeredWindowsSupported(true);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, w, WS_EX_LAYERED);
  EXPECT_FALSE(SetLayeredWindowAttributes(child, 0, 128, LWA_ALPHA));
  EXPECT_TRUE(SetLayeredWindowAttributes(w, 0, 128, LWA_ALPHA));
}

TEST_F(LayeredWindowTest, TheScreenShowsLayeredWindowsMixedWithWhatLiesBelow)
{
  const COLORREF key = RGB(0, 255, 0);
  Painted(100, 100, 100, 100, 0, [](HDC dc, const TRect& r) { Fill(dc, r, RGB(255, 0, 0)); });
  struct TCase {
    const char* Name;
    DWORD Flags;
    BYTE Alpha;
    uint32_t Left, Right;  // what the screen shows over each half of the window
  };
  // The window's left half is the key colour, its right half blue, over red.
  const TCase cases[] = {
      {"opaque", 0, 255, 0x00FF00, 0x0000FF},
      {"constant alpha", LWA_ALPHA, 128, 0x7F8000, 0x7F0080},
      {"colour key", LWA_COLORKEY, 255, 0xFF0000, 0x0000FF},
      {"both", LWA_ALPHA | LWA_COLORKEY, 64, 0xFF0000, 0xBF0040},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HWND top = Painted(120, 120, 40, 40, WS_EX_LAYERED, [&](HDC dc, const TRect& r) {
      Fill(dc, TRect(r.Left, r.Top, r.Right / 2, r.Bottom), key);
      Fill(dc, TRect(r.Right / 2, r.Top, r.Right, r.Bottom), RGB(0, 0, 255));
    });
    ASSERT_TRUE(SetLayeredWindowAttributes(top, key, c.Alpha, c.Flags));
    EXPECT_EQ(Display->ScreenPixel(125, 140), c.Left);
    EXPECT_EQ(Display->ScreenPixel(155, 140), c.Right);
    EXPECT_EQ(Display->ScreenPixel(110, 110), 0xFF0000u) << "beside it, the window below";
    EXPECT_EQ(Display->ScreenPixel(50, 50), 0u) << "the desktop";
    DestroyWindow(top);
    EXPECT_EQ(Display->ScreenPixel(155, 140), 0xFF0000u) << "gone from the screen";
  }
}

TEST_F(LayeredWindowTest, PerPixelAlphaOfAnUpdateShowsEachPixelBlended)
{
  Painted(100, 100, 100, 100, 0, [](HDC dc, const TRect& r) { Fill(dc, r, RGB(255, 0, 0)); });
  HWND shadow = Make(WS_POPUP, 0, 0, 10, 10, nullptr, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  // A premultiplied 3 x 1 image: transparent, half-transparent white, opaque green.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(image, nullptr);
  const uint32_t pixels[3] = {0x00000000, 0x80808080, 0xFF00FF00};
  std::memcpy(bits, pixels, sizeof pixels);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, image);
  TPoint at(150, 150), from(0, 0);
  TSize size(3, 1);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(shadow, nullptr, &at, &size, memory, &from, 0, &blend, ULW_ALPHA));
  // Shown afterwards, as shadows are: showing paints nothing over the image.
  ShowWindow(shadow, SW_SHOWNOACTIVATE);
  Pump();
  EXPECT_EQ(Display->ScreenPixel(150, 150), 0xFF0000u);
  EXPECT_EQ(Display->ScreenPixel(151, 150), 0xFF8080u);
  EXPECT_EQ(Display->ScreenPixel(152, 150), 0x00FF00u);
  // The constant alpha scales every pixel's own.
  blend.SourceConstantAlpha = 128;
  ASSERT_TRUE(UpdateLayeredWindow(shadow, nullptr, nullptr, nullptr, nullptr, nullptr, 0, &blend, ULW_ALPHA));
  EXPECT_EQ(Display->ScreenPixel(152, 150), 0x7F8000u);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(image);
}

}  // namespace
