// The tree's side of its header columns: the main column, the content width
// of a column, and keeping the header's room and the scroll range in step
// with the tree's size and the columns' widths.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"

bool TBaseLazyTree::UseColumns() const
{
  return FHeader->Columns().Count() > 0;
}

TColumnIndex TBaseLazyTree::MainColumn() const
{
  if (!UseColumns())
    return NoColumn;
  return std::max<TColumnIndex>(0, FHeader->MainColumn());
}

int TBaseLazyTree::ColumnContentWidth(TColumnIndex Column)
{
  bool isMain = Column == MainColumn();
  bool showRoot = HasPaintOption(toShowRoot);
  int widest = 0;
  for (PLazyNode node = FirstVisibleNode(); node; node = NextVisibleNode(node)) {
    if (!node->Has(nfInitialized))
      InitializeNode(node);
    int width = 2 * FMargin;
    if (isMain)
      width += int(NodeLevel(node) + (showRoot ? 1 : 0)) * int(FIndent);
    width += ImagesWidth(node, isMain, Column);
    width += DoGetNodeWidth(node, Column, Canvas());
    widest = std::max(widest, width);
  }
  return widest + (HasPaintOption(toShowVertGridLines) ? 1 : 0);
}

void TBaseLazyTree::ColumnWidthChanged(TColumnIndex)
{
  if (FDestroying || !HasWindow())
    return;
  UpdateScrollBars(true);
  Invalidate();
}

void TBaseLazyTree::HeaderClientWidthChanged()
{
  int width = HasWindow() ? ClientWidth() : Width();
  FHeader->SetClientWidth(width);
  FHeader->AdjustSpring(width);
  if (UseColumns() && FHeader->Options().Contains(hoAutoResize))
    FHeader->Columns().AutoSize(NoColumn);
}
