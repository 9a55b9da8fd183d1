#include <gtest/gtest.h>

#include <atomic>

#include "platform/base/Clock.h"
#include "platform/base/KernelObjects.h"
#include "platform/base/Thread.h"
#include "platform/base/VirtualClock.h"

namespace {

class VirtualClock : public ::testing::Test {
protected:
  void SetUp() override { EnableVirtualClock(); }
  void TearDown() override { DisableVirtualClock(); }
};

// A window system's timer list in miniature: one due tick, and the ticks at
// which the clock told it about a change.
class TTimerList : public IClockListener {
public:
  ULONGLONG Due = 0;
  bool HasDue = false;
  std::vector<ULONGLONG> Seen;
  bool NextDueTick(ULONGLONG& tick) override
  {
    tick = Due;
    return HasDue;
  }
  void ClockChanged(ULONGLONG now) override { Seen.push_back(now); }
};

class TSleeper : public TThread {
public:
  explicit TSleeper(DWORD ms) : TThread(true), FMs(ms) {}
  std::atomic<ULONGLONG> Started{0};
  std::atomic<ULONGLONG> Woke{0};

protected:
  void Execute() override
  {
    Started = GetTickCount64();
    Sleep(FMs);
    Woke = GetTickCount64();
  }

private:
  DWORD FMs;
};

Int64 Counter()
{
  Int64 count = 0;
  QueryPerformanceCounter(&count);
  return count;
}

}  // namespace

TEST_F(VirtualClock, AllClocksFollowTheAdvance)
{
  const ULONGLONG start = GetTickCount64();
  const Int64 counterStart = Counter();
  Int64 frequency = 0;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  const Int64 wallStart = WallClockMilliseconds();

  EXPECT_EQ(GetTickCount64(), start);  // stands still
  AdvanceVirtualClock(1500);
  EXPECT_EQ(GetTickCount64(), start + 1500);
  EXPECT_EQ(GetTickCount(), DWORD(start + 1500));
  EXPECT_EQ(timeGetTime(), DWORD(start + 1500));
  EXPECT_EQ(Counter() - counterStart, frequency * 1500 / 1000);
  EXPECT_EQ(WallClockMilliseconds() - wallStart, 1500);

  // The 32-bit tick count wraps.
  SetVirtualTickCount(0xFFFFFFF0ull);
  AdvanceVirtualClock(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  EXPECT_EQ(GetTickCount64(), 0x100000010ull);

  SYSTEMTIME set{2026, 12, 0, 8, 23, 31, 19, 500};
  SetVirtualLocalTime(set);
  AdvanceVirtualClock(41000);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(now.wYear, 2026);
  EXPECT_EQ(now.wMonth, 12);
  EXPECT_EQ(now.wDay, 8);
  EXPECT_EQ(now.wDayOfWeek, 2);  // a Tuesday
  EXPECT_EQ(now.wHour, 23);
  EXPECT_EQ(now.wMinute, 32);
  EXPECT_EQ(now.wSecond, 0);
  EXPECT_EQ(now.wMilliseconds, 500);
}

TEST_F(VirtualClock, ListenersGiveTheNextDueTickAndHearEveryChange)
{
  TTimerList timers;
  AddClockListener(&timers);
  ULONGLONG due = 0;
  EXPECT_FALSE(NextVirtualDueTick(due));
  EXPECT_FALSE(AdvanceVirtualClockToNextDue());

  const ULONGLONG start = GetTickCount64();
  timers.Due = start + 250;
  timers.HasDue = true;
  ASSERT_TRUE(NextVirtualDueTick(due));
  EXPECT_EQ(due, start + 250);
  EXPECT_TRUE(AdvanceVirtualClockToNextDue());
  EXPECT_EQ(GetTickCount64(), start + 250);
  AdvanceVirtualClock(10);
  EXPECT_EQ(timers.Seen, (std::vector<ULONGLONG>{start + 250, start + 260}));

  const ULONGLONG generation = ClockGeneration();
  EXPECT_FALSE(WaitForClockChange(generation, 0));
  Sleep(40);  // on the main thread: advances instead of waiting
  EXPECT_TRUE(WaitForClockChange(generation, 0));
  EXPECT_EQ(GetTickCount64(), start + 300);

  RemoveClockListener(&timers);
  AdvanceVirtualClock(5);
  EXPECT_EQ(timers.Seen.size(), 3u);
}

TEST_F(VirtualClock, AnotherThreadSleepsUntilTheClockGetsThere)
{
  // Ten minutes of virtual time: were the sleeper to wait in real time, the
  // test would run into its time limit.
  TSleeper sleeper(600000);
  sleeper.Start();
  int steps = 0;
  while (WaitForSingleObject(sleeper.Handle(), 5) == WAIT_TIMEOUT && steps < 1000) {
    AdvanceVirtualClock(60000);
    ++steps;
  }
  ASSERT_EQ(WaitForSingleObject(sleeper.Handle(), 0), WAIT_OBJECT_0);
  EXPECT_GE(sleeper.Woke, sleeper.Started + 600000);  // never woke early
  sleeper.WaitFor();
}

TEST(Clock, RealClockBasics)
{
  EXPECT_FALSE(VirtualClockEnabled());
  const ULONGLONG before = GetTickCount64();
  Sleep(2);
  EXPECT_GE(GetTickCount64(), before + 2);
  EXPECT_EQ(timeBeginPeriod(1), TIMERR_NOERROR);
  EXPECT_EQ(timeEndPeriod(1), TIMERR_NOERROR);
  EXPECT_EQ(timeBeginPeriod(0), TIMERR_NOCANDO);
  LARGE_INTEGER frequency{};
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1000000000);
  EXPECT_FALSE(QueryPerformanceCounter(static_cast<LARGE_INTEGER*>(nullptr)));
}
