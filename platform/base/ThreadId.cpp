#include "platform/base/ThreadId.h"

#include <unistd.h>

DWORD GetCurrentThreadId()
{
  thread_local const DWORD id = DWORD(::gettid());
  return id;
}

DWORD MainThreadID()
{
  // The first thread of a process has the process's own id.
  static const DWORD id = DWORD(::getpid());
  return id;
}

DWORD GetCurrentProcessId() { return DWORD(getpid()); }
