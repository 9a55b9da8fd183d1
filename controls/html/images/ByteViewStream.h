// A read-only stream over bytes the caller keeps (the decoders read chunk
// data and memory blocks through it without copying).
#pragma once

#include <cstddef>

#include "platform/base/MemoryStream.h"

class TByteViewStream : public TCustomMemoryStream {
public:
  TByteViewStream(const void* Data, std::size_t Size) { SetPointer(const_cast<void*>(Data), Int64(Size)); }
};
