#include <gtest/gtest.h>

#include "ThemeTestCanvas.h"
#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/SysColors.h"

namespace {

class OfficeXPTheme : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    UseScheme(TSysColorScheme::Classic, false);
  }
  void TearDown() override
  {
    SetLowColorDisplay(false);
    SelectSysColorScheme(TSysColorScheme::Classic);
    FreeThemeManager();
  }
  // The scheme as the manager publishes it, and the theme's colours after
  // the system-change notification.
  void UseScheme(TSysColorScheme Scheme, bool LowColor)
  {
    SelectSysColorScheme(Scheme);
    SetLowColorDisplay(LowColor);
    UpdateSystemState();
    BroadcastSystemChange();
  }
  const TOfficeColorTable& T() { return Theme.Colors(); }
  TTBWOfficeXPTheme Theme{"OfficeXP"};
};

TTBWItemInfo Item(std::uint32_t ViewKind, bool Enabled, std::uint8_t HoverKind = HK_NONE, bool Pushed = false,
                  bool Checked = false, bool PopupParent = false)
{
  TTBWItemInfo info;
  info.ViewKind = ViewKind;
  info.ItemOptions = (ViewKind & VT_KINDMASK_TOOLBAR) ? IO_TOOLBARSTYLE : 0;
  info.Enabled = Enabled;
  info.HoverKind = HoverKind;
  info.Pushed = Pushed;
  info.Checked = Checked;
  info.IsPopupParent = PopupParent;
  return info;
}

TEST_F(OfficeXPTheme, ColoursUnderTheClassicScheme)
{
  EXPECT_EQ(RgbOf(T().ToolbarColor), (TRgb{219, 216, 209}));
  EXPECT_EQ(RgbOf(T().PopupColor), (TRgb{249, 248, 247}));
  EXPECT_EQ(RgbOf(T().DockPanelColor), (TRgb{249, 248, 247}));
  EXPECT_EQ(RgbOf(T().MenuBarColor), (TRgb{212, 208, 200}));
  EXPECT_EQ(RgbOf(T().Toolbar[4].Fill), (TRgb{182, 189, 210}));
  EXPECT_EQ(RgbOf(T().PopupFrameColor), (TRgb{102, 102, 102}));
  EXPECT_EQ(RgbOf(T().Toolbar[3].Fill), (TRgb{133, 146, 181}));
  EXPECT_EQ(RgbOf(T().SeparatorColor), (TRgb{166, 166, 166}));
  EXPECT_EQ(RgbOf(T().GripColor), (TRgb{160, 160, 160}));
  EXPECT_EQ(RgbOf(T().ImageShadowColor), (TRgb{137, 142, 158}));
  EXPECT_EQ(RgbOf(T().StatusFrameColor), (TRgb{228, 226, 221}));
  // Menu hot is the toolbar hot row; the open submenu's parent keeps the
  // toolbar colour inside the popup frame colour.
  EXPECT_EQ(RgbOf(T().Menu[2].Fill), RgbOf(T().Toolbar[4].Fill));
  EXPECT_EQ(RgbOf(T().Toolbar[7].Fill), RgbOf(T().ToolbarColor));
  EXPECT_EQ(RgbOf(T().Toolbar[7].Frame), RgbOf(T().PopupFrameColor));
  // Every mixed entry is an RGB value; idle rows keep no fill.
  EXPECT_GE(T().Toolbar[0].Text, 0);
  EXPECT_EQ(T().Toolbar[0].Fill, clNone);
  EXPECT_EQ(T().Menu[1].Frame, clNone);
}

TEST_F(OfficeXPTheme, ColoursUnderTheFlatGreyScheme)
{
  UseScheme(TSysColorScheme::FlatGrey, false);
  EXPECT_EQ(RgbOf(T().ToolbarColor), (TRgb{202, 202, 202}));
  EXPECT_EQ(RgbOf(T().PopupColor), (TRgb{246, 246, 246}));
  EXPECT_EQ(RgbOf(T().Toolbar[4].Fill), (TRgb{173, 173, 209}));
}

