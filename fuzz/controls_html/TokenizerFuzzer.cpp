// libFuzzer entry: the HTML tokenizer and parser through the recording seam.
#include "HtmlFuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  FuzzHtml(Data, Size);
  return 0;
}
