// The tree's columns: each has an index (its place in the collection, used by
// events and node data) and a position (its place on screen). The collection
// keeps the position order and every visible column's left edge, and answers
// hit tests by x coordinate.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/base/Utf.h"
#include "platform/win/gdi/SysColors.h"

class TStream;
class TReader;
class TWriter;

enum TLTColumnOption {
  coAllowClick, coDraggable, coEnabled, coParentBidiMode, coParentColor, coResizable, coShowDropMark, coVisible,
  coAutoSpring
};
CORVANE_ENUM_RANGE(TLTColumnOption, 0, 15);
using TLTColumnOptions = Set<TLTColumnOption>;
enum TLTColumnStyle { vsText, vsOwnerDraw };
enum TLTGlyphLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// What the columns need from whoever owns them (the header, later the tree):
// the room the auto-size rule may share out, that rule's settings, and the
// notices of a width change and of a removed column. Without a host the
// columns answer as if the client were 0 pixels wide and auto-sizing off.
class ILazyColumnsHost {
public:
  virtual ~ILazyColumnsHost() = default;
  virtual int ColumnsClientWidth() const = 0;
  virtual bool ColumnsAutoResize() const = 0;
  virtual TColumnIndex ColumnsAutoSizeIndex() const = 0;
  virtual void ColumnResized(TColumnIndex Column) = 0;
  // The header moves its own indexes (auto-size, main, sort) the same way as the collection's.
  virtual void ColumnRemoved(TColumnIndex Column) = 0;
  // A shown value of a column changed (not its width): Layout is true when
  // the columns' places or the visible set changed.
  virtual void ColumnChanged(TColumnIndex, bool /*Layout*/) {}
  // Shows a column's width going from OldWidth to NewWidth step by step
  // (before the width itself changes).
  virtual void ColumnAnimateResize(TColumnIndex, int /*OldWidth*/, int /*NewWidth*/) {}
};

class TLazyTreeColumns;

// Where a tracked index goes when column Removed leaves: -1 for that column, one down above it.
TColumnIndex RemovedIndex(TColumnIndex Tracked, TColumnIndex Removed);

class TLazyTreeColumn {
public:
  explicit TLazyTreeColumn(TLazyTreeColumns* Owner) : FOwner(Owner) {}