TEST_F(OfficeXPTheme, LowColourUsesOnlySystemColours)
{
  UseScheme(TSysColorScheme::Classic, true);
  EXPECT_EQ(T().MenuBarColor, clBtnFace);
  EXPECT_EQ(T().ToolbarColor, clBtnFace);
  EXPECT_EQ(T().PopupColor, clWindow);
  EXPECT_EQ(T().PopupFrameColor, clBtnText);
  EXPECT_EQ(T().ToolbarInactive.CaptionText, clBtnHighlight);
  EXPECT_EQ(T().PanelInactive.CaptionText, clBtnText);
  const TColor toolbar[8][3] = {{clNone, clBtnText, clNone},
                                {clNone, clBtnShadow, clNone},
                                {clWindow, clWindowText, clHighlight},
                                {clHighlight, clHighlightText, clHighlight},
                                {clWindow, clWindowText, clHighlight},
                                {clWindow, clBtnShadow, clHighlight},
                                {clHighlight, clHighlightText, clHighlight},
                                {clBtnFace, clBtnText, clBtnText}};
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(T().Toolbar[s].Fill, toolbar[s][0]) << s;
    EXPECT_EQ(T().Toolbar[s].Text, toolbar[s][1]) << s;
    EXPECT_EQ(T().Toolbar[s].Frame, toolbar[s][2]) << s;
  }
  EXPECT_EQ(T().Menu[0].Fill, clNone);
  EXPECT_EQ(T().Menu[1].Text, clGrayText);
  EXPECT_EQ(T().Menu[3].Frame, clHighlight);
  EXPECT_EQ(T().GripColor, clBtnText);
  EXPECT_EQ(T().ImageShadowColor, clBtnFace);
  EXPECT_EQ(T().SeparatorColor, clBtnShadow);
  EXPECT_EQ(T().StatusFrameColor, clBtnShadow);
}

TEST_F(OfficeXPTheme, DarkSchemeKeepsTextReadable)
{
  UseScheme(TSysColorScheme::Dark, false);
  // Menu text is pushed away from the popup colour until it contrasts.
  EXPECT_TRUE(HasContrast(T().Menu[0].Text, T().PopupColor, true, 180));
  EXPECT_TRUE(HasContrast(T().Toolbar[0].Text, T().ToolbarColor, true, 180));
}

TEST_F(OfficeXPTheme, StateLookup)
{
  struct TCase {
    bool Enabled;
    std::uint8_t Hover;
    bool Pushed, Checked, PopupParent;
    int ToolbarState, MenuState;
  } cases[] = {
      {true, HK_NONE, false, false, false, 0, 0},  {false, HK_NONE, false, false, false, 1, 1},
      {false, HK_DISABLED, false, false, false, 5, 3}, {true, HK_HOVER, false, false, false, 4, 2},
      {true, HK_NONE, true, false, false, 3, 0},   {true, HK_HOVER, true, false, true, 7, 2},
      {true, HK_NONE, false, true, false, 2, 0},   {true, HK_HOVER, false, true, false, 6, 2},
      {false, HK_NONE, true, true, true, 1, 1},
  };
  for (const TCase& c : cases) {
    const TTBWItemInfo info = Item(VT_TOOLBAR, c.Enabled, c.Hover, c.Pushed, c.Checked, c.PopupParent);
    EXPECT_EQ(OfficeToolbarState(info), c.ToolbarState) << c.Enabled << int(c.Hover) << c.Pushed << c.Checked;
    EXPECT_EQ(OfficeMenuState(info), c.MenuState) << c.Enabled << int(c.Hover);
  }
}

TEST_F(OfficeXPTheme, ItemAndFaceColoursOnOpaqueToolbarsAndMenus)
{
  const TTBWItemInfo idle = Item(VT_TOOLBAR | VT_ITEMSOPAQUE, true);
  EXPECT_EQ(Theme.GetItemFillColor(idle), T().ToolbarColor);
  EXPECT_EQ(OfficeItemColors(T(), idle).Frame, clBtnShadow);
  TTBWItemInfo checked = idle;
  checked.Checked = 1;
  EXPECT_EQ(OfficeFaceColors(T(), checked).Frame, clWindowFrame);
  // Off opaque toolbars an idle item has no fill of its own: the view's colour.
  EXPECT_EQ(Theme.GetItemFillColor(Item(VT_TOOLBAR, true)), T().ToolbarColor);
  EXPECT_EQ(Theme.GetItemFillColor(Item(VT_POPUPMENU, true)), T().PopupColor);
  // Popup-menu items take the menu rows; a disabled selected one is framed.
  const TTBWItemInfo disabledSelected = Item(VT_POPUPMENU, false, HK_DISABLED);
  EXPECT_EQ(Theme.GetItemTextColor(disabledSelected), T().Menu[3].Text);
  EXPECT_EQ(OfficeItemColors(T(), disabledSelected).Frame, T().Menu[3].Frame);
}

