// Reading checked 32-bit fields of the column and header streams: an
// enumeration ordinal outside its range is corrupt data.
#pragma once

#include <cstdint>

#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/Stream.h"

inline std::int32_t ReadStreamInt(TStream* Stream) { return Stream->ReadValue<std::int32_t>(); }

inline int ReadStreamOrdinal(TStream* Stream, int Last)
{
  std::int32_t value = ReadStreamInt(Stream);
  if (value < 0 || value > Last)
    RaiseTreeError(hcTFCorruptStream2);
  return value;
}
