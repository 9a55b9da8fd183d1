#include "platform/base/ThreadId.h"

#include <unistd.h>

DWORD GetCurrentThreadId()
{
  thread_local const DWORD id = DWORD(::gettid());
  return id;
}

// Not cached: a forked child has an id of its own.
DWORD GetCurrentProcessId() { return DWORD(::getpid()); }

DWORD MainThreadID()
{
  // The first thread of a process has the process's own id.
  static const DWORD id = DWORD(::getpid());
  return id;
}

