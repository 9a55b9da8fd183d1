// AllocRec: one memory block of a given size, for the large scratch buffers
// of the drawing code. A block that cannot be had raises the silent EAbort.
#pragma once

#include <cstddef>

#include "platform/base/Object.h"

class AllocRec : public TObject {
public:
  explicit AllocRec(std::size_t Size);
  ~AllocRec() override;
  AllocRec(const AllocRec&) = delete;
  AllocRec& operator=(const AllocRec&) = delete;

  std::size_t Size() const { return FSize; }
  void* Ptr() const { return FPtr; }

private:
  std::size_t FSize;
  void* FPtr;
};
