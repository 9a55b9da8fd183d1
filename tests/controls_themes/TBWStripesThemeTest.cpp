#include <gtest/gtest.h>

#include "ItemInfoOf.h"
#include "ThemeTestCanvas.h"
#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/SysColors.h"

namespace {

constexpr TColor Magenta = 0xFF00FF;

class StripesTheme : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    SelectSysColorScheme(TSysColorScheme::Classic);
    UpdateSystemState();
  }
  void TearDown() override
  {
    SetLowColorDisplay(false);
    FreeThemeManager();
  }
  void UseLowColour()
  {
    SetLowColorDisplay(true);
    UpdateSystemState();
    BroadcastSystemChange();
  }
  TTBWStripesTheme Theme{"Stripes"};
};

std::vector<TRgb> Pixels(TThemeTestCanvas& C)
{
  std::vector<TRgb> out;
  for (int y = 0; y < C.Height(); ++y)
    for (int x = 0; x < C.Width(); ++x)
      out.push_back(C.At(x, y));
  return out;
}

TEST_F(StripesTheme, PaintingInPiecesEqualsPaintingAtOnce)
{
  const TRect area(0, 3, 30, 40);
  const TColor face = clBtnFace;
  TThemeTestCanvas whole(30, 40), pieces(30, 40);
  whole.Fill(Magenta);
  pieces.Fill(Magenta);
  Theme.DrawViewBackground(whole.Canvas(), TRect(), area, area, face, false, VT_TOOLBAR);
  // Split at rows that fall on a dark, a light and a plain row.
  for (const TRect& part : {TRect(0, 3, 30, 11), TRect(0, 11, 12, 17), TRect(12, 11, 30, 17), TRect(0, 17, 30, 40)})
    Theme.DrawViewBackground(pieces.Canvas(), TRect(), part, area, face, false, VT_TOOLBAR);
  EXPECT_EQ(Pixels(whole), Pixels(pieces));
}

TEST_F(StripesTheme, StripeRowsFollowTheAreaAndStayInsideTheRedrawnPart)
{
  const TRect area(0, 3, 10, 40);
  TThemeTestCanvas c(10, 40);
  c.Fill(Magenta);
  // Redraw rows 9 .. 21 only: phase from the area's top (3).
  Theme.DrawViewBackground(c.Canvas(), TRect(), TRect(0, 9, 10, 21), area, clBtnFace, false, VT_TOOLBAR);
  const TStripeColors stripes = StripeColorsFor(clBtnFace);
  for (int y = 0; y < 40; ++y) {
    TRgb expected = RgbOf(Magenta);
    if (y >= 9 && y < 21) {
      const int phase = (y - area.Top) % 5;
      expected = phase == 0 ? RgbOf(stripes.Dark) : phase == 1 ? RgbOf(stripes.Light) : RgbOf(clBtnFace);
    }
    EXPECT_EQ(c.At(4, y), expected) << y;
  }
}

TEST_F(StripesTheme, StripeColoursBrightenDarkFaces)
{
  // Brightness 150 gets 16 + (200 - 150) / 20 = 18 more; 220 gets 16.
  EXPECT_EQ(RgbOf(StripeColorsFor(0x969696).Light), (TRgb{168, 168, 168}));
  EXPECT_EQ(RgbOf(StripeColorsFor(0xDCDCDC).Light), (TRgb{236, 236, 236}));
  EXPECT_EQ(RgbOf(StripeColorsFor(0xDCDCDC).Dark), (TRgb{204, 204, 204}));
  EXPECT_EQ(RgbOf(StripeColorsFor(0xF8F8F8).Light), (TRgb{255, 255, 255}));
}

TEST_F(StripesTheme, PlainFillsWhereNoStripesBelong)
{
  struct TCase {
    std::uint32_t ViewKind;
    bool LowColour;
  } cases[] = {{VT_MENUBAR, false}, {VT_DOCKPANEL | 1, false}, {VT_TOOLBAR | VT_ITEMSOPAQUE, false}, {VT_TOOLBAR, true}};
  for (const TCase& k : cases) {
    if (k.LowColour)
      UseLowColour();
    TThemeTestCanvas c(8, 12);
    c.Fill(Magenta);
    Theme.DrawViewBackground(c.Canvas(), TRect(), TRect(0, 0, 8, 12), TRect(0, 0, 8, 12), clBtnFace, false,
                             k.ViewKind);
    for (int y = 0; y < 12; ++y)
      EXPECT_EQ(c.At(3, y), RgbOf(clBtnFace)) << k.ViewKind << " row " << y;
  }
}

