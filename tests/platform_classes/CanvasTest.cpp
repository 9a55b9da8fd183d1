#include <gtest/gtest.h>

#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Text.h"

namespace {

struct BuiltinFont {
  BuiltinFont() { SetBuiltinFontOnly(true); }
  ~BuiltinFont() { SetBuiltinFontOnly(false); }
};

int CountColor(TCanvas* c, const TRect& r, TColor color)
{
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      n += c->Pixels(x, y) == color;
  return n;
}

}  // namespace

TEST(CanvasTest, ShapesFollowPenAndBrushChangesBetweenCalls)
{
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(20, 6);
  TCanvas* c = bitmap.Canvas();
  c->FillRect(TRect(0, 0, 20, 6));
  ASSERT_EQ(c->Pixels(19, 5), clWhite);

  c->Pen()->SetColor(clRed);
  c->Brush()->SetColor(clBlue);
  c->Rectangle(0, 0, 5, 5);
  EXPECT_EQ(c->Pixels(0, 0), clRed);
  EXPECT_EQ(c->Pixels(4, 4), clRed);
  EXPECT_EQ(c->Pixels(2, 2), clBlue);
  EXPECT_EQ(c->Pixels(5, 5), clWhite);

  // The brush is selected in the context: a change must reach the next call.
  c->Brush()->SetColor(clLime);
  c->FillRect(TRect(6, 0, 8, 2));
  EXPECT_EQ(c->Pixels(6, 0), clLime);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(9, 0, 14, 5);
  EXPECT_EQ(c->Pixels(9, 0), clRed);
  EXPECT_EQ(c->Pixels(11, 2), clWhite);

  // An XOR pen drawn twice gives the background back.
  c->Pen()->SetColor(clWhite);
  c->Pen()->SetMode(pmXor);
  c->MoveTo(15, 1);
  c->LineTo(19, 1);
  EXPECT_EQ(c->Pixels(16, 1), clBlack);
  c->MoveTo(15, 1);
  c->LineTo(19, 1);
  EXPECT_EQ(c->Pixels(16, 1), clWhite);
  EXPECT_EQ(c->PenPos(), TPoint(19, 1));
}

TEST(CanvasTest, TextUsesTheFontAndTheBrushAsTheyAreAtEachCall)
{
  BuiltinFont builtin;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(40, 30);
  TCanvas* c = bitmap.Canvas();
  c->FillRect(TRect(0, 0, 40, 30));
  EXPECT_EQ(c->TextWidth("ab"), 12);
  EXPECT_EQ(c->TextHeight("ab"), 13);

  c->Font()->SetColor(clRed);
  c->Brush()->SetColor(clYellow);
  c->TextOut(0, 0, "ab");
  EXPECT_EQ(c->PenPos(), TPoint(12, 0));
  TRect first(0, 0, 12, 13);
  EXPECT_GT(CountColor(c, first, clRed), 4);
  EXPECT_GT(CountColor(c, first, clYellow), 40);
  EXPECT_EQ(CountColor(c, first, clRed) + CountColor(c, first, clYellow), 12 * 13);

  c->Font()->SetColor(clBlue);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(0, 15, "ab");
  TRect second(0, 15, 12, 28);
  EXPECT_GT(CountColor(c, second, clBlue), 4);
  EXPECT_EQ(CountColor(c, second, clRed), 0);
  EXPECT_EQ(CountColor(c, second, clBlue) + CountColor(c, second, clWhite), 12 * 13);

  // TextRect clips to its rectangle and fills it with an opaque brush.
  c->Brush()->SetColor(clAqua);
  c->TextRect(TRect(20, 0, 26, 13), 20, 0, "abcdef");
  EXPECT_EQ(CountColor(c, TRect(20, 0, 26, 13), clAqua) + CountColor(c, TRect(20, 0, 26, 13), clBlue), 6 * 13);
  EXPECT_EQ(CountColor(c, TRect(26, 0, 40, 13), clWhite), 14 * 13);
}

TEST(CanvasTest, CanvasWithoutContextRefusesToDraw)
{
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect(TRect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(CanvasTest, CopyRectStretchesBetweenCanvases)
{
  TBitmap source, dest;
  source.SetPixelFormat(pf32bit);
  source.SetSize(2, 1);
  source.Canvas()->SetPixels(0, 0, clRed);
  source.Canvas()->SetPixels(1, 0, clBlue);
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(4, 2);
  dest.Canvas()->CopyRect(TRect(0, 0, 4, 2), source.Canvas(), TRect(0, 0, 2, 1));
  EXPECT_EQ(dest.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(dest.Canvas()->Pixels(2, 0), clBlue);
}

TEST(CanvasTest, FontSizesHandlesAndAssignAcrossResolutions)
{
  TFont font;
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);

  HFONT first = font.Handle();
  EXPECT_EQ(font.Handle(), first);
  font.SetColor(clRed);  // not part of the layer's font
  EXPECT_EQ(font.Handle(), first);
  font.SetStyle({fsBold});
  EXPECT_NE(font.Handle(), first);

  TFont large;
  large.SetPixelsPerInch(120);
  TFont normal;
  normal.SetStyle({fsItalic});
  large.Assign(&normal);
  EXPECT_EQ(large.Size(), 8);
  EXPECT_EQ(large.Height(), -13);
  EXPECT_TRUE(large.Style() == TFontStyles{fsItalic});
  LOGFONTA lf{};
  ASSERT_NE(GetObjectA(large.Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_NE(lf.lfItalic, 0);
}