  int Index() const;
  int Width() const { return FWidth; }
  // Clamped to [MinWidth, MaxWidth]; the old width is kept as the last width.
  void SetWidth(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int LastWidth() const { return FLastWidth; }
  // Animated back to the width before the latest change.
  void RestoreLastWidth();
  TLTColumnOptions Options() const { return FOptions; }
  void SetOptions(TLTColumnOptions Value);
  bool Visible() const { return FOptions.Contains(coVisible); }
  unsigned Position() const { return FPosition; }
  void SetPosition(unsigned Value);
  // Pixel offset of the left edge from the header's start (visible columns only count).
  int Left() const { return FLeft; }
  const WideString& Text() const { return FText; }
  void SetText(const WideString& Value) { Assign(FText, Value); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { Assign(FAlignment, Value); }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  // An explicit direction or colour stops following the tree's.
  void SetBiDiMode(TBiDiMode Value);
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  const WideString& Hint() const { return FHint; }
  void SetHint(const WideString& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { Assign(FImageIndex, Value); }
  TLTGlyphLayout Layout() const { return FLayout; }
  void SetLayout(TLTGlyphLayout Value) { Assign(FLayout, Value); }
  int Margin() const { return FMargin; }
  // A negative margin falls back to the default 4.
  void SetMargin(int Value) { Assign(FMargin, Value < 0 ? 4 : Value); }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value) { Assign(FSpacing, Value); }
  TLTColumnStyle Style() const { return FStyle; }
  void SetStyle(TLTColumnStyle Value) { Assign(FStyle, Value); }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  // The fraction of a pixel spring resizing still owes the column, with its sign.
  float SpringRest() const { return FSpringRest; }
  // The caption when every character fits in 8 bits, else "Column <index>".
  WideString DisplayName() const;
  // Every published value equal.
  bool Equals(const TLazyTreeColumn& Other) const;
  void Assign(const TLazyTreeColumn& Other);

  // Form resources: the values that differ from a new column's (Position
  // always), the caption and hint as "WideText" and "WideHint".
  void WriteFormProperties(TWriter* Writer) const;
  // One stored value by name (Position is read by the collection); false
  // for a name a column does not store.
  bool ReadFormProperty(TReader* Reader, const std::string& Name);

  void SaveToStream(TStream* Stream) const;
  // Reads one record of the given format version. Lengths are checked against
  // the bytes left; the limits are applied before the width so that a record
  // reads back exactly as it was saved.
  void LoadFromStream(TStream* Stream, int Version);

private:
  friend class TLazyTreeColumns;
  // Stores a shown value and tells the collection when it changed.
  template <typename T>
  void Assign(T& Field, const T& Value)
  {
    if (Field == Value)
      return;
    Field = Value;
    Changed(false);
  }
  void Changed(bool Layout);
  TLazyTreeColumns* FOwner;
  int FWidth = 50, FLastWidth = 50, FMinWidth = 10, FMaxWidth = 10000;
  TLTColumnOptions FOptions = TLTColumnOptions::FromInteger(0xFF);
  unsigned FPosition = 0;
  int FLeft = 0;
  WideString FText;
  TAlignment FAlignment = taLeftJustify;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TColor FColor = clWindow;
  WideString FHint;
  int FImageIndex = -1, FMargin = 4, FSpacing = 4, FTag = 0;
  TLTGlyphLayout FLayout = blGlyphLeft;
  TLTColumnStyle FStyle = vsText;
  float FSpringRest = 0;
};

class TLazyTreeColumns {
public:
  explicit TLazyTreeColumns(ILazyColumnsHost* Host = nullptr) : FHost(Host) {}
  ILazyColumnsHost* Host() const { return FHost; }
  void SetHost(ILazyColumnsHost* Host) { FHost = Host; }
  int Count() const { return int(FItems.size()); }
  TLazyTreeColumn* Item(int Index) const { return FItems[std::size_t(Index)].get(); }
  // A new column, shown last.
  TLazyTreeColumn* Add();
  void Delete(int Index);
  void Clear();
  // Moves a column to another collection index; every position keeps naming the same column.
  void MoveIndex(int From, int To);
  bool IsValidColumn(TColumnIndex Column) const { return Column >= 0 && Column < Count(); }
  // The column shown at a position; -1 past the end.
  TColumnIndex ColumnFromPosition(unsigned Position) const;
  const std::vector<TColumnIndex>& PositionArray() const { return FPositionToIndex; }
  // The visible column whose span holds X (header coordinates), with its edges; -2 when none.
  TColumnIndex ColumnAtX(int X, int* Left = nullptr, int* Right = nullptr) const;
  // Right edge of the last visible column; 0 without any.
  int TotalWidth() const;
  std::vector<TColumnIndex> VisibleColumns() const;
  void UpdatePositions();
  // First and last visible column by position; InvalidColumn when none.
  TColumnIndex FirstVisibleColumn() const;
  TColumnIndex LastVisibleColumn() const;
  // The column at the next or previous position (any, or visible only);
  // InvalidColumn at the ends or for a negative start.
  TColumnIndex NextColumn(TColumnIndex Column) const;
  TColumnIndex PreviousColumn(TColumnIndex Column) const;
  TColumnIndex NextVisibleColumn(TColumnIndex Column) const;
  TColumnIndex PreviousVisibleColumn(TColumnIndex Column) const;
  bool Equals(const TLazyTreeColumns& Other) const;
  void Assign(const TLazyTreeColumns& Other);

  // While an update is open width changes neither resize nor notify.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

  // Indexes of the mouse interaction; -1 at rest. Removal keeps them naming the same column.
  TColumnIndex HoverIndex = NoColumn, DownIndex = NoColumn, TrackIndex = NoColumn, ClickIndex = NoColumn;
  TColumnIndex DragIndex = NoColumn, DropTarget = NoColumn;
  bool DropBefore = false;

  // Gives the host's auto-size column the room the other visible columns leave;
  // Changed is the column whose width just changed, or NoColumn.
  void AutoSize(TColumnIndex Changed, bool Force = false);
  // Shares Delta pixels of header width among the coAutoSpring columns; each
  // keeps the signed fraction it is still owed, so growing and shrinking by
  // the same amount gives the same widths back.
  void ApplySpring(float Delta);
  // Shows the column growing or shrinking in steps, then sets its width
  // (clamped to its limits) normally; nothing for an unchanged width.
  void AnimatedResize(TColumnIndex Column, int NewWidth);

  // The "Columns" collection of a form resource: one property list per
  // column. Reading replaces the columns; stored positions that do not make
  // a permutation leave the columns in index order.
  void WriteFormProperty(TWriter* Writer) const;
  void ReadFormProperty(TReader* Reader);

  void SaveToStream(TStream* Stream) const;
  // Replaces every column from the stream. Counts, lengths and the position
  // array are checked; a corrupt stream raises ELazyTreeError and leaves
  // the columns read so far, in index order.
  void LoadFromStream(TStream* Stream, int Version);

private:
  friend class TLazyTreeColumn;
  void MovePosition(TLazyTreeColumn* Column, unsigned NewPosition);
  void ColumnChanged(TLazyTreeColumn* Column, bool Layout);
  void WidthChanged(TLazyTreeColumn* Column, int NewWidth);

  ILazyColumnsHost* FHost = nullptr;
  int FUpdateCount = 0;

  std::vector<std::unique_ptr<TLazyTreeColumn>> FItems;
  std::vector<TColumnIndex> FPositionToIndex;
};
