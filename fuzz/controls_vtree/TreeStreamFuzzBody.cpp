#include "fuzz/controls_vtree/TreeStreamFuzzBody.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/base/MemoryStream.h"

namespace {

// The same bytes read as a header stream (with its columns): whatever is
// kept must be sound, and what is kept reads back equal.
void FuzzHeaderStream(const std::uint8_t* Data, std::size_t Size)
{
  TBaseLazyTree tree(nullptr);
  TMemoryStream input;
  if (Size)
    input.WriteBuffer(Data, Integer(Size));
  input.Seek(std::int64_t(0), soBeginning);
  TLazyTreeColumns& columns = tree.Header().Columns();
  try {
    tree.Header().LoadFromStream(&input);
  } catch (const ELazyTreeError&) {
  } catch (const EReadError&) {
  }
  std::vector<TColumnIndex> order = columns.PositionArray();
  std::sort(order.begin(), order.end());
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] != TColumnIndex(i))
      std::abort();
  for (int i = 0; i < columns.Count(); ++i) {
    TLazyTreeColumn* column = columns.Item(i);
    if (column->Width() < column->MinWidth() || column->Width() > column->MaxWidth())
      std::abort();
  }
  TMemoryStream output;
  tree.Header().SaveToStream(&output);
  output.Seek(std::int64_t(0), soBeginning);
  TBaseLazyTree again(nullptr);
  again.Header().LoadFromStream(&output);
  if (!again.Header().Columns().Equals(columns))
    std::abort();
}

}  // namespace

void FuzzTreeStream(const std::uint8_t* Data, std::size_t Size)
{
  FuzzHeaderStream(Data, Size);
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
