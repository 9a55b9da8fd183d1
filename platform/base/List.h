// TList: a list of untyped pointers. Indexes start at 0; a bad index raises
// EListError "Indice de liste hors limites (%d)". Notify is called for every
// non-null pointer that enters (lnAdded) or leaves the list (lnExtracted when
// handed back to the caller, lnDeleted otherwise). A descendant that overrides
// Notify must call Clear in its own destructor: the base destructor can no
// longer reach the override.
#pragma once

#include <vector>

#include "platform/base/Object.h"

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Answers <0, 0 or >0 as Item1 sorts before, with or after Item2.
using TListSortCompare = int (*)(void* Item1, void* Item2);

class TList : public TObject {
public:
  TList() = default;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  ~TList() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Removes the first occurrence; answers its former index or -1.
  int Remove(void* Item);
  // Removes the first occurrence without deleting it; answers it, or null.
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  virtual void Clear();
  // Removes the null pointers.
  void Pack();
  // A stable sort: items that compare equal keep their order.
  void Sort(TListSortCompare Compare);
  // Copies the items of Source (replacing the list's own).
  void Assign(const TList* Source);
  TList* Expand();

  void* First() const;
  void* Last() const;

  int Count() const { return int(FList.size()); }
  // Growing adds null pointers; shrinking deletes the items past the end.
  void SetCount(int NewCount);
  int Capacity() const { return FCapacity; }
  void SetCapacity(int NewCapacity);
  void* Items(int Index) const;
  void SetItems(int Index, void* Item);
  void* operator[](int Index) const { return Items(Index); }
  void** List() { return FList.data(); }

  [[noreturn]] static void Error(const char* Msg, int Data);

protected:
  virtual void Notify(void* Ptr, TListNotification Action);
  void Grow();

private:
  void CheckIndex(int Index) const;

  std::vector<void*> FList;
  int FCapacity = 0;
};
