// THandleStream: a stream over an open file descriptor, which it does not own.
#pragma once

#include "platform/base/Stream.h"

class THandleStream : public TStream {
public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}

  using TStream::Seek;
  Integer Read(void* Buffer, Integer Count) override;
  Integer Write(const void* Buffer, Integer Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;

  int Handle() const { return FHandle; }

protected:
  int FHandle;
};
