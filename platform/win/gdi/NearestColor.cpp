#include "platform/win/gdi/detail/NearestColor.h"

#include <algorithm>
#include <climits>

namespace gdi {

namespace {
constexpr uint32_t kUsed = 0x01000000;

std::size_t SlotOf(uint32_t rgb, std::size_t slots)
{
  return std::size_t((rgb * 2654435761u) >> 16) & (slots - 1);
}
}  // namespace

TNearestColor::TNearestColor(const std::vector<RGBQUAD>& table)
{
  std::size_t n = std::min<std::size_t>(table.size(), 256);
  FByGreen.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const RGBQUAD& q = table[i];
    FByGreen.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue, int(i)});
    // The first entry of a colour wins, as in a scan from index 0.
    uint32_t key = ((uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue) | kUsed;
    std::size_t slot = SlotOf(key & 0xFFFFFF, kSlots);
    while (FKeys[slot] && FKeys[slot] != key)
      slot = (slot + 1) & (kSlots - 1);
    if (!FKeys[slot]) {
      FKeys[slot] = key;
      FIndexes[slot] = uint16_t(i);
    }
  }
  std::stable_sort(FByGreen.begin(), FByGreen.end(), [](const TEntry& a, const TEntry& b) { return a.Green < b.Green; });
  std::size_t pos = 0;
  for (int g = 0; g <= 256; ++g) {
    while (pos < FByGreen.size() && FByGreen[pos].Green < g)
      ++pos;
    FFirstAtGreen[std::size_t(g)] = uint16_t(pos);
  }
}

int TNearestColor::Index(uint32_t rgb) const
{
  rgb &= 0xFFFFFF;
  uint32_t key = rgb | kUsed;
  for (std::size_t slot = SlotOf(rgb, kSlots); FKeys[slot]; slot = (slot + 1) & (kSlots - 1))
    if (FKeys[slot] == key)
      return FIndexes[slot];
  return Search(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

int TNearestColor::Search(int red, int green, int blue) const
{
  int best = 0, bestDistance = INT_MAX;
  auto consider = [&](const TEntry& e) {
    int dr = e.Red - red, dg = e.Green - green, db = e.Blue - blue;
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance || (d == bestDistance && e.Index < best)) {
      bestDistance = d;
      best = e.Index;
    }
  };
  // An entry whose green distance squared equals the best may still tie with
  // a lower index, so each side stops only past it.
  const std::size_t start = FFirstAtGreen[std::size_t(green)];
  for (std::size_t i = start; i < FByGreen.size(); ++i) {
    int dg = FByGreen[i].Green - green;
    if (dg * dg > bestDistance)
      break;
    consider(FByGreen[i]);
  }
  for (std::size_t i = start; i-- > 0;) {
    int dg = green - FByGreen[i].Green;
    if (dg * dg > bestDistance)
      break;
    consider(FByGreen[i]);
  }
  return best;
}

}  // namespace gdi
