// The Default theme's colours, sizes, metrics and features on both paths, and
// the plain path on a system without the visual-style module.
#include <cstdlib>

#include "DefaultThemeFixture.h"
#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/detail/TBWThemeHelpers.h"

namespace {

COLORREF StyleColor(HTHEME theme, int property)
{
  COLORREF color = 0;
  EXPECT_GE(VisualStyles().GetThemeColor(theme, 0, 0, property, &color), 0);
  return color;
}

TEST_F(DefaultThemeTest, ColoursOnThePlainPath)
{
  SetPath(false);
  ASSERT_FALSE(Styled());
  EXPECT_EQ(Theme->ToolbarColor(), clBtnFace);
  EXPECT_EQ(Theme->ToolbarTextColor(), clBtnText);
  EXPECT_EQ(Theme->StatusBarColor(), clBtnFace);
  // A quarter of the face over the window colour, snapped to the screen.
  EXPECT_EQ(ColorToRGB(Theme->DockPanelColor()),
            ColorToRGB(NearestMixedColor(TColor(GetSysColor(COLOR_BTNFACE)), TColor(GetSysColor(COLOR_WINDOW)), 64)));

  const TColor menu = ThemeSystemState().MenuColor;
  const struct {
    std::uint32_t ViewKind;
    TColor Color;
  } views[] = {
      {VT_TOOLBAR, Theme->ToolbarColor()},
      {VT_MENUBAR | VT_FLOATING, Theme->ToolbarColor()},
      {VT_POPUPMENU, menu},
      {VT_LISTBOX, clWindow},
      {VT_TOOLBOXPOPUP, Theme->ToolbarColor()},
      {VT_CHEVRONPOPUP, menu},
      {0x2010, Theme->ToolbarColor()},
      {VT_DOCKPANEL | 3, Theme->DockPanelColor()},
      {VT_STATUSBAR, Theme->StatusBarColor()},
      {0, clBtnFace},
  };
  for (const auto& v : views)
    EXPECT_EQ(Theme->GetViewColor(v.ViewKind), v.Color) << std::hex << v.ViewKind;
}

TEST_F(DefaultThemeTest, DockPanelColourFollowsASchemeChange)
{
  SetPath(false);
  SelectSysColorScheme(TSysColorScheme::FlatGrey);
  SendMessage(ThemeManagerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  // Face 192 and a white window: (192 * 64 + 255 * 191) shr 8 = 238.
  EXPECT_EQ(ColorToRGB(Theme->DockPanelColor()), RGB(238, 238, 238));
}

TEST_F(DefaultThemeTest, ColoursOnTheStyledPathComeFromTheVisualStyles)
{
  SetPath(true);
  ASSERT_TRUE(Styled());
  const TThemeSystemState& system = ThemeSystemState();
  EXPECT_EQ(ColorToRGB(Theme->ToolbarColor()), StyleColor(system.Handles[3], TMT_FILLCOLOR));
  EXPECT_EQ(ColorToRGB(Theme->ToolbarTextColor()), StyleColor(system.Handles[3], TMT_TEXTCOLOR));
  EXPECT_EQ(ColorToRGB(Theme->StatusBarColor()), StyleColor(system.Handles[7], TMT_FILLCOLOR));
  EXPECT_EQ(ColorToRGB(Theme->DockPanelColor()),
            ColorToRGB(NearestMixedColor(TColor(ColorToRGB(Theme->ToolbarColor())), TColor(GetSysColor(COLOR_WINDOW)), 64)));
  // Back on the plain path the theme hears the change and returns to the face.
  SetPath(false);
  EXPECT_EQ(Theme->ToolbarColor(), clBtnFace);
}

TEST_F(DefaultThemeTest, StyledCaptionsStayReadableUnderDarkSystemColours)
{
  // Captions are written in clBtnText on the styles' toolbar and status
  // faces: under dark system colours those faces must be dark as well.
  SetPath(true);
  ASSERT_TRUE(Styled());
  SelectSysColorScheme(TSysColorScheme::Dark);
  SendMessage(ThemeManagerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  const int text = themes_detail::Brightness(clBtnText);
  for (TColor face : {Theme->ToolbarColor(), Theme->StatusBarColor(), Theme->DockPanelColor()})
    EXPECT_GT(std::abs(themes_detail::Brightness(face) - text), 100) << std::hex << ColorToRGB(face);
}

TEST_F(DefaultThemeTest, ItemColoursByState)
{
  for (bool styled : {false, true}) {
    SetPath(styled);
    const TColor menuText = ThemeSystemState().MenuTextColor;
    const std::uint32_t active = IO_APPACTIVE;
    const struct {
      TTBWItemInfo Info;
      TColor Text, Fill;
    } cases[] = {
        {Item(VT_POPUPMENU, active, false), clGrayText, Theme->GetViewColor(VT_POPUPMENU)},
        {Item(VT_POPUPMENU, active, true, HK_HOVER), clHighlightText,
         styled ? Theme->GetViewColor(VT_POPUPMENU) : TColor(clHighlight)},
        {Item(VT_POPUPMENU, active), menuText, Theme->GetViewColor(VT_POPUPMENU)},
        {Item(VT_MENUBAR, IO_TOOLBARSTYLE), clGrayText, Theme->ToolbarColor()},
        {Item(VT_MENUBAR, IO_TOOLBARSTYLE | active), clBtnText, Theme->ToolbarColor()},
        {Item(VT_TOOLBAR, IO_TOOLBARSTYLE, true, HK_HOVER), clBtnText, Theme->ToolbarColor()},
        {Item(VT_CHEVRONPOPUP, IO_TOOLBARSTYLE | active), clBtnText, Theme->GetViewColor(VT_CHEVRONPOPUP)},
    };
    for (const auto& c : cases) {
      EXPECT_EQ(Theme->GetItemTextColor(c.Info), c.Text) << styled << " " << std::hex << c.Info.ViewKind;
      EXPECT_EQ(Theme->GetItemFillColor(c.Info), c.Fill) << styled << " " << std::hex << c.Info.ViewKind;
    }
    // Images: a chevron popup and a hot popup item sit on the toolbar colour.
    EXPECT_EQ(Theme->GetImageBackColor(Item(VT_CHEVRONPOPUP, IO_TOOLBARSTYLE)), Theme->ToolbarColor());
    EXPECT_EQ(Theme->GetImageBackColor(Item(VT_POPUPMENU, 0, true, HK_HOVER)), Theme->ToolbarColor());
    EXPECT_EQ(Theme->GetImageBackColor(Item(VT_POPUPMENU, 0)), Theme->GetViewColor(VT_POPUPMENU));
    EXPECT_EQ(Theme->GetImageShift(nullptr, Item(VT_TOOLBAR, 1, true, 0, false, true), nullptr), TPoint(1, 1));
    EXPECT_EQ(Theme->GetImageShift(nullptr, Item(VT_TOOLBAR, 1, true, HK_HOVER), nullptr), TPoint(0, 0));
  }
}

TEST_F(DefaultThemeTest, FrameSizesAndViewMargins)
{
  const TPoint fixed(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME));
  const TPoint sizing(GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME));
  const struct {
    std::uint32_t ViewKind;
    TPoint Size;
  } frames[] = {
      {VT_POPUPMENU, {3, 3}},        {VT_TOOLBOXPOPUP, {3, 3}},
      {VT_CHEVRONPOPUP, {3, 3}},     {VT_LISTBOX, {1, 1}},
      {VT_TOOLBAR, {2, 2}},          {VT_MENUBAR | VT_ITEMSOPAQUE, {2, 2}},
      {VT_DOCKPANEL, {2, 2}},        {VT_TOOLBAR | VT_FLOATING, fixed},
      {VT_TOOLBAR | VT_FLOATING | VT_RESIZABLE, sizing}, {VT_DOCKPANEL | VT_FLOATING, fixed},
      {VT_STATUSBAR, {0, 0}},        {0, {0, 0}},
  };
  for (bool styled : {false, true}) {
    SetPath(styled);
    for (const auto& f : frames) {
      TPoint size(-1, -1);
      Theme->GetViewFrameSize(f.ViewKind, size);
      EXPECT_EQ(size, f.Size) << styled << " " << std::hex << f.ViewKind;
    }
    ItemMarginSet margins;
    Theme->GetViewMargins(VT_TOOLBAR | VT_FLOATING, margins);
    EXPECT_EQ((std::vector<int>{margins.Left, margins.Right, margins.Top, margins.Bottom}),
              (std::vector<int>{4, 4, 2, 1}));
    Theme->GetViewMargins(VT_TOOLBAR, margins);
    EXPECT_EQ(margins.Left + margins.Right + margins.Top + margins.Bottom, 0);
  }
}

std::vector<int> Margins(TTBWTheme& theme, int kind)
{
  ItemMarginSet m{-9, -9, -9, -9};
  theme.GetItemMargins(kind, m);
  return {m.Left, m.Right, m.Top, m.Bottom};
}

TEST_F(DefaultThemeTest, ItemMarginsOnBothPaths)
{
  SetPath(false);
  EXPECT_EQ(Margins(*Theme, MID_TOOLBARITEM), (std::vector<int>{2, 2, 2, 2}));
  EXPECT_EQ(Margins(*Theme, MID_MENUITEM), (std::vector<int>{0, 0, 2, 2}));
  EXPECT_EQ(Margins(*Theme, MID_STATUSPANE), (std::vector<int>{1, 3, 1, 1}));
  EXPECT_EQ(Margins(*Theme, 7), (std::vector<int>{0, 0, 0, 0}));

  SetPath(true);
  const TThemeSystemState& system = ThemeSystemState();
  MARGINS caption;
  ASSERT_GE(VisualStyles().GetThemeMargins(system.Handles[3], nullptr, TP_BUTTON, TS_HOT, TMT_CAPTIONMARGINS, nullptr,
                                           &caption),
            0);
  EXPECT_EQ(Margins(*Theme, MID_TOOLBARITEM),
            (std::vector<int>{caption.cxLeftWidth, caption.cxRightWidth, caption.cyTopHeight, caption.cyBottomHeight}));
  EXPECT_EQ(Margins(*Theme, MID_MENUITEM), (std::vector<int>{0, 0, 2, 2}));
  const RECT box{0, 0, 100, 100};
  RECT content;
  ASSERT_GE(VisualStyles().GetThemeBackgroundContentRect(system.Handles[7], nullptr, SP_PANE, 0, &box, &content), 0);
  EXPECT_EQ(Margins(*Theme, MID_STATUSPANE),
            (std::vector<int>{content.Left, 100 - content.Right, content.Top, 100 - content.Bottom}));
}

TEST_F(DefaultThemeTest, MetricsAndFeatures)
{
  const std::pair<int, int> fixedMetrics[] = {{20, 8}, {21, 3}, {32, 1}, {33, 2}, {34, 2}, {35, -1}, {36, 2},
                                              {37, 4}, {50, 6}, {60, 2}, {61, 2}, {62, 1}, {65, 13}, {66, 0},
                                              {0, -1}, {11, -1}, {999, -1}};
  for (bool styled : {false, true}) {
    SetPath(styled);
    for (const auto& [id, value] : fixedMetrics)
      EXPECT_EQ(Theme->GetMetric(id), value) << styled << " id " << id;
    EXPECT_EQ(Theme->HasFeature(TBF_PAINTDOCKBACKGROUND), styled);
    for (int id : {0, 1, 2, 6, 7, 99})
      EXPECT_FALSE(Theme->HasFeature(id)) << id;
    EXPECT_EQ(Theme->GetPopupShadowKind(), PST_WINDOWSXP);
  }
  SetPath(false);
  EXPECT_EQ(Theme->GetMetric(TMI_SPLITBTN_ARROWWIDTH), 11);
  SetPath(true);
  SIZE arrow;
  ASSERT_GE(VisualStyles().GetThemePartSize(ThemeSystemState().Handles[3], nullptr, TP_SPLITBUTTONDROPDOWN, TS_NORMAL,
                                            nullptr, TS_TRUE, &arrow),
            0);
  EXPECT_EQ(Theme->GetMetric(TMI_SPLITBTN_ARROWWIDTH), arrow.cx + 2);
}

TEST_F(DefaultThemeTest, WithoutTheVisualStyleModuleEverythingStaysPlain)
{
  SetVisualStyleLibraryName("no-visual-styles-here.dll");
  SetPath(false);
  SetPath(true);  // asked for, but the module cannot be loaded
  EXPECT_FALSE(Styled());
  EXPECT_FALSE(VisualStylesBound());
  for (HTHEME handle : ThemeSystemState().Handles)
    EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(Theme->ToolbarColor(), clBtnFace);
  EXPECT_EQ(Theme->StatusBarColor(), clBtnFace);
  EXPECT_EQ(Theme->GetMetric(TMI_SPLITBTN_ARROWWIDTH), 11);
  EXPECT_FALSE(Theme->HasFeature(TBF_PAINTDOCKBACKGROUND));
  EXPECT_EQ(Margins(*Theme, MID_TOOLBARITEM), (std::vector<int>{2, 2, 2, 2}));
  // The plain painting: a dock gets no theme background, a hot toolbar item
  // its raised edge.
  Surface.Fill(0x123456);
  Theme->DrawDockBackground(&Canvas, TRect(0, 0, 40, 40), TRect(0, 0, 40, 40), DS_TOP);
  EXPECT_EQ(At(20, 20), 0x123456u);
  Theme->DrawItemFrame(&Canvas, TRect(0, 0, 20, 20), Item(VT_TOOLBAR, IO_TOOLBARSTYLE, true, HK_HOVER));
  EXPECT_EQ(At(0, 5), Pixel(clBtnHighlight));
  EXPECT_EQ(At(19, 5), Pixel(clBtnShadow));
}

TEST_F(DefaultThemeTest, RegisteredAsDefault)
{
  ClearThemeRegistry();
  RegisterDefaultTheme();
  RegisterDefaultTheme();  // a second start-up changes nothing
  ASSERT_TRUE(ThemeExists("default"));
  TTBWTheme* theme = AcquireTheme("Default");
  EXPECT_NE(dynamic_cast<TTBWDefaultTheme*>(theme), nullptr);
  EXPECT_EQ(theme->Name(), "Default");
  ReleaseTheme(theme);
  ClearThemeRegistry();
}

}  // namespace
