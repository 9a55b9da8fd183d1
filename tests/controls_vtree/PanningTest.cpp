// Wheel panning's window: a middle click shows the 32x32 window centred on
// the anchor, shaped by its picture, and a second one takes it away.
#include <gtest/gtest.h>

#include "HostLikeTree.h"
#include "controls/vtree/LazyTreePanningWindow.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

TEST(PanningRegion, KeepsEveryPixelThatIsNotTheTransparentColour)
{
  // A 4x2 picture: row 0 fuchsia, red, fuchsia, red; row 1 all fuchsia but the first.
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 2);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF fuchsia = RGB(255, 0, 255), red = RGB(255, 0, 0);
  const COLORREF pixels[2][4] = {{fuchsia, red, fuchsia, red}, {red, fuchsia, fuchsia, fuchsia}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      SetPixel(dc, x, y, pixels[y][x]);
  SelectObject(dc, old);
  DeleteDC(dc);
  HRGN region = RegionFromBitmap(bitmap, fuchsia);
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(bool(PtInRegion(region, x, y)), pixels[y][x] != fuchsia) << x << "," << y;
  DeleteObject(region);
  DeleteObject(bitmap);
  EXPECT_EQ(RegionFromBitmap(nullptr, fuchsia), nullptr);
}

TEST(PanningWindow, AMiddleClickShowsTheShapedWindowAtTheAnchor)
{
  THeadlessDisplay* display = THeadlessDisplay::Use();
  THeadlessDisplay::UseVirtualClock();
  Application()->Initialize();
  TCustomForm* form = TCustomForm::Create<TForm>(Application());
  form->SetBounds(0, 0, 300, 200);
  auto tree = std::make_unique<THostLikeTree>(nullptr);
  tree->SetParent(form);
  tree->SetBounds(0, 0, 300, 200);
  tree->SetRootNodeCount(100);  // taller than the client area only
  form->Show();
  Application()->ProcessMessages();

  TPoint anchor = tree->ClientToScreen(TPoint(100, 80));
  display->Click(anchor.x, anchor.y, 2);
  Application()->ProcessMessages();
  HWND window = tree->PanningWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(tree->TreeStates().Contains(tsWheelPanning) || tree->TreeStates().Contains(tsWheelScrolling));
  TRect r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r, TRect(anchor.x - 16, anchor.y - 16, anchor.x + 16, anchor.y + 16));
  EXPECT_TRUE(IsWindowVisible(window));
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window, shape), ERROR);
  EXPECT_TRUE(PtInRegion(shape, 16, 16));   // the picture's middle
  EXPECT_FALSE(PtInRegion(shape, 0, 0));    // a fuchsia corner
  EXPECT_FALSE(PtInRegion(shape, 31, 31));
  DeleteObject(shape);

  // A quick second click comes as a double click and still ends panning.
  display->Click(anchor.x, anchor.y, 2);
  Application()->ProcessMessages();
  EXPECT_EQ(tree->PanningWindow(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(tree->TreeStates().Contains(tsWheelPanning));
  EXPECT_FALSE(tree->TreeStates().Contains(tsWheelScrolling));

  tree->SetParent(nullptr);
  tree.reset();
  form->Free();
  Application()->ProcessMessages();
}

}  // namespace
