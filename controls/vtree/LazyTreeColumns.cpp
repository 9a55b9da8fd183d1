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
  FOwner->WidthChanged(this, Value);
}

void TLazyTreeColumn::RestoreLastWidth()
{
  FOwner->AnimatedResize(Index(), FLastWidth);
}

void TLazyTreeColumns::AnimatedResize(TColumnIndex Column, int NewWidth)
{
  if (!IsValidColumn(Column))
    return;
  TLazyTreeColumn* column = Item(Column);
  NewWidth = std::clamp(NewWidth, column->MinWidth(), column->MaxWidth());
  if (NewWidth == column->Width())
    return;
  if (FHost)
    FHost->ColumnAnimateResize(Column, column->Width(), NewWidth);
  column->SetWidth(NewWidth);
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
  if (Value.Contains(coAutoSpring) && !FOptions.Contains(coAutoSpring))
    FSpringRest = 0;
  if (Value == FOptions)
    return;
  FOptions = Value;
  if (visibility)
    FOwner->UpdatePositions();
  Changed(visibility);
}

void TLazyTreeColumn::Changed(bool Layout)
{
  FOwner->ColumnChanged(this, Layout);
}

void TLazyTreeColumns::ColumnChanged(TLazyTreeColumn* Column, bool Layout)
{
  if (FHost && FUpdateCount == 0)
    FHost->ColumnChanged(Column->Index(), Layout);
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
  for (TColumnIndex* tracked : {&HoverIndex, &DownIndex, &TrackIndex, &ClickIndex, &DragIndex, &DropTarget})
    *tracked = RemovedIndex(*tracked, Index);
  UpdatePositions();
  if (FHost)
    FHost->ColumnRemoved(Index);
}

TColumnIndex RemovedIndex(TColumnIndex Tracked, TColumnIndex Removed)
{
  if (Tracked == Removed)
    return NoColumn;
  return Tracked > Removed ? Tracked - 1 : Tracked;
}

void TLazyTreeColumns::Clear()
{
  FItems.clear();
  FPositionToIndex.clear();
  HoverIndex = DownIndex = TrackIndex = ClickIndex = DragIndex = DropTarget = NoColumn;
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
  ColumnChanged(Column, true);
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

void TLazyTreeColumn::SetBiDiMode(TBiDiMode Value)
{
  FOptions = FOptions - coParentBidiMode;
  Assign(FBiDiMode, Value);
}

void TLazyTreeColumn::SetColor(TColor Value)
{
  FOptions = FOptions - coParentColor;
  Assign(FColor, Value);
}

WideString TLazyTreeColumn::DisplayName() const
{
  for (char16_t c : FText)
    if (c > 0xFF) {
      std::string name = "Column " + std::to_string(Index());
      return WideString(name.begin(), name.end());
    }
  return FText;
}

bool TLazyTreeColumn::Equals(const TLazyTreeColumn& Other) const
{
  return FAlignment == Other.FAlignment && FBiDiMode == Other.FBiDiMode && FColor == Other.FColor &&
         FHint == Other.FHint && FImageIndex == Other.FImageIndex && FLayout == Other.FLayout &&
         FMargin == Other.FMargin && FMaxWidth == Other.FMaxWidth && FMinWidth == Other.FMinWidth &&
         FOptions == Other.FOptions && FPosition == Other.FPosition && FSpacing == Other.FSpacing &&
         FStyle == Other.FStyle && FTag == Other.FTag && FText == Other.FText && FWidth == Other.FWidth;
}

void TLazyTreeColumn::Assign(const TLazyTreeColumn& Other)
{
  FAlignment = Other.FAlignment;
  FBiDiMode = Other.FBiDiMode;
  FColor = Other.FColor;
  FHint = Other.FHint;
  FImageIndex = Other.FImageIndex;
  FLayout = Other.FLayout;
  FMargin = Other.FMargin;
  FSpacing = Other.FSpacing;
  FStyle = Other.FStyle;
  FTag = Other.FTag;
  FText = Other.FText;
  FOptions = Other.FOptions;
  FMaxWidth = Other.FMaxWidth;
  FMinWidth = Other.FMinWidth;
  SetWidth(Other.FWidth);
}

void TLazyTreeColumns::WidthChanged(TLazyTreeColumn* Column, int NewWidth)
{
  TColumnIndex index = Column->Index();
  bool autoResize = FHost && FHost->ColumnsAutoResize();
  // The auto-size column's width belongs to the auto-size rule.
  if (!(autoResize && index == FHost->ColumnsAutoSizeIndex())) {
    Column->FWidth = NewWidth;
    UpdatePositions();
  }
  if (Updating() || !FHost)
    return;
  if (autoResize)
    AutoSize(index);
  FHost->ColumnResized(index);
}

void TLazyTreeColumns::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    UpdatePositions();
}

