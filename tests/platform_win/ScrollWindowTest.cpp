// Scrolling a window's pixels when its visible area is not one rectangle: a
// child clips a hole in it, so the copy runs over several pieces that may
// read what another piece already wrote.
#include "WindowTestSupport.h"
#include "platform/win/gdi/Primitives.h"

namespace {

// Every pixel of the content has its own colour, so a pixel copied from the
// wrong place shows (content coordinates from -20 on, once scrolled).
COLORREF ContentColour(int x, int y) { return RGB(x + 20, y + 20, 0x80); }
uint32_t ContentPixel(int x, int y) { return uint32_t(x + 20) << 16 | uint32_t(y + 20) << 8 | 0x80; }
constexpr uint32_t ChildPixel = 0xFFFFFF;

struct TScrollCase {
  const char* What;
  int Dx, Dy;
};
// The hole is 10 pixels wide and the scroll 20: scrolling down or right, a
// piece after the hole reads from a piece before it.
const TScrollCase ScrollCases[] = {
    {"down", 0, 20},
    {"up", 0, -20},
    {"right", 20, 0},
    {"left", -20, 0},
};

class ScrollWindowTest : public TWindowFixture {
protected:
  const TRect ChildRect{40, 40, 50, 50};
  TPoint ContentOffset{0, 0};  // where the content's origin sits in the parent's client area
  HWND Parent = nullptr;
  HWND Child = nullptr;

  // A 100 x 100 parent showing its content, with a child that clips a hole in it.
  void MakeParentWithChild()
  {
    ContentOffset = TPoint(0, 0);
    Parent = Make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100);
    Child = Make(WS_CHILD | WS_VISIBLE, ChildRect.Left, ChildRect.Top, ChildRect.Width(), ChildRect.Height(), Parent);
    On(WM_PAINT, [this](HWND h, UINT, WPARAM, LPARAM, LRESULT&) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      if (h == Parent) {
        for (int y = ps.rcPaint.Top; y < ps.rcPaint.Bottom; ++y)
          for (int x = ps.rcPaint.Left; x < ps.rcPaint.Right; ++x)
            SetPixelV(dc, x, y, ContentColour(x - ContentOffset.x, y - ContentOffset.y));
      } else {
        TRect all(0, 0, 100, 100);
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      }
      EndPaint(h, &ps);
      return true;
    });
    Pump();
    Take();
  }
  void TearDown() override
  {
    Handlers.clear();
    TWindowFixture::TearDown();
  }
};

TEST_F(ScrollWindowTest, EveryPixelComesFromWhereItWasAndOnlyTheUncoveredPartIsInvalidated)
{
  for (const TScrollCase& c : ScrollCases) {
    MakeParentWithChild();
    int presents = Display->PresentCount(Parent);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    TRect updateRect;
    EXPECT_EQ(ScrollWindowEx(Parent, c.Dx, c.Dy, nullptr, nullptr, update, &updateRect, SW_INVALIDATE), COMPLEXREGION)
        << c.What;
    EXPECT_GT(Display->PresentCount(Parent), presents) << c.What << ": the moved pixels reach the display";

    // A pixel whose source showed the content holds that source's colour and
    // needs no repaint; any other needs one. The child's own area is its own.
    int wrongPixels = 0, wrongUpdate = 0;
    std::string firstWrong;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        TPoint p(x, y), from(x - c.Dx, y - c.Dy);
        if (ChildRect.Contains(p))
          continue;
        bool fromContent = TRect(0, 0, 100, 100).Contains(from) && !ChildRect.Contains(from);
        if (fromContent && Display->Pixel(Parent, x, y) != ContentPixel(from.x, from.y) && wrongPixels++ == 0)
          firstWrong = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
        if (bool(PtInRegion(update, x, y)) == fromContent)
          ++wrongUpdate;
      }
    EXPECT_EQ(wrongPixels, 0) << c.What << ", first at " << firstWrong;
    EXPECT_EQ(wrongUpdate, 0) << c.What << ": pixels wrongly in or out of the update region";
    TRect box;
    GetRgnBox(update, &box);
    EXPECT_EQ(updateRect, box) << c.What;

    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(Parent, pending, FALSE);
    EXPECT_TRUE(EqualRgn(pending, update)) << c.What << ": the update region is what is invalidated";
    TRect childPending;
    EXPECT_FALSE(GetUpdateRect(Child, &childPending, FALSE)) << c.What << ": the child's pixels did not move";
    DeleteObject(pending);
    DeleteObject(update);
    DestroyWindow(Parent);
  }
}

TEST_F(ScrollWindowTest, ScrollingWithTheChildrenThenRepaintingShowsTheContentAndChildMoved)
{
  for (const TScrollCase& c : ScrollCases) {
    MakeParentWithChild();
    ScrollWindow(Parent, c.Dx, c.Dy, nullptr, nullptr);
    ContentOffset = TPoint(c.Dx, c.Dy);
    Pump();

    TRect childRect;
    GetWindowRect(Child, &childRect);
    EXPECT_EQ(childRect, TRect(ChildRect.Left + c.Dx, ChildRect.Top + c.Dy, ChildRect.Right + c.Dx, ChildRect.Bottom + c.Dy))
        << c.What;
    int wrong = 0;
    std::string firstWrong;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        uint32_t expected = childRect.Contains(TPoint(x, y)) ? ChildPixel : ContentPixel(x - c.Dx, y - c.Dy);
        if (Display->Pixel(Parent, x, y) != expected && wrong++ == 0)
          firstWrong = "(" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    EXPECT_EQ(wrong, 0) << c.What << ", first at " << firstWrong;
    DestroyWindow(Parent);
  }
}

}  // namespace