TEST_F(StripesTheme, DotTileOnAColour)
{
  TThemeTestCanvas c(12, 12);
  c.Fill(Magenta);
  const TColor face = clBtnFace;
  // 12 pixels across: a textured area of 10, from 0.
  DrawDotTexture(c.DC(), TRect(0, 0, 12, 12), face, 0);
  const TRgb light = RgbOf(WeightedColorMix(TColor(ColorToRGB(face)), TColor(ColorToRGB(clBtnHighlight)), 32));
  const TRgb dark = RgbOf(WeightedColorMix(TColor(ColorToRGB(face)), TColor(ColorToRGB(clBtnShadow)), 64));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      TRgb expected = RgbOf(face);
      if (x < 10 && y < 10) {
        const int tx = x % 8, ty = y % 8;
        if (tx % 4 == 0 && ty % 4 == 0)
          expected = light;
        else if (tx % 4 == 1 && ty % 4 == 1)
          expected = dark;
      }
      EXPECT_EQ(c.At(x, y), expected) << x << "," << y;
    }
}

TEST_F(StripesTheme, DotsDrawnDirectlyWithoutAColour)
{
  TThemeTestCanvas c(12, 12);
  c.Fill(Magenta);
  DrawDotTexture(c.DC(), TRect(0, 0, 12, 12), clNone, 0);
  EXPECT_EQ(c.At(1, 1), RgbOf(clBtnHighlight));
  EXPECT_EQ(c.At(2, 2), RgbOf(clBtnShadow));
  EXPECT_EQ(c.At(5, 5), RgbOf(clBtnHighlight));
  EXPECT_EQ(c.At(0, 0), RgbOf(Magenta));
  EXPECT_EQ(c.At(3, 3), RgbOf(Magenta));
}

TEST_F(StripesTheme, SoftOutlineLeavesItsCornersOpen)
{
  TThemeTestCanvas c(10, 8);
  c.Fill(Magenta);
  DrawSoftOutline(c.DC(), TRect(0, 0, 10, 8), 2, 2, clBlack);
  const TRgb black{0, 0, 0}, open = RgbOf(Magenta);
  for (TPoint p : {TPoint(2, 0), TPoint(7, 0), TPoint(9, 2), TPoint(9, 5), TPoint(7, 7), TPoint(2, 7),
                   TPoint(0, 5), TPoint(0, 2), TPoint(8, 1), TPoint(1, 1)})
    EXPECT_EQ(c.At(p.x, p.y), black) << p.x << "," << p.y;
  for (TPoint p : {TPoint(0, 0), TPoint(1, 0), TPoint(0, 1), TPoint(9, 0), TPoint(8, 0), TPoint(9, 7),
                   TPoint(0, 7), TPoint(5, 4)})
    EXPECT_EQ(c.At(p.x, p.y), open) << p.x << "," << p.y;
}

TEST_F(StripesTheme, IdentityColoursAndMetrics)
{
  for (int id = 0; id < 10; ++id)
    EXPECT_FALSE(Theme.HasFeature(id)) << id;
  EXPECT_EQ(Theme.GetPopupShadowKind(), PST_WINDOWS2K);
  EXPECT_EQ(Theme.GetMetric(10), 12);
  EXPECT_EQ(Theme.GetMetric(60), 2);
  EXPECT_EQ(Theme.GetMetric(62), 1);
  TPoint size;
  Theme.GetViewFrameSize(VT_POPUPMENU, size);
  EXPECT_EQ(size, TPoint(3, 3));
  Theme.GetViewFrameSize(VT_TOOLBAR, size);
  EXPECT_EQ(size, TPoint(2, 2));
  Theme.GetViewFrameSize(VT_LISTBOX, size);
  EXPECT_EQ(size, TPoint(2, 2));
  EXPECT_EQ(RgbOf(Theme.ShadowColor()), (TRgb{142, 141, 140}));
  EXPECT_EQ(RgbOf(Theme.PanelColor()), (TRgb{243, 242, 240}));
  EXPECT_EQ(Theme.GetViewColor(VT_DOCKPANEL), Theme.PanelColor());
  UseLowColour();
  EXPECT_EQ(Theme.ShadowColor(), clBtnShadow);
}

