#pragma once

#include <cstdint>
#include <vector>

// Little-endian integers in byte buffers: the byte order of the file formats
// and records the system reads and writes, whatever the machine's own.
inline std::uint16_t ReadLE16(const std::uint8_t* P) { return std::uint16_t(P[0] | (P[1] << 8)); }
inline std::uint32_t ReadLE32(const std::uint8_t* P)
{
  return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 | std::uint32_t(P[3]) << 24;
}
inline void WriteLE32(std::uint8_t* P, std::uint32_t X)
{
  for (int I = 0; I < 4; ++I)
    P[I] = std::uint8_t(X >> (8 * I));
}
inline void AppendLE16(std::vector<std::uint8_t>& V, std::uint32_t X)
{
  V.push_back(std::uint8_t(X));
  V.push_back(std::uint8_t(X >> 8));
}
inline void AppendLE32(std::vector<std::uint8_t>& V, std::uint32_t X)
{
  AppendLE16(V, X & 0xFFFF);
  AppendLE16(V, X >> 16);
}
