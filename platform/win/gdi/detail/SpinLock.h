// The lock of the drawing layer's shared tables and caches. Every drawing
// call looks a handle up (and every text call its font) and holds the lock
// only for a few loads and a reference-count step, so a flag taken with one
// atomic exchange costs a fraction of a general mutex; a waiter yields its
// time slice rather than burning it.
#pragma once

#include <atomic>
#include <thread>

class TSpinLock {
public:
  void lock()
  {
    while (FHeld.exchange(true, std::memory_order_acquire))
      while (FHeld.load(std::memory_order_relaxed))
        std::this_thread::yield();
  }
  void unlock() { FHeld.store(false, std::memory_order_release); }

private:
  std::atomic<bool> FHeld{false};
};
