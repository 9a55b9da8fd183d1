#include "controls/html/parser/IDNameList.h"

#include "platform/base/StringRoutines.h"

TIDNameList::TIDNameList(TPositionLookup* Document) : FDocument(Document)
{
  SetSorted(true);
}

TIDNameList::~TIDNameList()
{
  Clear();
}

int TIDNameList::CompareStrings(const std::string& S1, const std::string& S2) const
{
  return CompareText(S1, S2);
}

void TIDNameList::Reindex() const
{
  FPositions.clear();
  for (int I = 0; I < Count(); ++I)
    FPositions[LowerCase(TStringList::Get(I))] = I;
}

void TIDNameList::EnsureSorted() const
{
  if (Sorted())
    return;
  // Sorting changes no entry, only the positions that see them.
  const_cast<TIDNameList*>(this)->SetSorted(true);
  Reindex();
}

bool TIDNameList::Find(const std::string& S, int& Index) const
{
  EnsureSorted();
  return TStringList::Find(S, Index);
}

std::string TIDNameList::Get(int Index) const
{
  EnsureSorted();
  return TStringList::Get(Index);
}

TObject* TIDNameList::GetObject(int Index) const
{
  EnsureSorted();
  return TStringList::GetObject(Index);
}

void TIDNameList::Clear()
{
  for (int I = 0; I < Count(); ++I)
    delete dynamic_cast<TChPosObj*>(TStringList::GetObject(I));
  TStringList::Clear();
  FPositions.clear();
}

void TIDNameList::Delete(int Index)
{
  TStringList::Delete(Index);
  Reindex();
}

int TIDNameList::AddObject(const std::string& Name, TObject* Object)
{
  if (Sorted())
    SetSorted(false);  // appended now, sorted when next read by position
  const std::string Key = LowerCase(Name);
  auto It = FPositions.find(Key);
  if (It != FPositions.end()) {
    delete dynamic_cast<TChPosObj*>(TStringList::GetObject(It->second));
    TStringList::Put(It->second, Name);
    TStringList::PutObject(It->second, Object);
    return It->second;
  }
  const int Index = TStringList::AddObject(Name, Object);
  FPositions.emplace(Key, Index);
  return Index;
}

void TIDNameList::AddChPosObject(const std::string& Name, int Position)
{
  AddObject(Name, new TChPosObj(FDocument, Position));
}
