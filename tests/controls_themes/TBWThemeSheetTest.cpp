// One sheet per theme and colour scheme with its item states, a popup menu
// joined to its open item, a docked frame over a dock background, the status
// bar, panel caption bars, floating frames, edit fields, scroll arrows and
// check controls, compared with a golden picture (CORVANE_WRITE_GOLDEN=1
// rewrites the goldens).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "ThemeTestCanvas.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWControlGlyphs.h"
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

// A hidden window whose text a caption bar shows.
HWND CaptionWindow(const char* Text)
{
  static const bool registered = [] {
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "TSheetCaptionWindow";
    return RegisterClass(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowEx(0, "TSheetCaptionWindow", Text, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// A docked panel in window rectangle W: its caption bar, then its client
// in the panel colour.
void PaintPanel(TTBWTheme& Theme, TCanvas* Canvas, const TRect& W, HWND Window, bool Horizontal,
                std::uint32_t CloseState)
{
  PanelCaptionState state;
  state.WindowHandle = Window;
  state.ViewKind = VT_DOCKPANEL;
  state.IsHorizontalCaption = Horizontal;
  state.AllowDrag = 1;
  state.BorderStyle = 1;
  TPoint border;
  Theme.GetViewFrameSize(VT_DOCKPANEL, border);
  state.BorderSizeX = border.x;
  state.BorderSizeY = border.y;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  state.ClientWidth = W.Width() - 4 - (Horizontal ? 0 : h);
  state.ClientHeight = W.Height() - 4 - (Horizontal ? h : 0);
  state.ShowCaptionWhenDocked = 1;
  state.CloseButtonState = CloseState;
  state.EffectiveColor = Theme.GetViewColor(VT_DOCKPANEL);
  Canvas->Brush()->SetColor(state.EffectiveColor);
  Theme.DrawPanelCaptionBar(Canvas, W, state);
  TRect client(W.Left + 2, W.Top + 2, W.Right - 2, W.Bottom - 2);
  (Horizontal ? client.Top : client.Left) += h;
  Theme.DrawViewBackground(Canvas, TRect(), client, client, state.EffectiveColor, false, VT_DOCKPANEL);
}

// A floating window in window rectangle W with its frame, caption and close
// button, and its client in the view colour.
void PaintFloating(TTBWTheme& Theme, TCanvas* Canvas, const TRect& W, std::uint32_t ViewKind, const char* Caption,
                   bool Active, std::uint32_t CloseState)
{
  FloatingPaintState state;
  state.ViewKind = ViewKind | VT_FLOATING;
  Theme.GetViewFrameSize(state.ViewKind, state.BorderSize);
  // A theme that leaves the size to its base gets the system's fixed frame.
  if (state.BorderSize.x <= 0)
    state.BorderSize = TPoint(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME));
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  state.ClientWidth = W.Width() - 2 * state.BorderSize.x;
  state.ClientHeight = W.Height() - 2 * state.BorderSize.y - h;
  state.ShowCaption = 1;
  state.CloseButtonState = CloseState;
  state.RedrawParts = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
  state.Caption = Caption;
  state.WindowColor = Theme.GetViewColor(state.ViewKind);
  state.CaptionActive = Active;
  Canvas->Brush()->SetColor(state.WindowColor);
  // The client first: a frame is painted around a client that is there.
  const TRect client(W.Left + state.BorderSize.x, W.Top + state.BorderSize.y + h, W.Right - state.BorderSize.x,
                     W.Bottom - state.BorderSize.y);
  Theme.DrawViewBackground(Canvas, TRect(), client, client, state.WindowColor, false, state.ViewKind);
  Theme.DrawFloatingFrame(Canvas, W, state);
}

// Edit fields, scroll arrows and check controls in the band from Top down.
void PaintControls(TTBWTheme& Theme, TCanvas* Canvas, int Top)
{
  const TRect band(0, Top, 300, Top + 76);
  Theme.DrawViewBackground(Canvas, TRect(), band, band, Theme.GetViewColor(VT_TOOLBAR), false, VT_TOOLBAR);
  struct TFieldRow {
    bool Enabled;
    std::uint8_t Hover;
    std::uint32_t ButtonType;
    std::uint32_t ButtonState;
  } fields[] = {{true, HK_HOVER, EBT_DROPDOWN, BPS_HOT},
                {true, HK_NONE, EBT_SPIN, BPS_LOWERPUSHED},
                {false, HK_NONE, EBT_DROPDOWN, 0}};
  int y = Top + 4;
  for (const TFieldRow& row : fields) {
    TTBWItemInfo info = ToolbarItem(row.Enabled, row.Hover, false, false);
    info.ImageShown = 0;
    info.ImageWidth = info.ImageHeight = 0;
    EditFieldPaintState field;
    field.ButtonWidth = 13;
    field.Button.ButtonType = row.ButtonType;
    field.Button.State = row.ButtonState;
    Theme.DrawEditField(Canvas, TRect(4, y, 120, y + 20), info, field);
    y += 24;
  }
  const int directions[4] = {SAB_UP, SAB_DOWN, SAB_LEFT, SAB_RIGHT};
  for (int i = 0; i < 4; ++i) {
    const int x = 128 + i * 22;
    Theme.DrawScrollArrowButton(Canvas, TRect(x, Top + 4, x + 20, Top + 20), directions[i], i % 2 == 1);
  }
  const unsigned states[] = {0, CCS_CHECKED, CCS_MIXED, CCS_CHECKED | CCS_HOT, CCS_PUSHED, CCS_CHECKED | CCS_DISABLED};
  for (int kind : {CCK_CHECKBOX, CCK_RADIO}) {
    for (int i = 0; i < 6; ++i) {
      const int x = 128 + i * 17, top = Top + 28 + (kind - 1) * 20;
      if (kind == CCK_RADIO && (states[i] & CCS_MIXED))
        continue;
      Theme.DrawCheckControl(Canvas, TRect(x, top, x + 13, top + 13), false, states[i], kind);
    }
  }
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

  // Docked panels with a caption across the top (close button hot) and down
  // the left side (close button pressed), floating windows active and
  // inactive, and the small controls.
  HWND console = CaptionWindow("Console");
  HWND modules = CaptionWindow("Modules");
  PaintPanel(Theme, canvas, TRect(4, 200, 150, 280), console, true, CDBS_VISIBLE | CDBS_HOT);
  PaintPanel(Theme, canvas, TRect(160, 200, 230, 290), modules, false, CDBS_VISIBLE | CDBS_PRESSED);
  PaintFloating(Theme, canvas, TRect(4, 296, 150, 356), VT_TOOLBAR, "Outils", true, CDBS_VISIBLE | CDBS_HOT);
  PaintFloating(Theme, canvas, TRect(156, 296, 296, 356), VT_DOCKPANEL, "Affichage des modules", false,
                CDBS_VISIBLE);
  DestroyWindow(console);
  DestroyWindow(modules);
  PaintControls(Theme, canvas, 362);
}

class ThemeSheet : public ::testing::Test {
protected:
  void SetUp() override { THeadlessDisplay::Use(); }
  void TearDown() override
  {
    SelectSysColorScheme(TSysColorScheme::Classic);
    FreeThemeManager();
  }
  template <class TTheme>
  void Check(TSysColorScheme Scheme, const char* Name)
  {
    SelectSysColorScheme(Scheme);
    UpdateSystemState();
    TTheme theme(Name);
    TThemeTestCanvas c(300, 440);
    PaintSheet(theme, c);
    GdiFlush();
    const TPixelImage image = CaptureDC(c.DC());
    const std::string golden = std::string(THEMES_GOLDEN_DIR) + "/" + Name;
    if (std::getenv("CORVANE_WRITE_GOLDEN"))
      WritePng(golden, image);
    std::string message;
    EXPECT_TRUE(MatchesGolden(image, golden, &message)) << message;
  }
};

TEST_F(ThemeSheet, OfficeXP) { Check<TTBWOfficeXPTheme>(TSysColorScheme::Classic, "officexp-classic.png"); }

TEST_F(ThemeSheet, Stripes) { Check<TTBWStripesTheme>(TSysColorScheme::Classic, "stripes-classic.png"); }

// The flat grey scheme: face 192, so other mixes and nearest colours.
TEST_F(ThemeSheet, OfficeXPFlatGrey) { Check<TTBWOfficeXPTheme>(TSysColorScheme::FlatGrey, "officexp-flatgrey.png"); }

TEST_F(ThemeSheet, StripesFlatGrey) { Check<TTBWStripesTheme>(TSysColorScheme::FlatGrey, "stripes-flatgrey.png"); }

}  // namespace
