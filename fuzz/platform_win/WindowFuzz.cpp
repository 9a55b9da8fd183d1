// Fuzz entry for what the window system reads from other processes: the
// published window lists (whatever reads is written and read again and must
// come back the same) and copy-data request headers. The first byte chooses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win/window/detail/CrossProcessWire.h"

using namespace wincore;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size == 0)
    return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 2 == 0) {
    std::vector<TPublishedWindow> windows;
    if (ParseWindowList(bytes, windows)) {
      std::vector<TPublishedWindow> again;
      if (!ParseWindowList(SerializeWindowList(windows), again) || again != windows)
        std::abort();
    }
  } else if (bytes.size() >= sizeof(TCopyDataRequest)) {
    TCopyDataRequest request;
    std::memcpy(&request, bytes.data(), sizeof request);
    if (ValidCopyDataRequest(request, 1u << 20) && request.Size > (1u << 20))
      std::abort();
  }
  return 0;
}
