// The CRC-32 of PNG chunks (reflected polynomial 0xEDB88320, start value all
// ones, result complemented), from a table built on first use.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint32_t PngCrc(std::uint32_t Crc, const std::uint8_t* Data, std::size_t Size);
// The CRC of a chunk: its four type bytes, then its data.
std::uint32_t ChunkCrc(const char* Type, const std::uint8_t* Data, std::size_t Size);