TEST_F(StripesTheme, ItemTextColours)
{
  TTBWItemInfo info;
  info.ViewKind = VT_POPUPMENU;
  EXPECT_EQ(Theme.GetItemTextColor(info), Theme.ShadowColor());  // disabled
  info.HoverKind = HK_DISABLED;
  EXPECT_EQ(Theme.GetItemTextColor(info), clBtnShadow);
  info.Enabled = 1;
  EXPECT_EQ(Theme.GetItemTextColor(info), clHighlightText);
  info.HoverKind = HK_NONE;
  EXPECT_EQ(Theme.GetItemTextColor(info), clMenuText);
  info.ViewKind = VT_MENUBAR;
  info.ItemOptions = IO_TOOLBARSTYLE;
  EXPECT_EQ(Theme.GetItemTextColor(info), clGrayText);  // inactive application
  info.ItemOptions |= IO_APPACTIVE;
  EXPECT_EQ(Theme.GetItemTextColor(info), clMenuText);
  info.ViewKind = VT_TOOLBAR;
  EXPECT_EQ(Theme.GetItemTextColor(info), clBtnText);
}

TEST_F(StripesTheme, PushedItemFaceIsADitherInsideAShadowOutline)
{
  TThemeTestCanvas c(20, 20);
  c.Fill(Magenta);
  TTBWItemInfo info;
  info.ViewKind = VT_TOOLBAR;
  info.ItemOptions = IO_TOOLBARSTYLE;
  info.Enabled = 1;
  info.Pushed = 1;
  Theme.DrawItemFrame(c.Canvas(), TRect(0, 0, 20, 20), info);
  EXPECT_EQ(c.At(0, 0), RgbOf(Magenta));  // cut corner
  EXPECT_EQ(c.At(10, 0), RgbOf(clBtnShadow));
  EXPECT_EQ(c.At(1, 10), RgbOf(clBtnFace));  // inner left edge
  const TRgb second = RgbOf(WeightedColorMix(TColor(ColorToRGB(clBtnHighlight)), TColor(ColorToRGB(clBtnFace)), 128));
  EXPECT_EQ(c.At(10, 10), RgbOf(clBtnHighlight));
  EXPECT_EQ(c.At(11, 10), second);
}

TEST_F(StripesTheme, TakesFromTheDefaultWhatItDoesNotOverride)
{
  // A checked popup item shows the Default's tick: x0 = 7, y0 = 10.
  const TTBWItemInfo checked = ItemInfoOf(VT_POPUPMENU, 0, true, HK_NONE, false, true);
  TThemeTestCanvas c(16, 16);
  c.Fill(Magenta);
  Theme.DrawCheckGlyph(c.Canvas(), TRect(0, 0, 16, 16), checked);
  for (TPoint p : {TPoint(5, 8), TPoint(7, 10), TPoint(11, 6)})
    EXPECT_EQ(c.At(p.x, p.y), RgbOf(clBtnText)) << p.x << "," << p.y;
  EXPECT_EQ(c.At(12, 7), RgbOf(clBtnHighlight));

  EXPECT_EQ(Theme.GetImageShift(c.Canvas(), checked, nullptr), TPoint(1, 1));
  EXPECT_EQ(Theme.GetMetric(32), 1);  // the gap before a popup's image column
  ItemMarginSet margins;
  Theme.GetItemMargins(2, margins);
  EXPECT_EQ((TRect{margins.Left, margins.Right, margins.Top, margins.Bottom}), TRect(0, 0, 2, 2));
  // Floating views take the Default's fixed frame.
  TPoint size;
  Theme.GetViewFrameSize(VT_TOOLBAR | VT_FLOATING, size);
  EXPECT_EQ(size, TPoint(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME)));

  // The chevron: the Default's pattern, 4 pixels below the top.
  TThemeTestCanvas bar(16, 20);
  bar.Fill(Magenta);
  Theme.DrawChevronGlyph(bar.Canvas(), TRect(0, 0, 16, 20), ItemInfoOf(VT_TOOLBAR, IO_TOOLBARSTYLE));
  EXPECT_EQ(bar.At(4, 4), RgbOf(clBtnText));
  EXPECT_EQ(bar.At(6, 4), RgbOf(Magenta));
}

