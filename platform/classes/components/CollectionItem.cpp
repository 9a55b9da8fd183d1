#include "platform/classes/components/CollectionItem.h"

#include "platform/base/IntConversions.h"
#include "platform/classes/components/Collection.h"

TCollectionItem::TCollectionItem(TCollection* Collection)
{
  SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
  SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
  if (FCollection == Value)
    return;
  if (FCollection)
    FCollection->RemoveItem(this);
  if (Value)
    Value->InsertItem(this);
}

int TCollectionItem::Index() const
{
  if (!FCollection)
    return -1;
  auto& items = FCollection->FItems;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == this)
      return int(i);
  return -1;
}

void TCollectionItem::SetIndex(int Value)
{
  if (FCollection && Index() != Value)
    FCollection->MoveItem(this, Value);
}

void TCollectionItem::SetDisplayName(const std::string&)
{
  Changed(false);
}

std::string TCollectionItem::GetDisplayName() const
{
  return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
  if (FCollection && FCollection->FUpdateCount == 0)
    FCollection->Update(AllItems ? nullptr : this);
}

std::string TCollectionItem::GetNamePath() const
{
  if (!FCollection)
    return ClassName();
  return FCollection->GetNamePath() + "[" + IntToStr(Index()) + "]";
}

TPersistent* TCollectionItem::GetOwner() const
{
  return FCollection;
}
