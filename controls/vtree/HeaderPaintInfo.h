// What the header hands to owner drawing: the state and the computed places
// of one column (or of the whole header's background), and the elements an
// owner may take over from the control.
#pragma once

#include "platform/base/Set.h"
#include "platform/base/Geometry.h"

class TCanvas;
class TLazyTreeColumn;

// Which edge of a column shows the drop mark of a column drag.
enum TLTDropMarkMode { dmmNone, dmmLeft, dmmRight };

enum THeaderPaintElement { hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText };
CORVANE_ENUM_RANGE(THeaderPaintElement, 0, 7);
using THeaderPaintElements = Set<THeaderPaintElement>;

struct THeaderPaintInfo {
  TCanvas* TargetCanvas = nullptr;
  // Nil while the header's background is asked for.
  TLazyTreeColumn* Column = nullptr;
  // The column's face (or the whole header), and the caption's place in it.
  TRect PaintRectangle;
  TRect TextRectangle;
  bool IsHoverIndex = false, IsDownIndex = false, IsEnabled = false;
  bool ShowHeaderGlyph = false, ShowSortGlyph = false, ShowRightBorder = false;
  TLTDropMarkMode DropMark = dmmNone;
  TPoint GlyphPos, SortGlyphPos;
};
