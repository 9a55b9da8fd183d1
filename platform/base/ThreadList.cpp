#include "platform/base/ThreadList.h"

#include <cinttypes>
#include <cstdio>

#include "platform/base/Exception.h"
#include "platform/base/ScopeGuard.h"

TThreadList::~TThreadList()
{
  LockList();
  UnlockList();  // no other thread is inside any more
}

void TThreadList::Add(void* Item)
{
  TList* list = LockList();
  ScopeExit unlocking([&] { UnlockList(); });
  if (FDuplicates == dupAccept || list->IndexOf(Item) == -1) {
    list->Add(Item);
  } else if (FDuplicates == dupError) {
    char text[64];
    std::snprintf(text, sizeof text, "La liste n'autorise pas les doublons ($%" PRIXPTR ")",
                  reinterpret_cast<std::uintptr_t>(Item));
    throw EListError(text);
  }
}

void TThreadList::Remove(void* Item)
{
  LockList()->Remove(Item);
  UnlockList();
}

void TThreadList::Clear()
{
  LockList()->Clear();
  UnlockList();
}

TList* TThreadList::LockList()
{
  FLock.Enter();
  return &FList;
}

void TThreadList::UnlockList()
{
  FLock.Leave();
}