TEST_F(OfficeXPTheme, IdentityAndMetrics)
{
  EXPECT_EQ(Theme.GetPopupShadowKind(), PST_OFFICEXP);
  for (int id = 0; id < 10; ++id)
    EXPECT_EQ(Theme.HasFeature(id), id == 1 || id == 3 || id == 7) << id;
  const std::pair<int, int> metrics[] = {{10, 12}, {20, 8}, {21, 3}, {32, 5}, {33, 3}, {34, 3}, {35, 3}, {36, 2},
                                         {37, 2},  {50, 6}, {60, 1}, {61, 2}, {62, 2}, {65, 14}, {66, 1}, {11, -1}};
  for (auto [id, value] : metrics)
    EXPECT_EQ(Theme.GetMetric(id), value) << id;
  TPoint size;
  Theme.GetViewFrameSize(VT_POPUPMENU, size);
  EXPECT_EQ(size, TPoint(1, 2));
  Theme.GetViewFrameSize(VT_CHEVRONPOPUP, size);
  EXPECT_EQ(size, TPoint(2, 2));
  Theme.GetViewFrameSize(VT_TOOLBAR, size);
  EXPECT_EQ(size, TPoint(2, 2));
  // A hot image lifts by a pixel, a checked one stays.
  EXPECT_EQ(Theme.GetImageShift(nullptr, Item(VT_TOOLBAR, true, HK_HOVER), nullptr), TPoint(-1, -1));
  EXPECT_EQ(Theme.GetImageShift(nullptr, Item(VT_TOOLBAR, true, HK_HOVER, false, true), nullptr), TPoint(0, 0));
}

TEST_F(OfficeXPTheme, PopupFrameJoinsTheOpenParentItem)
{
  TThemeTestCanvas c(60, 40);
  c.Fill(clBlack);
  PopupFramePaintState state;
  state.ViewKind = VT_POPUPMENU;
  state.ParentRect = TRect(10, 0, 30, 10);  // the item sits on the popup's top edge
  Theme.DrawPopupFrame(c.Canvas(), TRect(0, 10, 50, 40), state);
  const TRgb frame = RgbOf(T().PopupFrameColor), joint = RgbOf(T().ToolbarColor);
  // The shared stretch 10..30, one pixel shorter at each end, is open.
  EXPECT_EQ(c.At(10, 10), frame);
  for (int x = 11; x < 29; ++x)
    EXPECT_EQ(c.At(x, 10), joint) << x;
  EXPECT_EQ(c.At(29, 10), frame);
  EXPECT_EQ(c.At(5, 10), frame);
  EXPECT_EQ(c.At(0, 20), frame);
  EXPECT_EQ(c.At(49, 39), frame);
  EXPECT_EQ(c.At(20, 20), RgbOf(T().PopupColor));
  EXPECT_EQ(c.At(20, 5), (TRgb{0, 0, 0}));  // the item itself is not painted here
}

