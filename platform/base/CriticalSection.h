// Critical sections: locks that the thread holding them may take again
// (recursive), as the system's code expects. The C-style calls and the class
// library's TCriticalSection.
#pragma once

#include <pthread.h>

#include "platform/base/Object.h"
#include "platform/base/Types.h"

struct TRTLCriticalSection {
  pthread_mutex_t Mutex;
};
using RTL_CRITICAL_SECTION = TRTLCriticalSection;
using CRITICAL_SECTION = TRTLCriticalSection;

void InitializeCriticalSection(TRTLCriticalSection* section);
void DeleteCriticalSection(TRTLCriticalSection* section);
void EnterCriticalSection(TRTLCriticalSection* section);
void LeaveCriticalSection(TRTLCriticalSection* section);
BOOL TryEnterCriticalSection(TRTLCriticalSection* section);

class TCriticalSection : public TObject {
public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() override { DeleteCriticalSection(&FSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Acquire() { EnterCriticalSection(&FSection); }
  void Release() { LeaveCriticalSection(&FSection); }
  void Enter() { Acquire(); }
  void Leave() { Release(); }
  bool TryEnter() { return TryEnterCriticalSection(&FSection) != FALSE; }

private:
  TRTLCriticalSection FSection;
};
