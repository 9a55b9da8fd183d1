// libFuzzer entry: the document target with include comments served from the input.
#include "DocumentFuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  FuzzInclude(Data, Size);
  return 0;
}
