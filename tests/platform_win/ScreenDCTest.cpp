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

// Each call fetches and hands on only the part of the screen it can touch: a
// call that reached further than it says would lose pixels at its edges.
TEST_F(ScreenDCTest, EachCallDrawsOnTheScreenWhatItDrawsOnAMemoryDC)
{
  const TRect area(0, 0, 320, 240);
  // Cells of distinct colours, so a pixel copied from the wrong place shows;
  // shifted for each case, so a pixel left from an earlier fetch shows too.
  int shift = 0;
  HWND w = Painted(area.Left, area.Top, area.Width(), area.Height(), 0, [&](HDC dc, const TRect& r) {
    for (int y = 0; y < r.Bottom; y += 8)
      for (int x = 0; x < r.Right; x += 8)
        Fill(dc, TRect(x, y, x + 8, y + 8), RGB((x * 3 + shift) % 256, (y * 5 + shift) % 256, (x + y) % 256));
  });
  auto withPen = [](HDC dc, int width, const std::function<void()>& draw) {
    HPEN pen = CreatePen(PS_SOLID, width, RGB(20, 40, 250));
    HGDIOBJ old = SelectObject(dc, pen);
    draw();
    SelectObject(dc, old);
    DeleteObject(pen);
  };
  struct TCase {
    const char* Name;
    std::function<void(HDC)> Draw;
  };
  const TCase cases[] = {
      {"PatBlt DSTINVERT", [](HDC dc) { PatBlt(dc, 30, 40, 150, 4, DSTINVERT); }},
      {"PatBlt with a negative size", [](HDC dc) { PatBlt(dc, 180, 60, -100, -20, DSTINVERT); }},
      {"FillRect, FrameRect, InvertRect",
       [](HDC dc) {
         TRect r(20, 20, 90, 70);
         FillRect(dc, &r, HBRUSH(GetStockObject(GRAY_BRUSH)));
         OffsetRect(&r, 100, 0);
         FrameRect(dc, &r, HBRUSH(GetStockObject(WHITE_BRUSH)));
         OffsetRect(&r, 0, 100);
         InvertRect(dc, &r);
       }},
      {"DrawFocusRect", [](HDC dc) { TRect r(13, 17, 201, 143); DrawFocusRect(dc, &r); }},
      {"Rectangle with a wide pen, the viewport moved",
       [&](HDC dc) {
         SetViewportOrgEx(dc, 13, 7, nullptr);
         withPen(dc, 5, [&] { Rectangle(dc, 40, 30, 200, 150); });
       }},
      {"Ellipse", [](HDC dc) { Ellipse(dc, 60, 50, 250, 200); }},
      {"LineTo with a thin pen",
       [](HDC dc) {
         SetROP2(dc, R2_NOT);
         MoveToEx(dc, 300, 10, nullptr);
         LineTo(dc, 10, 230);
       }},
      {"Polyline with a wide pen", [&](HDC dc) {
         const TPoint points[] = {{20, 200}, {150, 20}, {290, 210}};
         withPen(dc, 9, [&] { Polyline(dc, points, 3); });
       }},
      {"Polygon", [](HDC dc) {
         const TPoint points[] = {{160, 10}, {300, 120}, {160, 230}, {20, 120}};
         Polygon(dc, points, 4);
       }},
      {"clipped text running out of its rectangle",
       [](HDC dc) {
         TRect r(50, 100, 90, 112);
         ExtTextOut(dc, 40, 98, ETO_CLIPPED, &r, "Glissez la barre", 16, nullptr);
       }},
      {"text without a rectangle", [](HDC dc) { TextOut(dc, 70, 180, "Ancrer ici", 10); }},
      {"DrawText in a rectangle",
       [](HDC dc) {
         TRect r(100, 30, 160, 60);
         DrawText(dc, "Une ligne plus longue que la place", -1, &r, DT_WORDBREAK);
       }},
      {"ScrollDC within the screen",
       [](HDC dc) {
         TRect r(40, 40, 280, 200);
         ScrollDC(dc, 17, -11, &r, nullptr, nullptr, nullptr);
       }},
      {"StretchBlt from the same DC", [](HDC dc) { StretchBlt(dc, 200, 150, 100, 80, dc, 10, 10, 40, 30, SRCCOPY); }},
      {"BitBlt from the same DC, overlapping", [](HDC dc) { BitBlt(dc, 30, 20, 120, 90, dc, 60, 50, SRCINVERT); }},
  };
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = area.Width();
  info.bmiHeader.biHeight = -area.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // The memory DC starts from what shows, taken from the display itself:
    // reading it through the screen DC would fetch more than the call does.
    std::vector<uint32_t> expected = Display->ScreenImage(area);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.Width(), area.Height());
    ASSERT_EQ(SetDIBits(memory, bitmap, 0, UINT(area.Height()), expected.data(), &info, DIB_RGB_COLORS), area.Height());
    HGDIOBJ old = SelectObject(memory, bitmap);
    c.Draw(memory);
    c.Draw(screen);
    ReleaseDC(nullptr, screen);
    SelectObject(memory, old);
    ASSERT_EQ(GetDIBits(memory, bitmap, 0, UINT(area.Height()), expected.data(), &info, DIB_RGB_COLORS), area.Height());
    DeleteObject(bitmap);
    DeleteDC(memory);
    std::vector<uint32_t> shown = Display->ScreenImage(area);
    int wrong = 0;
    for (std::size_t i = 0; i < shown.size(); ++i)
      wrong += (shown[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);
    shift += 40;
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
  }
}

}  // namespace
