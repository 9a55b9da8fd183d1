#include "ImageFuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  FuzzZStream(Data, Size);
  return 0;
}
