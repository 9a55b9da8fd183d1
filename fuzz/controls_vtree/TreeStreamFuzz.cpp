// libFuzzer entry for the tree stream reader.
#include <cstddef>
#include <cstdint>

#include "controls/vtree/PositionCache.h"
#include "fuzz/controls_vtree/TreeStreamFuzzBody.h"
#include "platform/display/headless/HeadlessDisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static bool ready = [] {
    THeadlessDisplay::Use();
    // One user for the whole run keeps the cache worker alive: otherwise
    // every tree starts a thread and joins it again, and the run spends its
    // time (and the sanitizer its memory) on thread churn.
    TLtWorkerThread::EnsureWorkerThread();
    return true;
  }();
  (void)ready;
  FuzzTreeStream(data, size);
  return 0;
}
