// Facts about the running system, collected once: processors, page size and
// allocation granularity, memory, the user's and the computer's names, the
// operating system's version text, and the classification of the platform
// version that the layer reports.
#pragma once

#include <cstdint>
#include <string>

// The version classes, in this order.
enum TWindowsVersionClass : std::uint8_t {
  wvUnknown, wvWin95, wvWin95OSR2, wvWin98, wvWin98SE, wvWinME, wvWinNT31, wvWinNT35, wvWinNT351,
  wvWinNT4, wvWin2000, wvWinXP, wvWin2003
};

struct TRtSystemInfo {
  std::uint32_t ProcessorCount = 0;
  std::uint32_t AllocationGranularity = 0;
  std::uint32_t PageSize = 0;
  std::uint64_t TotalMemory = 0;      // bytes of physical memory
  std::uint64_t AvailableMemory = 0;  // bytes free when collected
  std::string UserName;
  std::string ComputerName;
  std::string OSVersionText;  // for example "Linux 6.1.0-18-amd64 x86_64"
  bool IsWinNT = false;
  std::uint32_t Kernel32ProductVersion = 0;  // high word of the product version; 0 on NT
  TWindowsVersionClass VersionClass = wvUnknown;
  // One flag per class; the NT 3 flag covers NT 3.1, 3.5 and 3.51.
  bool IsWin95 = false, IsWin95OSR2 = false, IsWin98 = false, IsWin98SE = false, IsWinME = false;
  bool IsWinNT3 = false, IsWinNT31 = false, IsWinNT35 = false, IsWinNT351 = false, IsWinNT4 = false;
  bool IsWin2K = false, IsWinXP = false, IsWin2003 = false;
};

const TRtSystemInfo& RtSystemInfo();

// The class of a platform version: the platform id (1 for the 95 family, 2 for
// NT), the major and minor versions, the service-pack text and, on the 95
// family, the system library's product version (major shl 16 + minor).
TWindowsVersionClass WindowsVersionClass(std::uint32_t PlatformId, std::uint32_t Major, std::uint32_t Minor,
                                         const std::string& CSDVersion, std::uint32_t Kernel32Version);
// The class of the running system.
TWindowsVersionClass WindowsVersionClass();
