#include <gtest/gtest.h>

#include <unistd.h>

#include <bitset>
#include <cstdint>
#include <memory>

#include "platform/base/MachineInfo.h"

TEST(MachineInfo, DescribesTheMachineTheProcessRunsOn)
{
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  EXPECT_EQ(info.dwPageSize, DWORD(::getpagesize()));
  // Offsets rounded to the granularity must stay valid for mapping files.
  EXPECT_GE(info.dwAllocationGranularity, 65536u);
  EXPECT_EQ(info.dwAllocationGranularity % info.dwPageSize, 0u);
  EXPECT_GE(info.dwNumberOfProcessors, 1u);
  if (info.dwNumberOfProcessors < 64) {
    EXPECT_EQ(std::bitset<64>(info.dwActiveProcessorMask).count(), info.dwNumberOfProcessors);
  }

  // The program's own memory lies inside the range it reports.
  auto heap = std::make_unique<int>(0);
  int stack = 0;
  for (const void* p : {static_cast<const void*>(heap.get()), static_cast<const void*>(&stack)}) {
    EXPECT_GE(std::uintptr_t(p), std::uintptr_t(info.lpMinimumApplicationAddress));
    EXPECT_LE(std::uintptr_t(p), std::uintptr_t(info.lpMaximumApplicationAddress));
  }
#if defined(__x86_64__)
  EXPECT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
  EXPECT_NE(info.wProcessorLevel, 0);
#endif
}
