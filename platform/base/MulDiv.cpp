#include "platform/base/MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int number, int numerator, int denominator)
{
  if (denominator == 0)
    return -1;
  std::int64_t product = std::int64_t(number) * numerator;
  bool negative = (product < 0) != (denominator < 0);
  std::uint64_t p = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
  std::uint64_t d = denominator < 0 ? std::uint64_t(-std::int64_t(denominator)) : std::uint64_t(denominator);
  std::uint64_t q = (p + d / 2) / d;
  if (q > std::uint64_t(std::numeric_limits<int>::max()) + (negative ? 1u : 0u))
    return -1;
  return negative ? int(-std::int64_t(q)) : int(q);
}
