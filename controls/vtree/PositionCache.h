// The position cache of large trees: one (node, top) entry for every 2000th
// shown node, rebuilt in the background by one worker thread per process.
//
// The worker never sends to the GUI thread and the GUI thread never pumps
// while it waits: a rebuild is stopped through an atomic flag and waited for
// on a condition variable, and a finished rebuild is handed over in a slot
// that the GUI thread takes when it next looks up a position (or when the
// worker's posted notice arrives). Every change bumps a generation counter, so
// a rebuild that started before the latest change is never used, and a tree
// without a window is protected the same way as one with.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/win/gdi/GdiTypes.h"

struct TCacheEntry {
  PLazyNode Node;
  unsigned AbsoluteTop;
};

constexpr unsigned CacheThreshold = 2000;

// Builds the entries for a tree of VisibleCount shown nodes under Root; false
// when Stop was raised or the walk met fewer than two nodes.
bool BuildPositionCache(PLazyNode Root, unsigned VisibleCount, const std::atomic<bool>& Stop,
                        std::vector<TCacheEntry>& Entries);

// What one tree shares with the worker. The fields after Stop are guarded by
// the worker's lock.
struct TCacheValidation {
  std::atomic<bool> Stop{false};
  std::atomic<bool> Busy{false};   // queued or being rebuilt
  std::atomic<bool> Ready{false};  // a finished rebuild waits in Result
  std::atomic<std::uint64_t> Generation{0};

  PLazyNode Root = nullptr;
  unsigned VisibleCount = 0;
  std::uint64_t RequestGeneration = 0;
  HWND Window = nullptr;
  std::uint64_t ResultGeneration = 0;
  std::vector<TCacheEntry> Result;
};

class TLtWorkerThread {
public:
  // Each tree uses the worker from construction to destruction; the thread
  // starts with the first user and ends with the last.
  static void EnsureWorkerThread();
  static void ReleaseWorkerThread(const std::shared_ptr<TCacheValidation>& Validation);
  // Queues a rebuild of Root (unless already queued) with the current generation.
  static void Queue(const std::shared_ptr<TCacheValidation>& Validation, PLazyNode Root, unsigned VisibleCount,
                    HWND Window);
  // Stops a queued or running rebuild and waits until the worker no longer
  // reads the tree; true when one was queued or running.
  static bool Halt(TCacheValidation& Validation);
  // Moves a finished rebuild of the current generation into Entries.
  static bool TakeResult(TCacheValidation& Validation, std::vector<TCacheEntry>& Entries);
  static bool Running();
};
