#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFonts.h"
#include "controls/html/styles/Properties.h"
#include "controls/html/styles/StyleConversions.h"
#include "controls/html/text/FixedFontService.h"
#include "controls/html/text/RasterFontService.h"
#include "controls/html/text/TextMeasure.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/gdi/DeviceContext.h"
#include "tests/platform_draw/DrawFixture.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

int Width(const THtmlFontService& Fonts, const THtmlFontDesc& Font, const std::u16string& Text)
{
  return TextWidth(Fonts, Font, Text.data(), int(Text.size()));
}

// The smallest rectangle holding every pixel that is not white.
TRect InkBounds(const TDrawFixture& F, int W, int H)
{
  TRect Ink(W, H, 0, 0);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if (F.At(X, Y) != White) {
        Ink.Left = std::min<LONG>(Ink.Left, X);
        Ink.Top = std::min<LONG>(Ink.Top, Y);
        Ink.Right = std::max<LONG>(Ink.Right, X + 1);
        Ink.Bottom = std::max<LONG>(Ink.Bottom, Y + 1);
      }
  return Ink;
}

struct TServiceCase {
  const char* Name;
  const THtmlFontService* Fonts;
};

std::vector<TServiceCase> BothServices()
{
  static const TRasterFontService Raster;
  return {{"raster", &Raster}, {"fixed", &TestFonts()}};
}

}  // namespace

// What the layout relies on of either service: text grows as it gets longer,
// letter spacing adds to every character, and the ink of drawn text (or its
// background) stays inside the cell the same text measures.
TEST(FontServiceTest, MeasuringAndDrawingAgree)
{
  const THtmlFontDesc Font{"Arial", -16, {}, DEFAULT_CHARSET};
  const std::u16string Text = u"Hello, world";
  for (const TServiceCase& C : BothServices()) {
    SCOPED_TRACE(C.Name);
    const THtmlFontService& Fonts = *C.Fonts;
    std::vector<int> Extents(Text.size());
    Fonts.TextExtents(Font, Text.data(), int(Text.size()), Extents.data());
    for (std::size_t I = 1; I < Extents.size(); ++I)
      EXPECT_GT(Extents[I], Extents[I - 1]) << I;
    THtmlFontDesc Spaced = Font;
    Spaced.CharExtra = 3;
    EXPECT_EQ(Width(Fonts, Spaced, Text), Extents.back() + 3 * int(Text.size()));

    const THtmlTextMetrics M = Fonts.Metrics(Font);
    EXPECT_EQ(M.Height, M.Ascent + M.Descent);
    const int X = 5, Y = 4, W = Width(Fonts, Spaced, Text) + 20, H = M.Height + 10;
    TDrawFixture F(W, H);
    Fonts.DrawText(F.DC, X, Y, Font, clBlack, clNone, Text.data(), int(Text.size()));
    TRect Ink = InkBounds(F, W, H);
    EXPECT_GE(Ink.Left, X);
    EXPECT_LE(Ink.Right, X + Extents.back());
    EXPECT_GE(Ink.Top, Y);
    EXPECT_LE(Ink.Bottom, Y + M.Height);
    // The last character drew where its advance was measured.
    EXPECT_GT(Ink.Right, X + Extents[Extents.size() - 2]);

    // A background fills exactly the measured cell, and a clip cuts it.
    F.Fill(White);
    Fonts.DrawText(F.DC, X, Y, Spaced, clBlack, clRed, Text.data(), int(Text.size()));
    EXPECT_EQ(InkBounds(F, W, H), TRect(X, Y, X + Width(Fonts, Spaced, Text), Y + M.Height));
    F.Fill(White);
    const TRect Clip(X, 0, X + 20, H);
    Fonts.DrawText(F.DC, X, Y, Font, clBlack, clRed, Text.data(), int(Text.size()), &Clip);
    EXPECT_EQ(InkBounds(F, W, H), TRect(X, Y, X + 20, Y + M.Height));
  }
}

TEST(FontServiceTest, ItalicRunsOverhangATenthOfTheirHeight)
{
  THtmlTextMetrics M;
  M.Height = 25;
  EXPECT_EQ(ItalicOverhang({"Arial", -20, {fsItalic}, DEFAULT_CHARSET}, M), 2);
  EXPECT_EQ(ItalicOverhang({"Arial", -20, {fsBold}, DEFAULT_CHARSET}, M), 0);
}

TEST(FontServiceTest, FixedFontDrawsBoxesInTheMeasuredCells)
{
  // Height -10: cells 12 high, ascent 9, internal leading 2; 5 pixels a character.
  TDrawFixture F(17, 13);
  const std::u16string Text = u"a b";
  TestFonts().DrawText(F.DC, 1, 0, {"Arial", -10, {fsUnderline}, DEFAULT_CHARSET}, clBlack, clNone, Text.data(), 3);
  EXPECT_EQ(F.Picture(), ".................\n"
                         ".................\n"
                         ".####......####..\n"
                         ".####......####..\n"
                         ".####......####..\n"
                         ".####......####..\n"
                         ".####......####..\n"
                         ".####......####..\n"
                         ".####......####..\n"
                         ".................\n"
                         ".###############.\n"
                         ".................\n"
                         ".................\n");
}

