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

enum TLTColumnOption {
  coAllowClick, coDraggable, coEnabled, coParentBidiMode, coParentColor, coResizable, coShowDropMark, coVisible,
  coAutoSpring
};
CORVANE_ENUM_RANGE(TLTColumnOption, 0, 15);
using TLTColumnOptions = Set<TLTColumnOption>;

class TLazyTreeColumns;

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
  TLTColumnOptions Options() const { return FOptions; }
  void SetOptions(TLTColumnOptions Value);
  bool Visible() const { return FOptions.Contains(coVisible); }
  unsigned Position() const { return FPosition; }
  void SetPosition(unsigned Value);
  // Pixel offset of the left edge from the header's start (visible columns only count).
  int Left() const { return FLeft; }
  const WideString& Text() const { return FText; }
  void SetText(const WideString& Value) { FText = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }

private:
  friend class TLazyTreeColumns;
  TLazyTreeColumns* FOwner;
  int FWidth = 50, FLastWidth = 50, FMinWidth = 10, FMaxWidth = 10000;
  TLTColumnOptions FOptions = TLTColumnOptions::FromInteger(0xFF);
  unsigned FPosition = 0;
  int FLeft = 0;
  WideString FText;
  TAlignment FAlignment = taLeftJustify;
};

class TLazyTreeColumns {
public:
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

private:
  friend class TLazyTreeColumn;
  void MovePosition(TLazyTreeColumn* Column, unsigned NewPosition);

  std::vector<std::unique_ptr<TLazyTreeColumn>> FItems;
  std::vector<TColumnIndex> FPositionToIndex;
};
