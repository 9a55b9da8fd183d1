#include "controls/utility/RtLogic.h"

#include "controls/utility/detail/Text.h"
#include "platform/base/Exception.h"

namespace {

std::size_t ByteOf(std::size_t size, int bit)
{
  if (bit < 0 || bit > 255 || std::size_t(bit / 8) >= size)
    ut_detail::RangeError();
  return std::size_t(bit / 8);
}

std::uint8_t Mask(int bit)
{
  return std::uint8_t(1u << (unsigned(bit) % 8));
}

}  // namespace

std::uint8_t SetBitInByte(std::uint8_t Value, int Bit)
{
  return std::uint8_t(Value | Mask(Bit));
}

bool TestBitInByte(std::uint8_t Value, int Bit)
{
  return (Value & Mask(Bit)) != 0;
}

void SetBitInBuffer(std::span<std::uint8_t> Buffer, int Bit)
{
  Buffer[ByteOf(Buffer.size(), Bit)] |= Mask(Bit);
}

bool TestBitInBuffer(std::span<const std::uint8_t> Buffer, int Bit)
{
  return (Buffer[ByteOf(Buffer.size(), Bit)] & Mask(Bit)) != 0;
}
