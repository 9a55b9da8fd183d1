#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "WindowTestSupport.h"
#include "platform/win/gdi/Bitmaps.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SysColors.h"

namespace {

uint32_t ToPixel(COLORREF c) { return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }

class PaintingTest : public TWindowFixture {
protected:
  // Paints the whole client area of each window in its colour.
  void PaintIn(std::map<HWND, COLORREF> colours)
  {
    On(WM_PAINT, [colours](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      auto it = colours.find(h);
      if (it != colours.end()) {
        HBRUSH brush = CreateSolidBrush(it->second);
        TRect r;
        GetClientRect(h, &r);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
      }
      EndPaint(h, &ps);
      return true;
    });
  }
};

TEST_F(PaintingTest, InvalidatedAreasComeAsOnePaintWithTheirUnion)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  Pump();
  Take();
  TRect a(10, 10, 20, 20), b(50, 50, 60, 60);
  InvalidateRect(w, &a, TRUE);
  InvalidateRect(w, &b, FALSE);
  std::vector<TRect> updateRects;
  TRect paintRect;
  BOOL erase = FALSE;
  On(WM_PAINT, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(h, rgn, FALSE);
    updateRects = RegionOf(rgn)->Rects();
    DeleteObject(rgn);
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    paintRect = ps.rcPaint;
    erase = ps.fErase;
    EndPaint(h, &ps);
    return true;
  });
  Pump();
  EXPECT_EQ(Take({WM_PAINT}).size(), 1u);
  EXPECT_EQ(paintRect, TRect(10, 10, 60, 60));
  EXPECT_EQ(updateRects, (std::vector<TRect>{a, b}));
  EXPECT_FALSE(erase);  // the class brush erased it already
  Pump();
  EXPECT_TRUE(Take({WM_PAINT}).empty());
  // Validated areas are not painted.
  InvalidateRect(w, &a, FALSE);
  ValidateRect(w, nullptr);
  Pump();
  EXPECT_TRUE(Take({WM_PAINT}).empty());
}

TEST_F(PaintingTest, WindowsDrawIntoTheirTopLevelFramebufferClippedAsTheirStylesSay)
{
  HWND top = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
  HWND lower = Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 40, 40, top);
  HWND upper = Make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 30, 30, 40, 40, top);
  SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PaintIn({{top, RGB(255, 0, 0)}, {lower, RGB(0, 255, 0)}, {upper, RGB(0, 0, 255)}});
  Pump();
  // Repainting the lower sibling and the parent must not cover the upper one.
  InvalidateRect(top, nullptr, FALSE);
  InvalidateRect(lower, nullptr, FALSE);
  UpdateWindow(lower);
  UpdateWindow(top);
  struct TCase {
    HWND Of;
    int X, Y;
    uint32_t Pixel;
  } cases[] = {{top, 5, 5, 0xFF0000}, {top, 20, 20, 0x00FF00}, {top, 35, 35, 0x0000FF}, {top, 60, 60, 0x0000FF},
               {top, 80, 80, 0xFF0000}, {lower, 0, 0, 0x00FF00}, {upper, 0, 0, 0x0000FF}};
  for (auto& c : cases)
    EXPECT_EQ(Display->Pixel(c.Of, c.X, c.Y), c.Pixel) << c.X << "," << c.Y;
  EXPECT_GT(Display->PresentCount(top), 0);
}

TEST_F(PaintingTest, TheClassBrushErasesTheBackground)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  Pump();
  EXPECT_EQ(Display->Pixel(w, 25, 25), ToPixel(GetSysColor(COLOR_WINDOW)));
}

TEST_F(PaintingTest, LockedWindowsDrawNothingUntilUnlockedThenRepaint)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  PaintIn({{w, RGB(0, 0, 0)}});
  Pump();
  ASSERT_TRUE(LockWindowUpdate(w));
  HDC dc = GetDC(w);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  TRect all(0, 0, 50, 50);
  FillRect(dc, &all, white);
  ReleaseDC(w, dc);
  EXPECT_EQ(Display->Pixel(w, 10, 10), 0u);
  // The lock-update flag draws anyway (drag images do).
  dc = GetDCEx(w, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  FillRect(dc, &all, white);
  ReleaseDC(w, dc);
  EXPECT_EQ(Display->Pixel(w, 10, 10), 0xFFFFFFu);
  DeleteObject(white);
  Take();
  LockWindowUpdate(nullptr);
  Pump();
  EXPECT_EQ(Take({WM_PAINT}).size(), 1u);
  EXPECT_EQ(Display->Pixel(w, 10, 10), 0u);
}

TEST_F(PaintingTest, ActivationRepaintsTheCaption)
{
  HWND a = Make(WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 120, 80);
  HWND b = Make(WS_POPUP | WS_VISIBLE | WS_CAPTION, 200, 0, 120, 80);
  SetActiveWindow(a);
  Pump();
  // The first pixel of the caption bar, inside the three-pixel frame, where a
  // gradient starts from the caption colour.
  EXPECT_EQ(Display->Pixel(a, 3, 5), ToPixel(GetSysColor(COLOR_ACTIVECAPTION)));
  EXPECT_EQ(Display->Pixel(b, 3, 5), ToPixel(GetSysColor(COLOR_INACTIVECAPTION)));
  SetActiveWindow(b);
  Pump();
  EXPECT_EQ(Display->Pixel(a, 3, 5), ToPixel(GetSysColor(COLOR_INACTIVECAPTION)));
  EXPECT_EQ(Display->Pixel(b, 3, 5), ToPixel(GetSysColor(COLOR_ACTIVECAPTION)));
}

