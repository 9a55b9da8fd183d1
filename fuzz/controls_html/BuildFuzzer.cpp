// libFuzzer entry: a document built, laid out at three widths and painted.
#include "DocumentFuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  FuzzBuild(Data, Size);
  return 0;
}