TEST_F(StripesTheme, SeparatorLinesAndTheirInsets)
{
  TTBWItemInfo info = ItemInfoOf(VT_POPUPMENU, 0);
  TThemeTestCanvas c(40, 30);
  c.Fill(Magenta);
  Theme.DrawSeparatorLine(c.Canvas(), TRect(0, 0, 40, 9), info, true, false);
  // One row at (0 + 9) div 2, one pixel in from either end.
  EXPECT_EQ(Silhouette(c, TRect(0, 0, 40, 30), Theme.ShadowColor()), std::vector<std::string>{std::string(38, '#')});
  EXPECT_EQ(c.At(1, 4), RgbOf(Theme.ShadowColor()));
  EXPECT_EQ(c.At(0, 4), RgbOf(Magenta));
  EXPECT_EQ(c.At(39, 4), RgbOf(Magenta));
  c.Fill(Magenta);
  Theme.DrawSeparatorLine(c.Canvas(), TRect(0, 0, 9, 30), info, false, false);
  EXPECT_EQ(c.At(4, 1), RgbOf(Theme.ShadowColor()));
  EXPECT_EQ(c.At(4, 28), RgbOf(Theme.ShadowColor()));
  EXPECT_EQ(c.At(4, 0), RgbOf(Magenta));
  EXPECT_EQ(c.At(4, 29), RgbOf(Magenta));
  // Not enabled: nothing.
  c.Fill(Magenta);
  info.Enabled = 0;
  Theme.DrawSeparatorLine(c.Canvas(), TRect(0, 0, 40, 9), info, true, false);
  EXPECT_TRUE(Silhouette(c, TRect(0, 0, 40, 30), Theme.ShadowColor()).empty());
}

TEST_F(StripesTheme, SizeGripLinesSkipPositionsByItsSize)
{
  auto mix = [](TColor A, TColor B) { return NearestMixedColor(TColor(ColorToRGB(A)), TColor(ColorToRGB(B)), 64); };
  const TColor dark = mix(clBtnFace, clBtnShadow), light = mix(clBtnFace, clBtnHighlight);
  // Along the bottom row (Bottom - 2) line k starts at x = Right - k - 2:
  // '-' untouched, 'd' dark, 'l' light, counted from k = 0.
  const struct {
    int Side;
    const char* Lines;
  } cases[] = {
      {16, "--d-l-d-l-d-l"},  // a gap between the lines and after each group
      {10, "--dl-dl-dl"},     // a gap after each group only
      {8, "--dldldl"},
  };
  for (const auto& k : cases) {
    TThemeTestCanvas c(k.Side, k.Side);
    c.Fill(Magenta);
    Theme.DrawStatusBarPart(c.Canvas(), TRect(0, 0, k.Side, k.Side), 3);
    for (int i = 0; k.Lines[i]; ++i) {
      const int x = k.Side - i - 2;
      if (x < 0)
        break;
      const TRgb expected = k.Lines[i] == 'd' ? RgbOf(dark) : k.Lines[i] == 'l' ? RgbOf(light) : RgbOf(Magenta);
      EXPECT_EQ(c.At(x, k.Side - 2), expected) << k.Side << " k=" << i;
    }
    // No closing corner line.
    EXPECT_EQ(c.At(k.Side - 1, k.Side - 1), RgbOf(Magenta)) << k.Side;
    EXPECT_EQ(c.At(0, k.Side - 1), RgbOf(Magenta)) << k.Side;
  }
}

TEST_F(StripesTheme, ArrowTrianglesAndCloseCross)
{
  using Rows = std::vector<std::string>;
  const TTBWItemInfo item = ItemInfoOf(VT_TOOLBAR, IO_TOOLBARSTYLE);
  // Centre (5, 4); pushed items move by one, disabled ones go grey.
  const struct {
    bool Pushed, Enabled;
    TPoint Tip;
  } arrows[] = {{false, true, {5, 6}}, {true, true, {6, 7}}, {false, false, {5, 6}}};
  for (const auto& a : arrows) {
    TTBWItemInfo info = item;
    info.Pushed = a.Pushed;
    info.Enabled = a.Enabled;
    const TColor color = a.Enabled ? TColor(clBtnText) : Theme.ShadowColor();
    TThemeTestCanvas c(12, 12);
    c.Fill(Magenta);
    Theme.DrawDropdownArrow(c.Canvas(), TRect(0, 0, 10, 10), info);
    EXPECT_EQ(Silhouette(c, TRect(0, 0, 12, 12), color), (Rows{"#####", ".###.", "..#.."})) << a.Pushed;
    EXPECT_EQ(c.At(a.Tip.x, a.Tip.y), RgbOf(color)) << a.Pushed;
  }

  // The submenu triangle at x = 100 - 2 * 13 / 3, y = 20 div 2.
  TThemeTestCanvas menu(100, 20);
  menu.Fill(Magenta);
  Theme.DrawMenuItemFrame(menu.Canvas(), TRect(0, 0, 100, 20), ItemInfoOf(VT_POPUPMENU, IO_SUBMENUITEM));
  EXPECT_EQ(Silhouette(menu, TRect(0, 0, 100, 20), clMenuText),
            (Rows{"#...", "##..", "###.", "####", "###.", "##..", "#..."}));
  EXPECT_EQ(menu.At(92, 7), RgbOf(clMenuText));

  // The 7 x 6 close cross of a panel caption bar.
  const Rows cross{"##...##", ".##.##.", "..###..", "..###..", ".##.##.", "##...##"};
  EXPECT_EQ(PanelCloseGlyph(Theme, clBtnText), cross);
}

