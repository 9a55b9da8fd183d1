// TBlock: the box of a block-level element (P, DIV, lists, headings, list
// items, the BODY, rules). It owns a content cell with the sections inside
// it, takes its margins, borders, padding, width and height from the style,
// collapses vertical margins with its neighbour, floats, is positioned and
// z-ordered, and paints its background and border before its content.
// TBlockLI adds the list marker, TBodyBlock is the BODY, THRBlock holds a
// horizontal rule.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/document/CellBasic.h"
#include "controls/html/styles/BoxValues.h"
#include "controls/html/styles/Properties.h"

class TAttributeList;
class THorzLine;
class TImageObj;

class TBlockCell : public TCellBasic {
public:
  using TCellBasic::TCellBasic;
  // The last block of the cell that is not absolutely positioned loses its
  // bottom margin when that margin may be dropped; list items are searched inside.
  void DropTrailingBottomMargin();
};

class TBlock : public TSectionBase {
public:
  // Props are the element's computed style; Parent the cell it goes into
  // (its last section decides the margin collapse).
  TBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
         const std::string& ATag);
  ~TBlock() override;

  TMarginArray MargArray{};
  TBoxValues MargArrayO;  // as the style gave them, shared with blocks of equal values
  std::unique_ptr<TBlockCell> MyCell;
  int EmSize = 0, ExSize = 0;
  bool HasBorderStyle = false;
  int Floating = 0;  // 0 none, 5 left, 6 right
  int ClearAttr = 0;
  int Positioning = 0;  // 0 static, 1 absolute, 2 relative
  bool Visible = true;
  bool DisplayNone = false;
  bool BottomAuto = false;  // the bottom margin may be dropped
  bool BulletRoom = false;  // a list: keep content 35 pixels from the left indent
  bool TopAuto = false;
  std::string Title;
  int ClearOffset = 0;
  int NewWidth = 0;  // content width
  int ContentLeft = 0;
  int ContentTop = 0, ContentBot = 0;
  int TopP = 0, LeftP = 0;  // offsets of positioned boxes
  TRect BorderRect{};
  std::unique_ptr<TImageObj> BGImage;  // tiled over the padding box
  TBackgroundPosRec BGPos;
  std::vector<TSectionBase*> DrawList;  // the content in paint order
  bool DrawListInFlowOrder = false;     // DrawList is the content in its own order
  int DrawListRemovals = 0;             // the content cell's removals when DrawList was made

  bool IsBlock() const override { return true; }
  bool IsEmpty() const override { return false; }
  void FinishText() override;
  // The content width for the available width W; AutoCount autos among
  // margin-left, width and margin-right.
  virtual int FindWidth(int W, int AutoCount);
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int Paint(HDC DC, const TRect& Clip, int X) override;
  virtual void DrawBorder(HDC DC, const TRect& Border, const TRect& Padding);
  void MeasureWidths(int& Min, int& Max) override;
  bool HitLink(int X, int Y, THitLink& Hit) override;
  TImageObj* HitImage(int X, int Y) override;
  int CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight) override;
  bool CaretPoint(int Pos, int& X, int& Y) const override;
  bool CharAt(int Pos, char16_t& Ch) const override;
  int DocToSource(int Pos) const override;
  int SourceToDoc(int Source, bool TowardsPrevious) const override;
  void CopySelection() override;
  // Takes the box values of Props (again for a rule, whose WIDTH and SIZE
  // go into its style after the block is made).
  void ReadBoxValues(const TProperties& Props);

protected:
  void CollapseMargins(TCellBasic* Parent);
  bool ATagIs(const std::string& T) const;
  // True when the list kept what it held and at most grew at its end.
  bool BuildDrawList();
  // Measures the background picture, dropping it when it cannot be had.
  void MeasureBackground(int Width, int AvailHeight);
  int BoxPaddingLeft() const { return MargArray[piPaddingLeft] + MargArray[piBorderLeftWidth]; }
  int BoxPaddingRight() const { return MargArray[piPaddingRight] + MargArray[piBorderRightWidth]; }
};

// S as a block, or null: the virtual test is much cheaper than a
// dynamic_cast where every new block looks at the one before it.
inline TBlock* AsBlock(TSectionBase* S)
{
  return S && S->IsBlock() ? static_cast<TBlock*>(S) : nullptr;
}

// A list item: the marker (bullet, number, letter or roman numeral) on its
// first line.
class TBlockLI : public TBlock {
public:
  enum TListKind { Ordered, Unordered, Definition, Outside };
  TBlockLI(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
           const std::string& ATag, TListKind AKind, int ALevel, int ANumber, char ATypeChar, bool APlain);
  TListKind ListKind;
  TListStyleType ListStyle;
  int ListNumber;
  int FirstLineHt = 0;
  std::unique_ptr<TMyFont> MarkerFont;
  // The text of the marker of an ordered item ("3.", "c.", "iii."); numbers
  // below 1 fall back to decimal.
  std::string MarkerLabel() const;
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int Paint(HDC DC, const TRect& Clip, int X) override;
};

// The BODY: its background goes to the document; its content spans the
// document width less its margins.
class TBodyBlock : public TBlock {
public:
  // The last layout, kept so that content added at the end since (and only
  // that) is laid out alone when the document asks for it.
  std::vector<TCellBasic::TFlowMark> FlowMarks;
  int LaidOutWidth = -1, LaidOutHeight = -1, LaidOutTop = 0;
  std::size_t LaidOutCount = 0;
  // The background picture and its position go to the document.
  TBodyBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
             const std::string& ATag);
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override;
  int Paint(HDC DC, const TRect& Clip, int X) override;
  bool HitLink(int X, int Y, THitLink& Hit) override;

private:
  // A paint visits only the content near its clip, however long the
  // document: for content in flow order, PaintReach[i] is the lowest bottom
  // painted by DrawList[0..i], PaintFloor[i] the highest top painted by
  // DrawList[i..]. Both are empty when the content is not in flow order.
  std::vector<int> PaintReach, PaintFloor;
  // Brings them up to date after a layout that placed DrawList[From..] anew.
  void UpdatePaintBounds(std::size_t From);
};

// The block of an HR: its width and alignment come from the rule.
class THRBlock : public TBlock {
public:
  using TBlock::TBlock;
  THorzLine* Line = nullptr;  // owned by the content cell
  int Align = 2;              // 1 left, 2 centre, 3 right
  int FindWidth(int W, int AutoCount) override;
};
