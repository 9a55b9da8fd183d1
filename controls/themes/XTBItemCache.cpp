#include "controls/themes/XTBItemCache.h"

#include "controls/toolbar/TBCustomItem.h"

std::string TXTBItemCache::Name() const { return FItem ? FItem->Name() : FName; }

void TXTBItemCache::Assign(TPersistent* Source)
{
  auto* other = dynamic_cast<TXTBItemCache*>(Source);
  if (!other) {
    TCollectionItem::Assign(Source);
    return;
  }
  FItem = other->FItem;
  FLeft = other->FLeft;
  FTop = other->FTop;
  FWidth = other->FWidth;
  FHeight = other->FHeight;
  FParentWidth = other->FParentWidth;
  FParentHeight = other->FParentHeight;
}

TXTBItemCacheCollection::TXTBItemCacheCollection() : TCollection(CollectionItemClass<TXTBItemCache>()) {}

int TXTBItemCacheCollection::AddCache(TTBCustomItem* Item, const TRect& R)
{
  TXTBItemCache* entry = Add();
  entry->SetItem(Item);
  entry->SetLeft(R.Left);
  entry->SetTop(R.Top);
  entry->SetWidth(R.Right - R.Left);
  entry->SetHeight(R.Bottom - R.Top);
  return Count() - 1;
}

int TXTBItemCacheCollection::IndexOfItem(TTBCustomItem* Item) const
{
  if (!Item)
    return -1;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Item() == Item)
      return i;
  return -1;
}
