// What this process holds in memory, as the chat window benchmarks count it.
#pragma once

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>

// The resident size, from /proc/self/statm.
inline long ResidentBytes()
{
  long Pages = 0, Resident = 0;
  if (FILE* F = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(F, "%ld %ld", &Pages, &Resident) != 2)
      Resident = 0;
    std::fclose(F);
  }
  return Resident * sysconf(_SC_PAGESIZE);
}

// Every byte the heap hands out, the large blocks it maps on their own included.
inline std::size_t HeapInUse()
{
  const struct mallinfo2 Info = mallinfo2();
  return Info.uordblks + Info.hblkhd;
}
