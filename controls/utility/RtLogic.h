// Single bits in a byte and in a buffer of up to 256 bits (bit N is bit
// N mod 8 of byte N div 8).
#pragma once

#include <cstdint>
#include <span>

std::uint8_t SetBitInByte(std::uint8_t Value, int Bit);
bool TestBitInByte(std::uint8_t Value, int Bit);
// Bit must lie in 0 .. 255 and within the buffer, else ERangeError.
void SetBitInBuffer(std::span<std::uint8_t> Buffer, int Bit);
bool TestBitInBuffer(std::span<const std::uint8_t> Buffer, int Bit);
