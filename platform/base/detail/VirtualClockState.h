// Between the clocks and the virtual clock: what Clock.cpp asks of it.
#pragma once

#include "platform/base/Types.h"

// The virtual tick count and wall time (milliseconds since 1970 UTC); false
// when the virtual clock is off.
bool ReadVirtualClock(ULONGLONG& tick, Int64& wall);
// Sleep on the virtual clock; false when the virtual clock is off.
bool VirtualSleep(DWORD milliseconds);
// The real clocks.
ULONGLONG RealTickCount();
Int64 RealWallClock();
