// The blocks around a table: TTableBlock decides the table's width (WIDTH
// in pixels or per cent, or its natural width), its alignment, floating,
// spaces, background and the raised frame of an HTML BORDER;
// TTableAndCaptionBlock holds a table with its CAPTION above or below it.
#pragma once

#include "controls/html/document/Block.h"

class ThtmlTable;

class TTableBlock : public TBlock {
public:
  // Table becomes the first (and only) section of the block's content.
  TTableBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList& Attributes,
              ThtmlTable* ATable);

  ThtmlTable* Table;
  int WidthAttr = 0;  // pixels, or per-mille when WidthPercent; 0 none
  bool WidthPercent = false;
  bool HasBgColor = false;
  TColor BgColor = 0;
  int HSpace = 0, VSpace = 0;
  int Justify = 0;  // 0 none, 2 centre, 3 right
  bool HtmlBorder = false;
  bool InCaptionPair = false;
  int PairWidth = 0;  // the width the caption pair decided

  // Converts the box values against W, keeping the collapsed vertical margins.
  void ConvertBox(int W);
  // The table's outer width for the available width W (margins excluded).
  int OuterWidth(int W);
  int FindWidth(int W, int AutoCount) override;
  void MeasureWidths(int& Min, int& Max) override;
  void DrawBorder(HDC DC, const TRect& Border, const TRect& Padding) override;
  // A table that does not float is placed between the floats beside it.
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int OffsetLeft = 0;  // how far the floats pushed it right
};

class TTableAndCaptionBlock : public TBlock {
public:
  TTableAndCaptionBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList& Attributes,
                        TTableBlock* ATableBlock);
  TTableBlock* TableBlock;
  TBlock* CaptionBlock = nullptr;
  bool CaptionOnTop = true;
  int Justify = 0;
  // Places the table and the caption in the content (once the caption is complete).
  void Assemble();
  int FindWidth(int W, int AutoCount) override;
  void MeasureWidths(int& Min, int& Max) override;
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int OffsetLeft = 0;
};
