#include "controls/html/images/PngCrc.h"

#include <array>

namespace {

// Four tables let the loop take four bytes per step (slicing by four).
using TCrcTables = std::array<std::array<std::uint32_t, 256>, 4>;

const TCrcTables& Tables()
{
  static const TCrcTables tables = [] {
    TCrcTables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n)
      for (int s = 1; s < 4; ++s)
        t[s][n] = (t[s - 1][n] >> 8) ^ t[0][t[s - 1][n] & 0xFF];
    return t;
  }();
  return tables;
}

}  // namespace

std::uint32_t PngCrc(std::uint32_t Crc, const std::uint8_t* Data, std::size_t Size)
{
  const TCrcTables& t = Tables();
  std::uint32_t c = ~Crc;
  while (Size >= 4) {
    c ^= std::uint32_t(Data[0]) | std::uint32_t(Data[1]) << 8 | std::uint32_t(Data[2]) << 16 |
         std::uint32_t(Data[3]) << 24;
    c = t[3][c & 0xFF] ^ t[2][(c >> 8) & 0xFF] ^ t[1][(c >> 16) & 0xFF] ^ t[0][c >> 24];
    Data += 4;
    Size -= 4;
  }
  while (Size--)
    c = t[0][(c ^ *Data++) & 0xFF] ^ (c >> 8);
  return ~c;
}

std::uint32_t ChunkCrc(const char* Type, const std::uint8_t* Data, std::size_t Size)
{
  std::uint32_t c = PngCrc(0, reinterpret_cast<const std::uint8_t*>(Type), 4);
  return PngCrc(c, Data, Size);
}
