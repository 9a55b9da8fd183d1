#include "controls/html/text/FreeList.h"

TFreeList::~TFreeList()
{
  Clear();
}

void TFreeList::Clear()
{
  // Freed from the end, so that an object that looks at the list while it
  // dies finds only live ones before it.
  for (int I = Count() - 1; I >= 0; --I) {
    TObject* Item = Items(I);
    TList::Delete(I);
    delete Item;
  }
  TList::Clear();
}

void TFreeList::DeleteAndFree(int Index)
{
  TObject* Item = Items(Index);
  TList::Delete(Index);
  delete Item;
}
