// TObjectList: a TList of objects that, while OwnsObjects is true (the
// default), frees every object deleted from it or left in it when it goes.
// Extract hands an object back without freeing it.
#pragma once

#include "platform/base/List.h"

class TObjectList : public TList {
public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;

  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  TObject* Items(int Index) const { return static_cast<TObject*>(TList::Items(Index)); }
  void SetItems(int Index, TObject* AObject) { TList::SetItems(Index, AObject); }
  TObject* operator[](int Index) const { return Items(Index); }

  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  bool FOwnsObjects;
};
