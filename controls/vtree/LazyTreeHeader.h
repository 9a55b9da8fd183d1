// The header above the tree's columns: its settings, the main and sort
// columns, the spring adjustment, its mouse handling (hover, click, resizing
// by a column's right edge, moving columns by drag and drop) and its stream.
// It owns the columns and is their host.
#pragma once

#include <functional>
#include <memory>

#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeDragImage.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/graphics/Font.h"

enum TLTHeaderOption {
  hoAutoResize, hoColumnResize, hoDblClickResize, hoDrag, hoHotTrack, hoOwnerDraw, hoRestrictDrag, hoShowHint,
  hoShowImages, hoShowSortGlyphs, hoVisible, hoAutoSpring
};
CORVANE_ENUM_RANGE(TLTHeaderOption, 0, 15);
using TLTHeaderOptions = Set<TLTHeaderOption>;
enum TLTHeaderStyle { hsThickButtons, hsFlatButtons, hsPlates, hsXPStyle };
// The header's own mouse interaction: a press on a column edge (track
// pending) becomes a resize on the first move; a press on a draggable column
// (drag pending) becomes a column drag past the drag threshold.
enum TLTHeaderState { hsTrackPending, hsTracking, hsDragPending, hsDragging };
CORVANE_ENUM_RANGE(TLTHeaderState, 0, 7);
using TLTHeaderStates = Set<TLTHeaderState>;

class TBaseLazyTree;
class TCanvas;
class TReader;
class TCustomImageList;
class TPopupMenu;
struct TMessage;

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
  void SetBackground(TColor Value);
  TLTHeaderStyle Style() const { return FStyle; }
  void SetStyle(TLTHeaderStyle Value);
  TColumnIndex AutoSizeIndex() const { return FAutoSizeIndex; }
  void SetAutoSizeIndex(TColumnIndex Value);
  // -1 without columns, else kept within 0 .. count - 1.
  TColumnIndex MainColumn() const { return FColumns.Count() == 0 ? NoColumn : FMainColumn; }
  void SetMainColumn(TColumnIndex Value);
  // After loading: the stored main column is brought within 0 .. count - 1.
  void UpdateMainColumn();
  // The form scales by M/D: so does the header's font.
  void ChangeScale(int M, int D);
  // Kept within -1 .. count - 1.
  TColumnIndex SortColumn() const { return FSortColumn; }
  void SetSortColumn(TColumnIndex Value);
  TSortDirection SortDirection() const { return FSortDirection; }
  void SetSortDirection(TSortDirection Value);
  // Glyphs of the columns (ImageIndex), shown under hoShowImages; not owned.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // Shown on a right click in the header; not owned.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  // The tree the header reports its mouse interaction to and paints into.
  TBaseLazyTree* Tree() const { return FTree; }
  void SetTree(TBaseLazyTree* Value)
  {
    FTree = Value;
    FDragImage.SetOwner(Value);
  }
  // Takes a window message of the tree before the tree does; true when the
  // header handled it and nothing else may.
  bool HandleMessage(TMessage& Message);
  TLTHeaderStates States() const { return FStates; }
  // Whether a client point (the header lies above y = 0) is on the header.
  bool InHeader(TPoint P) const;
  // The visible column under a header point (y = 0 at the header's top, x
  // from the header's left on screen); InvalidColumn when none.
  TColumnIndex ColumnAtHeaderPoint(TPoint P) const;
  // Redraws a column's part of the header (to the header's right end when
  // asked), or the whole header for NoColumn.
  void Invalidate(TColumnIndex Column, bool ExpandToRight = false);
  TLTDragImage& DragImage() { return FDragImage; }

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

  // Every resizable visible column takes its widest content, in position
  // order, animated or at once; RestoreColumns animates them back to their
  // last widths from the last position to the first.
  void AutoFitColumns(bool Animated);
  void RestoreColumns();

  // The tree's "Columns" form property, read while the header is in its reading-columns state.
  void ReadColumnsProperty(TReader* Reader);

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
  void ColumnChanged(TColumnIndex Column, bool Layout) override
  {
    if (OnColumnChanged)
      OnColumnChanged(Column, Layout);
  }
  void ColumnAnimateResize(TColumnIndex Column, int OldWidth, int NewWidth) override;
  // The owning tree's hook: it repaints (and with Layout updates its range).
  std::function<void(TColumnIndex, bool)> OnColumnChanged;
  // The owning tree's hook for a new sort column or direction (it re-sorts under toAutoSort).
  std::function<void()> OnSortChanged;

private:
  // What every column of one header paint shares.
  struct THeaderPaintPass {
    TCanvas& Canvas;
    HDC DC;
    const TRect& HeaderRect;
    bool TreeEnabled;
    TCustomImageList* Utilities;
    bool Advanced = false, Simple = false;
  };
  void PaintColumn(const THeaderPaintPass& Pass, TColumnIndex Index, const TRect& Face, bool LastPosition);

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

  bool TreeLoading() const;
  // Mouse handling (LazyTreeHeaderMouse.cpp).
  TPoint ClientFromScreenParam(LPARAM LParam) const;
  bool HoverTest(TPoint P);
  void DownTest(TPoint P);
  void ClickTest(TPoint P, TMouseButton Button, bool Forced, bool Double);
  bool HandleMouseMove(TMessage& Message);
  void StartDrag();
  void DragTo(TPoint ScreenPoint);
  void Drop(TPoint ScreenPoint);
  void EndDrag();
  void ResetMouseState();
  bool HandleSetCursor(TMessage& Message);

  TBaseLazyTree* FTree = nullptr;
  TCustomImageList* FImages = nullptr;
  TPopupMenu* FPopupMenu = nullptr;
  TLTHeaderStates FStates;
  int FTrackStart = 0;     // the tracked column's left edge, client coordinates
  TPoint FDownPoint;       // where the left button went down, screen coordinates
  TLTDragImage FDragImage{nullptr};
};
