// Waitable kernel objects: events (manual or automatic reset) and thread
// handles, with the wait calls. Handles are values from a table: a closed
// handle is never reused, so using it fails with ERROR_INVALID_HANDLE instead
// of reaching another object. Waits measure real time, also when the virtual
// clock runs (see VirtualClock.h).
#pragma once

#include "platform/base/Types.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// An event; the name and security arguments are accepted and ignored (events
// are not shared between processes here). Null on failure.
HANDLE CreateEvent(void* eventAttributes, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// WAIT_OBJECT_0 when the object is signalled (an automatic-reset event is then
// reset), WAIT_TIMEOUT after the time-out in milliseconds, WAIT_FAILED with
// GetLastError for a bad handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// Waits for one (WAIT_OBJECT_0 + its index, the lowest signalled one) or all of
// up to MAXIMUM_WAIT_OBJECTS objects.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

BOOL CloseHandle(HANDLE handle);

constexpr DWORD STILL_ACTIVE = 259;

// The exit code of a thread, STILL_ACTIVE while it runs.
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);

// Thread handles, for the thread calls: unsignalled while the thread runs,
// signalled for good, with the thread's exit code, once it has ended.
HANDLE CreateThreadObject();
void SignalThreadObject(HANDLE thread, DWORD exitCode = 0);