// The drawing layer's service measures the real faces: a proportional face
// gives narrow and wide letters their own widths where the fixed metrics do
// not, and a monospaced face does not.
TEST(FontServiceTest, RasterServiceMeasuresRealFaces)
{
  const TRasterFontService Raster;
  const std::u16string Narrow = u"iiiiiiii", Wide = u"MMMMMMMM";
  const THtmlFontDesc Sans{"Arial", -16, {}, DEFAULT_CHARSET};
  const THtmlFontDesc Mono{"Courier New", -16, {}, DEFAULT_CHARSET};
  EXPECT_LT(Width(Raster, Sans, Narrow) * 2, Width(Raster, Sans, Wide));
  EXPECT_EQ(Width(TestFonts(), Sans, Narrow), Width(TestFonts(), Sans, Wide));
  EXPECT_EQ(Width(Raster, Mono, Narrow), Width(Raster, Mono, Wide));
  EXPECT_NE(Width(Raster, Sans, Wide), Width(Raster, Mono, Wide));

  // Larger and bolder fonts measure larger.
  const THtmlFontDesc Big{"Arial", -32, {}, DEFAULT_CHARSET};
  EXPECT_GT(Raster.Metrics(Big).Height, Raster.Metrics(Sans).Height);
  EXPECT_GT(Width(Raster, Big, Wide), Width(Raster, Sans, Wide));
  THtmlFontDesc Bold = Sans;
  Bold.Style = {fsBold};
  EXPECT_GT(Width(Raster, Bold, u"Hello world"), Width(Raster, Sans, u"Hello world"));
}

// Fonts asked for in turn, more of them than the service keeps realised,
// with metrics asked between measures, measure as each does on its own.
TEST(FontServiceTest, RasterServiceMeasuresAlternatingFontsAsEachAlone)
{
  const TRasterFontService Mixed;
  const std::u16string Text = u"Hello world";
  std::vector<THtmlFontDesc> Fonts;
  for (int Height = -8; Height >= -82; --Height)
    Fonts.push_back({Height % 2 ? "Arial" : "Courier New", Height, Height % 3 ? TFontStyles{} : TFontStyles{fsBold},
                     DEFAULT_CHARSET});
  for (int Round = 0; Round < 2; ++Round)
    for (std::size_t I = 0; I < Fonts.size(); ++I) {
      const THtmlFontDesc& Font = Fonts[I];
      const THtmlFontDesc& Other = Fonts[(I * 7 + 3) % Fonts.size()];
      const TRasterFontService Alone;
      EXPECT_EQ(Mixed.Metrics(Other).Height, Alone.Metrics(Other).Height);
      EXPECT_EQ(Width(Mixed, Font, Text), Width(Alone, Font, Text)) << Font.Height;
      EXPECT_EQ(Mixed.Metrics(Font).Ascent, Alone.Metrics(Font).Ascent);
    }
}

// Faces are looked up in the service the style sets are given: the drawing
// layer knows its own built-in face and the installed ones, the fixed
// metrics only the faces they were made with.
TEST(FontServiceTest, FacesAndFontsComeFromTheServiceHandedIn)
{
  const TRasterFontService Raster;
  EXPECT_TRUE(Raster.FaceInstalled("Arial"));
  EXPECT_TRUE(Raster.FaceInstalled(" corvane fixed "));
  EXPECT_FALSE(Raster.FaceInstalled("No Such Face"));
  EXPECT_FALSE(Raster.FaceInstalled(""));
  // The same face asked again, and in another case, answers as the first time.
  EXPECT_FALSE(Raster.FaceInstalled("No Such Face"));
  EXPECT_FALSE(Raster.FaceInstalled("No Such Face"));
  EXPECT_TRUE(Raster.FaceInstalled("ARIAL"));
  EXPECT_TRUE(Raster.FaceInstalled("ARIAL"));
  EXPECT_EQ(Raster.PixelsPerInch(), 96);
  // Large system fonts: the service follows the screen's resolution.
  ASSERT_TRUE(SetScreenPixelsPerInch(120));
  EXPECT_EQ(Raster.PixelsPerInch(), 120);
  SetScreenPixelsPerInch(96);

  std::string Name;
  EXPECT_TRUE(ReadFontName(Raster, "Corvane Fixed, serif", Name));
  EXPECT_EQ(Name, "Corvane Fixed");
  EXPECT_TRUE(ReadFontName(TestFonts(), "Corvane Fixed, serif", Name));
  EXPECT_EQ(Name, "Times New Roman");

  // An element's font is realised by its own service.
  for (const THtmlFontService* Fonts : {static_cast<const THtmlFontService*>(&Raster), &TestFonts()}) {
    TProperties P(*Fonts);
    P.Props[piFontFamily] = "monospace";
    P.Props[piFontSize] = 12.0;
    std::unique_ptr<TMyFont> Font = P.GetFont();
    const THtmlTextMetrics M = Fonts->Metrics(Font->Desc());
    EXPECT_EQ(Font->tmHeight, M.Height);
    EXPECT_EQ(Font->tmDescent, M.Descent);
    EXPECT_EQ(P.EmSize(), M.Height - M.InternalLeading);
  }
  TProperties Real(Raster), Fixed(TestFonts());
  for (TProperties* P : {&Real, &Fixed}) {
    P->Props[piFontFamily] = "monospace";
    P->Props[piFontSize] = 12.0;
  }
  EXPECT_NE(Real.GetFont()->tmHeight, Fixed.GetFont()->tmHeight);
}
