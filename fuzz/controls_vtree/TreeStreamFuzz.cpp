// libFuzzer entry for the tree stream reader.
#include <cstddef>
#include <cstdint>

#include "fuzz/controls_vtree/TreeStreamFuzzBody.h"
#include "platform/display/headless/HeadlessDisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static bool ready = [] {
    THeadlessDisplay::Use();
    return true;
  }();
  (void)ready;
  FuzzTreeStream(data, size);
  return 0;
}
