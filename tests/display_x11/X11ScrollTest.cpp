// Scrolling a window's pixels on a real display: what moved reaches the X
// window at once, with nothing else presenting after it.
#include "X11TestSupport.h"

#include <string>

namespace {

constexpr int Size = 100;
const TRect ChildRect(40, 40, 50, 50);

// Every pixel of the content has its own colour, so a pixel copied from the
// wrong place, or never shown, is seen.
uint32_t ContentPixel(int x, int y) { return uint32_t(x + 20) << 16 | uint32_t(y + 20) << 8 | 0x80; }
constexpr uint32_t ChildPixel = 0xFFFFFF;

LRESULT ContentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) {
      TRect all(0, 0, Size, Size);
      FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else {
      for (int y = ps.rcPaint.Top; y < ps.rcPaint.Bottom; ++y)
        for (int x = ps.rcPaint.Left; x < ps.rcPaint.Right; ++x) {
          uint32_t p = ContentPixel(x, y);
          SetPixelV(dc, x, y, RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
        }
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class X11ScrollTest : public X11Fixture {
protected:
  // A borderless window showing the content, with a child that clips a hole in it.
  HWND MakeParentWithChild()
  {
    static bool registered = [] {
      WNDCLASS wc;
      wc.lpfnWndProc = &ContentProc;
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.lpszClassName = "X11ScrollTestWindow";
      return RegisterClass(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND parent = Track(CreateWindowEx(0, "X11ScrollTestWindow", "", WS_POPUP | WS_CLIPCHILDREN, 80, 80, Size, Size,
                                       nullptr, nullptr, nullptr, nullptr));
    CreateWindowEx(0, "X11ScrollTestWindow", "", WS_CHILD | WS_VISIBLE, ChildRect.Left, ChildRect.Top,
                   ChildRect.Width(), ChildRect.Height(), parent, nullptr, nullptr, nullptr);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    UpdateWindow(parent);
    return parent;
  }
  // Pixels of the server's window that differ from what expected(x, y) says.
  static int WrongPixels(XWin w, const std::function<bool(int, int, uint32_t&)>& expected, std::string& first)
  {
    std::vector<uint32_t> shown = ServerPixels(w, Size, Size);
    if (shown.size() != std::size_t(Size * Size))
      return Size * Size;
    int wrong = 0;
    for (int y = 0; y < Size; ++y)
      for (int x = 0; x < Size; ++x) {
        uint32_t want;
        if (expected(x, y, want) && shown[std::size_t(y * Size + x)] != want && wrong++ == 0)
          first = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    return wrong;
  }
};

TEST_F(X11ScrollTest, ScrolledPixelsReachTheScreenWithoutAnotherPresent)
{
  struct TCase {
    const char* What;
    int Dx, Dy;
  } cases[] = {{"down", 0, 20}, {"up", 0, -20}, {"right", 20, 0}, {"left", -20, 0}};
  for (const TCase& c : cases) {
    HWND parent = MakeParentWithChild();
    XWin w = XOf(parent);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(w); })) << c.What;
    std::string first;
    auto painted = [](int x, int y, uint32_t& want) {
      want = ChildRect.Contains(TPoint(x, y)) ? ChildPixel : ContentPixel(x, y);
      return true;
    };
    ASSERT_TRUE(PumpUntil([&] { return WrongPixels(w, painted, first) == 0; })) << c.What << ": first painted";

    // Nothing is invalidated and no message runs: only the scroll presents.
    ScrollWindowEx(parent, c.Dx, c.Dy, nullptr, nullptr, nullptr, nullptr, 0);
    Backend->Sync();
    auto scrolled = [&c](int x, int y, uint32_t& want) {
      TPoint from(x - c.Dx, y - c.Dy);
      if (ChildRect.Contains(TPoint(x, y)) || !TRect(0, 0, Size, Size).Contains(from) || ChildRect.Contains(from))
        return false;  // the child's own pixels, or uncovered
      want = ContentPixel(from.x, from.y);
      return true;
    };
    EXPECT_EQ(WrongPixels(w, scrolled, first), 0) << c.What << ", first at " << first;
    DestroyWindow(parent);
  }
}

}  // namespace
