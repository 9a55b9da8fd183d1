#include "controls/html/images/PngFilters.h"

#include <cstdlib>

std::uint8_t PaethPredictor(std::uint8_t Left, std::uint8_t Up, std::uint8_t UpperLeft)
{
  const int p = int(Left) + int(Up) - int(UpperLeft);
  const int pa = std::abs(p - int(Left));
  const int pb = std::abs(p - int(Up));
  const int pc = std::abs(p - int(UpperLeft));
  if (pa <= pb && pa <= pc)
    return Left;
  return pb <= pc ? Up : UpperLeft;
}

bool UnfilterRow(std::uint8_t Type, std::uint8_t* Row, const std::uint8_t* Prev, std::size_t RowBytes,
                 std::size_t Bpp)
{
  const std::size_t lead = Bpp < RowBytes ? Bpp : RowBytes;
  switch (Type) {
  case 0:
    return true;
  case 1:
    for (std::size_t i = Bpp; i < RowBytes; ++i)
      Row[i] = std::uint8_t(Row[i] + Row[i - Bpp]);
    return true;
  case 2:
    for (std::size_t i = 0; i < RowBytes; ++i)
      Row[i] = std::uint8_t(Row[i] + Prev[i]);
    return true;
  case 3:
    for (std::size_t i = 0; i < lead; ++i)
      Row[i] = std::uint8_t(Row[i] + (Prev[i] >> 1));
    for (std::size_t i = Bpp; i < RowBytes; ++i)
      Row[i] = std::uint8_t(Row[i] + ((unsigned(Row[i - Bpp]) + unsigned(Prev[i])) >> 1));
    return true;
  case 4:
    // With no left byte the predictor is the byte above.
    for (std::size_t i = 0; i < lead; ++i)
      Row[i] = std::uint8_t(Row[i] + Prev[i]);
    for (std::size_t i = Bpp; i < RowBytes; ++i) {
      const int a = Row[i - Bpp], b = Prev[i], c = Prev[i - Bpp];
      const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
      const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
      Row[i] = std::uint8_t(Row[i] + pred);
    }
    return true;
  default:
    return false;
  }
}

void FilterRow(std::uint8_t Type, const std::uint8_t* Raw, const std::uint8_t* Prev, std::uint8_t* Out,
               std::size_t RowBytes, std::size_t Bpp)
{
  for (std::size_t i = 0; i < RowBytes; ++i) {
    const std::uint8_t left = i >= Bpp ? Raw[i - Bpp] : 0;
    const std::uint8_t up = Prev[i];
    const std::uint8_t upperLeft = i >= Bpp ? Prev[i - Bpp] : 0;
    std::uint8_t pred = 0;
    switch (Type) {
    case 1:
      pred = left;
      break;
    case 2:
      pred = up;
      break;
    case 3:
      pred = std::uint8_t((unsigned(left) + unsigned(up)) >> 1);
      break;
    case 4:
      pred = PaethPredictor(left, up, upperLeft);
      break;
    default:
      break;
    }
    Out[i] = std::uint8_t(Raw[i] - pred);
  }
}