TEST_F(OfficeXPTheme, MenuItemImageColumnAndSeparator)
{
  TThemeTestCanvas c(100, 20);
  c.Fill(clWindow);
  TTBWItemInfo item = Item(VT_POPUPMENU, true, HK_HOVER);
  item.PopupMargin = 20;
  Theme.DrawMenuItemFrame(c.Canvas(), TRect(0, 0, 100, 20), item);
  // The column (up to PopupMargin + 2) in the toolbar colour, then the hot
  // frame and fill across the item.
  EXPECT_EQ(c.At(0, 10), RgbOf(T().ToolbarColor));
  EXPECT_EQ(c.At(1, 0), RgbOf(T().Menu[2].Frame));
  EXPECT_EQ(c.At(50, 10), RgbOf(T().Menu[2].Fill));
  EXPECT_EQ(c.At(99, 10), RgbOf(clWindow));

  c.Fill(clWindow);
  TTBWItemInfo separator = Item(VT_POPUPMENU, true);
  separator.PopupMargin = 20;
  Theme.DrawSeparatorLine(c.Canvas(), TRect(0, 0, 100, 9), separator, true, false);
  EXPECT_EQ(c.At(21, 1), RgbOf(T().ToolbarColor));
  EXPECT_EQ(c.At(22, 4), RgbOf(clWindow));
  EXPECT_EQ(c.At(28, 4), RgbOf(clWindow));
  EXPECT_EQ(c.At(29, 4), RgbOf(T().MenuSeparatorColor));
  EXPECT_EQ(c.At(99, 4), RgbOf(T().MenuSeparatorColor));
  // A disabled separator paints nothing.
  c.Fill(clWindow);
  separator.Enabled = 0;
  Theme.DrawSeparatorLine(c.Canvas(), TRect(0, 0, 100, 9), separator, true, false);
  EXPECT_EQ(c.At(50, 4), RgbOf(clWindow));
}

TEST_F(OfficeXPTheme, CheckGlyphAndDropdownArrowPixels)
{
  TThemeTestCanvas c(16, 16);
  c.Fill(clWindow);
  Theme.DrawCheckGlyph(c.Canvas(), TRect(0, 0, 16, 16), Item(VT_TOOLBAR, true, HK_NONE, false, true));
  const TRgb text = RgbOf(T().Toolbar[2].Text);
  // x0 = 6, y0 = 9: the stroke runs (4,7) -> (6,9) -> (10,5).
  for (TPoint p : {TPoint(4, 7), TPoint(5, 8), TPoint(6, 9), TPoint(8, 7), TPoint(10, 5)})
    EXPECT_EQ(c.At(p.x, p.y), text) << p.x << "," << p.y;
  EXPECT_EQ(c.At(11, 5), RgbOf(clWindow));

  c.Fill(clWindow);
  Theme.DrawDropdownArrow(c.Canvas(), TRect(0, 0, 16, 16), Item(VT_TOOLBAR, true));
  const TRgb arrow = RgbOf(T().Toolbar[0].Text);
  for (TPoint p : {TPoint(6, 7), TPoint(10, 7), TPoint(8, 8), TPoint(8, 9)})
    EXPECT_EQ(c.At(p.x, p.y), arrow) << p.x << "," << p.y;
  EXPECT_EQ(c.At(8, 10), RgbOf(clWindow));
}

TEST_F(OfficeXPTheme, GlyphsLiveWithTheThemes)
{
  EXPECT_EQ(ThemeGlyphsUseCount(), 1);
  ASSERT_NE(ThemeGlyphs(), nullptr);
  EXPECT_EQ(ThemeGlyphs()->Count(), 4);
  {
    TTBWOfficeXPTheme second("OfficeXP");
    EXPECT_EQ(ThemeGlyphsUseCount(), 2);
  }
  EXPECT_NE(ThemeGlyphs(), nullptr);
}

TEST_F(OfficeXPTheme, PanelCaptionBarFramesOnOrdinaryAndOnDarkFaces)
{
  const TColor panel = TColor(RGB(200, 220, 240));
  PanelCaptionState state;
  state.IsHorizontalCaption = 1;
  state.BorderSizeX = state.BorderSizeY = 2;
  state.ShowCaptionWhenDocked = 1;
  state.EffectiveColor = panel;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  {
    TThemeTestCanvas c(60, 50);
    Theme.DrawPanelCaptionBar(c.Canvas(), TRect(0, 0, 60, 50), state);
    EXPECT_EQ(c.At(0, 30), RgbOf(clBtnFace));
    EXPECT_EQ(c.At(1, 30), RgbOf(panel));
    // Rounded on the caption side only.
    EXPECT_EQ(c.At(1, 1), RgbOf(clBtnFace));
    EXPECT_EQ(c.At(58, 1), RgbOf(clBtnFace));
    EXPECT_EQ(c.At(1, 48), RgbOf(panel));
    // The strip, then its line towards the client.
    EXPECT_EQ(c.At(30, 2 + h - 2), RgbOf(clBtnFace));
    EXPECT_EQ(c.At(30, 2 + h - 1), RgbOf(panel));
  }
  // A face darker than 64: the frame in the panel's colour, then a
  // checkered ring of it and white, then the colour again.
  UseScheme(TSysColorScheme::Dark, false);
  TThemeTestCanvas c(60, 50);
  Theme.DrawPanelCaptionBar(c.Canvas(), TRect(0, 0, 60, 50), state);
  EXPECT_EQ(c.At(0, 30), RgbOf(panel));
  const TRgb checker[2] = {c.At(1, 30), c.At(1, 31)};
  EXPECT_NE(checker[0], checker[1]);
  for (const TRgb& pixel : checker)
    EXPECT_TRUE(pixel == RgbOf(panel) || pixel == RgbOf(clWhite)) << pixel;
  EXPECT_EQ(c.At(1, 1), RgbOf(panel));
  EXPECT_EQ(c.At(2, 30), RgbOf(panel));
}

