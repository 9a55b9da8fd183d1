#include "controls/utility/RtSysInfo.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>

#include "controls/utility/RtFileUtils.h"
#include "platform/base/MachineInfo.h"
#include "platform/base/ModuleLoader.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/base/StringRoutines.h"

namespace {

std::string CurrentUserName()
{
  if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name)
    return entry->pw_name;
  const char* name = std::getenv("USER");
  return name ? name : "";
}

std::string HostName()
{
  char buffer[256] = {};
  if (gethostname(buffer, sizeof buffer - 1) != 0)
    return {};
  return buffer;
}

std::string OSText()
{
  utsname names{};
  if (uname(&names) != 0)
    return {};
  return std::string(names.sysname) + " " + names.release + " " + names.machine;
}

void SetClassFlag(TRtSystemInfo& info)
{
  switch (info.VersionClass) {
    case wvWin95: info.IsWin95 = true; break;
    case wvWin95OSR2: info.IsWin95OSR2 = true; break;
    case wvWin98: info.IsWin98 = true; break;
    case wvWin98SE: info.IsWin98SE = true; break;
    case wvWinME: info.IsWinME = true; break;
    case wvWinNT31: info.IsWinNT3 = info.IsWinNT31 = true; break;
    case wvWinNT35: info.IsWinNT3 = info.IsWinNT35 = true; break;
    case wvWinNT351: info.IsWinNT3 = info.IsWinNT351 = true; break;
    case wvWinNT4: info.IsWinNT4 = true; break;
    case wvWin2000: info.IsWin2K = true; break;
    case wvWinXP: info.IsWinXP = true; break;
    case wvWin2003: info.IsWin2003 = true; break;
    case wvUnknown: break;
  }
}

}  // namespace

TWindowsVersionClass WindowsVersionClass(std::uint32_t PlatformId, std::uint32_t Major, std::uint32_t Minor,
                                         const std::string& CSDVersion, std::uint32_t Kernel32Version)
{
  std::string csd = Trim(CSDVersion);
  if (PlatformId == 1) {
    if (Minor < 10)
      return csd == "B" || csd == "C" ? wvWin95OSR2 : wvWin95;
    if (Minor <= 89) {
      if (Kernel32Version == 0x4005A)
        return wvWinME;
      return csd == "A" ? wvWin98SE : wvWin98;
    }
    return Minor == 90 ? wvWinME : wvUnknown;
  }
  if (PlatformId == 2) {
    if (Major == 3)
      return Minor == 1 ? wvWinNT31 : Minor == 5 ? wvWinNT35 : Minor == 51 ? wvWinNT351 : wvUnknown;
    if (Major == 4)
      return wvWinNT4;
    if (Major == 5)
      return Minor == 0 ? wvWin2000 : Minor == 1 ? wvWinXP : Minor == 2 ? wvWin2003 : wvUnknown;
  }
  return wvUnknown;
}

const TRtSystemInfo& RtSystemInfo()
{
  static const TRtSystemInfo info = [] {
    TRtSystemInfo i;
    SYSTEM_INFO machine;
    GetSystemInfo(&machine);
    i.ProcessorCount = machine.dwNumberOfProcessors;
    i.AllocationGranularity = machine.dwAllocationGranularity;
    i.PageSize = machine.dwPageSize;
    long pages = sysconf(_SC_PHYS_PAGES);
    long available = sysconf(_SC_AVPHYS_PAGES);
    i.TotalMemory = pages > 0 ? std::uint64_t(pages) * i.PageSize : 0;
    i.AvailableMemory = available > 0 ? std::uint64_t(available) * i.PageSize : 0;
    i.UserName = CurrentUserName();
    i.ComputerName = HostName();
    i.OSVersionText = OSText();
    // The platform version is the one the layer reports to the system's code.
    OSVERSIONINFO version{};
    GetVersionEx(&version);
    i.IsWinNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
      VS_FIXEDFILEINFO kernel{};
      if (ReadFixedFileVersion(ModuleFileName(GetModuleHandle("kernel32.dll")), kernel))
        i.Kernel32ProductVersion = kernel.dwProductVersionMS;
    }
    i.VersionClass = WindowsVersionClass(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
                                         version.szCSDVersion, i.Kernel32ProductVersion);
    SetClassFlag(i);
    return i;
  }();
  return info;
}

TWindowsVersionClass WindowsVersionClass()
{
  return RtSystemInfo().VersionClass;
}
