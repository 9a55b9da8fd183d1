// Placement of a header cell's caption, glyph and sort glyph for each
// alignment, reading direction and glyph place, and the margin clamps.
#include <gtest/gtest.h>

#include "controls/vtree/HeaderCellLayout.h"

namespace {

struct TLayoutCase {
  const char* Name;
  THeaderCellInput In;
  TRect Caption;
  TPoint Glyph;
  TPoint Sort;
};

THeaderCellInput Cell(TRect R, int Tw, int Gw, int Sw, TAlignment A, TLTGlyphLayout L = blGlyphLeft, bool Rtl = false)
{
  THeaderCellInput in;
  in.Rect = R;
  in.TextWidth = Tw;
  in.TextHeight = Tw ? 13 : 0;
  in.GlyphWidth = in.GlyphHeight = Gw;
  in.SortWidth = in.SortHeight = Sw;
  in.Alignment = A;
  in.Layout = L;
  in.RightToLeft = Rtl;
  return in;
}

}  // namespace

TEST(HeaderCellLayout, PlacesCaptionGlyphAndSortGlyph)
{
  // A 100 x 17 column shrunk by 2 gives the 96 x 13 rectangle at (2, 2).
  const TRect cell(2, 2, 98, 15), narrow(2, 2, 42, 15);
  const TLayoutCase cases[] = {
      {"left, sort after the caption", Cell(cell, 30, 0, 16, taLeftJustify), {6, 2, 38, 15}, {2, 2}, {42, 1}},
      {"right, sort at the margin", Cell(cell, 30, 0, 16, taRightJustify), {42, 2, 74, 15}, {2, 2}, {78, 1}},
      {"centre, sort after the caption", Cell(cell, 30, 0, 16, taCenter), {32, 2, 64, 15}, {2, 2}, {68, 1}},
      {"narrow: sort pulled in, caption cut", Cell(narrow, 30, 0, 16, taLeftJustify), {6, 2, 18, 15}, {2, 2}, {22, 1}},
      {"sort glyph alone is centred", Cell(cell, 0, 0, 16, taLeftJustify), {2, 2, 94, 2}, {2, 2}, {42, 1}},
      {"right to left mirrors the alignment", Cell(cell, 30, 0, 16, taLeftJustify, blGlyphLeft, true),
       {62, 2, 94, 15}, {2, 2}, {42, 1}},
      {"glyph left of the caption", Cell(cell, 30, 16, 0, taLeftJustify), {26, 2, 58, 15}, {6, 1}, {30, 2}},
      {"glyph above a centred caption", Cell(TRect(0, 0, 100, 40), 30, 16, 0, taCenter, blGlyphTop),
       {34, 23, 66, 36}, {42, 3}, {70, 12}},
  };
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(c.Name);
    THeaderCellLayout got = LayoutHeaderCell(c.In);
    ASSERT_TRUE(got.Computed);
    if (c.In.TextWidth) {
      EXPECT_EQ(got.Caption, c.Caption);
    }
    if (c.In.GlyphWidth) {
      EXPECT_EQ(got.Glyph, c.Glyph);
    }
    if (c.In.SortWidth) {
      EXPECT_EQ(got.Sort, c.Sort);
    }
  }
}

TEST(HeaderCellLayout, NothingToPlaceWithoutCaptionOrGlyphs)
{
  EXPECT_FALSE(LayoutHeaderCell(Cell(TRect(2, 2, 98, 15), 0, 0, 0, taLeftJustify)).Computed);
}
