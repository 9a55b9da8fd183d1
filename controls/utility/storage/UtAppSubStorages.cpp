#include "controls/utility/storage/UtAppSubStorages.h"

#include "controls/utility/UtConsts.h"
#include "controls/utility/UtExceptions.h"
#include "controls/utility/storage/UtAppStorage.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/StringRoutines.h"

namespace {

// Whether Path lies below Root: Root equals its first characters, case
// ignored, and a "\" follows.
bool Covers(const std::string& root, const std::string& path)
{
  return path.size() > root.size() && path[root.size()] == '\\' &&
         SameText(std::string_view(path).substr(0, root.size()), root);
}

}  // namespace

TUtAppSubStorages* TUtAppSubStorage::SubStorages() const
{
  return static_cast<TUtAppSubStorages*>(Collection());
}

TUtCustomAppStorage* TUtAppSubStorage::OwnerStore() const
{
  return SubStorages() ? SubStorages()->Owner() : nullptr;
}

void TUtAppSubStorage::SetRootPath(const std::string& Value)
{
  std::string normal = TUtCustomAppStorage::JoinPaths({Value});
  if (normal == FRootPath)
    return;
  if (SubStorages() && SubStorages()->MatchingItem(normal + "\\*", Index()))
    throw EAppStorageError(Format(SNotAUniqueRootPath, normal));
  FRootPath = normal;
}

void TUtAppSubStorage::SetAppStorage(TUtCustomAppStorage* Value)
{
  if (Value == FAppStorage)
    return;
  TUtCustomAppStorage* owner = OwnerStore();
  if (Value && (Value == owner || Value->HasSubStorage(owner)))
    throw EAppStorageError(SCircularReferenceOfStorages);
  TComponent* old = FAppStorageComponent;
  FAppStorage = Value;
  FAppStorageComponent = Value;
  if (owner) {
    if (old && !SubStorages()->References(old))
      owner->RemoveFreeNotification(old);
    if (Value)
      owner->FreeNotification(Value);
  }
}

std::string TUtAppSubStorage::GetDisplayName() const
{
  if (!FRootPath.empty() && FAppStorage)
    return "\\" + FRootPath + "=" + FAppStorage->Name();
  return TCollectionItem::GetDisplayName();
}

TUtAppSubStorages::TUtAppSubStorages(TUtCustomAppStorage* Owner)
    : TOwnedCollection(Owner, CollectionItemClass<TUtAppSubStorage>()), FOwner(Owner)
{
}

TUtAppSubStorage* TUtAppSubStorages::Add(const std::string& RootPath, TUtCustomAppStorage* AppStorage)
{
  TUtAppSubStorage* item = Add();
  OnFailure removing([&] { Delete(item->Index()); });
  item->SetRootPath(RootPath);
  item->SetAppStorage(AppStorage);
  return item;
}

TUtAppSubStorage* TUtAppSubStorages::MatchingItem(const std::string& Path, int ExcludeIndex) const
{
  std::string path = TUtCustomAppStorage::JoinPaths({Path});
  TUtAppSubStorage* best = nullptr;
  for (int i = 0; i < Count(); ++i) {
    if (i == ExcludeIndex)
      continue;
    TUtAppSubStorage* item = Items(i);
    if (Covers(item->RootPath(), path) && (!best || item->RootPath().size() > best->RootPath().size()))
      best = item;
  }
  return best;
}

void TUtAppSubStorages::RemoveReferencesTo(const TComponent* Store)
{
  for (int i = Count() - 1; i >= 0; --i)
    if (i < Count() && Items(i)->FAppStorageComponent == Store)
      Delete(i);
}

bool TUtAppSubStorages::References(const TComponent* Store, const TUtAppSubStorage* Except) const
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i) != Except && Items(i)->FAppStorageComponent == Store)
      return true;
  return false;
}

void TUtAppSubStorages::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
  TOwnedCollection::Notify(Item, Action);
  auto* item = static_cast<TUtAppSubStorage*>(Item);
  TComponent* store = item->FAppStorageComponent;
  if (!store)
    return;
  if (Action == cnAdded)
    FOwner->FreeNotification(item->FAppStorage);
  else if (!References(store, item))
    // Another item may still hand paths to the same store.
    FOwner->RemoveFreeNotification(store);
}
