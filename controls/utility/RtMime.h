// Base-64 of 8-bit strings: the standard alphabet (A-Z, a-z, 0-9, "+", "/")
// with "=" padding, written as one unbroken run of characters. Decoding skips
// every character outside the alphabet (padding, blanks, line ends) and keeps
// the bytes of a partial last group.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

std::string Base64Encode(std::string_view Text);
std::string Base64Decode(std::string_view Text);

// The exact length of the encoding of Count bytes.
constexpr std::size_t EncodedLength(std::size_t Count) { return (Count + 2) / 3 * 4; }
// The most bytes a decoding of Count characters can give.
constexpr std::size_t DecodedLengthMax(std::size_t Count) { return (Count + 3) / 4 * 3; }

// Encodes Count bytes into Output, which holds EncodedLength(Count) characters.
void Base64EncodeBuffer(const std::uint8_t* Input, std::size_t Count, char* Output);

// A decoding that may be fed in pieces: the accumulator and the count of
// characters still missing in the current group carry over between calls.
class TBase64Decoder {
public:
  // Decodes Count characters into Output (room for DecodedLengthMax(Count)
  // bytes) and answers the number of bytes written.
  std::size_t Decode(const char* Input, std::size_t Count, std::uint8_t* Output);
  // Writes the bytes of a partial last group (at most 2) and starts afresh.
  std::size_t Finish(std::uint8_t* Output);

private:
  std::uint32_t FAccumulator = 0;
  int FMissing = 4;
};
