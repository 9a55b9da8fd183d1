// Thread and process identities: the system's ids are the kernel's.
#pragma once

#include "platform/base/Types.h"

DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();
// The process's first thread, which runs the program's message loop.
DWORD MainThreadID();
inline bool IsMainThread() { return GetCurrentThreadId() == MainThreadID(); }
