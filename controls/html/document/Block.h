// TBlock: the box of a block-level element (P, DIV, lists, headings, list
// items, the BODY, rules). It owns a content cell with the sections inside
// it, takes its margins, borders, padding, width and height from the style,
// collapses vertical margins with its neighbour, floats, is positioned and
// z-ordered, and paints its background and border before its content.
// TBlockLI adds the list marker, TBodyBlock is the BODY, THRBlock holds a
// horizontal rule.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/document/BlockBox.h"
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

// The content cell of a block lives inside the block (one allocation less
// for every block); it is reached as through a pointer, like any cell.
class TOwnCell {
public:
  explicit TOwnCell(TSectionList* ADocument) : FCell(ADocument) {}
  TBlockCell* operator->() { return &FCell; }
  const TBlockCell* operator->() const { return &FCell; }
  TBlockCell& operator*() { return FCell; }
  const TBlockCell& operator*() const { return FCell; }
  TBlockCell* get() { return &FCell; }
  const TBlockCell* get() const { return &FCell; }
  explicit operator bool() const { return true; }

private:
  TBlockCell FCell;
};

// What only some blocks have: a title, a background picture with its
// position, and content painted in an order of its own. Kept apart so that
// the others (nearly all) pay one pointer.
struct TBlockExtras {
  std::string Title;
  std::unique_ptr<TImageObj> BGImage;  // tiled over the padding box
  TBackgroundPosRec BGPos;
  // Empty while the content is painted in flow order; otherwise the content
  // sorted by z-index.
  std::vector<TSectionBase*> ZOrder;
  // Only positioned and floating blocks have a z-value or offsets.
  int ZValue = 0;           // z-index times 10, for the draw order of positioned blocks
  int TopP = 0, LeftP = 0;  // offsets of positioned boxes
  ~TBlockExtras();
};

class TBlock : public TSectionBase {
public:
  // Props are the element's computed style; Parent the cell it goes into
  // (its last section decides the margin collapse).
  TBlock(TSectionList* ADocument, TCellBasic* Parent, TProperties& Props, TAttributeList* Attributes,
         const std::string& ATag);
  ~TBlock() override;
  // Kept by the ten thousand in a long conversation: in slots of their own size.
  static void* operator new(std::size_t Size);
  static void operator delete(void* Object, std::size_t Size) noexcept;

  // The order of the fields packs them: the bytes and FListed fill the eight
  // before the first pointer; a conversation makes two blocks a message.
  std::uint8_t Floating = 0;     // 0 none, 5 left, 6 right
  std::uint8_t ClearAttr = 0;    // a TClearAttrType
  std::uint8_t Positioning = 0;  // 0 static, 1 absolute, 2 relative
  bool HasBorderStyle : 1 = false;
  bool Visible : 1 = true;
  bool DisplayNone : 1 = false;
  bool BottomAuto : 1 = false;  // the bottom margin may be dropped
  bool BulletRoom : 1 = false;  // a list: keep content 35 pixels from the left indent
  bool TopAuto : 1 = false;

private:
  // While the content is painted in flow order, what is painted is the
  // first FListed sections of the cell (TBlockExtras::ZOrder otherwise).
  std::uint32_t FListed = 0;

public:
  TBlockBox MargArray;
  TBoxValues MargArrayO;  // as the style gave them, shared with blocks of equal values
  TOwnCell MyCell;
  int EmSize = 0, ExSize = 0;
  int NewWidth = 0;  // content width
  int ContentLeft = 0;
  int ContentTop = 0, ContentBot = 0;

  // Z-index times 10, for the draw order of positioned blocks (1 for an
  // absolute or floating block without one); 0 for the others.
  int ZValue() const { return FExtras ? FExtras->ZValue : 0; }
  void SetZValue(int Z);
  // The offsets of a positioned box as its last layout took them.
  int TopP() const { return FExtras ? FExtras->TopP : 0; }
  int LeftP() const { return FExtras ? FExtras->LeftP : 0; }
  const std::string& Title() const;
  TImageObj* BGImage() const { return FExtras ? FExtras->BGImage.get() : nullptr; }
  // The padding and border boxes of the last layout, on the screen (the
  // document's scroll offset taken off, a relative offset added).
  TRect PaddingBox() const;
  TRect BorderBox() const;

  // The content in paint order as the last layout listed it.
  std::size_t PaintCount() const
  {
    return PaintsInFlowOrder() ? std::min<std::size_t>(FListed, MyCell->Sections.size()) : FExtras->ZOrder.size();
  }
  TSectionBase* PaintAt(std::size_t I) const
  {
    return PaintsInFlowOrder() ? MyCell->Sections[I].get() : FExtras->ZOrder[I];
  }
  // The content was replaced as a whole: the next layout lists it anew.
  void ForgetPaintOrder();

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
  // The top margin Top once joined with the bottom margin of the block
  // before in Parent (whose bottom margin then goes).
  int CollapsedTop(TCellBasic* Parent, int Top);
  bool ATagIs(const std::string& T) const;
  // Converts the box values against Bases into M, with the collapsed
  // vertical margins of MargArray; returns the autos among margin-left, width
  // and margin-right. The caller fills in what layout decides and takes M
  // into MargArray at once.
  int ConvertKeepingMargins(const TBoxBases& Bases, TMarginArray& M) const;
  // True when the list kept what it held and at most grew at its end.
  bool BuildDrawList();
  // Measures the background picture, dropping it when it cannot be had.
  void MeasureBackground(int Width, int AvailHeight);
  int BoxPaddingLeft() const { return MargArray[piPaddingLeft] + MargArray[piBorderLeftWidth]; }
  int BoxPaddingRight() const { return MargArray[piPaddingRight] + MargArray[piBorderRightWidth]; }
  bool PaintsInFlowOrder() const { return !FExtras || FExtras->ZOrder.empty(); }
  // The extras, made on first need.
  TBlockExtras& Extras();
  void SetOffsets(int Top, int Left);
  std::unique_ptr<TBlockExtras> FExtras;
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
  TCellBasic::TResumeMark FlowMark;
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
  // document. For content in flow order, cut into runs of BoundsRun
  // sections: RunReach[r] is the lowest bottom painted by the runs up to r,
  // RunFloor[r] the highest top painted from run r on. A run's worth of
  // sections more to look at costs a paint far less than two numbers per
  // section cost a long conversation. Both are empty when the content is not
  // in flow order.
  static constexpr std::size_t BoundsRun = 16;
  std::vector<int> RunReach, RunFloor;
  std::size_t BoundsCount = 0;  // the sections they cover
  // Brings them up to date after a layout that placed section From on anew.
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
