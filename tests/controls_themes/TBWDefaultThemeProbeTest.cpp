// Pixel probes of the Default theme: the shapes whose every pixel is fixed
// (check mark, separators, chevron, arrow, size grip), the caption looks of
// disabled items, and the styled path drawing the visual-style part of each
// item state.
#include "DefaultThemeFixture.h"
#include "controls/themes/TBWConsts.h"
#include "platform/classes/graphics/Font.h"

namespace {

constexpr uint32_t Ground = 0x0000FF;  // a background no theme colour uses

class DefaultThemeProbes : public DefaultThemeTest {
protected:
  void SetUp() override
  {
    DefaultThemeTest::SetUp();
    SetPath(false);
    Surface.Fill(Ground);
  }
  // Counts the pixels of the surface in the colour.
  int Count(TColor Color)
  {
    int n = 0;
    for (int y = 0; y < Surface.Height(); ++y)
      for (int x = 0; x < Surface.Width(); ++x)
        n += At(x, y) == Pixel(Color);
    return n;
  }
};

TEST_F(DefaultThemeProbes, CheckMarkPolylines)
{
  Theme->DrawCheckGlyph(&Canvas, TRect(0, 0, 16, 16), Item(VT_POPUPMENU, 0));
  // x0 = 7, y0 = 10: the dark stroke, its end pixels left out.
  for (TPoint p : {TPoint(5, 8), TPoint(6, 9), TPoint(7, 10), TPoint(10, 7), TPoint(11, 6), TPoint(11, 7),
                   TPoint(8, 10), TPoint(7, 11), TPoint(5, 9)})
    EXPECT_EQ(At(p.x, p.y), Pixel(clBtnText)) << p.x << "," << p.y;
  // The light stroke after it.
  for (TPoint p : {TPoint(4, 8), TPoint(4, 9), TPoint(6, 11), TPoint(7, 12), TPoint(11, 8), TPoint(12, 7),
                   TPoint(12, 6)})
    EXPECT_EQ(At(p.x, p.y), Pixel(clBtnHighlight)) << p.x << "," << p.y;
  EXPECT_EQ(At(12, 5), Ground);

  Surface.Fill(Ground);
  Theme->DrawCheckGlyph(&Canvas, TRect(0, 0, 16, 16), Item(VT_POPUPMENU, 0, false));
  EXPECT_EQ(At(7, 10), Pixel(clGrayText));
  EXPECT_EQ(Count(clBtnHighlight), 0);
}

TEST_F(DefaultThemeProbes, MenuSeparatorRowsAndInsets)
{
  Theme->DrawSeparatorLine(&Canvas, TRect(0, 0, 40, 9), Item(VT_POPUPMENU, 0), true, false);
  // (0 + 9) div 2 - 1 = 3: a shadow row over a light row, 12 pixels in.
  EXPECT_EQ(At(12, 3), Pixel(clBtnShadow));
  EXPECT_EQ(At(26, 3), Pixel(clBtnShadow));  // the edge's rows stop short of the far corner
  EXPECT_EQ(At(12, 4), Pixel(clBtnHighlight));
  EXPECT_EQ(At(11, 3), Ground);
  EXPECT_EQ(At(28, 3), Ground);
  EXPECT_EQ(At(20, 2), Ground);
  EXPECT_EQ(At(20, 5), Ground);
}

TEST_F(DefaultThemeProbes, ToolbarSeparatorsAndLineBreaks)
{
  const TTBWItemInfo docked = Item(VT_TOOLBAR, IO_TOOLBARSTYLE);
  Theme->DrawSeparatorLine(&Canvas, TRect(0, 0, 6, 20), docked, false, false);
  // (0 + 6) div 2 - 1 = 2, the whole height.
  EXPECT_EQ(At(2, 0), Pixel(clBtnShadow));
  EXPECT_EQ(At(3, 18), Pixel(clBtnHighlight));
  Surface.Fill(Ground);
  Theme->DrawSeparatorLine(&Canvas, TRect(0, 0, 30, 6), docked, true, true);
  EXPECT_EQ(At(3, 2), Ground);  // a docked line break: inset 4
  EXPECT_EQ(At(4, 2), Pixel(clBtnShadow));
  EXPECT_EQ(At(24, 2), Pixel(clBtnShadow));
  EXPECT_EQ(At(26, 2), Ground);
  Surface.Fill(Ground);
  Theme->DrawSeparatorLine(&Canvas, TRect(0, 0, 30, 6), Item(VT_TOOLBAR | VT_FLOATING, IO_TOOLBARSTYLE), true, true);
  EXPECT_EQ(At(0, 2), Ground);  // floating: inset 1
  EXPECT_EQ(At(1, 2), Pixel(clBtnShadow));
  // A separator that is not enabled paints nothing, on either path.
  for (bool styled : {false, true}) {
    SetPath(styled);
    Surface.Fill(Ground);
    Theme->DrawSeparatorLine(&Canvas, TRect(0, 0, 30, 20), Item(VT_TOOLBAR, IO_TOOLBARSTYLE, false), false, false);
    EXPECT_EQ(Count(TColor(0xFF0000)), 40 * 40) << styled;
  }
}

TEST_F(DefaultThemeProbes, ChevronPatternAndEmbossing)
{
  // A horizontal toolbar's chevron: 8 x 5, 4 pixels below the top, centred.
  Theme->DrawChevronGlyph(&Canvas, TRect(0, 0, 16, 20), Item(VT_TOOLBAR, IO_TOOLBARSTYLE));
  const char* rows[5] = {"##..##..", ".##..##.", "..##..##", ".##..##.", "##..##.."};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(At(4 + x, 4 + y) == Pixel(clBtnText), rows[y][x] == '#') << x << "," << y;
  Surface.Fill(Ground);
  Theme->DrawChevronGlyph(&Canvas, TRect(0, 0, 16, 20), Item(VT_TOOLBAR, IO_TOOLBARSTYLE, false));
  EXPECT_EQ(At(4, 4), Pixel(clBtnShadow));
  EXPECT_EQ(At(12, 7), Pixel(clBtnHighlight));  // the light copy, one pixel down and right
}

TEST_F(DefaultThemeProbes, DropdownArrowTriangles)
{
  // Centre (5, 4): (3, 4), (7, 4), (5, 6).
  Theme->DrawDropdownArrow(&Canvas, TRect(0, 0, 10, 10), Item(VT_POPUPMENU, 0));
  EXPECT_EQ(At(5, 4), Pixel(clBtnText));
  EXPECT_EQ(At(5, 5), Pixel(clBtnText));
  EXPECT_EQ(At(5, 3), Ground);
  EXPECT_EQ(At(5, 7), Ground);
  // Pushed: moved by one; the arrow part of a split item stays.
  Surface.Fill(Ground);
  Theme->DrawDropdownArrow(&Canvas, TRect(0, 0, 10, 10), Item(VT_POPUPMENU, 0, true, 0, true));
  EXPECT_EQ(At(6, 5), Pixel(clBtnText));
  EXPECT_EQ(At(5, 4), Ground);
  Surface.Fill(Ground);
  TTBWItemInfo arrow = Item(VT_POPUPMENU, 0, true, 0, true);
  arrow.ComboPart = CP_SPLITRIGHT;
  Theme->DrawDropdownArrow(&Canvas, TRect(0, 0, 10, 10), arrow);
  EXPECT_EQ(At(5, 4), Pixel(clBtnText));
}

TEST_F(DefaultThemeProbes, SizeGripLines)
{
  // A 12-pixel grip: each group led by a shadow line, then shadow and light.
  Theme->DrawStatusBarPart(&Canvas, TRect(0, 0, 12, 12), 3);
  EXPECT_EQ(At(10, 10), Pixel(clBtnShadow));      // k = 0
  EXPECT_EQ(At(9, 10), Pixel(clBtnShadow));       // k = 1
  EXPECT_EQ(At(10, 9), Pixel(clBtnShadow));
  EXPECT_EQ(At(8, 10), Pixel(clBtnHighlight));    // k = 2
  EXPECT_EQ(At(10, 8), Pixel(clBtnHighlight));
  EXPECT_EQ(At(2, 10), Pixel(clBtnHighlight));    // k = 8, the last line
  EXPECT_EQ(At(11, 11), Pixel(Theme->StatusBarColor()));  // the closing polyline
  EXPECT_EQ(At(2, 11), Pixel(Theme->StatusBarColor()));
  EXPECT_EQ(At(11, 2), Pixel(Theme->StatusBarColor()));
  EXPECT_EQ(At(11, 1), Ground);  // lines leave out their end pixel
  EXPECT_EQ(At(1, 11), Ground);
}

TEST_F(DefaultThemeProbes, EditFieldButtonTakesTheLastPixelsInsideTheFrame)
{
  EditFieldPaintState field;
  field.ButtonWidth = 13;
  field.Button.ButtonType = EBT_DROPDOWN;
  Theme->DrawEditField(&Canvas, TRect(0, 0, 40, 20), Item(VT_TOOLBAR, IO_TOOLBARSTYLE), field);
  // Inside the 2-pixel frame (2 .. 38) the button holds 25 .. 38 and the
  // field reaches 2 pixels under it; the arrow sits in the button.
  EXPECT_EQ(At(24, 10), Pixel(clWindow));
  EXPECT_EQ(At(26, 10), Pixel(clWindow));
  EXPECT_NE(At(27, 10), Pixel(clWindow));
  int arrow = 0;
  for (int y = 2; y < 18; ++y)
    for (int x = 25; x < 38; ++x)
      arrow += At(x, y) == Pixel(clMenuText);
  EXPECT_GT(arrow, 4);
  EXPECT_EQ(Count(clMenuText), arrow);
}

TEST_F(DefaultThemeProbes, DisabledCaptionsEmbossedOrFlat)
{
  Canvas.Font()->SetColor(clNone);
  const UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
  Theme->DrawItemCaption(&Canvas, TRect(2, 2, 40, 20), Item(VT_POPUPMENU, 0, false), "W", format, false);
  EXPECT_GT(Count(clBtnHighlight), 0);
  EXPECT_GT(Count(clBtnShadow), 0);
  // Selected from the keyboard: flat, in the grey text colour.
  Surface.Fill(Ground);
  Theme->DrawItemCaption(&Canvas, TRect(2, 2, 40, 20), Item(VT_POPUPMENU, 0, false, HK_DISABLED), "W", format, false);
  EXPECT_EQ(Count(clBtnHighlight), 0);
  EXPECT_GT(Count(clGrayText), 0);
  // A menu bar of an inactive application: grey, not embossed.
  Surface.Fill(Ground);
  Theme->DrawItemCaption(&Canvas, TRect(2, 2, 40, 20), Item(VT_MENUBAR, IO_TOOLBARSTYLE), "W", format, false);
  EXPECT_EQ(Count(clBtnHighlight), 0);
  EXPECT_GT(Count(clGrayText), 0);
}

TEST_F(DefaultThemeProbes, StyledItemFacesAreTheToolbarPartsOfTheirState)
{
  SetPath(true);
  ASSERT_TRUE(Styled());
  HTHEME toolbar = ThemeSystemState().Handles[3];
  const struct {
    TTBWItemInfo Info;
    int Part, State;
  } cases[] = {
      {Item(VT_TOOLBAR, 1), TP_BUTTON, TS_NORMAL},
      {Item(VT_TOOLBAR, 1, true, HK_HOVER), TP_BUTTON, TS_HOT},
      {Item(VT_TOOLBAR, 1, true, HK_HOVER, true), TP_BUTTON, TS_PRESSED},
      {Item(VT_TOOLBAR, 1, true, 0, false, true), TP_BUTTON, TS_CHECKED},
      {Item(VT_TOOLBAR, 1, true, HK_HOVER, false, true), TP_BUTTON, TS_HOTCHECKED},
      {Item(VT_TOOLBAR, 1, false), TP_BUTTON, TS_DISABLED},
      {Item(VT_TOOLBAR, 1, false, HK_DISABLED), TP_BUTTON, TS_HOT},
  };
  TScratchBitmap expected(40, 40);
  for (const auto& c : cases) {
    for (std::uint8_t part = 0; part < 4; ++part) {
      TTBWItemInfo info = c.Info;
      info.ComboPart = part;
      Surface.Fill(Ground);
      expected.Fill(Ground);
      const TRect r(4, 4, 30, 30);
      Theme->DrawItemFrame(&Canvas, r, info);
      VisualStyles().DrawThemeBackground(toolbar, expected.DC(), c.Part + part, c.State, &r, nullptr);
      GdiFlush();
      bool same = true;
      for (int y = 0; y < 40 && same; ++y)
        for (int x = 0; x < 40 && same; ++x)
          same = (Surface.At(x, y) & 0xFFFFFF) == (expected.At(x, y) & 0xFFFFFF);
      EXPECT_TRUE(same) << "state " << c.State << " part " << c.Part + part;
    }
  }
}

}  // namespace
