// A top-level window out of sight (hidden or minimised) holds no pixels; shown
// again, it is repainted whole and shows exactly what it showed before.
#include "WindowTestSupport.h"
#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SysColors.h"

namespace {

class HiddenPixelsTest : public TWindowFixture {
protected:
  // A captioned window that never becomes active (so its caption looks the
  // same whatever happens to the others), with a child; both paint a pattern
  // of their own.
  HWND MakeScene(const TRect& r)
  {
    HWND top = Make(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.Left, r.Top, r.Width(), r.Height(), nullptr,
                    WS_EX_NOACTIVATE, "Conversation");
    HWND child = Make(WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 15, 70, 40, top);
    Painters[top] = [](HDC dc, const TRect& c) {
      Fill(dc, c, RGB(20, 60, 200));
      Fill(dc, TRect(c.Right - 50, c.Bottom - 30, c.Right - 10, c.Bottom - 10), RGB(250, 140, 10));
      MoveToEx(dc, 0, 0, nullptr);
      LineTo(dc, c.Right, c.Bottom);
    };
    Painters[child] = [](HDC dc, const TRect& c) {
      Fill(dc, c, RGB(0, 160, 60));
      Ellipse(dc, 5, 5, c.Right - 5, c.Bottom - 5);
    };
    PaintThroughPainters();
    ShowWindow(top, SW_SHOWNOACTIVATE);
    UpdateWindow(top);
    Pump();
    return top;
  }

  // The window's pixels as the display holds them, in window coordinates.
  std::vector<uint32_t> Image(HWND top)
  {
    TRect r;
    GetWindowRect(top, &r);
    std::vector<uint32_t> out;
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x)
        out.push_back(Display->Pixel(top, x, y));
    return out;
  }
};

TEST_F(HiddenPixelsTest, AWindowOutOfSightHoldsNoPixelsAndIsRepaintedAsBeforeWhenShown)
{
  const TRect place(40, 30, 260, 190), bigger(40, 30, 300, 230);
  struct TCase {
    const char* Name;
    std::function<void(HWND)> Out;
    std::function<void(HWND)> Back;
    TRect Final;
  };
  const TCase cases[] = {
      {"hidden", [](HWND h) { ShowWindow(h, SW_HIDE); }, [](HWND h) { ShowWindow(h, SW_SHOWNA); }, place},
      {"minimised", [](HWND h) { ShowWindow(h, SW_SHOWMINNOACTIVE); }, [](HWND h) { ShowWindow(h, SW_RESTORE); },
       place},
      {"resized while hidden",
       [&](HWND h) {
         ShowWindow(h, SW_HIDE);
         SetWindowPos(h, nullptr, 0, 0, bigger.Width(), bigger.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
       },
       [](HWND h) { ShowWindow(h, SW_SHOWNA); }, bigger},
      {"shown without redrawing",
       [](HWND h) { ShowWindow(h, SW_HIDE); },
       [](HWND h) {
         SetWindowPos(h, nullptr, 0, 0, 0, 0,
                      SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       },
       place},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // What the window shows when it was never out of sight.
    HWND reference = MakeScene(c.Final);
    const std::vector<uint32_t> expected = Image(reference);
    DestroyWindow(reference);
    ASSERT_NE(std::count(expected.begin(), expected.end(), 0u), std::ptrdiff_t(expected.size()));

    HWND top = MakeScene(place);
    ASSERT_GT(Display->PixelBytes(top), 0u);
    c.Out(top);
    Pump();
    EXPECT_EQ(Display->PixelBytes(top), 0u);
    c.Back(top);
    Pump();
    EXPECT_GT(Display->PixelBytes(top), 0u);
    EXPECT_TRUE(Image(top) == expected);
    DestroyWindow(top);
  }
}

TEST_F(HiddenPixelsTest, AWindowMadeHiddenGetsItsPixelsWhenFirstShown)
{
  HWND top = Make(WS_OVERLAPPEDWINDOW, 10, 10, 200, 120, nullptr, WS_EX_NOACTIVATE, "Cachée");
  EXPECT_EQ(Display->PixelBytes(top), 0u);
  ShowWindow(top, SW_SHOWNA);
  Pump();
  EXPECT_GE(Display->PixelBytes(top), std::size_t(200 * 120 * 4));
  // The class background was painted into them.
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(Display->Pixel(top, 100, 100),
            uint32_t(GetRValue(background)) << 16 | uint32_t(GetGValue(background)) << 8 | GetBValue(background));
}

// Pixels a layered window was given while hidden exist nowhere else: it keeps
// them and shows them. So does a popup without a caption (menus, hints),
// shown and hidden all the time.
TEST_F(HiddenPixelsTest, WindowsWhosePixelsCannotOrNeedNotBeRebuiltKeepThem)
{
  HWND layered = Make(WS_OVERLAPPEDWINDOW, 10, 10, 60, 40, nullptr, WS_EX_LAYERED | WS_EX_NOACTIVATE, "Calque");
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 40);
  HGDIOBJ old = SelectObject(memory, bitmap);
  Fill(memory, TRect(0, 0, 60, 40), RGB(200, 30, 90));
  TPoint origin;
  ASSERT_TRUE(UpdateLayeredWindow(layered, nullptr, nullptr, nullptr, memory, &origin, 0, nullptr, ULW_OPAQUE));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  EXPECT_GT(Display->PixelBytes(layered), 0u);
  ShowWindow(layered, SW_SHOWNA);
  Pump();
  EXPECT_EQ(Display->Pixel(layered, 30, 20), 0xC81E5Au);

  HWND popup = Make(WS_POPUP | WS_BORDER, 100, 100, 80, 60);
  ShowWindow(popup, SW_SHOWNA);
  Pump();
  ShowWindow(popup, SW_HIDE);
  EXPECT_GT(Display->PixelBytes(popup), 0u);
}

// A DC held on a window while its pixels go draws nowhere (never into the
// memory that went), and draws into the new pixels once it shows again.
TEST_F(HiddenPixelsTest, AHeldDCFollowsThePixelsAwayAndBack)
{
  HWND top = MakeScene(TRect(0, 0, 200, 150));
  HDC dc = GetDC(top);
  ShowWindow(top, SW_HIDE);
  Fill(dc, TRect(0, 0, 10, 10), RGB(255, 0, 0));
  ShowWindow(top, SW_SHOWNA);
  Pump();
  TPoint client;
  ClientToScreen(top, &client);
  TRect window;
  GetWindowRect(top, &window);
  const int cx = client.x - window.Left, cy = client.y - window.Top;
  EXPECT_EQ(Display->Pixel(top, cx + 2, cy + 8), 0x143CC8u) << "what was drawn while hidden is repainted over";
  Fill(dc, TRect(0, 0, 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(Display->Pixel(top, cx + 2, cy + 8), 0xFF0000u);
  ReleaseDC(top, dc);
}

}  // namespace
