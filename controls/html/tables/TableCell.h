// The pieces of a table: TCell (a cell's content, with its own float
// manager so that floats stay inside the cell), TCellObj (one TD or TH: its
// spans, sizes, alignment, padding, borders and background) and TCellList
// (one row). ThtmlTable (TableLayout.h) arranges them.
#pragma once

#include "controls/html/document/ImageObj.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/document/CellBasic.h"
#include "controls/html/layout/IndentManager.h"
#include "controls/html/styles/Properties.h"

class TAttributeList;

class TCell : public TCellBasic {
public:
  using TCellBasic::TCellBasic;
  IndentManager Floats;
  // Lays the sections out in Width from (X, Y); returns the height, which
  // covers the floats that reach below the text.
  int LayOutCell(int X, int Y, int Width, int AvailHeight, int& MaxWidth, int& Pos);
};

// Vertical alignment of a cell's content.
enum TCellAlign { caTop = 1, caMiddle = 2, caBottom = 3 };

class TCellObj : public TObject {
public:
  // Props: the cell's computed style; RowAlign the row's VALIGN.
  TCellObj(TSectionList* ADocument, TAttributeList& Attributes, TProperties& Props, TCellAlign RowAlign);

  TSectionList* Document;
  int ColSpan = 1, RowSpan = 1;
  int SpecWd = 0;           // pixels, or per-mille when WidthPercent
  bool WidthPercent = false;
  int SpecHt = 0;           // pixels
  int SpecHtPercent = 0;    // 0..100
  TCellAlign VAlign = caMiddle;
  bool NoWrap = false;
  std::array<int, 4> Padding{-1, -1, -1, -1};  // top, right, bottom, left; -1 not given
  std::array<int, 4> Border{0, 0, 0, 0};       // top, right, bottom, left
  std::array<TColor, 4> BorderColor{};
  std::array<int, 4> BorderStyle{};
  bool HasStyleBorder = false;
  bool HasBackground = false;
  TColor Background = 0;
  std::string BackgroundSource;             // BACKGROUND or the style's image, tiled from the top left
  std::unique_ptr<TImageObj> BackgroundImage;  // obtained at the first paint
  int HzSpace = 0, VrSpace = 0;  // padding plus border, across and down
  int Wd = 0, Ht = 0;            // given by the table
  int ContentHt = 0;             // the content's height at the last layout
  int YIndent = 0;               // vertical offset of the content
  int DrawX = 0, DrawY = 0;      // document position of the cell's column and row at the last layout
  std::unique_ptr<TCell> Cell;

  // The table's defaults: its cell padding, whether it has a border.
  void Init(int TablePadding, bool TableHasBorder);
  bool IsEmpty() const { return Cell->Count() == 0; }
  void MinMax(int& Min, int& Max);
  // Lays the content out at (X, Y) in the cell's width less Spacing and the
  // space; with Final the vertical alignment moves it down.
  int LayOutContent(int X, int Y, int Spacing, int AvailHeight, int& Pos, bool Final);
  void Paint(HDC DC, const TRect& Clip, int X, int Y, int Spacing, bool TableBorder, TColor Light, TColor Dark);

private:
  void PaintBackgroundImage(HDC DC, const TRect& Area);
};

// One row: its cells by column (fillers of spans are entries without a
// cell), its height settings and background.
struct TCellSlot {
  std::unique_ptr<TCellObj> Cell;  // null for a filler
  int ColSpan = 1;                 // 0 for a filler
  int RowSpan = 1;
};

class TCellList : public TObject {
public:
  TCellList(TAttributeList* Attributes, TProperties* Props);
  std::vector<TCellSlot> Slots;
  int RowHeight = 0;
  int HeightSpec = 0;
  int HeightPercent = 0;
  int SpanHeight = 0;
  bool HasBackground = false;
  TColor Background = 0;
  bool PageBreakBefore = false, PageBreakAfter = false, AvoidBreakInside = false;
  TCellAlign VAlign = caMiddle;

  void AddCell(std::unique_ptr<TCellObj> Cell);
};

// WIDTH of a table, cell or COL: pixels above 0, or a percentage from 1 to
// 100 in per-mille. False when the value says neither.
bool ReadWidthAttribute(const std::string& Text, int Value, int& Width, bool& Percent);
// BGCOLOR: the colour, marked palette-relative.
bool ReadBgColorAttribute(const std::string& Text, TColor& Color);

// The VALIGN of a row or cell ("top" and "baseline" top, "middle", "bottom").
bool ReadVAlign(const std::string& Text, TCellAlign& Align);
