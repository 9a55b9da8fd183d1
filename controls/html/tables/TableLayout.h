// ThtmlTable: the grid of an HTML table. It completes the grid with fillers
// for spans, turns the cells' minimum and maximum widths, their WIDTH
// attributes and those of COL elements into column widths, lays every cell
// out at its column width, turns content heights, row spans and HEIGHT
// attributes into row heights, and paints the rows that meet the clip.
// The enclosing TTableBlock (TableBlock.h) decides its width and place.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/html/document/SectionBase.h"
#include "controls/html/tables/TableCell.h"

class TAttributeList;

// One COL specification.
struct TColObj {
  int Width = 0;  // pixels, or per-mille when IsPercent; 0 none
  bool IsPercent = false;
  TCellAlign VAlign = caMiddle;
  bool HasVAlign = false;
  std::string Align;  // text-align of its cells, lower-cased; empty none
};

class ThtmlTable : public TSectionBase {
public:
  // The grid never grows past these: wider rows lose their last columns,
  // and row spans are cut so that fillers stay within the slot budget.
  static constexpr int MaxColumns = 1000;
  static constexpr long long MaxGridSlots = 1 << 20;

  ThtmlTable(TSectionList* ADocument, TAttributeList& Attributes);

  std::vector<std::unique_ptr<TCellList>> Rows;
  bool Prepared = false;
  int OffsetLeft = 0;
  int Border = 0;
  int ColumnCount = 0;
  int TotalWidth = 0;
  int FixedWidth = 0;
  bool HasFixedCells = false;
  int Padding = 1;
  int Spacing = 2;
  TColor LightColor = TColor(0xFF000014);
  TColor DarkColor = TColor(0xFF000010);
  int PaintLeftX = 0, PaintTopY = 0;
  int BottomY = 0;  // the bottom of the last layout, for hit tests
  bool HasBackground = false;
  TColor BackgroundColor = 0;
  std::vector<TColObj> ColumnSpecs;
  int MeasureStamp = -1;  // the document's layout cycle of the last measurement
  int MeasuredMin = 0, MeasuredMax = 0;
  int HeightSpec = 0;     // the table block's height; 0 none
  std::vector<int> ColWidth, ColMax, ColMin, ColPermille;
  std::vector<int> RowHeight;

  void AddColumnSpec(const TColObj& Spec) { ColumnSpecs.push_back(Spec); }
  // Completes the grid (once).
  void Prepare();

  // Column measurement: totals of the minimum and maximum widths.
  void MeasureColumnsFixed(int& TotalMin, int& TotalMax);
  void MeasureColumns(int Width, int& TotalMin, int& TotalMax);
  // Column widths from the measured values.
  void SpreadFixed(int Width, bool Specified);
  void FitToWidth(int Width);
  void FitNatural(int TotalMin, int TotalMax, int Width);
  // Row heights for the available height; Pos is the running position.
  void ComputeRowHeights(int AvailHeight, int& Pos);

  void MeasureWidths(int& Min, int& Max) override;
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int Paint(HDC DC, const TRect& Clip, int X) override;
  // Paged printing: true when the page ends above Row (it is painted on the next).
  bool PageEndsBefore(const TCellList& Row, int RowY, bool FirstRow);
  bool HitLink(int X, int Y, THitLink& Hit) override;
  TImageObj* HitImage(int X, int Y) override;
  int CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight) override;
  bool CaretPoint(int Pos, int& X, int& Y) const override;
  bool CharAt(int Pos, char16_t& Ch) const override;
  int DocToSource(int Pos) const override;
  int SourceToDoc(int Source, bool TowardsPrevious) const override;
  void CopySelection() override;

private:
  struct TMeasured {
    int Row, Col, Span, Min, Max;
    TCellObj* Cell;
  };
  std::vector<TMeasured> MeasureCells();
  bool MeasuredThisCycle(int& TotalMin, int& TotalMax) const;
  // Lays out the cells of row R whose row span is Span; returns the row's
  // height and whether a cell gave one.
  int LayOutRowCells(int R, int Span, int PercentBase, int& Pos, int& Specified, bool& HasSpec);
  TCellObj* CellAt(int X, int Y) const;
  int ContentY = 0;  // the y the rows start at (document)
  int NestLevel = 0;
};

// Rounding to the nearest integer, halves to even.
int RoundHalfEven(double V);
