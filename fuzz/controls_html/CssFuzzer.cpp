// libFuzzer entry: the CSS reader, its STYLE-attribute form and the cascade.
#include "HtmlFuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
  FuzzCss(Data, Size);
  return 0;
}
