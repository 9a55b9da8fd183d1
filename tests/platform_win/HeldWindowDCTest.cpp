// A window DC held across changes of the window tree follows its window:
// drawing through it lands where the window shows now, not where (or whether)
// it showed when the DC was taken.
#include "WindowTestSupport.h"

#include "platform/win/gdi/gdi.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr COLORREF Blue = RGB(0, 0, 255);

class HeldWindowDCTest : public TWindowFixture {};

// A screen pixel as a COLORREF, to compare with what was drawn.
COLORREF ScreenColour(THeadlessDisplay* display, int x, int y)
{
  uint32_t p = display->ScreenPixel(x, y);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

TEST_F(HeldWindowDCTest, DrawingThroughADCHeldAcrossAChangeLandsWhereTheWindowShowsNow)
{
  // A grey parent shown at (100,100) on the screen, 200 x 200, with two
  // hidden children painted blue: Child at (10,10) 50 x 50 and, below it,
  // Sibling at (40,40) 40 x 40. Each case takes a DC on a window, changes
  // the tree, fills the whole DC red and reads the screen.
  struct TScene {
    HWND Parent, Child, Sibling;
  };
  struct TCase {
    const char* Name;
    std::function<HWND(TScene&)> Target;  // the window whose DC is held
    std::function<HDC(HWND)> Take;
    std::function<void(TScene&)> Before;  // before the DC is taken
    std::function<void(TScene&)> Change;
    std::vector<TPoint> Red;     // screen points the fill must reach
    std::vector<TPoint> NotRed;  // screen points it must leave alone
  };
  auto child = [](TScene& s) { return s.Child; };
  auto getDC = [](HWND h) { return GetDC(h); };
  auto nothing = [](TScene&) {};
  auto showChild = [](TScene& s) { ShowWindow(s.Child, SW_SHOWNA); };
  const TCase cases[] = {
      {"a DC taken while hidden, after ShowWindow", child, getDC, nothing, showChild, {{115, 115}, {155, 155}},
       {{170, 170}}},
      {"a window DC taken while hidden, after ShowWindow", child, [](HWND h) { return GetWindowDC(h); }, nothing,
       showChild, {{111, 111}}, {{170, 170}}},
      {"a DC taken while its parent is hidden, after the parent shows", child,
       [](HWND h) { return GetDCEx(h, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS); },
       [](TScene& s) {
         ShowWindow(s.Parent, SW_HIDE);
         ShowWindow(s.Child, SW_SHOWNA);
       },
       [](TScene& s) { ShowWindow(s.Parent, SW_SHOWNA); }, {{115, 115}}, {{170, 170}}},
      {"a DC taken before a move, after SetWindowPos", child, getDC, showChild,
       [](TScene& s) { SetWindowPos(s.Child, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); },
       {{205, 225}, {245, 265}}, {{115, 115}}},
      {"a DC taken before its top-level window grows, after SetWindowPos", [](TScene& s) { return s.Parent; },
       getDC, nothing,
       [](TScene& s) { SetWindowPos(s.Parent, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE); },
       {{105, 105}, {395, 395}}, {{405, 405}}},
      {"a DC taken before a sibling covers part of the window", child, getDC, showChild,
       [](TScene& s) {
         SetWindowPos(s.Sibling, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
         UpdateWindow(s.Sibling);
       },
       {{115, 115}}, {{145, 145}, {155, 155}}},
      {"a DC taken while shown, after the window is hidden", child, getDC, showChild,
       [](TScene& s) {
         ShowWindow(s.Child, SW_HIDE);
         UpdateWindow(s.Parent);
       },
       {}, {{115, 115}, {155, 155}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScene s;
    s.Parent = Painted(100, 100, 200, 200, 0, [](HDC dc, const TRect& r) { Fill(dc, r, Grey); });
    s.Child = Make(WS_CHILD | WS_CLIPSIBLINGS, 10, 10, 50, 50, s.Parent);
    s.Sibling = Make(WS_CHILD | WS_CLIPSIBLINGS, 40, 40, 40, 40, s.Parent);
    Painters[s.Child] = Painters[s.Sibling] = [](HDC dc, const TRect& r) { Fill(dc, r, Blue); };
    c.Before(s);
    UpdateWindow(s.Parent);
    HWND target = c.Target(s);
    HDC dc = c.Take(target);
    ASSERT_NE(dc, nullptr);
    c.Change(s);
    Pump();
    Fill(dc, TRect(0, 0, 400, 400), Red);
    for (TPoint p : c.Red)
      EXPECT_EQ(ScreenColour(Display, p.x, p.y), Red) << "at " << p.x << "," << p.y;
    for (TPoint p : c.NotRed)
      EXPECT_NE(ScreenColour(Display, p.x, p.y), Red) << "at " << p.x << "," << p.y;
    EXPECT_EQ(ReleaseDC(target, dc), 1);
    DestroyWindow(s.Parent);
  }
}

}  // namespace
