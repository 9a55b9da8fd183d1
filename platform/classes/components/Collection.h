// TCollection: an ordered list of items of one class that it owns, with an
// update lock and a change notification (Update: null for a change of the
// whole collection, else the one item that changed).
#pragma once

#include <string>
#include <typeinfo>
#include <vector>

#include "platform/base/Persistent.h"
#include "platform/classes/components/ComponentTypes.h"
#include "platform/classes/components/CollectionItem.h"

// The class of a collection's items: how to make one, and its type for checks.
struct TCollectionItemClass {
  TCollectionItem* (*Create)() = nullptr;
  const std::type_info* Type = nullptr;
};
template <class T>
TCollectionItemClass CollectionItemClass()
{
  return {[]() -> TCollectionItem* { return new T(); }, &typeid(T)};
}

class TCollection : public TPersistent {
public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // Updates in between are announced once, at the last EndUpdate.
  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  TCollectionItem* FindItemID(int ID) const;

  int Count() const { return int(FItems.size()); }
  // EListError outside 0..Count-1.
  TCollectionItem* Items(int Index) const;
  TCollectionItem* operator[](int Index) const { return Items(Index); }
  TCollectionItemClass ItemClass() const { return FItemClass; }

  // Same class of items: the items are rebuilt as copies of Source's.
  void Assign(TPersistent* Source) override;
  std::string GetNamePath() const override;
  // The name of the owner's property that holds the collection ("" unknown).
  const std::string& PropName() const { return FPropName; }
  void SetPropName(const std::string& Value) { FPropName = Value; }

protected:
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  void Changed();
  virtual std::string GetItemAttr(int, int) const { return ""; }

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void MoveItem(TCollectionItem* Item, int NewIndex);

  TCollectionItemClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  std::string FPropName;
};
