#include "platform/base/VirtualClock.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <vector>

#include "platform/base/ThreadId.h"
#include "platform/base/detail/VirtualClockState.h"

namespace {

struct TVirtualClock {
  std::mutex Lock;
  std::condition_variable Changed;
  bool Enabled = false;
  ULONGLONG Tick = 0;
  Int64 Wall = 0;
  ULONGLONG Generation = 0;
  std::vector<IClockListener*> Listeners;
  // Held while listeners are called, so that removing one waits for a call in
  // progress; recursive, so a listener may remove itself.
  std::recursive_mutex Dispatch;
};

TVirtualClock& Clock()
{
  static TVirtualClock* clock = new TVirtualClock;
  return *clock;
}

bool Registered(IClockListener* listener)
{
  std::lock_guard guard(Clock().Lock);
  auto& list = Clock().Listeners;
  return std::find(list.begin(), list.end(), listener) != list.end();
}

std::vector<IClockListener*> Listeners()
{
  std::lock_guard guard(Clock().Lock);
  return Clock().Listeners;
}

// Under the lock: a change that waiting code must see.
void Bump()
{
  ++Clock().Generation;
  Clock().Changed.notify_all();
}

void NotifyListeners()
{
  std::lock_guard dispatch(Clock().Dispatch);
  const ULONGLONG now = GetTickCount64();
  for (IClockListener* listener : Listeners())
    if (Registered(listener))  // an earlier one may have removed it
      listener->ClockChanged(now);
}

}  // namespace

bool ReadVirtualClock(ULONGLONG& tick, Int64& wall)
{
  std::lock_guard guard(Clock().Lock);
  if (!Clock().Enabled)
    return false;
  tick = Clock().Tick;
  wall = Clock().Wall;
  return true;
}

bool VirtualSleep(DWORD milliseconds)
{
  std::unique_lock lock(Clock().Lock);
  if (!Clock().Enabled)
    return false;
  if (IsMainThread()) {
    lock.unlock();
    if (milliseconds > 0)
      AdvanceVirtualClock(milliseconds);
    return true;
  }
  const ULONGLONG due = Clock().Tick + milliseconds;
  Clock().Changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                           [due] { return !Clock().Enabled || Clock().Tick >= due; });
  return true;
}

void EnableVirtualClock()
{
  {
    std::lock_guard guard(Clock().Lock);
    if (Clock().Enabled)
      return;
    Clock().Enabled = true;
    Clock().Tick = RealTickCount();
    Clock().Wall = RealWallClock();
    Bump();
  }
  NotifyListeners();
}

void DisableVirtualClock()
{
  {
    std::lock_guard guard(Clock().Lock);
    if (!Clock().Enabled)
      return;
    Clock().Enabled = false;
    Bump();
  }
  NotifyListeners();
}

bool VirtualClockEnabled()
{
  std::lock_guard guard(Clock().Lock);
  return Clock().Enabled;
}

void AdvanceVirtualClock(ULONGLONG milliseconds)
{
  {
    std::lock_guard guard(Clock().Lock);
    if (!Clock().Enabled)
      return;
    Clock().Tick += milliseconds;
    Clock().Wall += Int64(milliseconds);
    Bump();
  }
  NotifyListeners();
}

bool NextVirtualDueTick(ULONGLONG& tick)
{
  std::lock_guard dispatch(Clock().Dispatch);
  bool any = false;
  for (IClockListener* listener : Listeners()) {
    ULONGLONG due = 0;
    if (Registered(listener) && listener->NextDueTick(due) && (!any || due < tick)) {
      tick = due;
      any = true;
    }
  }
  return any;
}

bool AdvanceVirtualClockToNextDue()
{
  ULONGLONG due = 0;
  if (!VirtualClockEnabled() || !NextVirtualDueTick(due))
    return false;
  const ULONGLONG now = GetTickCount64();
  if (due > now)
    AdvanceVirtualClock(due - now);
  else
    NotifyListeners();  // already due: wake them all the same
  return true;
}

void SetVirtualTickCount(ULONGLONG tick)
{
  {
    std::lock_guard guard(Clock().Lock);
    if (!Clock().Enabled)
      return;
    Clock().Tick = tick;
    Bump();
  }
  NotifyListeners();
}

void SetVirtualLocalTime(const SYSTEMTIME& time)
{
  std::tm parts{};
  parts.tm_year = time.wYear - 1900;
  parts.tm_mon = time.wMonth - 1;
  parts.tm_mday = time.wDay;
  parts.tm_hour = time.wHour;
  parts.tm_min = time.wMinute;
  parts.tm_sec = time.wSecond;
  parts.tm_isdst = -1;
  const Int64 seconds = Int64(::mktime(&parts));
  {
    std::lock_guard guard(Clock().Lock);
    if (!Clock().Enabled)
      return;
    Clock().Wall = seconds * 1000 + time.wMilliseconds;
    Bump();
  }
  NotifyListeners();
}

void AddClockListener(IClockListener* listener)
{
  std::lock_guard guard(Clock().Lock);
  auto& list = Clock().Listeners;
  if (listener && std::find(list.begin(), list.end(), listener) == list.end())
    list.push_back(listener);
}

void RemoveClockListener(IClockListener* listener)
{
  std::lock_guard dispatch(Clock().Dispatch);
  std::lock_guard guard(Clock().Lock);
  auto& list = Clock().Listeners;
  list.erase(std::remove(list.begin(), list.end(), listener), list.end());
}

ULONGLONG ClockGeneration()
{
  std::lock_guard guard(Clock().Lock);
  return Clock().Generation;
}

bool WaitForClockChange(ULONGLONG generation, DWORD timeout)
{
  std::unique_lock lock(Clock().Lock);
  auto changed = [generation] { return Clock().Generation != generation; };
  if (timeout == 0xFFFFFFFF) {
    Clock().Changed.wait(lock, changed);
    return true;
  }
  return Clock().Changed.wait_for(lock, std::chrono::milliseconds(timeout), changed);
}
