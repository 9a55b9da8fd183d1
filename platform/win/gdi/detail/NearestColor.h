// The entry of a colour table nearest to a colour, for converting whole
// pictures to 1-, 4- and 8-bit pixels. Answers exactly what a scan of the
// table answers (smallest squared RGB distance, the lowest index among
// equals) at a fraction of its cost: pixels whose colour is in the table
// (a palette picture read back) take one hash probe; the others search
// outwards from their green value over entries sorted by green and stop once
// the green distance alone exceeds the best found.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

namespace gdi {

class TNearestColor {
public:
  TNearestColor() = default;
  explicit TNearestColor(const std::vector<RGBQUAD>& table);
  // The index for 0x00RRGGBB (the high byte is ignored); 0 for an empty table.
  int Index(uint32_t rgb) const;

private:
  struct TEntry {
    int Red, Green, Blue, Index;
  };
  int Search(int red, int green, int blue) const;

  static constexpr std::size_t kSlots = 512;  // twice the largest table: short probe runs
  std::array<uint32_t, kSlots> FKeys{};       // colour | kUsed, 0 for a free slot
  std::array<uint16_t, kSlots> FIndexes{};
  std::vector<TEntry> FByGreen;           // sorted by green, then index
  std::array<uint16_t, 257> FFirstAtGreen{};  // first position in FByGreen with green >= g
};

}  // namespace gdi
