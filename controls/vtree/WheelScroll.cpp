#include "controls/vtree/WheelScroll.h"

#include <algorithm>
#include <cstdint>
#include <limits>

int WheelScrollPixels(int WheelDelta, UINT ScrollLines, int RowHeight, int PageHeight)
{
  std::int64_t pixels;
  if (ScrollLines == WheelPageScroll)
    pixels = std::int64_t(WheelDelta) * PageHeight / 120;
  else
    pixels = std::int64_t(WheelDelta) * std::int64_t(ScrollLines) / 120 * RowHeight;
  return int(std::clamp<std::int64_t>(pixels, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
