#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

// Paints a view's viewers on a bitmap filled with the menu colour.
TPixelImage PaintView(TTBView& View, int Width, int Height)
{
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, Width, Height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  TRect all(0, 0, Width, Height);
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    View.PaintAllViewers(&canvas);
    canvas.SetHandle(nullptr);
  }
  TPixelImage image = CaptureDC(dc);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace

TEST(TBPaintGolden, MenuWithChecksSubmenuSeparatorDisabledAndShortcuts)
{
  THeadlessDisplay::Use();
  SetBuiltinFontOnly(true);
  TTBRootItem root(nullptr);
  auto add = [&](TTBCustomItem* item, const char* caption) {
    item->SetCaption(caption);
    root.Add(item);
    return item;
  };
  add(new TTBItem(nullptr), "&Open\tCtrl+O");
  add(new TTBItem(nullptr), "&Checked")->SetChecked(true);
  add(new TTBSeparatorItem(nullptr), "");
  add(new TTBSubmenuItem(nullptr), "&More");
  add(new TTBItem(nullptr), "&Disabled\tF5")->SetEnabled(false);
  TTBView view(nullptr, nullptr, &root, nullptr, false, false, false);
  view.EnsureLayout();
  view.SetSelectedViewer(view.Viewers(0), false);
  TPoint natural, total;
  int lines = 0;
  view.ComputeLayout(false, tbaHorizontal, 0, 0, 0, natural, total, lines);
  TPixelImage image = PaintView(view, total.x, total.y);
  std::string golden = std::string(TOOLBAR_GOLDEN_DIR) + "/menu-plain.png";
  if (std::getenv("CORVANE_WRITE_GOLDEN"))
    WritePng(golden, image);
  std::string message;
  EXPECT_TRUE(MatchesGolden(image, golden, &message)) << message;
  SetBuiltinFontOnly(false);
}