TEST_F(PaintingTest, PrintPaintsIntoAnotherDCWithTheChildren)
{
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 60, 60);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 20, 20, 20, top);
  On(WM_PRINTCLIENT, [&](HWND h, UINT, WPARAM w, LPARAM, LRESULT&) {
    HBRUSH brush = CreateSolidBrush(h == child ? RGB(0, 0, 255) : RGB(255, 0, 0));
    TRect r;
    GetClientRect(h, &r);
    FillRect(reinterpret_cast<HDC>(w), &r, brush);
    DeleteObject(brush);
    return true;
  });
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 60);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, bitmap);
  SendMessage(top, WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_CHILDREN);
  EXPECT_EQ(GetPixel(mem, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(mem, 25, 25), RGB(0, 0, 255));
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
}

TEST_F(PaintingTest, ScreenshotWritesThePixelsOfTheWindowAsPng)
{
  HWND w = Make(WS_POPUP | WS_VISIBLE, 10, 10, 30, 20);
  PaintIn({{w, RGB(1, 2, 3)}});
  Pump();
  // A name of this process alone: several test runs may share the temporary folder.
  std::string path = ::testing::TempDir() + "/corvane-window-shot-" + std::to_string(getpid()) + ".png";
  ASSERT_TRUE(Display->Screenshot(w, path));
  std::ifstream in(path, std::ios::binary);
  std::string head(24, '\0');
  in.read(head.data(), 24);
  EXPECT_EQ(head.substr(1, 3), "PNG");
  // Width and height in the header, big-endian.
  EXPECT_EQ(uint8_t(head[19]), 30);
  EXPECT_EQ(uint8_t(head[23]), 20);
  std::remove(path.c_str());
}

}  // namespace

namespace {

TEST_F(PaintingTest, AResizeRepaintsWhatItUncoversUnlessTheClassAsksForMore)
{
  struct TCase {
    UINT ClassStyle;
    bool Child;
    TRect Painted;
  } cases[] = {
      {0, false, {100, 0, 150, 60}},
      {CS_HREDRAW | CS_VREDRAW, false, {0, 0, 150, 60}},
      {CS_VREDRAW, false, {100, 0, 150, 60}},  // only the height would call for all
      {0, true, {100, 0, 150, 60}},
      {CS_HREDRAW, true, {0, 0, 150, 60}},
  };
  int n = 0;
  for (auto& c : cases) {
    std::string name = "TRedraw" + std::to_string(n++);
    WNDCLASS wc;
    wc.style = c.ClassStyle;
    wc.lpfnWndProc = TWindowFixture::Proc;
    wc.lpszClassName = name.c_str();
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    HWND w = CreateWindowEx(0, name.c_str(), "", (c.Child ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 100, 60,
                            c.Child ? top : nullptr, nullptr, nullptr, nullptr);
    Made.push_back(w);
    Pump();
    TRect painted;
    On(WM_PAINT, [&](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      if (h == w)
        painted = ps.rcPaint;
      EndPaint(h, &ps);
      return true;
    });
    SetWindowPos(w, nullptr, 0, 0, 150, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    EXPECT_EQ(painted, c.Painted) << c.ClassStyle << " " << c.Child;
    Handlers.clear();
  }
}

}  // namespace

namespace {

TEST_F(PaintingTest, UpdateLayeredWindowFillsTheWholeWindowFromAnotherDC)
{
  HWND popup = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, WS_EX_LAYERED | WS_EX_TOPMOST);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, bitmap);
  HBRUSH brush = CreateSolidBrush(RGB(0, 128, 255));
  TRect all(0, 0, 40, 30);
  FillRect(mem, &all, brush);
  TPoint at(100, 50);
  TSize size(40, 30);
  TPoint from(0, 0);
  BLENDFUNCTION blend;
  blend.SourceConstantAlpha = 128;
  ASSERT_TRUE(UpdateLayeredWindow(popup, nullptr, &at, &size, mem, &from, 0, &blend, ULW_ALPHA));
  TRect r;
  GetWindowRect(popup, &r);
  EXPECT_EQ(r, TRect(100, 50, 140, 80));
  EXPECT_EQ(Display->Pixel(popup, 39, 29), 0x0080FFu);
  BYTE alpha = 0;
  GetLayeredWindowAttributes(popup, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 128);
  Take();
  Pump();
  EXPECT_TRUE(Take({WM_PAINT}).empty());
  // Only layered windows take it.
  HWND plain = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  EXPECT_FALSE(UpdateLayeredWindow(plain, nullptr, &at, &size, mem, &from, 0, &blend, ULW_ALPHA));
  SelectObject(mem, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(mem);
}

}  // namespace
