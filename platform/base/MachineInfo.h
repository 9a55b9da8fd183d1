// The machine the process runs on: its processors, the memory page size, the
// granularity at which address space is handed out, and the range of
// addresses the program may use.
#pragma once

#include "platform/base/Types.h"

constexpr WORD PROCESSOR_ARCHITECTURE_INTEL = 0;
constexpr WORD PROCESSOR_ARCHITECTURE_ARM = 5;
constexpr WORD PROCESSOR_ARCHITECTURE_AMD64 = 9;
constexpr WORD PROCESSOR_ARCHITECTURE_ARM64 = 12;
constexpr WORD PROCESSOR_ARCHITECTURE_UNKNOWN = 0xFFFF;
constexpr DWORD PROCESSOR_INTEL_PENTIUM = 586;
constexpr DWORD PROCESSOR_AMD_X8664 = 8664;

struct SYSTEM_INFO {
  union {
    DWORD dwOemId;
    struct {
      WORD wProcessorArchitecture;
      WORD wReserved;
    };
  };
  DWORD dwPageSize;
  void* lpMinimumApplicationAddress;
  void* lpMaximumApplicationAddress;
  DWORD_PTR dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
};

// Processors: those online (at least 1), the mask with one bit for each (as
// many as it holds). The allocation granularity is 64 KiB, the original
// platform's, or the page size when pages are larger: a multiple of the page
// size either way, so offsets rounded to it are valid for mapping files.
// Processor level and revision are the family and the model and stepping
// ((model << 8) | stepping) on x86, 0 elsewhere.
void GetSystemInfo(SYSTEM_INFO* info);
