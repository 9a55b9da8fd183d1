#include "fuzz/controls_vtree/TreeStreamFuzzBody.h"

#include <cstdlib>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/MemoryStream.h"

void FuzzTreeStream(const std::uint8_t* Data, std::size_t Size)
{
  TBaseLazyTree tree(nullptr);
  TMemoryStream input;
  if (Size)
    input.WriteBuffer(Data, Integer(Size));
  input.Seek(std::int64_t(0), soBeginning);
  try {
    tree.ReadTreeStream(&input);
  } catch (const ELazyTreeError&) {
  } catch (const EReadError&) {
  }
  // Every shown node is reached, and the counts agree with the walk.
  Cardinal shown = 0;
  for (PLazyNode n = tree.FirstVisibleNode(); n; n = tree.NextVisibleNode(n))
    ++shown;
  if (shown != tree.VisibleNodeCount())
    std::abort();
  TMemoryStream output;
  tree.WriteTreeStream(&output);
  output.Seek(std::int64_t(0), soBeginning);
  TBaseLazyTree again(nullptr);
  again.ReadTreeStream(&output);
  if (again.HiddenRoot()->SubtreeCount != tree.HiddenRoot()->SubtreeCount)
    std::abort();
}
