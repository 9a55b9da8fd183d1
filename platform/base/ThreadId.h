// Thread identities: the system's thread ids are the kernel's.
#pragma once

#include "platform/base/Types.h"

DWORD GetCurrentThreadId();
// The process's first thread, which runs the program's message loop.
DWORD MainThreadID();
inline bool IsMainThread() { return GetCurrentThreadId() == MainThreadID(); }
