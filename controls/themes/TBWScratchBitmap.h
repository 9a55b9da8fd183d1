// A 32-bit top-down bitmap with its own device context and direct access to
// its pixels (0xAARRGGBB), for the routines that combine images pixel by
// pixel and for the shadow buffers.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

class TScratchBitmap {
public:
  TScratchBitmap(int Width, int Height);
  ~TScratchBitmap();
  TScratchBitmap(const TScratchBitmap&) = delete;
  TScratchBitmap& operator=(const TScratchBitmap&) = delete;

  HDC DC() const { return FDC; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  uint32_t* Row(int Y) const { return FBits + size_t(Y) * size_t(FWidth); }
  uint32_t& At(int X, int Y) const { return Row(Y)[X]; }
  void Fill(uint32_t Value) const;

private:
  int FWidth, FHeight;
  HBITMAP FBitmap = nullptr, FOldBitmap = nullptr;
  HDC FDC = nullptr;
  uint32_t* FBits = nullptr;
};
