// The tree's side of the position cache protocol.
#include "controls/vtree/BaseLazyTree.h"

void TBaseLazyTree::MarkCacheStale()
{
  // A rebuild that started before this change is never taken over.
  FValidation->Generation.fetch_add(1);
  if (!FStates.Contains(tsValidationNeeded) || FStates.Contains(tsUseCache))
    ChangeStates({tsValidationNeeded}, {tsUseCache});
}

void TBaseLazyTree::RequestCacheValidation()
{
  HaltCacheValidation();
  if (!FStates.Contains(tsValidationNeeded))
    return;
  if (FVisibleCount <= CacheThreshold) {
    // Small trees walk their nodes; there is nothing to build.
    FPositionCache.clear();
    return;
  }
  ChangeStates({tsValidating}, {tsStopValidation});
  TLtWorkerThread::Queue(FValidation, FRoot, FVisibleCount, HasWindow() ? WindowHandle() : nullptr);
}

void TBaseLazyTree::HaltCacheValidation()
{
  // Every structure operation comes here: the states change only once.
  if (!FStates.Contains(tsStopValidation) || FStates.Contains(tsUseCache))
    ChangeStates({tsStopValidation}, {tsUseCache});
  // An interrupted rebuild leaves the cache in need of validation.
  TLtWorkerThread::Halt(*FValidation);
  if (FStates.Contains(tsValidating))
    ChangeStates({}, {tsValidating});
}

void TBaseLazyTree::AdoptFinishedCache()
{
  if (!FValidation->Ready.load())
    return;
  std::vector<TCacheEntry> entries;
  if (TLtWorkerThread::TakeResult(*FValidation, entries)) {
    FPositionCache = std::move(entries);
    ChangeStates({tsUseCache}, {tsValidationNeeded, tsValidating, tsStopValidation});
  }
}

bool TBaseLazyTree::UseCache()
{
  AdoptFinishedCache();
  return FStates.Contains(tsUseCache) && !FPositionCache.empty();
}

TBaseLazyTree::TWorkerPause::TWorkerPause(TBaseLazyTree* Tree) : FTree(Tree), FResume(false)
{
  if (FTree->FValidation->Busy.load())
    FResume = TLtWorkerThread::Halt(*FTree->FValidation);
}

TBaseLazyTree::TWorkerPause::~TWorkerPause()
{
  if (FResume && !FTree->FDestroying)
    TLtWorkerThread::Queue(FTree->FValidation, FTree->FRoot, FTree->FVisibleCount,
                           FTree->HasWindow() ? FTree->WindowHandle() : nullptr);
}
