// Column widths and limits, the position array and hit tests by x.
#include "controls/vtree/LazyTreeColumns.h"

#include <algorithm>

int TLazyTreeColumn::Index() const
{
  for (int i = 0; i < FOwner->Count(); ++i)
    if (FOwner->Item(i) == this)
      return i;
  return -1;
}

void TLazyTreeColumn::SetWidth(int Value)
{
  Value = std::clamp(Value, FMinWidth, FMaxWidth);
  if (Value == FWidth)
    return;
  FLastWidth = FWidth;
  FWidth = Value;
  FOwner->UpdatePositions();
}

void TLazyTreeColumn::SetMinWidth(int Value)
{
  FMinWidth = std::clamp(Value, 0, FMaxWidth);
  SetWidth(FWidth);
}

void TLazyTreeColumn::SetMaxWidth(int Value)
{
  // This platform counts as the NT family: no cap at 10000.
  FMaxWidth = std::max(Value, FMinWidth);
  SetWidth(FWidth);
}

void TLazyTreeColumn::SetOptions(TLTColumnOptions Value)
{
  bool visibility = Value.Contains(coVisible) != FOptions.Contains(coVisible);
  FOptions = Value;
  if (visibility)
    FOwner->UpdatePositions();
}

void TLazyTreeColumn::SetPosition(unsigned Value)
{
  unsigned count = unsigned(FOwner->Count());
  if (Value >= count)
    Value = count - 1;
  if (Value != FPosition)
    FOwner->MovePosition(this, Value);
}

TLazyTreeColumn* TLazyTreeColumns::Add()
{
  FItems.push_back(std::make_unique<TLazyTreeColumn>(this));
  FPositionToIndex.push_back(Count() - 1);
  UpdatePositions();
  return FItems.back().get();
}

void TLazyTreeColumns::Delete(int Index)
{
  if (!IsValidColumn(Index))
    return;
  FItems.erase(FItems.begin() + Index);
  FPositionToIndex.erase(std::find(FPositionToIndex.begin(), FPositionToIndex.end(), Index));
  for (TColumnIndex& entry : FPositionToIndex)
    if (entry > Index)
      --entry;
  UpdatePositions();
}

void TLazyTreeColumns::Clear()
{
  FItems.clear();
  FPositionToIndex.clear();
}

void TLazyTreeColumns::MoveIndex(int From, int To)
{
  if (!IsValidColumn(From) || !IsValidColumn(To) || From == To)
    return;
  auto item = std::move(FItems[std::size_t(From)]);
  FItems.erase(FItems.begin() + From);
  FItems.insert(FItems.begin() + To, std::move(item));
  for (TColumnIndex& entry : FPositionToIndex) {
    if (entry == From)
      entry = To;
    else if (From > To && entry >= To && entry < From)
      ++entry;
    else if (From < To && entry > From && entry <= To)
      --entry;
  }
  UpdatePositions();
}

void TLazyTreeColumns::MovePosition(TLazyTreeColumn* Column, unsigned NewPosition)
{
  TColumnIndex index = Column->Index();
  auto at = std::find(FPositionToIndex.begin(), FPositionToIndex.end(), index);
  FPositionToIndex.erase(at);
  FPositionToIndex.insert(FPositionToIndex.begin() + NewPosition, index);
  UpdatePositions();
}

TColumnIndex TLazyTreeColumns::ColumnFromPosition(unsigned Position) const
{
  return Position < FPositionToIndex.size() ? FPositionToIndex[Position] : NoColumn;
}

void TLazyTreeColumns::UpdatePositions()
{
  int left = 0;
  for (std::size_t p = 0; p < FPositionToIndex.size(); ++p) {
    TLazyTreeColumn* column = Item(FPositionToIndex[p]);
    column->FPosition = unsigned(p);
    column->FLeft = left;
    if (column->Visible())
      left += column->FWidth;
  }
}

TColumnIndex TLazyTreeColumns::ColumnAtX(int X, int* Left, int* Right) const
{
  if (X < 0)
    return InvalidColumn;
  for (TColumnIndex index : FPositionToIndex) {
    const TLazyTreeColumn* column = Item(index);
    if (!column->Visible())
      continue;
    int right = column->FLeft + column->FWidth;
    if (X < right) {
      if (Left)
        *Left = column->FLeft;
      if (Right)
        *Right = right;
      return index;
    }
  }
  return InvalidColumn;
}

int TLazyTreeColumns::TotalWidth() const
{
  int total = 0;
  for (TColumnIndex index : FPositionToIndex)
    if (Item(index)->Visible())
      total = Item(index)->FLeft + Item(index)->FWidth;
  return total;
}

std::vector<TColumnIndex> TLazyTreeColumns::VisibleColumns() const
{
  std::vector<TColumnIndex> out;
  for (TColumnIndex index : FPositionToIndex)
    if (Item(index)->Visible())
      out.push_back(index);
  return out;
}
