// TThreadList: a pointer list shared between threads. Every access goes
// through LockList/UnlockList (or the locking Add, Remove and Clear).
#pragma once

#include "platform/base/CriticalSection.h"
#include "platform/base/List.h"
#include "platform/base/Object.h"
#include "platform/base/StringList.h"

class TThreadList : public TObject {
public:
  TThreadList() = default;
  ~TThreadList() override;
  TThreadList(const TThreadList&) = delete;
  TThreadList& operator=(const TThreadList&) = delete;

  // dupIgnore (the default) leaves an item already in the list alone,
  // dupAccept adds it again, dupError raises EListError.
  void Add(void* Item);
  void Remove(void* Item);
  void Clear();
  // Takes the lock and gives the list; the caller must call UnlockList.
  TList* LockList();
  void UnlockList();

  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }

private:
  TCriticalSection FLock;
  TList FList;
  TDuplicates FDuplicates = dupIgnore;
};
