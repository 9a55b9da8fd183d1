// The header above the tree's columns: its settings, the main and sort
// columns, the spring adjustment, the split zone and drop position rules of
// its mouse handling, and its stream. It owns the columns and is their host.
#pragma once

#include <functional>
#include <memory>

#include "controls/vtree/LazyTreeColumns.h"
#include "platform/classes/graphics/Font.h"

enum TLTHeaderOption {
  hoAutoResize, hoColumnResize, hoDblClickResize, hoDrag, hoHotTrack, hoOwnerDraw, hoRestrictDrag, hoShowHint,
  hoShowImages, hoShowSortGlyphs, hoVisible, hoAutoSpring
};
CORVANE_ENUM_RANGE(TLTHeaderOption, 0, 15);
using TLTHeaderOptions = Set<TLTHeaderOption>;
enum TLTHeaderStyle { hsThickButtons, hsFlatButtons, hsPlates, hsXPStyle };

class TLTHeader : public ILazyColumnsHost {
public:
  TLTHeader();
  ~TLTHeader() override;

  TLazyTreeColumns& Columns() { return FColumns; }
  const TLazyTreeColumns& Columns() const { return FColumns; }
  TFont& Font() { return *FFont; }

  TLTHeaderOptions Options() const { return FOptions; }
  void SetOptions(TLTHeaderOptions Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TColor Background() const { return FBackground; }
  void SetBackground(TColor Value) { FBackground = Value; }
  TLTHeaderStyle Style() const { return FStyle; }
  void SetStyle(TLTHeaderStyle Value) { FStyle = Value; }
  TColumnIndex AutoSizeIndex() const { return FAutoSizeIndex; }
  void SetAutoSizeIndex(TColumnIndex Value);
  // -1 without columns, else kept within 0 .. count - 1.
  TColumnIndex MainColumn() const { return FColumns.Count() == 0 ? NoColumn : FMainColumn; }
  void SetMainColumn(TColumnIndex Value);
  // Kept within -1 .. count - 1.
  TColumnIndex SortColumn() const { return FSortColumn; }
  void SetSortColumn(TColumnIndex Value);
  TSortDirection SortDirection() const { return FSortDirection; }
  void SetSortDirection(TSortDirection Value) { FSortDirection = Value; }

  // The room the auto-size rule shares out: the tree's client width.
  void SetClientWidth(int Value) { FClientWidth = Value; }

  // Called after the header rectangle is recomputed with its new width: the
  // spring columns share the difference from the width seen last time.
  void AdjustSpring(int HeaderWidth);
  // The visible column whose right edge lies within (right - 3, right + 5) of
  // X, walking from the last position with the right edge starting at
  // Origin (the tree's horizontal offset plus its range). The column must be
  // resizable; it becomes the track column. NoColumn when none.
  TColumnIndex SplitZoneColumn(int X, int Origin);
  // The position a dragged column takes when dropped on Target, before or after it.
  unsigned DropPosition(TColumnIndex Dragged, TColumnIndex Target, bool Before) const;

  // Paints the header into HeaderRect of DC, the columns shifted by OffsetX
  // (the tree's horizontal offset, 0 or negative).
  void PaintHeader(HDC DC, const TRect& HeaderRect, int OffsetX, bool TreeEnabled);
  // The caption colour of a hot-tracked column (the tree's header hot colour); clNone keeps the font colour.
  TColor HotColor = clNone;
  // Asked when the header's height or visibility changes: the tree recomputes its frame.
  std::function<void()> OnLayoutChanged;

  void SaveToStream(TStream* Stream) const;
  // Reads a stream with the marker and a version, or an older one without.
  void LoadFromStream(TStream* Stream);

  // ILazyColumnsHost
  int ColumnsClientWidth() const override { return FClientWidth; }
  bool ColumnsAutoResize() const override { return FOptions.Contains(hoAutoResize); }
  TColumnIndex ColumnsAutoSizeIndex() const override { return FAutoSizeIndex; }
  void ColumnResized(TColumnIndex Column) override
  {
    if (OnColumnResized)
      OnColumnResized(Column);
  }

  // The owning tree's hook: it repaints and updates its range when a width changes.
  std::function<void(TColumnIndex)> OnColumnResized;
  void ColumnRemoved(TColumnIndex Column) override;

private:
  TLazyTreeColumns FColumns{this};
  std::unique_ptr<TFont> FFont;
  TLTHeaderOptions FOptions = TLTHeaderOptions{hoColumnResize, hoDrag};
  int FHeight = 17;
  TColor FBackground = clBtnFace;
  TLTHeaderStyle FStyle = hsThickButtons;
  TColumnIndex FAutoSizeIndex = NoColumn, FMainColumn = NoColumn, FSortColumn = NoColumn;
  TSortDirection FSortDirection = sdAscending;
  int FClientWidth = 0;
  int FSpringWidth = -1;  // the header width the last spring adjustment saw; -1 before any
  bool FReadingColumns = false;
};
