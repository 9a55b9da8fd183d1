// Where a header cell puts its caption, its glyph and its sort glyph. The
// caller measures the caption and says which glyphs show; the layout itself
// is plain arithmetic so every alignment and glyph place can be checked.
#pragma once

#include "controls/vtree/LazyTreeColumns.h"
#include "platform/base/Geometry.h"

struct THeaderCellInput {
  TRect Rect;                // the column's rectangle already shrunk by 2 on each side
  int TextWidth = 0;         // the caption's extent; 0 and 0 for no caption
  int TextHeight = 0;
  int GlyphWidth = 0;        // 0 and 0 when no header glyph shows
  int GlyphHeight = 0;
  int SortWidth = 0;         // 0 and 0 when no sort glyph shows
  int SortHeight = 0;
  TAlignment Alignment = taLeftJustify;
  TLTGlyphLayout Layout = blGlyphLeft;
  int Margin = 4;
  int Spacing = 4;
  bool RightToLeft = false;
};

struct THeaderCellLayout {
  bool Computed = false;     // false: no caption and no glyph, nothing to place
  TRect Caption;             // right edge already cut to the room left
  TPoint Glyph;
  TPoint Sort;
};

THeaderCellLayout LayoutHeaderCell(const THeaderCellInput& In);
