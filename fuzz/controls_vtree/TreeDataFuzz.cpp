// libFuzzer entry for tree data and references from the clipboard or a drop.
#include "fuzz/controls_vtree/TreeClipboardFuzzBody.h"
#include "platform/display/headless/HeadlessDisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static bool ready = [] {
    THeadlessDisplay::Use();
    return true;
  }();
  (void)ready;
  FuzzTreeData(data, size);
  return 0;
}
