// libFuzzer entry for the text tree's renderings.
#include "fuzz/controls_vtree/TreeClipboardFuzzBody.h"
#include "platform/display/headless/HeadlessDisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static bool ready = [] {
    THeadlessDisplay::Use();
    return true;
  }();
  (void)ready;
  FuzzExport(data, size);
  return 0;
}
