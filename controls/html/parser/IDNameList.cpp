#include "controls/html/parser/IDNameList.h"

TIDNameList::TIDNameList(TPositionLookup* Document) : FDocument(Document)
{
  SetSorted(true);
}

TIDNameList::~TIDNameList()
{
  Clear();
}

void TIDNameList::Clear()
{
  for (int I = 0; I < Count(); ++I)
    delete dynamic_cast<TChPosObj*>(Objects(I));
  TStringList::Clear();
}

int TIDNameList::AddObject(const std::string& Name, TObject* Object)
{
  int Index = 0;
  if (Find(Name, Index)) {
    delete dynamic_cast<TChPosObj*>(Objects(Index));
    Delete(Index);
  }
  return TStringList::AddObject(Name, Object);
}

void TIDNameList::AddChPosObject(const std::string& Name, int Position)
{
  AddObject(Name, new TChPosObj(FDocument, Position));
}
