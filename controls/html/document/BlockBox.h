// TBlockBox: a block's box in pixels (the sentinels IntNull and Auto kept):
// background and side colours, margins (the vertical ones once collapsed),
// padding, border widths and styles, width, height, top and left, indexed by
// property index like a TMarginArray, without the entries before
// background-color that a box never uses.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

#include "controls/html/styles/BoxValues.h"

class TBlockBox {
public:
  // Index runs from FirstBoxProp (background-color) to LastBoxProp (left).
  int& operator[](std::size_t Index) { return FValues[Slot(Index)]; }
  int operator[](std::size_t Index) const { return FValues[Slot(Index)]; }
  // Takes the box values of a conversion.
  void Take(const TMarginArray& M);

private:
  static std::size_t Slot(std::size_t Index)
  {
    assert(Index >= std::size_t(FirstBoxProp) && Index <= std::size_t(LastBoxProp));
    return Index - std::size_t(FirstBoxProp);
  }
  std::array<int, LastBoxProp - FirstBoxProp + 1> FValues{};
};
