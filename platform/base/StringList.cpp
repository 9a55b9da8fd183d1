#include "platform/base/StringList.h"

#include <utility>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Exception.h"
#include "platform/base/SysConsts.h"

int TStringList::DefaultCompare(TStringList* List, int Index1, int Index2)
{
  return List->CompareStrings(List->FList[std::size_t(Index1)].FString, List->FList[std::size_t(Index2)].FString);
}

void TStringList::CheckIndex(int Index) const
{
  if (Index < 0 || Index >= GetCount())
    Error(SListIndexError, Index);
}

int TStringList::Add(const std::string& S) { return AddChecked(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) { return AddChecked(S, AObject); }

int TStringList::AddChecked(const std::string& S, TObject* AObject)
{
  int index = GetCount();
  if (FSorted && Find(S, index)) {
    switch (FDuplicates) {
    case dupIgnore:
      return index;
    case dupError:
      throw EStringListError(SDuplicateString);
    case dupAccept:
      break;
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Clear()
{
  if (FList.empty())
    return;
  Changing();
  FList.clear();
  FList.shrink_to_fit();
  Changed();
}

void TStringList::Delete(int Index)
{
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  ExchangeItems(Index1, Index2);
  Changed();
}

void TStringList::ExchangeItems(int Index1, int Index2)
{
  std::swap(FList[std::size_t(Index1)], FList[std::size_t(Index2)]);
}

bool TStringList::Find(const std::string& S, int& Index) const
{
  bool found = false;
  int l = 0, h = GetCount() - 1;
  while (l <= h) {
    int i = (l + h) / 2;
    int c = CompareStrings(FList[std::size_t(i)].FString, S);
    if (c < 0) {
      l = i + 1;
    } else {
      h = i - 1;
      if (c == 0) {
        found = true;
        // Without duplicates the first hit is the only one; with them the
        // search goes on to the first of the equal strings.
        if (FDuplicates != dupAccept)
          l = i;
      }
    }
  }
  Index = l;
  return found;
}

int TStringList::IndexOf(const std::string& S) const
{
  if (!FSorted)
    return TStrings::IndexOf(S);
  int index = -1;
  return Find(S, index) ? index : -1;
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject)
{
  if (FSorted)
    Error(SSortedListError, 0);
  if (Index < 0 || Index > GetCount())
    Error(SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject)
{
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Sort() { CustomSort(DefaultCompare); }

void TStringList::CustomSort(TStringListSortCompare Compare)
{
  if (FSorted || GetCount() < 2 || !Compare)
    return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

void TStringList::QuickSort(int L, int R, TStringListSortCompare Compare)
{
  // The pivot is followed through the exchanges; the scans stop at the range's
  // ends, so a comparison that contradicts itself cannot run off the list.
  while (L < R) {
    int i = L, j = R, p = (L + R) / 2;
    do {
      while (i < R && Compare(this, i, p) < 0)
        ++i;
      while (j > L && Compare(this, j, p) > 0)
        --j;
      if (i <= j) {
        if (i != j)
          ExchangeItems(i, j);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    // The smaller part by recursion, the larger by the loop: the depth stays
    // logarithmic whatever the order.
    if (j - L < R - i) {
      if (L < j)
        QuickSort(L, j, Compare);
      L = i;
    } else {
      if (i < R)
        QuickSort(i, R, Compare);
      R = j;
    }
  }
}

void TStringList::SetCapacity(int NewCapacity)
{
  if (NewCapacity < GetCount())
    Error(SListCapacityError, NewCapacity);
  FList.reserve(std::size_t(NewCapacity));
}

void TStringList::SetSorted(bool Value)
{
  if (FSorted == Value)
    return;
  if (Value)
    Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
  if (FCaseSensitive == Value)
    return;
  FCaseSensitive = Value;
  // A sorted list must follow the new order, or Find would miss strings.
  if (FSorted && GetCount() > 1) {
    Changing();
    QuickSort(0, GetCount() - 1, DefaultCompare);
    Changed();
  }
}

void TStringList::Changed()
{
  if (UpdateCount() == 0 && OnChange)
    OnChange(this);
}

void TStringList::Changing()
{
  if (UpdateCount() == 0 && OnChanging)
    OnChanging(this);
}

std::string TStringList::Get(int Index) const
{
  CheckIndex(Index);
  return FList[std::size_t(Index)].FString;
}

std::string TStringList::GetTextStr() const
{
  std::size_t size = 0;
  for (const TStringItem& item : FList)
    size += item.FString.size() + 2;
  std::string text;
  text.reserve(size);
  for (const TStringItem& item : FList) {
    text += item.FString;
    text += "\r\n";
  }
  return text;
}

TObject* TStringList::GetObject(int Index) const
{
  CheckIndex(Index);
  return FList[std::size_t(Index)].FObject;
}

void TStringList::Put(int Index, const std::string& S)
{
  if (FSorted)
    Error(SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  FList[std::size_t(Index)].FString = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject)
{
  CheckIndex(Index);
  Changing();
  FList[std::size_t(Index)].FObject = AObject;
  Changed();
}

void TStringList::SetUpdateState(bool Updating)
{
  if (Updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const
{
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}
