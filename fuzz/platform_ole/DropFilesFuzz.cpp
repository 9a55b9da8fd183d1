// Fuzz entry for CF_HDROP blocks, which other programs write: the input is
// the whole block. Every name is read in both character sizes, with a buffer
// large enough and a short one; the answers must agree with each other.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/win/shell/DropFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  HDROP drop = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!drop)
    return 0;
  if (size)
    std::memcpy(GlobalLock(drop), data, size);
  GlobalUnlock(drop);
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  if (count != DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) || count > size)
    std::abort();
  for (UINT i = 0; i <= count; ++i) {
    UINT narrow = DragQueryFileA(drop, i, nullptr, 0);
    UINT wide = DragQueryFileW(drop, i, nullptr, 0);
    std::vector<char> a(narrow + 1);
    std::vector<char16_t> w(wide + 1);
    if (DragQueryFileA(drop, i, a.data(), UINT(a.size())) != narrow ||
        DragQueryFileW(drop, i, w.data(), UINT(w.size())) != wide || a[narrow] || w[wide])
      std::abort();
    char shortName[3];
    if (DragQueryFileA(drop, i, shortName, sizeof shortName) > 2)
      std::abort();
  }
  TPoint point;
  DragQueryPoint(drop, &point);
  DragFinish(drop);
  return 0;
}
