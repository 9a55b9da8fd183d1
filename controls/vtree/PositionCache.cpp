#include "controls/vtree/PositionCache.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/NodeWalk.h"
#include "platform/win/window/MessageQueue.h"

bool BuildPositionCache(PLazyNode Root, unsigned VisibleCount, const std::atomic<bool>& Stop,
                        std::vector<TCacheEntry>& Entries)
{
  Entries.clear();
  if (VisibleCount <= CacheThreshold)
    return false;
  const std::size_t slots = (std::size_t(VisibleCount) + CacheThreshold - 1) / CacheThreshold;
  Entries.reserve(slots + 1);
  PLazyNode node = lt::FirstShownChild(Root);
  unsigned top = 0;
  std::size_t ordinal = 0;
  PLazyNode last = nullptr;
  while (node) {
    if (Stop.load(std::memory_order_relaxed))
      return false;
    if (ordinal % CacheThreshold == 0) {
      if (Entries.size() == slots)
        break;  // the array is full
      Entries.push_back({node, top});
    }
    top += node->NodeHeight;
    ++ordinal;
    last = node;
    node = lt::NextShownWithin(node, Root);
  }
  if (Stop.load(std::memory_order_relaxed))
    return false;
  // The final entry (the last node with the bottom of the content) fits only
  // when the walk ended before the array was full.
  if (!node && last && Entries.size() < slots)
    Entries.push_back({last, top});
  return ordinal > 1;
}

namespace {

// WM_APP + 0x20, the tree's state message.
constexpr UINT kTreeStateMessage = 0x8020;

struct TWorker {
  std::mutex Lock;
  std::condition_variable WorkSignal;
  std::condition_variable Done;
  std::deque<std::shared_ptr<TCacheValidation>> QueuedTrees;
  TCacheValidation* ActiveTree = nullptr;
  bool Terminated = false;
  int WorkerUsers = 0;
  std::thread Thread;

  // A process may end while trees still exist (exit() with a tree alive):
  // the thread is stopped and joined rather than left to end the process.
  ~TWorker()
  {
    std::thread ending;
    {
      std::lock_guard<std::mutex> hold(Lock);
      Terminated = true;
      if (ActiveTree)
        ActiveTree->Stop.store(true);
      ending = std::move(Thread);
    }
    WorkSignal.notify_all();
    if (ending.joinable())
      ending.join();
  }

  void Run()
  {
    std::unique_lock<std::mutex> hold(Lock);
    for (;;) {
      WorkSignal.wait(hold, [&] { return Terminated || !QueuedTrees.empty(); });
      if (Terminated)
        return;
      std::shared_ptr<TCacheValidation> tree = QueuedTrees.front();
      QueuedTrees.pop_front();
      ActiveTree = tree.get();
      PLazyNode root = tree->Root;
      unsigned count = tree->VisibleCount;
      std::uint64_t generation = tree->RequestGeneration;
      hold.unlock();

      // The GUI thread changes nothing of this tree until Halt has seen
      // ActiveTree go back to nil, so the nodes can be read without locks.
      std::vector<TCacheEntry> entries;
      bool ok = BuildPositionCache(root, count, tree->Stop, entries);

      hold.lock();
      if (ok && !tree->Stop.load() && generation == tree->Generation.load()) {
        tree->Result = std::move(entries);
        tree->ResultGeneration = generation;
        tree->Ready.store(true);
        if (tree->Window)
          PostMessage(tree->Window, kTreeStateMessage, 0, 0);
      }
      ActiveTree = nullptr;
      tree->Busy.store(false);
      Done.notify_all();
    }
  }
};

TWorker& Worker()
{
  static TWorker worker;
  return worker;
}

}  // namespace

void TLtWorkerThread::EnsureWorkerThread()
{
  TWorker& w = Worker();
  std::lock_guard<std::mutex> hold(w.Lock);
  if (w.WorkerUsers++ == 0) {
    w.Terminated = false;
    w.Thread = std::thread([&w] { w.Run(); });
  }
}

void TLtWorkerThread::ReleaseWorkerThread(const std::shared_ptr<TCacheValidation>& Validation)
{
  TWorker& w = Worker();
  if (Validation)
    Halt(*Validation);
  std::thread ending;
  {
    std::lock_guard<std::mutex> hold(w.Lock);
    if (--w.WorkerUsers > 0)
      return;
    w.Terminated = true;
    ending = std::move(w.Thread);
  }
  w.WorkSignal.notify_all();
  if (ending.joinable())
    ending.join();
}

void TLtWorkerThread::Queue(const std::shared_ptr<TCacheValidation>& Validation, PLazyNode Root,
                            unsigned VisibleCount, HWND Window)
{
  LT_ASSERT(Validation, "Tree must not be nil.");
  TWorker& w = Worker();
  {
    std::lock_guard<std::mutex> hold(w.Lock);
    Validation->Root = Root;
    Validation->VisibleCount = VisibleCount;
    Validation->Window = Window;
    Validation->RequestGeneration = Validation->Generation.load();
    Validation->Stop.store(false);
    if (Validation->Busy.load())
      return;  // already queued: it takes the newer request
    Validation->Busy.store(true);
    w.QueuedTrees.push_back(Validation);
  }
  w.WorkSignal.notify_one();
}

bool TLtWorkerThread::Halt(TCacheValidation& Validation)
{
  if (!Validation.Busy.load())
    return false;
  TWorker& w = Worker();
  std::unique_lock<std::mutex> hold(w.Lock);
  Validation.Stop.store(true);
  bool was = false;
  for (auto it = w.QueuedTrees.begin(); it != w.QueuedTrees.end(); ++it)
    if (it->get() == &Validation) {
      w.QueuedTrees.erase(it);
      was = true;
      break;
    }
  if (w.ActiveTree == &Validation) {
    was = true;
    w.Done.wait(hold, [&] { return w.ActiveTree != &Validation; });
  }
  Validation.Busy.store(false);
  return was;
}

bool TLtWorkerThread::TakeResult(TCacheValidation& Validation, std::vector<TCacheEntry>& Entries)
{
  if (!Validation.Ready.load())
    return false;
  TWorker& w = Worker();
  std::lock_guard<std::mutex> hold(w.Lock);
  Validation.Ready.store(false);
  if (Validation.ResultGeneration != Validation.Generation.load())
    return false;  // built before the latest change
  Entries = std::move(Validation.Result);
  Validation.Result.clear();
  return true;
}

bool TLtWorkerThread::Running()
{
  TWorker& w = Worker();
  std::lock_guard<std::mutex> hold(w.Lock);
  return w.Thread.joinable();
}
