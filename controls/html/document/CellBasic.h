// TCellBasic: the sections of a cell, of a block's content or of the whole
// document, in flow order. Adding a section finishes it and drops it when it
// holds nothing; layout stacks the sections downwards; painting and hit
// tests visit only those whose vertical range meets the point or the clip.
#pragma once

#include <cstddef>
#include <memory>

#include "controls/html/document/CellTag.h"
#include "controls/html/document/SectionBase.h"
#include "controls/html/document/SmallOwnerList.h"

// Not polymorphic: a cell is always owned as what it is (a block's own cell,
// a table cell, the document), and a conversation makes one per message
// block, so it carries no table of virtual functions.
class TCellBasic {
public:
  explicit TCellBasic(TSectionList* ADocument) : Document(ADocument) {}
  TCellBasic(const TCellBasic&) = delete;
  TCellBasic& operator=(const TCellBasic&) = delete;

  TSectionList* Document;
  TCellTag Tag;  // the element the cell belongs to ("default" until told)
  // Most blocks hold one section: it lives inside the list.
  TSmallOwnerList<TSectionBase> Sections;
  int ContentBottom = 0;  // the bottom of the last layout's flow
  int PaintBottom = 0;    // the lowest painted pixel (floats included)

  // Finishes Section and takes it; an empty section is freed instead.
  void Add(TSectionBase* Section);
  TSectionBase* Last() const { return Sections.empty() ? nullptr : Sections.back().get(); }
  int Count() const { return int(Sections.size()); }

  // Measured once per layout cycle: every block above a cell measures it
  // again for its own width, and nothing a cycle does changes the answer.
  void MeasureWidths(int& Min, int& Max);
  // Lays the sections out from (X, Y) in Width; returns the content height.
  int DoLayout(int X, int Y, int Width, int AvailHeight, IndentManager& IMgr, int& MaxWidth, int& Pos);

  // Where the flow stood before a section: what DoLayout had reached, and
  // whether the indent manager held records of floats or blocks then.
  struct TFlowMark {
    int Y = 0, Pos = 0, MaxWidth = 0, PaintBottom = 0;
    bool Plain = false;
  };
  // The flow before the last section of a layout: content added at the end
  // since is laid out from there (that section again, since a block after
  // it takes its bottom margin). One mark is all a resumed layout needs.
  struct TResumeMark {
    static constexpr std::size_t None = std::size_t(-1);
    std::size_t Index = None;  // the section it stands before, or None
    TFlowMark Flow;
  };
  // DoLayout that keeps the mark of the last section in Mark, and starts at
  // section From with the flow of Mark (the sections before it as they were
  // laid out, with the same indent manager) when Mark stands before From
  // and is plain; from the first section otherwise.
  int DoLayoutFrom(std::size_t From, TResumeMark& Mark, int X, int Y, int Width, int AvailHeight,
                   IndentManager& IMgr, int& MaxWidth, int& Pos);
  int Draw(HDC DC, const TRect& Clip, int X, int Y);

  bool HitLink(int X, int Y, THitLink& Hit);
  TImageObj* HitImage(int X, int Y);
  int CharIndexAt(int X, int Y, bool& InText, int& CaretX, int& CaretY, int& CaretHeight);
  bool CaretPoint(int Pos, int& X, int& Y) const;
  bool CharAt(int Pos, char16_t& Ch) const;
  int DocToSource(int Pos) const;
  int SourceToDoc(int Source, bool TowardsPrevious) const;
  void CopySelection();

  // The sections whose vertical range [PaintTop, PaintBottom) may hold Y.
  bool Holds(const TSectionBase& S, int Y) const { return Y >= S.PaintTop && Y < S.PaintBottom; }

private:
  int LayoutSections(std::size_t From, TResumeMark* Mark, int X, int Y, int Width, int AvailHeight,
                     IndentManager& IMgr, int& MaxWidth, int& Pos);
  int FMeasureStamp = -1;  // the document's layout cycle of FMeasuredMin/Max, or -1
  int FMeasuredMin = 0, FMeasuredMax = 0;

protected:
  // Never deleted through a pointer to the base.
  ~TCellBasic();

public:
  // A section was taken out (other than by clearing the whole cell) since
  // the owner last listed the content in paint order; the owner clears it.
  bool SectionsDropped = false;
};
