#include "platform/win/window/Timers.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/VirtualClock.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace {

// Tells the clock when our next timer is due and wakes the loops when it moves.
class TTimerClockListener : public IClockListener {
public:
  bool NextDueTick(ULONGLONG& tick) override
  {
    std::vector<std::shared_ptr<TThread>> threads;
    {
      std::lock_guard<std::recursive_mutex> cl(Core().Lock);
      for (auto& [id, t] : Core().Threads)
        threads.push_back(t);
    }
    ULONGLONG best = UINT64_MAX;
    for (auto& t : threads)
      best = std::min<ULONGLONG>(best, NextTimerDue(*t));
    if (best == UINT64_MAX)
      return false;
    tick = best;
    return true;
  }
  void ClockChanged(ULONGLONG) override { WakeAll(); }
};

void EnsureListener()
{
  static bool added = [] {
    AddClockListener(new TTimerClockListener);
    return true;
  }();
  (void)added;
}

}  // namespace

namespace wincore {

std::uint64_t NowMs() { return GetTickCount64(); }

bool TimeIsVirtual() { return VirtualClockEnabled(); }

void KillWindowTimers(TThread& t, HWND h)
{
  std::lock_guard<std::mutex> lock(t.M);
  t.Timers.erase(std::remove_if(t.Timers.begin(), t.Timers.end(), [h](const TTimer& x) { return x.Hwnd == h; }),
                 t.Timers.end());
}

std::uint64_t NextTimerDue(TThread& t)
{
  std::lock_guard<std::mutex> lock(t.M);
  std::uint64_t best = UINT64_MAX;
  for (auto& timer : t.Timers)
    best = std::min(best, timer.Due);
  return best;
}

}  // namespace wincore

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
  EnsureListener();
  TThread& t = CurrentThread();
  if (hwnd) {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || w->Thread.get() != &t)
      return 0;
  }
  elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  std::uint64_t due = NowMs() + elapse;
  {
    std::lock_guard<std::mutex> lock(t.M);
    for (auto& timer : t.Timers) {
      if (timer.Hwnd == hwnd && timer.Id == id && (hwnd || id)) {
        timer.Interval = elapse;
        timer.Due = due;
        timer.Proc = proc;
        Wake(t);
        return hwnd ? (id ? id : 1) : id;
      }
    }
    TTimer timer;
    timer.Hwnd = hwnd;
    timer.Interval = elapse;
    timer.Due = due;
    timer.Proc = proc;
    if (hwnd) {
      timer.Id = id;
    } else {
      // A thread timer gets an id of its own, unique among the thread's.
      UINT_PTR next = 1;
      for (auto& other : t.Timers)
        if (!other.Hwnd)
          next = std::max(next, other.Id + 1);
      timer.Id = next;
    }
    t.Timers.push_back(timer);
    Wake(t);
    return hwnd ? (id ? id : 1) : timer.Id;
  }
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
  TThread& t = CurrentThread();
  std::lock_guard<std::mutex> lock(t.M);
  auto it = std::find_if(t.Timers.begin(), t.Timers.end(),
                         [&](const TTimer& x) { return x.Hwnd == hwnd && x.Id == id; });
  if (it == t.Timers.end())
    return FALSE;
  t.Timers.erase(it);
  return TRUE;
}

bool WaitForTick(ULONGLONG tick)
{
  // On the virtual clock: how long (in real time) it has stood still.
  auto still = std::chrono::steady_clock::now();
  ULONGLONG seen = GetTickCount64();
  for (ULONGLONG now = seen; now < tick; now = GetTickCount64()) {
    if (!VirtualClockEnabled()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(tick - now));
      continue;
    }
    if (now != seen) {
      seen = now;
      still = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - still > std::chrono::seconds(1)) {
      return false;
    }
    TDisplayBackend* display = CurrentDisplayBackend();
    if (display && display->Idle())
      continue;
    // Nothing scripted moves the clock: move it to the tick, as a sleep would.
    Sleep(DWORD(tick - now));
  }
  return true;
}
