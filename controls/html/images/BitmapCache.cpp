#include "controls/html/images/BitmapCache.h"

#include "platform/base/AnsiStrings.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/graphics/Bitmap.h"

TBitmapItem::TBitmapItem(TPersistent* AImage, BYTE ATransparency, TBitmap* AMask)
    : Transp(ATransparency), MImage(AImage), Mask(AMask)
{
}

TBitmapItem::~TBitmapItem()
{
  delete MImage;
  delete Mask;
}

TStringBitmapList::~TStringBitmapList()
{
  Clear();
}

std::string TStringBitmapList::Key(const std::string& Name)
{
  return AnsiUpperCase(Trim(Name));
}

int TStringBitmapList::AddObject(const std::string& S, TObject* AObject)
{
  const int index = TStringList::AddObject(S, AObject);
  // A sorted list ignoring duplicates answers the entry already there and
  // keeps AObject out: that one is not counted (its maker still owns it).
  if (auto* item = dynamic_cast<TBitmapItem*>(AObject); item && Objects(index) == AObject)
    ++item->UserCount;
  return index;
}

void TStringBitmapList::Clear()
{
  for (int i = 0; i < Count(); ++i)
    delete Objects(i);
  TStringList::Clear();
}

void TStringBitmapList::Changing()
{
  ++FGeneration;
  TStringList::Changing();
}

bool TStringBitmapList::Find(const std::string& S, int& Index) const
{
  TLastFound& Last = FLastFound;
  if (Last.Index >= 0 && Last.Generation == FGeneration && Last.CaseSensitive == CaseSensitive() &&
      Last.Duplicates == Duplicates() && Last.Key == S) {
    Index = Last.Index;
    return true;
  }
  if (!TStringList::Find(S, Index))
    return false;
  Last.Key = S;
  Last.Index = Index;
  Last.Generation = FGeneration;
  Last.CaseSensitive = CaseSensitive();
  Last.Duplicates = Duplicates();
  return true;
}

TBitmapItem* TStringBitmapList::Item(int I) const
{
  return static_cast<TBitmapItem*>(Objects(I));
}

void TStringBitmapList::DeleteEntry(int I)
{
  TObject* item = Objects(I);
  Delete(I);
  delete item;
}

TPersistent* TStringBitmapList::UseImage(int I)
{
  TBitmapItem* item = Item(I);
  item->AgeCount = 0;
  ++item->UserCount;
  return item->MImage;
}

void TStringBitmapList::ReleaseImage(const std::string& Name)
{
  const int i = IndexOf(Name);
  if (i >= 0)
    --Item(i)->UserCount;
}

void TStringBitmapList::SetCacheLimit(int N)
{
  for (int i = Count() - 1; i >= 0; --i) {
    TBitmapItem* item = Item(i);
    if (item->AgeCount > N && item->UserCount <= 0)
      DeleteEntry(i);
  }
  FMaxCache = N;
}

void TStringBitmapList::AgeCache()
{
  for (int i = Count() - 1; i >= 0; --i) {
    TBitmapItem* item = Item(i);
    ++item->AgeCount;
    if (item->AgeCount > FMaxCache && item->UserCount < 1)
      DeleteEntry(i);
  }
}
