// Traps on an input that starts with '!', accepts anything else.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  if (Size > 0 && Data[0] == '!')
    __builtin_trap();
  return 0;
}
