#include "platform/base/CriticalSection.h"

void InitializeCriticalSection(TRTLCriticalSection* section)
{
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&section->Mutex, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

void DeleteCriticalSection(TRTLCriticalSection* section)
{
  pthread_mutex_destroy(&section->Mutex);
}

void EnterCriticalSection(TRTLCriticalSection* section)
{
  pthread_mutex_lock(&section->Mutex);
}

void LeaveCriticalSection(TRTLCriticalSection* section)
{
  pthread_mutex_unlock(&section->Mutex);
}

BOOL TryEnterCriticalSection(TRTLCriticalSection* section)
{
  return pthread_mutex_trylock(&section->Mutex) == 0 ? TRUE : FALSE;
}
