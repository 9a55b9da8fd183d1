// The sub-storages of a settings store: each item hands the part of the name
// space below its RootPath to another store.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/Persistent.h"

class TUtCustomAppStorage;
class TUtAppSubStorages;

class TUtAppSubStorage : public TPersistent {
public:
  explicit TUtAppSubStorage(TUtAppSubStorages* Collection) : FCollection(Collection) {}

  const std::string& RootPath() const { return FRootPath; }
  // Normalised; "'x' is not a unique root path" when another item covers it.
  void SetRootPath(const std::string& Value);
  TUtCustomAppStorage* AppStorage() const { return FAppStorage; }
  // "Circular reference of storages" when the store would contain its owner.
  void SetAppStorage(TUtCustomAppStorage* Value);

  // "\Root=StoreName" when both are set, else the item's class name.
  std::string DisplayName() const;
  int Index() const;
  TUtAppSubStorages* Collection() const { return FCollection; }
  TUtCustomAppStorage* OwnerStore() const;

private:
  friend class TUtAppSubStorages;
  TUtAppSubStorages* FCollection;
  std::string FRootPath;
  TUtCustomAppStorage* FAppStorage = nullptr;
};

class TUtAppSubStorages : public TPersistent {
public:
  explicit TUtAppSubStorages(TUtCustomAppStorage* Owner) : FOwner(Owner) {}
  ~TUtAppSubStorages() override;

  TUtCustomAppStorage* Owner() const { return FOwner; }
  int Count() const { return int(FItems.size()); }
  TUtAppSubStorage* Items(int Index) const;
  TUtAppSubStorage* Add();
  // Adds an item with its root and store set (either may raise, and then no
  // item is added).
  TUtAppSubStorage* Add(const std::string& RootPath, TUtCustomAppStorage* AppStorage);
  void Delete(int Index);
  void Clear();

  // The item whose root covers Path (the longest root; the first of equal
  // lengths), skipping ExcludeIndex; null when none does.
  TUtAppSubStorage* MatchingItem(const std::string& Path, int ExcludeIndex = -1) const;
  // Deletes every item that hands its paths to Store (the store is going away).
  void RemoveReferencesTo(TUtCustomAppStorage* Store);

private:
  friend class TUtAppSubStorage;
  TUtCustomAppStorage* FOwner;
  std::vector<std::unique_ptr<TUtAppSubStorage>> FItems;
};
