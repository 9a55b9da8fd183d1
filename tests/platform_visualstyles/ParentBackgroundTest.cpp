// A control that draws on its parent's background asks the parent to paint it,
// in the control's own coordinates.
#include "VisualStylesTestSupport.h"

#include "platform/display/headless/HeadlessDisplay.h"

namespace {

constexpr COLORREF ParentColor = RGB(10, 200, 30);
constexpr COLORREF MarkColor = RGB(200, 0, 200);

LRESULT ParentProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
  if (msg == WM_PRINTCLIENT) {
    // A mark at the parent's point (25, 32).
    HBRUSH brush = CreateSolidBrush(MarkColor);
    const RECT mark{25, 32, 27, 34};
    FillRect(reinterpret_cast<HDC>(w), &mark, brush);
    DeleteObject(brush);
    return 0;
  }
  return DefWindowProc(hwnd, msg, w, l);
}

class TParentBackgroundTest : public TVisualStylesTest {};

TEST_F(TParentBackgroundTest, TheParentPaintsItsBackgroundAndContentUnderTheChild)
{
  THeadlessDisplay::Use();
  static HBRUSH background = CreateSolidBrush(ParentColor);
  static bool registered = [] {
    WNDCLASS wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "TThemedParent";
    wc.hbrBackground = background;
    return RegisterClass(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  HWND parent = CreateWindowEx(0, "TThemedParent", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "STATIC", "", WS_CHILD, 20, 30, 30, 20, parent, nullptr, nullptr, nullptr);
  ASSERT_TRUE(parent && child);

  TDrawFixture canvas(30, 20);
  ASSERT_EQ(DrawThemeParentBackground(child, canvas.DC, nullptr), S_OK);
  EXPECT_EQ(canvas.At(0, 0), ParentColor);
  EXPECT_EQ(canvas.At(29, 19), ParentColor);
  EXPECT_EQ(canvas.At(5, 2), MarkColor);  // the parent's (25, 32)
  EXPECT_EQ(canvas.At(6, 3), MarkColor);
  EXPECT_EQ(canvas.At(7, 4), ParentColor);

  // A rectangle limits the painting; the DC's own state comes back as it was.
  TDrawFixture part(30, 20);
  const RECT only{0, 0, 4, 20};
  ASSERT_EQ(DrawThemeParentBackground(child, part.DC, &only), S_OK);
  EXPECT_EQ(part.At(3, 10), ParentColor);
  EXPECT_EQ(part.At(4, 10), RGB(255, 255, 255));
  TPoint origin;
  GetWindowOrgEx(part.DC, &origin);
  EXPECT_EQ(origin, (TPoint{0, 0}));

  EXPECT_EQ(DrawThemeParentBackground(parent, part.DC, nullptr), E_HANDLE);  // a top-level window has no parent
  DestroyWindow(parent);
}

}  // namespace
