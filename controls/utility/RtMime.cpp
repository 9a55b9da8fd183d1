#include "controls/utility/RtMime.h"

#include <array>

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<std::uint8_t, 256> DecodingTable = [] {
  std::array<std::uint8_t, 256> table{};
  for (auto& entry : table)
    entry = 255;
  for (int i = 0; i < 64; ++i)
    table[std::uint8_t(Alphabet[i])] = std::uint8_t(i);
  return table;
}();

}  // namespace

void Base64EncodeBuffer(const std::uint8_t* Input, std::size_t Count, char* Output)
{
  std::size_t i = 0;
  for (; i + 3 <= Count; i += 3) {
    std::uint32_t v = std::uint32_t(Input[i]) << 16 | std::uint32_t(Input[i + 1]) << 8 | Input[i + 2];
    *Output++ = Alphabet[(v >> 18) & 63];
    *Output++ = Alphabet[(v >> 12) & 63];
    *Output++ = Alphabet[(v >> 6) & 63];
    *Output++ = Alphabet[v & 63];
  }
  if (Count - i == 1) {
    std::uint8_t x = Input[i];
    *Output++ = Alphabet[x >> 2];
    *Output++ = Alphabet[(x & 3) << 4];
    *Output++ = '=';
    *Output++ = '=';
  } else if (Count - i == 2) {
    std::uint8_t x = Input[i], y = Input[i + 1];
    *Output++ = Alphabet[x >> 2];
    *Output++ = Alphabet[((x & 3) << 4) | (y >> 4)];
    *Output++ = Alphabet[(y & 15) << 2];
    *Output++ = '=';
  }
}

std::size_t TBase64Decoder::Decode(const char* Input, std::size_t Count, std::uint8_t* Output)
{
  std::size_t written = 0;
  for (std::size_t i = 0; i < Count; ++i) {
    std::uint8_t value = DecodingTable[std::uint8_t(Input[i])];
    if (value == 255)
      continue;
    FAccumulator = (FAccumulator << 6) | value;
    if (--FMissing == 0) {
      Output[written++] = std::uint8_t(FAccumulator >> 16);
      Output[written++] = std::uint8_t(FAccumulator >> 8);
      Output[written++] = std::uint8_t(FAccumulator);
      FAccumulator = 0;
      FMissing = 4;
    }
  }
  return written;
}

std::size_t TBase64Decoder::Finish(std::uint8_t* Output)
{
  std::size_t written = 0;
  if (FMissing == 1) {
    Output[written++] = std::uint8_t(FAccumulator >> 10);
    Output[written++] = std::uint8_t(FAccumulator >> 2);
  } else if (FMissing == 2) {
    Output[written++] = std::uint8_t(FAccumulator >> 4);
  }
  FAccumulator = 0;
  FMissing = 4;
  return written;
}

std::string Base64Encode(std::string_view Text)
{
  std::string result(EncodedLength(Text.size()), '\0');
  Base64EncodeBuffer(reinterpret_cast<const std::uint8_t*>(Text.data()), Text.size(), result.data());
  return result;
}

std::string Base64Decode(std::string_view Text)
{
  if (Text.empty())
    return {};
  std::string result(DecodedLengthMax(Text.size()), '\0');
  auto* out = reinterpret_cast<std::uint8_t*>(result.data());
  TBase64Decoder decoder;
  std::size_t n = decoder.Decode(Text.data(), Text.size(), out);
  n += decoder.Finish(out + n);
  result.resize(n);
  return result;
}
