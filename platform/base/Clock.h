// Clocks: the millisecond tick counts, the performance counter, the wall time,
// and Sleep. All of them follow the virtual clock while a test runs it
// (VirtualClock.h).
#pragma once

#include "platform/base/Types.h"

// Milliseconds since an arbitrary start (the machine's start on the real
// clock); the 32-bit forms wrap after 49.7 days.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
DWORD timeGetTime();

using MMRESULT = UINT;
constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT TIMERR_NOCANDO = 97;
// The clock already has millisecond resolution: these accept any period from
// 1 ms on and change nothing.
MMRESULT timeBeginPeriod(UINT period);
MMRESULT timeEndPeriod(UINT period);

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

// A counter of QueryPerformanceFrequency (1,000,000,000) units a second.
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceCounter(Int64* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceFrequency(Int64* frequency);

// Waits the given milliseconds; 0 only yields. On the virtual clock, the main
// thread's Sleep advances the clock instead of waiting, and another thread
// waits until the clock has advanced that far (or, at the latest, as long in
// real time).
void Sleep(DWORD milliseconds);

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;  // 1-12
  WORD wDayOfWeek;  // 0 Sunday
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
using TSystemTime = SYSTEMTIME;

// The wall time in the local time zone, and in UTC. Now reads GetLocalTime.
void GetLocalTime(SYSTEMTIME* time);
void GetSystemTime(SYSTEMTIME* time);
// The wall time as milliseconds since 1 January 1970 UTC.
Int64 WallClockMilliseconds();
