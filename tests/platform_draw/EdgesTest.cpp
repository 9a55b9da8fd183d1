#include <gtest/gtest.h>

#include "DrawFixture.h"

namespace {
std::map<COLORREF, char> SchemeLegend()
{
  return {{GetSysColor(COLOR_3DLIGHT), 'l'},    {GetSysColor(COLOR_3DDKSHADOW), 'd'},
          {GetSysColor(COLOR_BTNHIGHLIGHT), 'h'}, {GetSysColor(COLOR_BTNSHADOW), 's'},
          {RGB(0, 0, 255), '.'},                 {GetSysColor(COLOR_WINDOWTEXT), 't'}};
}
}  // namespace

TEST(Edges, RaisedAndSunkenRingsTakeTheirColours)
{
  // The classic scheme: 3D light equals the face, so the face fill is checked apart.
  SelectSysColorScheme(TSysColorScheme::Classic);
  struct Case {
    UINT edge;
    const char* picture;
  } cases[] = {
      {EDGE_RAISED, "lllllld\nlhhhhsd\nlh...sd\nlsssssd\nddddddd\n"},
      {EDGE_SUNKEN, "ssssssh\nsddddlh\nsd...lh\nslllllh\nhhhhhhh\n"},
      {EDGE_ETCHED, "ssssssh\nshhhhsh\nsh...sh\nssssssh\nhhhhhhh\n"},
      {BDR_RAISEDINNER, "hhhhhhs\nh.....s\nh.....s\nh.....s\nsssssss\n"},
  };
  auto legend = SchemeLegend();
  for (const auto& c : cases) {
    TDrawFixture f(7, 5, RGB(0, 0, 255));
    TRect r{0, 0, 7, 5};
    ASSERT_TRUE(DrawEdge(f.DC, &r, c.edge, BF_RECT));
    EXPECT_EQ(f.Picture(legend), c.picture) << c.edge;
  }
}

TEST(Edges, AdjustMiddleAndSides)
{
  SelectSysColorScheme(TSysColorScheme::Dark);
  TDrawFixture f(6, 4, RGB(0, 0, 255));
  TRect r{0, 0, 6, 4};
  DrawEdge(f.DC, &r, EDGE_SUNKEN, BF_LEFT | BF_TOP | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(r, TRect(2, 2, 6, 4));  // two rings off the left and top only
  EXPECT_EQ(f.At(5, 3), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(f.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(f.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
  // Flat: the shadow outside, the face inside, on every side.
  TRect flat{0, 0, 6, 4};
  DrawEdge(f.DC, &flat, EDGE_RAISED, BF_RECT | BF_FLAT);
  EXPECT_EQ(f.At(5, 3), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(f.At(1, 2), GetSysColor(COLOR_BTNFACE));
  SelectSysColorScheme(TSysColorScheme::Classic);
}

TEST(Edges, FrameControlsDrawTheirGlyphs)
{
  SelectSysColorScheme(TSysColorScheme::Classic);
  TDrawFixture f(13, 13, RGB(0, 0, 255));
  TRect r{0, 0, 13, 13};
  DrawFrameControl(f.DC, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  // Sunken box, white inside, the check mark in window text.
  EXPECT_EQ(f.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(f.At(2, 2), GetSysColor(COLOR_WINDOW));
  int ink = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x)
      ink += f.At(x, y) == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(ink, 21);  // the pixels of the 7x7 check mark
  // The close button of a caption: a raised face and a cross; pushed moves the cross.
  TDrawFixture c(16, 14, RGB(0, 0, 255));
  TRect b{0, 0, 16, 14};
  DrawFrameControl(c.DC, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE);
  COLORREF ink1 = c.At(4, 3);
  DrawFrameControl(c.DC, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
  EXPECT_EQ(ink1, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(c.At(5, 4), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));  // sunken when pushed
  // A radio button mask is a filled disc of black.
  TDrawFixture m(12, 12);
  TRect mr{0, 0, 12, 12};
  DrawFrameControl(m.DC, &mr, DFC_BUTTON, DFCS_BUTTONRADIOMASK);
  EXPECT_EQ(m.At(6, 6), 0u);
  EXPECT_EQ(m.At(0, 0), RGB(255, 255, 255));
}

TEST(Edges, GradientCaptionRunsBetweenTheCaptionColours)
{
  SelectSysColorScheme(TSysColorScheme::Classic);
  TDrawFixture f(50, 15);
  TRect r{0, 0, 50, 15};
  SetBuiltinFontOnly(true);
  DrawCaptionText(f.DC, &r, u"Corvane", DC_ACTIVE | DC_GRADIENT | DC_TEXT | DC_SMALLCAP);
  SetBuiltinFontOnly(false);
  EXPECT_EQ(f.At(0, 0), GetSysColor(COLOR_ACTIVECAPTION));
  COLORREF end = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
  EXPECT_NEAR(GetRValue(f.At(49, 0)), GetRValue(end), 4);
  int text = 0;
  for (int x = 0; x < 50; ++x)
    for (int y = 0; y < 15; ++y)
      text += f.At(x, y) == GetSysColor(COLOR_CAPTIONTEXT);
  EXPECT_GT(text, 20);
}
