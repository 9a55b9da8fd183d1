#include <gtest/gtest.h>

#include "controls/utility/UtBitmapCells.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"

namespace {

// A grid of 6 x 3 cells of 16 x 13 pixels, cell n filled with the colour n + 1.
void FillGrid(TBitmap& grid)
{
  grid.SetSize(96, 39);
  for (int n = 0; n < 18; ++n) {
    grid.Canvas()->Brush()->SetColor(TColor(n + 1));
    grid.Canvas()->FillRect(TRect(n % 6 * 16, n / 6 * 13, n % 6 * 16 + 16, n / 6 * 13 + 13));
  }
}

// A picture that is not a bitmap: it paints the left half of where it is drawn.
class THalfGraphic : public TGraphic {
public:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override
  {
    ACanvas->Brush()->SetColor(clBlue);
    ACanvas->FillRect(TRect(Rect.Left, Rect.Top, Rect.Left + Rect.Width() / 2, Rect.Bottom));
  }
  bool Empty() const override { return false; }
  int Width() const override { return 40; }
  int Height() const override { return 20; }
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  void LoadFromStream(TStream*) override {}
  void SaveToStream(TStream*) override {}
  TGraphic* NewInstance() const override { return new THalfGraphic; }
};

}  // namespace

TEST(UtBitmapCells, CopiesTheCellCountedRowByRow)
{
  TBitmap grid;
  FillGrid(grid);
  grid.SetTransparentColor(TColor(0x00FF00FF));
  grid.SetTransparent(true);
  struct Case {
    int columns, rows, index;
    int width, height;
    TColor first, last;  // the colours at the top left and the bottom right
  } cases[] = {
      {6, 3, 7, 16, 13, 8, 8},    // column 1, row 1
      {6, 3, 0, 16, 13, 1, 1},    {6, 3, -4, 16, 13, 1, 1},  // a negative index counts as 0
      {6, 3, 17, 16, 13, 18, 18}, {0, 0, 0, 96, 39, 1, 18},  // no columns or rows: one cell
  };
  for (const Case& c : cases) {
    TBitmap cell;
    CopyBitmapCell(&grid, &cell, c.columns, c.rows, c.index);
    EXPECT_EQ(cell.Width(), c.width) << c.index;
    EXPECT_EQ(cell.Height(), c.height) << c.index;
    EXPECT_EQ(cell.Canvas()->Pixels(0, 0), c.first) << c.index;
    EXPECT_EQ(cell.Canvas()->Pixels(c.width - 1, c.height - 1), c.last) << c.index;
    EXPECT_EQ(cell.TransparentColor(), TColor(0x00FF00FF));
    EXPECT_TRUE(cell.Transparent());
  }
  CopyBitmapCell(nullptr, &grid, 6, 3, 1);
  CopyBitmapCell(&grid, nullptr, 6, 3, 1);
  EXPECT_EQ(grid.Width(), 96);
}

TEST(UtBitmapCells, OtherGraphicsAreDrawnOverSilver)
{
  THalfGraphic picture;
  TBitmap cell;
  CopyBitmapCell(&picture, &cell, 2, 1, 0);
  EXPECT_EQ(cell.Width(), 20);
  EXPECT_EQ(cell.Canvas()->Pixels(0, 0), clBlue);
  EXPECT_EQ(cell.Canvas()->Pixels(19, 19), clBlue);
  // The second cell lies in the right half, which the picture leaves alone.
  CopyBitmapCell(&picture, &cell, 2, 1, 1);
  EXPECT_EQ(cell.Canvas()->Pixels(0, 0), clSilver);
  EXPECT_EQ(cell.Canvas()->Pixels(19, 19), clSilver);
  EXPECT_FALSE(cell.Transparent());
}

TEST(UtBitmapCells, TallestTextHeightCoversAccentedLetters)
{
  TBitmap surface;
  surface.SetSize(10, 10);
  TCanvas* canvas = surface.Canvas();
  int tallest = TallestTextHeight(canvas);
  EXPECT_GT(tallest, 0);
  EXPECT_GE(tallest, canvas->TextHeight("Ég"));
  canvas->Font()->SetSize(canvas->Font()->Size() * 3);
  EXPECT_GT(TallestTextHeight(canvas), tallest);
}
