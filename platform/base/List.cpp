#include "platform/base/List.h"

#include <algorithm>
#include <climits>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"

// The largest list: the 32-bit index space of the system's code.
static constexpr int MaxListSize = INT_MAX / 16;

TList::~TList()
{
  Clear();
}

void TList::Error(const char* Msg, int Data)
{
  throw EListError(Format(Msg, Data));
}

void TList::CheckIndex(int Index) const
{
  if (Index < 0 || Index >= Count())
    Error(SListIndexError, Index);
}

void TList::Grow()
{
  int delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
  SetCapacity(FCapacity + delta);
}

int TList::Add(void* Item)
{
  int index = Count();
  if (index == FCapacity)
    Grow();
  FList.push_back(Item);
  if (Item)
    Notify(Item, lnAdded);
  return index;
}

void TList::Insert(int Index, void* Item)
{
  if (Index < 0 || Index > Count())
    Error(SListIndexError, Index);
  if (Count() == FCapacity)
    Grow();
  FList.insert(FList.begin() + Index, Item);
  if (Item)
    Notify(Item, lnAdded);
}

void TList::Delete(int Index)
{
  CheckIndex(Index);
  void* item = FList[std::size_t(Index)];
  FList.erase(FList.begin() + Index);
  if (item)
    Notify(item, lnDeleted);
}

int TList::Remove(void* Item)
{
  int index = IndexOf(Item);
  if (index >= 0)
    Delete(index);
  return index;
}

void* TList::Extract(void* Item)
{
  int index = IndexOf(Item);
  if (index < 0)
    return nullptr;
  void* item = FList[std::size_t(index)];
  FList.erase(FList.begin() + index);
  if (item)
    Notify(item, lnExtracted);
  return item;
}

int TList::IndexOf(void* Item) const
{
  auto found = std::find(FList.begin(), FList.end(), Item);
  return found == FList.end() ? -1 : int(found - FList.begin());
}

void TList::Exchange(int Index1, int Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[std::size_t(Index1)], FList[std::size_t(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
  if (CurIndex == NewIndex)
    return;
  CheckIndex(NewIndex);
  CheckIndex(CurIndex);
  void* item = FList[std::size_t(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Clear()
{
  SetCount(0);
  SetCapacity(0);
}

void TList::Pack()
{
  FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Sort(TListSortCompare Compare)
{
  if (!Compare || FList.size() < 2)
    return;
  std::stable_sort(FList.begin(), FList.end(), [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Assign(const TList* Source)
{
  Clear();
  if (!Source)
    return;
  SetCapacity(Source->Count());
  for (void* item : Source->FList)
    Add(item);
}

TList* TList::Expand()
{
  if (Count() == FCapacity)
    Grow();
  return this;
}

void* TList::First() const { return Items(0); }
void* TList::Last() const { return Items(Count() - 1); }

void TList::SetCount(int NewCount)
{
  if (NewCount < 0 || NewCount > MaxListSize)
    Error(SListCountError, NewCount);
  if (NewCount > FCapacity)
    SetCapacity(NewCount);
  if (NewCount > Count()) {
    FList.resize(std::size_t(NewCount), nullptr);
    return;
  }
  // From the end, so each deletion leaves the rest in place; an item whose
  // freeing removes others from the list is no trouble.
  while (Count() > NewCount)
    Delete(Count() - 1);
}

void TList::SetCapacity(int NewCapacity)
{
  if (NewCapacity < Count() || NewCapacity > MaxListSize)
    Error(SListCapacityError, NewCapacity);
  if (NewCapacity < FCapacity)
    FList.shrink_to_fit();
  FList.reserve(std::size_t(NewCapacity));
  FCapacity = NewCapacity;
}

void* TList::Items(int Index) const
{
  CheckIndex(Index);
  return FList[std::size_t(Index)];
}

void TList::SetItems(int Index, void* Item)
{
  CheckIndex(Index);
  void* old = FList[std::size_t(Index)];
  if (old == Item)
    return;
  FList[std::size_t(Index)] = Item;
  if (old)
    Notify(old, lnDeleted);
  if (Item)
    Notify(Item, lnAdded);
}

void TList::Notify(void*, TListNotification) {}
