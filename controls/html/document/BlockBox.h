// TBlockBox: a block's box in pixels (the sentinels IntNull and Auto kept):
// background colour, margins (the vertical ones once collapsed), padding,
// border widths, width, height, top and left, indexed by property index like
// a TMarginArray. The side colours and styles are read only to draw a
// border, so they are kept, apart, for a block that has one: most blocks of
// a page (every message of a conversation) have none.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "controls/html/styles/BoxValues.h"

class TBlockBox {
public:
  TBlockBox() = default;
  TBlockBox(const TBlockBox& Other) { *this = Other; }
  TBlockBox& operator=(const TBlockBox& Other);

  // Index runs from piBackgroundColor to piLeft.
  int& operator[](std::size_t Index);
  int operator[](std::size_t Index) const;
  // Takes the values of a conversion; the side colours, the styles and
  // border-color only when WithSides (dropped otherwise).
  void Take(const TMarginArray& M, bool WithSides);

private:
  // The slot of Index in FValues, or -1 for a side colour or style.
  static int Slot(std::size_t Index);
  static constexpr std::size_t ValueCount = 17;  // background, 12 sides' lengths, 4 sizes
  static constexpr std::size_t SideCount = 9;    // border-color, 4 colours, 4 styles
  // The slot of a side colour or style (or border-color) in FSides.
  static std::size_t SideSlot(std::size_t Index);
  std::array<int, ValueCount> FValues{};
  std::unique_ptr<std::array<int, SideCount>> FSides;
};
