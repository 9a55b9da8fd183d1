// The screen DC (GetDC(0)): reading it gives what the screen shows, and what
// is drawn on it shows over the windows until one of them paints there again.
#include "WindowTestSupport.h"

#include "platform/win/gdi/gdi.h"

namespace {

class ScreenDCTest : public TWindowFixture {
protected:
  // A shown popup: red on its left half, green on its right half.
  HWND TwoColoured(int x, int y, int w, int h)
  {
    return Painted(x, y, w, h, 0, [](HDC dc, const TRect& r) {
      Fill(dc, TRect(0, 0, r.Right / 2, r.Bottom), RGB(255, 0, 0));
      Fill(dc, TRect(r.Right / 2, 0, r.Right, r.Bottom), RGB(10, 200, 30));
    });
  }
};

TEST_F(ScreenDCTest, ReadingTheScreenDCGivesWhatTheScreenShows)
{
  TwoColoured(100, 100, 100, 100);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 110, 110), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(screen, 190, 110), RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(screen, 50, 50), RGB(0, 0, 0)) << "the desktop";
  // Copied away, as a hint captures what lies under it.
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, 20, 20, screen, 140, 140, SRCCOPY);
  EXPECT_EQ(GetPixel(memory, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(memory, 15, 5), RGB(10, 200, 30));
  // A screen DC held while another window comes and goes keeps reading the screen.
  HWND passing = Make(WS_POPUP | WS_VISIBLE, 300, 300, 20, 20);
  DestroyWindow(passing);
  EXPECT_EQ(GetPixel(screen, 110, 110), RGB(255, 0, 0));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(ScreenDCTest, AnInvertedFrameShowsOnTheScreenAndInvertingItAgainLeavesNoTrace)
{
  HWND w = TwoColoured(100, 100, 200, 200);
  const TRect area(0, 0, 400, 400), frame(120, 130, 260, 250);
  const int size = 3;
  const std::vector<uint32_t> before = Display->ScreenImage(area);
  // The ways docking, splitters and header drags draw their frames.
  const WORD halftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, halftone);
  HBRUSH checker = CreatePatternBrush(pattern);
  auto sides = [&](HDC dc, DWORD rop) {
    PatBlt(dc, frame.Left, frame.Top, frame.Width(), size, rop);
    PatBlt(dc, frame.Left, frame.Bottom - size, frame.Width(), size, rop);
    PatBlt(dc, frame.Left, frame.Top + size, size, frame.Height() - 2 * size, rop);
    PatBlt(dc, frame.Right - size, frame.Top + size, size, frame.Height() - 2 * size, rop);
  };
  struct TCase {
    const char* Name;
    std::function<void(HDC)> Draw;
  };
  const TCase cases[] = {
      {"PATINVERT with a halftone brush",
       [&](HDC dc) {
         HGDIOBJ old = SelectObject(dc, checker);
         sides(dc, PATINVERT);
         SelectObject(dc, old);
       }},
      {"DSTINVERT", [&](HDC dc) { sides(dc, DSTINVERT); }},
      {"R2_NOT rectangle",
       [&](HDC dc) {
         SetROP2(dc, R2_NOT);
         HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
         Rectangle(dc, frame.Left, frame.Top, frame.Right, frame.Bottom);
         SelectObject(dc, brush);
       }},
  };
  auto inRing = [&](int x, int y) {
    return x >= frame.Left && x < frame.Right && y >= frame.Top && y < frame.Bottom &&
           !(x >= frame.Left + size && x < frame.Right - size && y >= frame.Top + size && y < frame.Bottom - size);
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HDC dc = GetDC(nullptr);
    c.Draw(dc);
    ReleaseDC(nullptr, dc);
    std::vector<uint32_t> shown = Display->ScreenImage(area);
    int changedInRing = 0, changedElsewhere = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) {
        std::size_t i = std::size_t(y) * 400 + std::size_t(x);
        if (shown[i] == before[i])
          continue;
        if (!inRing(x, y))
          ++changedElsewhere;
        else if (shown[i] == (~before[i] & 0xFFFFFF))
          ++changedInRing;
      }
    EXPECT_GE(changedInRing, 2 * (frame.Width() + frame.Height()) - 4) << "the frame shows, inverted";
    EXPECT_EQ(changedElsewhere, 0);
    EXPECT_EQ(Display->Pixel(w, frame.Left - 100, frame.Top - 100), 0xFF0000u) << "the window's own pixels stay";
    // The second pass, on another screen DC as a drag's next step takes one.
    dc = GetDC(nullptr);
    c.Draw(dc);
    ReleaseDC(nullptr, dc);
    EXPECT_TRUE(Display->ScreenImage(area) == before) << "the pixels underneath come back exactly";
  }
  DeleteObject(checker);
  DeleteObject(pattern);
}

TEST_F(ScreenDCTest, WhatIsDrawnOnTheScreenStaysUntilAWindowPaintsOverIt)
{
  HWND w = TwoColoured(100, 100, 100, 100);
  HDC dc = GetDC(nullptr);
  Fill(dc, TRect(110, 110, 130, 130), RGB(0, 0, 255));
  Fill(dc, TRect(10, 10, 30, 30), RGB(0, 0, 255));
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(Display->ScreenPixel(120, 120), 0x0000FFu);
  EXPECT_EQ(Display->ScreenPixel(20, 20), 0x0000FFu);
  EXPECT_EQ(Display->ScreenPixel(150, 150), 0x0AC81Eu) << "beside it, the window";
  Pump();
  EXPECT_EQ(Display->ScreenPixel(120, 120), 0x0000FFu) << "nothing repainted yet";
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  EXPECT_EQ(Display->ScreenPixel(120, 120), 0xFF0000u) << "the window painted over it";
  EXPECT_EQ(Display->ScreenPixel(20, 20), 0x0000FFu) << "no window there";
}

}  // namespace
