#include "platform/base/ErrorMode.h"

#include <atomic>

namespace {
std::atomic<UINT> ProcessErrorMode{0};
}  // namespace

UINT SetErrorMode(UINT mode) { return ProcessErrorMode.exchange(mode); }

UINT GetErrorMode() { return ProcessErrorMode.load(); }
