// The sub-storages of a settings store: each item hands the part of the name
// space below its RootPath to another store.
#pragma once

#include <string>

#include "platform/classes/components/CollectionItem.h"
#include "platform/classes/components/OwnedCollection.h"

class TComponent;
class TUtCustomAppStorage;
class TUtAppSubStorages;

class TUtAppSubStorage : public TCollectionItem {
public:
  TUtAppSubStorage() = default;

  const std::string& RootPath() const { return FRootPath; }
  // Normalised; "'x' is not a unique root path" when another item covers it.
  void SetRootPath(const std::string& Value);
  TUtCustomAppStorage* AppStorage() const { return FAppStorage; }
  // "Circular reference of storages" when the store would contain its owner.
  void SetAppStorage(TUtCustomAppStorage* Value);

  TUtAppSubStorages* SubStorages() const;
  // The store that owns the collection.
  TUtCustomAppStorage* OwnerStore() const;

protected:
  // "\Root=StoreName" when both are set, else the item's default name.
  std::string GetDisplayName() const override;

private:
  friend class TUtAppSubStorages;
  std::string FRootPath;
  TUtCustomAppStorage* FAppStorage = nullptr;
  // The same object as a component: a store that goes away is recognised by
  // this pointer, since by then it is no longer a store.
  TComponent* FAppStorageComponent = nullptr;
};

class TUtAppSubStorages : public TOwnedCollection {
public:
  explicit TUtAppSubStorages(TUtCustomAppStorage* Owner);

  TUtCustomAppStorage* Owner() const { return FOwner; }
  TUtAppSubStorage* Items(int Index) const { return static_cast<TUtAppSubStorage*>(TCollection::Items(Index)); }
  TUtAppSubStorage* Add() { return static_cast<TUtAppSubStorage*>(TCollection::Add()); }
  // Adds an item with its root and store set (either may raise, and then no
  // item is added).
  TUtAppSubStorage* Add(const std::string& RootPath, TUtCustomAppStorage* AppStorage);

  // The item whose root covers Path (the longest root; the first of equal
  // lengths), skipping ExcludeIndex; null when none does.
  TUtAppSubStorage* MatchingItem(const std::string& Path, int ExcludeIndex = -1) const;
  // Deletes every item that hands its paths to Store (the store is going away),
  // from the last.
  void RemoveReferencesTo(const TComponent* Store);
  // Whether an item other than Except hands its paths to Store.
  bool References(const TComponent* Store, const TUtAppSubStorage* Except = nullptr) const;

protected:
  // Items that come and go register and unregister their store's free
  // notification with the owning store.
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  TUtCustomAppStorage* FOwner;
};
