#include "platform/classes/components/Collection.h"

#include <algorithm>

#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/SysConsts.h"

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection()
{
  FUpdateCount = 1;  // nothing to announce any more
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    RemoveItem(item);
    delete item;
  }
}

TCollectionItem* TCollection::Add()
{
  // Made outside the collection and inserted once complete, so that Notify
  // and Update see the finished item.
  TCollectionItem* item = FItemClass.Create();
  item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int Index)
{
  if (Index < 0 || Index > Count())
    throw EListError(Format(SListIndexError, Index));
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index)
{
  TCollectionItem* item = Items(Index);
  Notify(item, cnDeleting);
  // Taken out while it is still whole, so that Notify sees the complete item.
  RemoveItem(item);
  delete item;
}

void TCollection::Clear()
{
  if (FItems.empty())
    return;
  BeginUpdate();
  ScopeExit updating([&] { EndUpdate(); });
  while (!FItems.empty())
    Delete(Count() - 1);
}

void TCollection::BeginUpdate()
{
  ++FUpdateCount;
}

void TCollection::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  Changed();
}

void TCollection::Changed()
{
  if (FUpdateCount == 0)
    Update(nullptr);
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
  for (TCollectionItem* item : FItems)
    if (item->FID == ID)
      return item;
  return nullptr;
}

TCollectionItem* TCollection::Items(int Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(Format(SListIndexError, Index));
  return FItems[std::size_t(Index)];
}

void TCollection::Assign(TPersistent* Source)
{
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  ScopeExit updating([&] { EndUpdate(); });
  Clear();
  for (TCollectionItem* item : source->FItems)
    Add()->Assign(item);
}

std::string TCollection::GetNamePath() const
{
  TPersistent* owner = GetOwner();
  if (!owner)
    return ClassName();
  std::string path = owner->GetNamePath();
  if (path.empty())
    return ClassName();
  return FPropName.empty() ? path : path + "." + FPropName;
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* Item)
{
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
  Notify(Item, cnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end())
    FItems.erase(it);
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex)
{
  int current = Item->Index();
  if (NewIndex < 0 || NewIndex >= Count())
    throw EListError(Format(SListIndexError, NewIndex));
  FItems.erase(FItems.begin() + current);
  FItems.insert(FItems.begin() + NewIndex, Item);
  Item->Changed(true);
}
