#include "platform/base/FreedMemory.h"

#include <malloc.h>

#include <atomic>

namespace {

constexpr std::size_t WorthReturning = 1 << 20;

std::atomic<std::size_t>& NotedReleases()
{
  static std::atomic<std::size_t> bytes{0};
  return bytes;
}

}  // namespace

void NoteLargeRelease(std::size_t Bytes)
{
  NotedReleases().fetch_add(Bytes, std::memory_order_relaxed);
}

bool ReturnFreedMemory()
{
  if (NotedReleases().load(std::memory_order_relaxed) < WorthReturning)
    return false;
  NotedReleases().store(0, std::memory_order_relaxed);
  malloc_trim(0);
  return true;
}