TEST_F(OfficeXPTheme, FloatingCloseButtonTakesTheStateOfItsWindow)
{
  FloatingPaintState state = FloatingToolbarState(TPoint(2, 2), 76, 30);
  state.CloseButtonState = CDBS_VISIBLE | CDBS_PRESSED;
  const TRect box = GetFloatingCloseButtonRect(state, true);
  struct {
    bool Active;
    TColor Edge;
  } cases[] = {{true, T().Toolbar[3].Frame}, {false, T().ToolbarInactive.Caption}};
  for (const auto& k : cases) {
    state.CaptionActive = k.Active;
    TThemeTestCanvas c(80, 52);
    Theme.DrawFloatingFrame(c.Canvas(), TRect(0, 0, 80, 52), state);
    EXPECT_EQ(c.At(box.Left, box.Top + 5), RgbOf(k.Edge)) << k.Active;
    EXPECT_EQ(c.At(0, 20), RgbOf(k.Active ? T().ToolbarActive.Border : T().ToolbarInactive.Border));
  }
}

TEST_F(OfficeXPTheme, EditFieldLeavesItsButtonTheLastPixels)
{
  TTBWItemInfo info = Item(VT_TOOLBAR, true, HK_HOVER);
  EditFieldPaintState field;
  field.ButtonWidth = 13;
  field.Button.ButtonType = EBT_DROPDOWN;
  field.Button.State = BPS_HOT;
  TThemeTestCanvas c(60, 20);
  c.Fill(clBlack);
  Theme.DrawEditField(c.Canvas(), TRect(0, 0, 60, 20), info, field);
  // Inside the one-pixel border: the field, then the button's hot frame.
  EXPECT_EQ(c.At(0, 10), RgbOf(T().Toolbar[4].Frame));
  EXPECT_EQ(c.At(40, 10), RgbOf(clWindow));
  EXPECT_EQ(c.At(59 - 13, 10), RgbOf(T().Toolbar[4].Frame));
  EXPECT_EQ(c.At(59 - 13 + 1, 3), RgbOf(T().Toolbar[4].Fill));
}

TEST_F(OfficeXPTheme, ScrollArrowAndCheckControls)
{
  TThemeTestCanvas c(20, 16);
  Theme.DrawScrollArrowButton(c.Canvas(), TRect(0, 0, 20, 16), SAB_DOWN, false);
  EXPECT_EQ(c.At(0, 0), RgbOf(clBtnShadow));
  EXPECT_EQ(c.At(3, 5), RgbOf(clBtnFace));
  // Twelve pixels across (three quarters of 16), pointing down.
  for (TPoint p : {TPoint(4, 5), TPoint(16, 5), TPoint(10, 11)})
    EXPECT_EQ(c.At(p.x, p.y), RgbOf(T().Toolbar[0].Text)) << p.x << "," << p.y;
  EXPECT_EQ(c.At(10, 12), RgbOf(clBtnFace));

  TThemeTestCanvas box(13, 13);
  box.Fill(clWhite);
  EXPECT_EQ(Theme.DrawCheckControl(box.Canvas(), TRect(0, 0, 13, 13), false, 0, 3), 0);
  EXPECT_EQ(box.At(0, 0), RgbOf(clWhite));
  EXPECT_EQ(Theme.DrawCheckControl(box.Canvas(), TRect(0, 0, 13, 13), true, CCS_HOT, CCK_CHECKBOX), 1);
  EXPECT_EQ(box.At(0, 0), RgbOf(T().Toolbar[4].Frame));
  EXPECT_EQ(box.At(6, 7), RgbOf(T().Toolbar[4].Text));
  EXPECT_EQ(box.At(2, 10), RgbOf(T().Toolbar[4].Fill));
}

