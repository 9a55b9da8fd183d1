// The tree's side of its header columns: the main column, the content width
// of a column, and keeping the header's room and the scroll range in step
// with the tree's size and the columns' widths.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/Messages.h"
#include "platform/win/win.h"

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

void TBaseLazyTree::MainColumnChanged()
{
  if (FDestroying)
    return;
  if (!HasSelectionOption(toExtendedFocus))
    SetFocusedColumn(MainColumn());
  if (HasWindow())
    Invalidate();
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

void TBaseLazyTree::ColumnWidthChanged(TColumnIndex Column)
{
  if (FDestroying || !HasWindow())
    return;
  UpdateScrollBars(true);
  Invalidate();
  FHeader->Invalidate(Column, true);
  // A column followed by the mouse shows its new width at once.
  if (FHeader->States().Contains(hsTracking))
    UpdateWindow(Handle());
  DoColumnResize(Column);
  if (FStates.Contains(tsEditing))
    UpdateEditBounds();
}

void TBaseLazyTree::ColumnChanged(TColumnIndex Column, bool Layout)
{
  if (FDestroying || !HasWindow())
    return;
  if (Layout) {
    // Cells move: an editor over one of them would be left behind.
    CancelEditNode();
    UpdateScrollBars(true);
    FHeader->Invalidate(NoColumn);
  } else {
    FHeader->Invalidate(Column);
  }
  Invalidate();
}

void TBaseLazyTree::SortChanged()
{
  if (HasAutoOption(toAutoSort) && !IsUpdating() && FHeader->SortColumn() > NoColumn)
    SortWholeTree(FHeader->SortColumn(), FHeader->SortDirection());
}

void TBaseLazyTree::HeaderClientWidthChanged()
{
  int width = HasWindow() ? ClientWidth() : Width();
  FHeader->SetClientWidth(width);
  FHeader->AdjustSpring(width);
  if (UseColumns() && FHeader->Options().Contains(hoAutoResize))
    FHeader->Columns().AutoSize(NoColumn);
}

TRect TBaseLazyTree::HeaderRectInWindow()
{
  if (!HasWindow() || !FHeader->Options().Contains(hoVisible))
    return {};
  TRect window, client;
  GetWindowRect(Handle(), &window);
  ::GetClientRect(Handle(), &client);
  TPoint origin(0, 0);
  ::ClientToScreen(Handle(), &origin);
  int left = origin.x - window.Left, top = origin.y - window.Top;
  if (client.Width() < 0)
    return {};
  return TRect(left, top - FHeader->Height(), left + client.Width(), top);
}

void TBaseLazyTree::HeaderLayoutChanged()
{
  if (FDestroying || !HasWindow())
    return;
  // The platform asks for the non-client size again and repaints the frame.
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER |
                   SWP_NOSENDCHANGING);
}

void TBaseLazyTree::WMNCCalcSizeWithHeader(TMessage& Message)
{
  TCustomControl::WndProc(Message);
  if (!Message.LParam || !FHeader->Options().Contains(hoVisible))
    return;
  TRect& r = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                            : *reinterpret_cast<TRect*>(Message.LParam);
  // The header is drawn in the non-client area, so the client starts below it.
  r.Top = std::min(r.Bottom, r.Top + LONG(FHeader->Height()));
}

