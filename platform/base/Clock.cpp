#include "platform/base/Clock.h"

#include <cerrno>
#include <ctime>
#include <sched.h>

#include "platform/base/detail/VirtualClockState.h"

namespace {

constexpr Int64 CounterFrequency = 1000000000;

void Fill(SYSTEMTIME* time, Int64 wall, bool local)
{
  std::time_t seconds = std::time_t(wall / 1000);
  std::tm parts{};
  if (local)
    ::localtime_r(&seconds, &parts);
  else
    ::gmtime_r(&seconds, &parts);
  time->wYear = WORD(parts.tm_year + 1900);
  time->wMonth = WORD(parts.tm_mon + 1);
  time->wDayOfWeek = WORD(parts.tm_wday);
  time->wDay = WORD(parts.tm_mday);
  time->wHour = WORD(parts.tm_hour);
  time->wMinute = WORD(parts.tm_min);
  time->wSecond = WORD(parts.tm_sec);
  time->wMilliseconds = WORD(wall % 1000);
}

Int64 Counter()
{
  ULONGLONG tick;
  Int64 wall;
  if (ReadVirtualClock(tick, wall))
    return Int64(tick) * (CounterFrequency / 1000);
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return Int64(now.tv_sec) * CounterFrequency + now.tv_nsec;
}

}  // namespace

ULONGLONG RealTickCount()
{
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return ULONGLONG(now.tv_sec) * 1000 + ULONGLONG(now.tv_nsec / 1000000);
}

Int64 RealWallClock()
{
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return Int64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

ULONGLONG GetTickCount64()
{
  ULONGLONG tick;
  Int64 wall;
  return ReadVirtualClock(tick, wall) ? tick : RealTickCount();
}

DWORD GetTickCount()
{
  return DWORD(GetTickCount64());
}

DWORD timeGetTime()
{
  return GetTickCount();
}

MMRESULT timeBeginPeriod(UINT period)
{
  return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR;
}

MMRESULT timeEndPeriod(UINT period)
{
  return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
  if (!count)
    return FALSE;
  count->QuadPart = Counter();
  return TRUE;
}

BOOL QueryPerformanceCounter(Int64* count)
{
  if (!count)
    return FALSE;
  *count = Counter();
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
  if (!frequency)
    return FALSE;
  frequency->QuadPart = CounterFrequency;
  return TRUE;
}

BOOL QueryPerformanceFrequency(Int64* frequency)
{
  if (!frequency)
    return FALSE;
  *frequency = CounterFrequency;
  return TRUE;
}

void Sleep(DWORD milliseconds)
{
  if (VirtualSleep(milliseconds))
    return;
  if (milliseconds == 0) {
    ::sched_yield();
    return;
  }
  timespec wait{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

Int64 WallClockMilliseconds()
{
  ULONGLONG tick;
  Int64 wall;
  return ReadVirtualClock(tick, wall) ? wall : RealWallClock();
}

void GetLocalTime(SYSTEMTIME* time)
{
  if (time)
    Fill(time, WallClockMilliseconds(), true);
}

void GetSystemTime(SYSTEMTIME* time)
{
  if (time)
    Fill(time, WallClockMilliseconds(), false);
}
