// The drawing helpers of the document objects on a 32-bit bitmap: 3-D
// frames one and three pixels wide, the frame of a printed form control,
// text wrapped inside a rectangle; and form controls drawn into a printed
// page in place of their windows.
#include <gtest/gtest.h>

#include "RenderSupport.h"
#include "TestFonts.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/DocumentForms.h"
#include "controls/html/forms/FormControl.h"
#include "controls/html/paint/DrawingHelpers.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/gdi.h"

namespace {

// A white 32-bit canvas of W x H.
class TCanvasFixture {
public:
  TCanvasFixture(int W, int H) : DC(CreateCompatibleDC(nullptr)), Bitmap(CreateBitmap(W, H, 1, 32, nullptr))
  {
    Old = SelectObject(DC, Bitmap);
    FillSolid(DC, {0, 0, W, H}, 0xFFFFFF);
  }
  ~TCanvasFixture()
  {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  std::uint32_t Pixel(int X, int Y) { return GetPixel(DC, X, Y) & 0xFFFFFF; }
  HDC DC;
  HBITMAP Bitmap;
  HGDIOBJ Old;
};

// COLORREF (blue in the high byte) of a plain RGB value.
std::uint32_t Ref(std::uint32_t Rgb) { return ((Rgb & 0xFF) << 16) | (Rgb & 0xFF00) | (Rgb >> 16); }

}  // namespace

TEST(DrawingHelpersTest, FramesOfWidthOneAndThreeShowTheSameSides)
{
  auto Doc = MakeDocument();  // a white page: the light side is silver
  for (bool Raised : {true, false})
    for (int Width : {1, 3}) {
      TCanvasFixture C(40, 40);
      RaisedFrame(C.DC, *Doc, {5, 5, 35, 35}, Raised, Width);
      const std::uint32_t Light = Ref(0xC0C0C0), Dark = ColorToRGB(clBtnShadow) & 0xFFFFFF;
      const std::uint32_t TopLeft = Raised ? Light : Dark, BottomRight = Raised ? Dark : Light;
      EXPECT_EQ(C.Pixel(5, 20), TopLeft) << Raised << Width;
      EXPECT_EQ(C.Pixel(20, 5), TopLeft) << Raised << Width;
      EXPECT_EQ(C.Pixel(34, 20), BottomRight) << Raised << Width;
      EXPECT_EQ(C.Pixel(20, 34), BottomRight) << Raised << Width;
      EXPECT_EQ(C.Pixel(5 + Width, 20), 0xFFFFFFu) << Raised << Width;  // inside stays
      EXPECT_EQ(C.Pixel(35, 20), 0xFFFFFFu) << Raised << Width;         // nothing outside
    }
  // Printing on a monochrome printer: both sides black.
  Doc->Printing = Doc->MonochromePrinter = true;
  TCanvasFixture C(40, 40);
  RaisedFrame(C.DC, *Doc, {5, 5, 35, 35}, true, 1);
  EXPECT_EQ(C.Pixel(5, 20), 0u);
  EXPECT_EQ(C.Pixel(34, 20), 0u);
}

TEST(DrawingHelpersTest, FormControlFrameIsTwoPixelsSunkenOnAColourDevice)
{
  TCanvasFixture C(40, 30);
  FormControlFrame(C.DC, 5, 5, 35, 25, true, true, false);
  const std::uint32_t Shadow = ColorToRGB(clBtnShadow) & 0xFFFFFF, Face = ColorToRGB(clBtnFace) & 0xFFFFFF;
  EXPECT_EQ(C.Pixel(5, 15), Shadow);
  EXPECT_EQ(C.Pixel(6, 15), Shadow);
  EXPECT_EQ(C.Pixel(33, 15), Ref(0xC0C0C0));
  EXPECT_EQ(C.Pixel(34, 15), Ref(0xC0C0C0));
  EXPECT_EQ(C.Pixel(20, 15), Face);  // filled
}

TEST(DrawingHelpersTest, WrappedTextStopsAtTheLastWholeLineAboveTheBottom)
{
  const THtmlFontService& Fonts = TestFonts();
  const THtmlFontDesc Font{"Arial", -10, {}, DEFAULT_CHARSET, 0};
  const int Line = Fonts.Metrics(Font).Height;
  // Room for two whole lines and part of a third; each word fills a line.
  const std::u16string Text = u"aaaa bbbb cccc";
  std::vector<int> Ext(4);
  Fonts.TextExtents(Font, Text.data(), 4, Ext.data());
  TCanvasFixture C(100, 100);
  const TRect R{10, 10, 10 + Ext[3] + 2, 10 + 2 * Line + Line / 2};
  WrapText(C.DC, Fonts, Font, 0, R, Text);
  auto InkInRow = [&](int Top) {
    for (int Y = Top; Y < Top + Line; ++Y)
      for (int X = 0; X < 100; ++X)
        if (C.Pixel(X, Y) != 0xFFFFFF)
          return true;
    return false;
  };
  EXPECT_TRUE(InkInRow(10));
  EXPECT_TRUE(InkInRow(10 + Line));
  EXPECT_FALSE(InkInRow(10 + 2 * Line));  // the third line would pass the bottom
  for (int Y = 0; Y < 100; ++Y)
    EXPECT_EQ(C.Pixel(R.Right + 1, Y), 0xFFFFFFu);
}

TEST(DrawingHelpersTest, PrintedFormControlsAreDrawnIntoThePageAndTheirWindowsStay)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY><INPUT type=checkbox checked> <INPUT value=\"Jean\"> <INPUT type=submit value=Go>",
                        *Doc);
  Doc->Printing = true;
  Doc->PageHeight = Doc->PageBottom = 1000;
  const TRendered R = Render(*Doc, 400);
  const auto& Controls = Doc->Forms->ControlList;
  ASSERT_EQ(Controls.size(), 3u);
  const std::uint32_t Shadow = ColorToRGB(clBtnShadow) & 0xFFFFFF;
  for (TFormControlObj* C : Controls)
    EXPECT_EQ(C->TheControl()->Left(), TFormControlObj::ParkedLeft);  // not moved onto the page
  // The check box at the body's left margin: its sunken frame and its tick.
  const int Y0 = Controls[0]->YValue;
  EXPECT_EQ(At(R.Picture, 10, Y0 + 6), Shadow);
  bool Tick = false;
  for (int Y = Y0 + 2; Y < Y0 + 11; ++Y)
    for (int X = 12; X < 22; ++X)
      Tick = Tick || At(R.Picture, X, Y) == 0;
  EXPECT_TRUE(Tick);
  // The edit's frame and its text, right of the check box.
  const int Y1 = Controls[1]->YValue, H1 = Controls[1]->Height;
  bool Frame = false, Text = false;
  for (int Y = Y1; Y < Y1 + H1; ++Y)
    for (int X = 30; X < 200; ++X) {
      Frame = Frame || At(R.Picture, X, Y) == Shadow;
      Text = Text || At(R.Picture, X, Y) == 0;
    }
  EXPECT_TRUE(Frame);
  EXPECT_TRUE(Text);
}