TEST(StripesThemeRegistration, RegistersUnderItsName)
{
  THeadlessDisplay::Use();
  RegisterStripesTheme();
  TTBWTheme* theme = AcquireTheme("Stripes");
  EXPECT_NE(dynamic_cast<TTBWStripesTheme*>(theme), nullptr);
  ReleaseTheme(theme);
  ClearThemeRegistry();
  FreeThemeManager();
}

TEST_F(StripesTheme, FloatingCaptionIsDottedOnlyWhileActive)
{
  const FloatingPaintState base = FloatingToolbarState(TPoint(4, 4), 72, 30);
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  for (bool active : {true, false}) {
    FloatingPaintState state = base;
    state.CaptionActive = active;
    TThemeTestCanvas c(80, 60);
    Theme.DrawFloatingFrame(c.Canvas(), TRect(0, 0, 80, 60), state);
    int dots = 0;
    for (int y = 4; y < 4 + h - 2; ++y)
      for (int x = 4; x < 76; ++x)
        dots += c.At(x, y) != RgbOf(clBtnFace);
    EXPECT_EQ(dots > 0, active);
    EXPECT_EQ(c.At(30, 4 + h - 2), RgbOf(clBtnFace));
    EXPECT_EQ(c.At(30, 4 + h - 1), RgbOf(Theme.ShadowColor()));
  }
}

TEST_F(StripesTheme, EditButtonStartsFurtherLeftAndScrollArrowKeepsFaceCorners)
{
  TTBWItemInfo info;
  info.ViewKind = VT_TOOLBAR;
  info.ItemOptions = IO_TOOLBARSTYLE;
  info.Enabled = 1;
  EditFieldPaintState field;
  field.ButtonWidth = 13;
  field.Button.ButtonType = EBT_DROPDOWN;
  field.Button.State = BPS_PUSHED;
  TThemeTestCanvas c(60, 20);
  c.Fill(Magenta);
  Theme.DrawEditField(c.Canvas(), TRect(0, 0, 60, 20), info, field);
  // Inner rectangle 2 .. 58: the button starts 13 + 2 pixels before its end.
  EXPECT_EQ(c.At(42, 10), RgbOf(clWindow));
  EXPECT_EQ(c.At(43, 10), RgbOf(clBtnFace));
  const TRgb face[2] = {c.At(50, 4), c.At(51, 4)};
  EXPECT_NE(face[0], face[1]);
  EXPECT_TRUE(face[0] == RgbOf(clBtnHighlight) || face[1] == RgbOf(clBtnHighlight));

  TThemeTestCanvas arrow(20, 16);
  arrow.Fill(Magenta);
  Theme.DrawScrollArrowButton(arrow.Canvas(), TRect(0, 0, 20, 16), SAB_UP, false);
  EXPECT_EQ(arrow.At(0, 0), RgbOf(clBtnFace));
  EXPECT_EQ(arrow.At(19, 15), RgbOf(clBtnFace));
  EXPECT_NE(arrow.At(1, 0), RgbOf(clBtnFace));
  EXPECT_EQ(arrow.At(10, 5), RgbOf(clBtnText));
}

TEST_F(StripesTheme, RadioDotSitsThreePixelsInsideItsCircle)
{
  TThemeTestCanvas c(13, 13);
  c.Fill(Magenta);
  EXPECT_EQ(Theme.DrawCheckControl(c.Canvas(), TRect(0, 0, 13, 13), true, CCS_HOT, CCK_RADIO), 1);
  EXPECT_EQ(c.At(6, 6), RgbOf(clBtnText));
  EXPECT_EQ(c.At(6, 1), RgbOf(clBtnText));
  EXPECT_EQ(c.At(0, 0), RgbOf(Magenta));
  EXPECT_NE(c.At(6, 3), RgbOf(clBtnText));
}

}  // namespace
