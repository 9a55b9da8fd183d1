// Plain threads, as the platform creates them: a start routine with one
// parameter, optionally created suspended. The handle is waitable and gives
// the routine's result through GetExitCodeThread.
#pragma once

#include <cstddef>

#include "platform/base/KernelObjects.h"
#include "platform/base/Types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);
constexpr DWORD CREATE_SUSPENDED = 0x4;

// Null with GetLastError on failure; the stack size and security arguments are
// accepted and ignored. threadId (may be null) receives the new thread's id.
HANDLE CreateThread(void* threadAttributes, std::size_t stackSize, LPTHREAD_START_ROUTINE startAddress,
                    void* parameter, DWORD creationFlags, DWORD* threadId);
// Lets a thread created suspended run. Returns the previous suspend count (1,
// then 0 for a running thread), or 0xFFFFFFFF for a bad handle.
DWORD ResumeThread(HANDLE thread);