TEST_F(OfficeXPTheme, GlyphPatternsAndSubmenuTriangle)
{
  using Rows = std::vector<std::string>;
  // The chevron in the item's text colour, not moved when pushed.
  for (bool pushed : {false, true}) {
    TThemeTestCanvas c(16, 20);
    c.Fill(clWindow);
    const TTBWItemInfo item = Item(VT_TOOLBAR, true, HK_NONE, pushed);
    Theme.DrawChevronGlyph(c.Canvas(), TRect(0, 0, 16, 20), item);
    const Rows chevron{"##..##..", ".##..##.", "..##..##", ".##..##.", "##..##.."};
    EXPECT_EQ(Silhouette(c, TRect(0, 0, 16, 20), Theme.GetItemTextColor(item)), chevron) << pushed;
    EXPECT_EQ(c.At(4, 4), RgbOf(Theme.GetItemTextColor(item))) << pushed;
  }
  // A submenu item: x = 100 - 2 * 13 / 3 - 1 = 91, y = 20 div 2.
  TThemeTestCanvas menu(100, 20);
  menu.Fill(clWindow);
  TTBWItemInfo submenu = Item(VT_POPUPMENU, true);
  submenu.ItemOptions = IO_SUBMENUITEM;
  Theme.DrawMenuItemFrame(menu.Canvas(), TRect(0, 0, 100, 20), submenu);
  const Rows triangle{"#...", "##..", "###.", "####", "###.", "##..", "#..."};
  EXPECT_EQ(Silhouette(menu, TRect(60, 0, 100, 20), Theme.GetItemTextColor(submenu)), triangle);
  EXPECT_EQ(menu.At(91, 7), RgbOf(Theme.GetItemTextColor(submenu)));
  EXPECT_EQ(menu.At(94, 10), RgbOf(Theme.GetItemTextColor(submenu)));

  // The 8 x 7 close cross of a panel caption bar.
  const Rows cross{"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"};
  EXPECT_EQ(PanelCloseGlyph(Theme, T().Toolbar[0].Text), cross);
}

TEST_F(OfficeXPTheme, SizeGripIsTheDefaultsOnTheFace)
{
  // 12 pixels: every group led by a shadow line, then a shadow and a light
  // line; a face corner closes it.
  TThemeTestCanvas c(12, 12);
  c.Fill(clWhite);
  Theme.DrawStatusBarPart(c.Canvas(), TRect(0, 0, 12, 12), 3);
  for (TPoint p : {TPoint(10, 10), TPoint(9, 10), TPoint(7, 10), TPoint(6, 10)})
    EXPECT_EQ(c.At(p.x, p.y), RgbOf(clBtnShadow)) << p.x << "," << p.y;
  for (TPoint p : {TPoint(8, 10), TPoint(5, 10), TPoint(2, 10)})
    EXPECT_EQ(c.At(p.x, p.y), RgbOf(clBtnHighlight)) << p.x << "," << p.y;
  EXPECT_EQ(c.At(11, 11), RgbOf(clBtnFace));
  EXPECT_EQ(c.At(2, 11), RgbOf(clBtnFace));
}

TEST(OfficeXPThemeRegistration, RegistersUnderItsName)
{
  THeadlessDisplay::Use();
  RegisterOfficeXPTheme();
  TTBWTheme* theme = AcquireTheme("officexp");
  EXPECT_NE(dynamic_cast<TTBWOfficeXPTheme*>(theme), nullptr);
  ReleaseTheme(theme);
  EXPECT_EQ(ThemeGlyphs(), nullptr);
  ClearThemeRegistry();
  FreeThemeManager();
}

}  // namespace
