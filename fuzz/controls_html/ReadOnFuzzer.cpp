// libFuzzer entry: a document read on after its first part, against the
// whole text built at once.
#include "DocumentFuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  FuzzReadOn(Data, Size);
  return 0;
}
