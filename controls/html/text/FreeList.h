// TFreeList: a pointer list that owns its objects. Clearing or freeing the
// list frees every object; DeleteAndFree frees one and removes it. The base of
// the viewer's owning lists (attribute list, property stack, ...).
#pragma once

#include "platform/base/List.h"

class TFreeList : public TList {
public:
  TFreeList() = default;
  ~TFreeList() override;

  // Frees every object, then empties the list.
  void Clear() override;
  // Frees the object at Index, then removes it.
  void DeleteAndFree(int Index);

  TObject* Items(int Index) const { return static_cast<TObject*>(TList::Items(Index)); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
};
