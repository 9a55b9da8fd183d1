// Interlocked operations on 32-bit values shared between threads. Each is one
// atomic, fully ordered operation.
#pragma once

#include "platform/base/Types.h"

// Both return the new value.
inline LONG InterlockedIncrement(LONG volatile* addend)
{
  return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedDecrement(LONG volatile* addend)
{
  return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
// Stores value and returns the old one.
inline LONG InterlockedExchange(LONG volatile* target, LONG value)
{
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
// Stores exchange when *destination equals comparand; returns the old value.
inline LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand)
{
  __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}
// Adds value and returns the old value.
inline LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value)
{
  return __atomic_fetch_add(addend, value, __ATOMIC_SEQ_CST);
}
