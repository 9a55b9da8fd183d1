#include "platform/base/MachineInfo.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

constexpr DWORD OriginalAllocationGranularity = 65536;
// The lowest address a program may map by default (the kernel's
// vm.mmap_min_addr).
constexpr std::uintptr_t LowestMappableAddress = 65536;

void FillProcessor(SYSTEM_INFO& info)
{
#if defined(__x86_64__) || defined(__i386__)
#if defined(__x86_64__)
  info.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
  info.dwProcessorType = PROCESSOR_AMD_X8664;
#else
  info.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
  info.dwProcessorType = PROCESSOR_INTEL_PENTIUM;
#endif
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
    unsigned family = (eax >> 8) & 0xF;
    unsigned model = (eax >> 4) & 0xF;
    if (family == 0xF)
      family += (eax >> 20) & 0xFF;
    if (family == 6 || family >= 0xF)
      model |= ((eax >> 16) & 0xF) << 4;
    info.wProcessorLevel = WORD(family);
    info.wProcessorRevision = WORD((model << 8) | (eax & 0xF));
  }
#elif defined(__aarch64__)
  info.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_ARM64;
#elif defined(__arm__)
  info.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_ARM;
#else
  info.wProcessorArchitecture = PROCESSOR_ARCHITECTURE_UNKNOWN;
#endif
}

// The highest address below the kernel's half of the address space, less the
// guard page the kernel keeps at its top.
std::uintptr_t HighestUserAddress(std::uintptr_t pageSize)
{
#if defined(__x86_64__)
  return (std::uintptr_t(1) << 47) - pageSize - 1;
#elif UINTPTR_MAX > 0xFFFFFFFFu
  (void)pageSize;
  return (std::uintptr_t(1) << 48) - 1;
#else
  (void)pageSize;
  return 0xBFFFFFFF;
#endif
}

}  // namespace

void GetSystemInfo(SYSTEM_INFO* info)
{
  if (!info)
    return;
  std::memset(info, 0, sizeof *info);
  long page = ::sysconf(_SC_PAGESIZE);
  info->dwPageSize = page > 0 ? DWORD(page) : 4096;
  info->dwAllocationGranularity = std::max(OriginalAllocationGranularity, info->dwPageSize);
  long online = ::sysconf(_SC_NPROCESSORS_ONLN);
  info->dwNumberOfProcessors = online > 0 ? DWORD(online) : 1;
  constexpr DWORD maskBits = sizeof(DWORD_PTR) * CHAR_BIT;
  info->dwActiveProcessorMask = info->dwNumberOfProcessors >= maskBits
                                    ? ~DWORD_PTR(0)
                                    : (DWORD_PTR(1) << info->dwNumberOfProcessors) - 1;
  info->lpMinimumApplicationAddress = reinterpret_cast<void*>(LowestMappableAddress);
  info->lpMaximumApplicationAddress = reinterpret_cast<void*>(HighestUserAddress(info->dwPageSize));
  FillProcessor(*info);
}