void TLazyTreeColumns::AutoSize(TColumnIndex Changed, bool Force)
{
  if (Count() == 0)
    return;
  TColumnIndex target = FHost ? FHost->ColumnsAutoSizeIndex() : NoColumn;
  if (!IsValidColumn(target))
    target = Count() - 1;
  if (IsValidColumn(Changed) && Item(Changed)->Position() >= Item(target)->Position()) {
    target = NextVisibleColumn(Changed);
    if (!IsValidColumn(target))
      return;
  }
  int available = FHost ? FHost->ColumnsClientWidth() : 0;
  for (TColumnIndex index : VisibleColumns())
    if (index != target)
      available -= Item(index)->Width();
  TLazyTreeColumn* column = Item(target);
  int width = std::max(column->MinWidth(), std::min(column->MaxWidth(), available));
  if (width == column->FWidth && !Force)
    return;
  column->FWidth = width;
  UpdatePositions();
  if (FHost)
    FHost->ColumnResized(target);
}

void TLazyTreeColumns::ApplySpring(float Delta)
{
  if (Delta == 0)
    return;
  std::vector<TLazyTreeColumn*> springs;
  for (auto& column : FItems)
    if (column->Options().Contains(coAutoSpring))
      springs.push_back(column.get());
  if (springs.empty())
    return;
  float share = Delta / float(springs.size());
  for (TLazyTreeColumn* column : springs) {
    float owed = column->FSpringRest + share;
    int whole = int(owed);  // toward zero, whichever the sign
    column->FSpringRest = owed - float(whole);
    if (whole != 0)
      column->SetWidth(column->Width() + whole);
  }
}

TColumnIndex TLazyTreeColumns::FirstVisibleColumn() const
{
  std::vector<TColumnIndex> visible = VisibleColumns();
  return visible.empty() ? InvalidColumn : visible.front();
}

TColumnIndex TLazyTreeColumns::LastVisibleColumn() const
{
  std::vector<TColumnIndex> visible = VisibleColumns();
  return visible.empty() ? InvalidColumn : visible.back();
}

TColumnIndex TLazyTreeColumns::NextColumn(TColumnIndex Column) const
{
  if (!IsValidColumn(Column))
    return InvalidColumn;
  unsigned next = Item(Column)->Position() + 1;
  return next < FPositionToIndex.size() ? FPositionToIndex[next] : InvalidColumn;
}

TColumnIndex TLazyTreeColumns::PreviousColumn(TColumnIndex Column) const
{
  if (!IsValidColumn(Column) || Item(Column)->Position() == 0)
    return InvalidColumn;
  return FPositionToIndex[Item(Column)->Position() - 1];
}

TColumnIndex TLazyTreeColumns::NextVisibleColumn(TColumnIndex Column) const
{
  do
    Column = NextColumn(Column);
  while (IsValidColumn(Column) && !Item(Column)->Visible());
  return Column;
}

TColumnIndex TLazyTreeColumns::PreviousVisibleColumn(TColumnIndex Column) const
{
  do
    Column = PreviousColumn(Column);
  while (IsValidColumn(Column) && !Item(Column)->Visible());
  return Column;
}

bool TLazyTreeColumns::Equals(const TLazyTreeColumns& Other) const
{
  if (Count() != Other.Count() || FPositionToIndex != Other.FPositionToIndex)
    return false;
  for (int i = 0; i < Count(); ++i)
    if (!Item(i)->Equals(*Other.Item(i)))
      return false;
  return true;
}

void TLazyTreeColumns::Assign(const TLazyTreeColumns& Other)
{
  if (&Other == this)
    return;
  Clear();
  BeginUpdate();
  for (int i = 0; i < Other.Count(); ++i)
    Add()->Assign(*Other.Item(i));
  FPositionToIndex = Other.FPositionToIndex;
  EndUpdate();
}
