// Calls a function nothing defines, as a target whose library went missing.
#include <cstddef>
#include <cstdint>

int DefinedNowhere(const std::uint8_t* Data, std::size_t Size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  return DefinedNowhere(Data, Size);
}
