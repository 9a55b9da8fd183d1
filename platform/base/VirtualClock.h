// The virtual clock, for tests: while it runs, GetTickCount, timeGetTime, the
// performance counter and the wall time (GetLocalTime, so Now) stand still
// until the test advances them.
//
// The window system's timers hook in as listeners: a listener tells the clock
// when its next timer is due (so a test can jump straight to it with
// AdvanceVirtualClockToNextDue) and is told each time the clock changes, on the
// thread that changed it, so it can wake the message loops whose timers are now
// due. Waiting code without a listener can wait for a change with
// WaitForClockChange.
#pragma once

#include "platform/base/Clock.h"
#include "platform/base/Types.h"

class IClockListener {
public:
  virtual ~IClockListener() = default;
  // The tick (GetTickCount64 scale) of the listener's next due event; false
  // when it has none.
  virtual bool NextDueTick(ULONGLONG& tick) = 0;
  // The clock was advanced, set, switched on or off; now is GetTickCount64().
  // Called without the clock's lock held.
  virtual void ClockChanged(ULONGLONG now) = 0;
};

// Switches the virtual clock on, starting from the real clock's values of this
// moment, or off (the real clock again). Both notify the listeners.
void EnableVirtualClock();
void DisableVirtualClock();
bool VirtualClockEnabled();

// Moves the virtual clock forward (tick counts, counter and wall time alike).
void AdvanceVirtualClock(ULONGLONG milliseconds);
// Advances to the earliest tick a listener reports due, if it lies ahead;
// false when no listener has anything due.
bool AdvanceVirtualClockToNextDue();
// The earliest tick any listener reports due.
bool NextVirtualDueTick(ULONGLONG& tick);
// Sets the tick count, or the wall time (given as local time), of the virtual
// clock; the other one stays.
void SetVirtualTickCount(ULONGLONG tick);
void SetVirtualLocalTime(const SYSTEMTIME& time);

// Listeners are not owned. RemoveClockListener waits for a notification in
// progress on another thread, so it must not be called while holding a lock
// that ClockChanged takes.
void AddClockListener(IClockListener* listener);
void RemoveClockListener(IClockListener* listener);

// A number that changes with every change of the clock, and a wait for the
// next change (false after the real-time time-out).
ULONGLONG ClockGeneration();
bool WaitForClockChange(ULONGLONG generation, DWORD timeout);
