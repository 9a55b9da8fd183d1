// One sheet per theme with its item states, a popup menu joined to its open
// item, a docked frame over a dock background and the status bar, compared
// with a golden picture (CORVANE_WRITE_GOLDEN=1 rewrites the goldens).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "ThemeTestCanvas.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/SysColors.h"
#include "tests/support/GoldenImage.h"

namespace {

// A 16 x 16 image: a blue square with a dark border and a light centre,
// white around it as the mask colour.
std::unique_ptr<TCustomImageList> TestImages()
{
  TThemeTestCanvas pic(16, 16);
  pic.Fill(clWhite);
  FillRectColor(pic.DC(), TRect(2, 2, 14, 14), TColor(RGB(20, 40, 120)));
  FillRectColor(pic.DC(), TRect(4, 4, 12, 12), TColor(RGB(90, 150, 230)));
  FillRectColor(pic.DC(), TRect(6, 6, 10, 10), TColor(RGB(250, 220, 60)));
  GdiFlush();
  HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, 16, 16, pic.DC(), 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  auto list = std::make_unique<TCustomImageList>(nullptr, 16, 16);
  HIMAGELIST handle = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  ImageList_AddMasked(handle, bitmap, RGB(255, 255, 255));
  DeleteObject(bitmap);
  list->SetHandle(handle);
  return list;
}

TTBWItemInfo ToolbarItem(bool Enabled, std::uint8_t Hover, bool Pushed, bool Checked, bool PopupParent = false)
{
  TTBWItemInfo info;
  info.ViewKind = VT_TOOLBAR;
  info.ItemOptions = IO_TOOLBARSTYLE | IO_APPACTIVE;
  info.Enabled = Enabled;
  info.HoverKind = Hover;
  info.Pushed = Pushed;
  info.Checked = Checked;
  info.IsPopupParent = PopupParent;
  info.ImageShown = 1;
  info.ImageWidth = info.ImageHeight = 16;
  return info;
}

void PaintSheet(TTBWTheme& Theme, TThemeTestCanvas& C)
{
  TCanvas* canvas = C.Canvas();
  TCustomImageList* images = nullptr;
  auto list = TestImages();
  images = list.get();
  C.Fill(clAppWorkSpace);

  // A dock holding a docked toolbar: the dock background, then the frame
  // with its drag handle and close button, then the items.
  const TRect dock(0, 0, 300, 34);
  Theme.DrawViewBackground(canvas, TRect(), dock, dock, Theme.GetViewColor(VT_TOOLBAR), false, VT_TOOLBAR);
  Theme.DrawDockBackground(canvas, dock, dock, DS_TOP);
  WindowPaintState frame;
  frame.ViewKind = VT_TOOLBAR;
  frame.AllowDrag = 1;
  frame.BorderStyle = 1;
  frame.BorderSize = TPoint(2, 2);
  frame.ClientWidth = 280;
  frame.ClientHeight = 24;
  frame.DragHandleStyle = dhDouble;
  frame.CloseButtonState = CDBS_VISIBLE | CDBS_HOT;
  canvas->Brush()->SetColor(Theme.GetViewColor(VT_TOOLBAR));
  const TRect toolbar(2, 3, 286, 31);
  Theme.DrawDockableFrame(canvas, toolbar, frame);
  const TRect client(toolbar.Left + 2 + 14, toolbar.Top + 2, toolbar.Right - 2, toolbar.Bottom - 2);
  Theme.DrawViewBackground(canvas, TRect(), client, client, Theme.GetViewColor(VT_TOOLBAR), false, VT_TOOLBAR);
  const TTBWItemInfo states[] = {ToolbarItem(true, HK_NONE, false, false),  ToolbarItem(true, HK_HOVER, false, false),
                                 ToolbarItem(true, HK_HOVER, true, false),  ToolbarItem(true, HK_NONE, false, true),
                                 ToolbarItem(true, HK_HOVER, false, true),  ToolbarItem(false, HK_NONE, false, false),
                                 ToolbarItem(false, HK_DISABLED, false, false), ToolbarItem(true, HK_HOVER, true, false, true)};
  int x = client.Left + 2;
  for (const TTBWItemInfo& info : states) {
    const TRect item(x, client.Top, x + 24, client.Top + 24);
    Theme.DrawItemFrame(canvas, item, info);
    Theme.DrawItemImage(canvas, TRect(x + 4, client.Top + 4, x + 20, client.Top + 20), info, images, 0);
    x += 26;
  }
  TTBWItemInfo separator = ToolbarItem(true, HK_NONE, false, false);
  Theme.DrawSeparatorLine(canvas, TRect(x, client.Top + 2, x + 6, client.Top + 22), separator, false, false);
  x += 8;
  TTBWItemInfo split = ToolbarItem(true, HK_HOVER, false, false);
  split.ComboPart = CP_SPLITLEFT;
  Theme.DrawItemFrame(canvas, TRect(x, client.Top, x + 24, client.Top + 24), split);
  split.ComboPart = CP_SPLITRIGHT;
  split.Pushed = 1;
  Theme.DrawItemFrame(canvas, TRect(x + 24, client.Top, x + 36, client.Top + 24), split);

  // A popup menu opened under a menu-bar item.
  const TRect bar(0, 40, 300, 60);
  Theme.DrawViewBackground(canvas, TRect(), bar, bar, Theme.GetViewColor(VT_MENUBAR), false, VT_MENUBAR);
  TTBWItemInfo barItem = ToolbarItem(true, HK_HOVER, true, false, true);
  barItem.ViewKind = VT_MENUBAR;
  const TRect opened(10, 41, 60, 60);
  Theme.DrawItemFrame(canvas, opened, barItem);
  PopupFramePaintState popupFrame;
  popupFrame.ViewKind = VT_POPUPMENU;
  popupFrame.ParentRect = opened;
  const TRect popup(10, 60, 170, 190);
  Theme.DrawPopupFrame(canvas, popup, popupFrame);
  const TRect menuClient(popup.Left + 2, popup.Top + 3, popup.Right - 2, popup.Bottom - 3);
  Theme.DrawViewBackground(canvas, TRect(), menuClient, menuClient, Theme.GetViewColor(VT_POPUPMENU), false,
                           VT_POPUPMENU);
  struct TMenuRow {
    bool Enabled;
    std::uint8_t Hover;
    bool Checked;
    std::uint32_t Options;
    const char* Caption;
  } rows[] = {{true, HK_NONE, false, 0, "Normal"},       {true, HK_HOVER, false, 0, "Hot"},
              {false, HK_NONE, false, 0, "Disabled"},    {false, HK_DISABLED, false, 0, "Selected"},
              {true, HK_NONE, true, 0, "Checked"},       {true, HK_NONE, false, IO_SUBMENUITEM, "Submenu"},
              {true, HK_HOVER, false, IO_COMBO, "Split"}};
  int y = menuClient.Top;
  for (const TMenuRow& row : rows) {
    TTBWItemInfo info;
    info.ViewKind = VT_POPUPMENU;
    info.ItemOptions = row.Options | IO_APPACTIVE;
    info.Enabled = row.Enabled;
    info.HoverKind = row.Hover;
    info.Checked = row.Checked;
    info.PopupMargin = 22;
    const TRect item(menuClient.Left, y, menuClient.Right, y + 16);
    Theme.DrawMenuItemFrame(canvas, item, info);
    if (row.Checked)
      Theme.DrawCheckGlyph(canvas, TRect(item.Left + 3, y, item.Left + 21, y + 16), info);
    canvas->Font()->SetColor(clNone);
    Theme.DrawItemCaption(canvas, TRect(item.Left + 30, y, item.Right - 20, y + 16), info, row.Caption,
                          DT_SINGLELINE | DT_VCENTER, false);
    y += 16;
  }
  TTBWItemInfo menuSeparator;
  menuSeparator.ViewKind = VT_POPUPMENU;
  menuSeparator.Enabled = 1;
  menuSeparator.PopupMargin = 22;
  Theme.DrawSeparatorLine(canvas, TRect(menuClient.Left, y, menuClient.Right, y + 8), menuSeparator, true, false);

  // A docked panel's background and the status bar parts.
  const TRect panel(180, 70, 300, 150);
  Theme.DrawViewBackground(canvas, TRect(), panel, panel, Theme.GetViewColor(VT_DOCKPANEL), false, VT_DOCKPANEL);
  const TRect status(180, 170, 300, 190);
  Theme.DrawStatusBarPart(canvas, status, 0);
  Theme.DrawStatusBarPart(canvas, TRect(182, 172, 240, 189), 1);
  Theme.DrawStatusBarPart(canvas, TRect(240, 172, 284, 189), 2);
  Theme.DrawStatusBarPart(canvas, TRect(284, 174, 300, 190), 3);
}

class ThemeSheet : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SelectSysColorScheme(TSysColorScheme::Classic);
    UpdateSystemState();
  }
  void Check(TTBWTheme& Theme, const char* Name)
  {
    TThemeTestCanvas c(300, 200);
    PaintSheet(Theme, c);
    GdiFlush();
    const TPixelImage image = CaptureDC(c.DC());
    const std::string golden = std::string(THEMES_GOLDEN_DIR) + "/" + Name;
    if (std::getenv("CORVANE_WRITE_GOLDEN"))
      WritePng(golden, image);
    std::string message;
    EXPECT_TRUE(MatchesGolden(image, golden, &message)) << message;
  }
};

TEST_F(ThemeSheet, OfficeXP)
{
  TTBWOfficeXPTheme theme("OfficeXP");
  Check(theme, "officexp-classic.png");
}

TEST_F(ThemeSheet, Stripes)
{
  TTBWStripesTheme theme("Stripes");
  Check(theme, "stripes-classic.png");
}

}  // namespace
