// One dispatcher per event: it fires the handler when one is assigned and
// otherwise answers the event's default.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"

void TBaseLazyTree::DoInitNode(PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates& InitStates)
{
  if (OnInitNode)
    OnInitNode(this, Parent, Node, InitStates);
}

void TBaseLazyTree::DoInitChildren(PLazyNode Node, Cardinal& ChildCount)
{
  if (OnInitChildren)
    OnInitChildren(this, Node, ChildCount);
}

void TBaseLazyTree::DoFreeNode(PLazyNode Node)
{
  if (OnFreeNode)
    OnFreeNode(this, Node);
}

void TBaseLazyTree::DoChange(PLazyNode Node)
{
  if (OnChange)
    OnChange(this, Node);
}

void TBaseLazyTree::DoStructureChange(PLazyNode Node, TChangeReason Reason)
{
  if (OnStructureChange)
    OnStructureChange(this, Node, Reason);
}

void TBaseLazyTree::DoUpdating(TLTUpdateState State)
{
  if (OnUpdating)
    OnUpdating(this, State);
}

bool TBaseLazyTree::DoCollapsing(PLazyNode Node)
{
  bool allowed = true;
  if (OnCollapsing)
    OnCollapsing(this, Node, allowed);
  return allowed;
}

void TBaseLazyTree::DoCollapsed(PLazyNode Node)
{
  if (OnCollapsed)
    OnCollapsed(this, Node);
}

bool TBaseLazyTree::DoExpanding(PLazyNode Node)
{
  bool allowed = true;
  if (OnExpanding)
    OnExpanding(this, Node, allowed);
  return allowed;
}

void TBaseLazyTree::DoExpanded(PLazyNode Node)
{
  if (OnExpanded)
    OnExpanded(this, Node);
}

bool TBaseLazyTree::DoChecking(PLazyNode Node, TCheckState& NewState)
{
  if (HasMiscOption(toReadOnly))
    return false;
  bool allowed = true;
  if (OnChecking)
    OnChecking(this, Node, NewState, allowed);
  return allowed;
}

void TBaseLazyTree::DoChecked(PLazyNode Node)
{
  if (OnChecked)
    OnChecked(this, Node);
}

void TBaseLazyTree::DoCheckClick(PLazyNode Node, TCheckState NewCheckState)
{
  if (SetNodeCheckState(Node, NewCheckState))
    DoChecked(Node);
}

int TBaseLazyTree::DoCompare(PLazyNode Node1, PLazyNode Node2, TColumnIndex Column)
{
  int result = 0;
  if (OnCompareNodes)
    OnCompareNodes(this, Node1, Node2, Column, result);
  return result;
}

bool TBaseLazyTree::DoNodeMoving(PLazyNode Node, PLazyNode Target)
{
  bool allowed = true;
  if (OnNodeMoving)
    OnNodeMoving(this, Node, Target, allowed);
  return allowed;
}

void TBaseLazyTree::DoNodeMoved(PLazyNode Node)
{
  if (OnNodeMoved)
    OnNodeMoved(this, Node);
}

bool TBaseLazyTree::DoNodeCopying(PLazyNode Node, PLazyNode Target)
{
  bool allowed = true;
  if (OnNodeCopying)
    OnNodeCopying(this, Node, Target, allowed);
  return allowed;
}

void TBaseLazyTree::DoNodeCopied(PLazyNode Node)
{
  if (OnNodeCopied)
    OnNodeCopied(this, Node);
}

void TBaseLazyTree::DoSaveUserData(PLazyNode Node, TStream* Stream)
{
  if (OnSaveNode)
    OnSaveNode(this, Node == FRoot ? nullptr : Node, Stream);
}

void TBaseLazyTree::DoLoadUserData(PLazyNode Node, TStream* Stream)
{
  if (OnLoadNode)
    OnLoadNode(this, Node == FRoot ? nullptr : Node, Stream);
}

bool TBaseLazyTree::DoFocusChanging(PLazyNode OldNode, PLazyNode NewNode, TColumnIndex OldColumn,
                                    TColumnIndex NewColumn)
{
  bool allowed = true;
  if (OnFocusChanging)
    OnFocusChanging(this, OldNode, NewNode, OldColumn, NewColumn, allowed);
  return allowed;
}

void TBaseLazyTree::DoFocusChange(PLazyNode Node, TColumnIndex Column)
{
  if (OnFocusChanged)
    OnFocusChanged(this, Node, Column);
}

void TBaseLazyTree::DoReset(PLazyNode Node)
{
  if (OnResetNode)
    OnResetNode(this, Node);
}

int TBaseLazyTree::DoGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, bool& Ghosted)
{
  int index = -1;
  Ghosted = false;
  ++FPaintEventCount;
  if (OnGetImageIndex)
    OnGetImageIndex(this, Node, Kind, Column, Ghosted, index);
  return index;
}

int TBaseLazyTree::DoGetNodeDataSize()
{
  int size = 0;
  if (OnGetNodeDataSize)
    OnGetNodeDataSize(this, size);
  return size;
}

void TBaseLazyTree::DoMeasureItem(TCanvas* TargetCanvas, PLazyNode Node, int& NodeHeight)
{
  if (OnMeasureItem)
    OnMeasureItem(this, TargetCanvas, Node, NodeHeight);
}

bool TBaseLazyTree::DoGetCellIsEmpty(PLazyNode Node, TColumnIndex Column)
{
  bool empty = true;
  if (OnGetCellIsEmpty)
    OnGetCellIsEmpty(this, Node, Column, empty);
  return empty;
}

TPopupMenu* TBaseLazyTree::DoGetPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint Position)
{
  TPopupMenu* menu = nullptr;
  if (!OnGetPopupMenu)
    return nullptr;
  if (!Node) {
    bool askParent = false;
    OnGetPopupMenu(this, nullptr, NoColumn, Position, askParent, menu);
    return menu;
  }
  // The handler is asked for the node, then up its ancestors, until it gives
  // a menu or stops the climb.
  bool askParent = true;
  for (PLazyNode n = Node; n && n != FRoot && !menu && askParent; n = n->ParentNode)
    OnGetPopupMenu(this, n, Column, Position, askParent, menu);
  return menu;
}

void TBaseLazyTree::DoBeforePaint(TCanvas* Canvas)
{
  if (OnBeforePaint)
    OnBeforePaint(this, Canvas);
}

void TBaseLazyTree::DoAfterPaint(TCanvas* Canvas)
{
  if (OnAfterPaint)
    OnAfterPaint(this, Canvas);
}

bool TBaseLazyTree::DoBeforeItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect)
{
  bool custom = false;
  ++FPaintEventCount;
  if (OnBeforeItemPaint)
    OnBeforeItemPaint(this, Canvas, Node, ItemRect, custom);
  return custom;
}

void TBaseLazyTree::DoAfterItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect)
{
  if (OnAfterItemPaint)
    OnAfterItemPaint(this, Canvas, Node, ItemRect);
}

void TBaseLazyTree::DoBeforeItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect, TColor& Color,
                                      TItemEraseAction& EraseAction)
{
  if (OnBeforeItemErase)
    OnBeforeItemErase(this, Canvas, Node, ItemRect, Color, EraseAction);
}

void TBaseLazyTree::DoAfterItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect)
{
  if (OnAfterItemErase)
    OnAfterItemErase(this, Canvas, Node, ItemRect);
}

void TBaseLazyTree::DoBeforeCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const TRect& CellRect)
{
  if (OnBeforeCellPaint)
    OnBeforeCellPaint(this, Canvas, Node, Column, CellRect);
}

void TBaseLazyTree::DoAfterCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const TRect& CellRect)
{
  if (OnAfterCellPaint)
    OnAfterCellPaint(this, Canvas, Node, Column, CellRect);
}

bool TBaseLazyTree::DoPaintBackground(TCanvas* Canvas, const TRect& R)
{
  bool handled = false;
  if (OnPaintBackground)
    OnPaintBackground(this, Canvas, R, handled);
  return handled;
}

void TBaseLazyTree::DoGetLineStyle(const void*& Bits)
{
  if (OnGetLineStyle)
    OnGetLineStyle(this, Bits);
}

void TBaseLazyTree::DoScroll(int DeltaX, int DeltaY)
{
  if (OnScroll)
    OnScroll(this, DeltaX, DeltaY);
}

int TBaseLazyTree::DoGetNodeWidth(PLazyNode, TColumnIndex, TCanvas*)
{
  return 0;
}

void TBaseLazyTree::DoPaintNode(TLtPaintInfo&) {}

void TBaseLazyTree::DoColumnClick(TColumnIndex Column, TShiftState Shift)
{
  if (OnColumnClick)
    OnColumnClick(this, Column, Shift);
}

void TBaseLazyTree::DoColumnDblClick(TColumnIndex Column, TShiftState Shift)
{
  if (OnColumnDblClick)
    OnColumnDblClick(this, Column, Shift);
}

void TBaseLazyTree::DoHeaderClick(TColumnIndex Column, TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnHeaderClick)
    OnHeaderClick(FHeader.get(), Column, Button, Shift, X, Y);
}

void TBaseLazyTree::DoHeaderDblClick(TColumnIndex Column, TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnHeaderDblClick)
    OnHeaderDblClick(FHeader.get(), Column, Button, Shift, X, Y);
}

void TBaseLazyTree::DoHeaderMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnHeaderMouseDown)
    OnHeaderMouseDown(FHeader.get(), Button, Shift, X, Y);
}

void TBaseLazyTree::DoHeaderMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnHeaderMouseUp)
    OnHeaderMouseUp(FHeader.get(), Button, Shift, X, Y);
}

void TBaseLazyTree::DoHeaderMouseMove(TShiftState Shift, int X, int Y)
{
  if (OnHeaderMouseMove)
    OnHeaderMouseMove(FHeader.get(), Shift, X, Y);
}

bool TBaseLazyTree::DoHeaderDragging(TColumnIndex Column)
{
  bool allowed = true;
  if (OnHeaderDragging)
    OnHeaderDragging(FHeader.get(), Column, allowed);
  return allowed;
}

void TBaseLazyTree::DoHeaderDragged(TColumnIndex Column, int OldPosition)
{
  if (OnHeaderDragged)
    OnHeaderDragged(FHeader.get(), Column, OldPosition);
}

void TBaseLazyTree::DoHeaderDraggedOut(TColumnIndex Column, TPoint DropPosition)
{
  if (OnHeaderDraggedOut)
    OnHeaderDraggedOut(FHeader.get(), Column, DropPosition);
}

void TBaseLazyTree::DoGetHeaderCursor(HCURSOR& Cursor)
{
  if (OnGetHeaderCursor)
    OnGetHeaderCursor(FHeader.get(), Cursor);
}

void TBaseLazyTree::DoColumnResize(TColumnIndex Column)
{
  if (OnColumnResize)
    OnColumnResize(FHeader.get(), Column);
}

bool TBaseLazyTree::DoCanEdit(PLazyNode Node, TColumnIndex Column)
{
  bool allowed = HasMiscOption(toEditable) && Enabled() && !HasMiscOption(toReadOnly);
  if (OnEditing)
    OnEditing(this, Node, Column, allowed);
  return allowed;
}

bool TBaseLazyTree::HeaderOwnerDraws() const
{
  return FHeader->Options().Contains(hoOwnerDraw) && !ComponentState().Contains(csDesigning);
}

bool TBaseLazyTree::HeaderAdvancedOwnerDraws() const
{
  return HeaderOwnerDraws() && OnHeaderDrawQueryElements && OnAdvancedHeaderDraw;
}

void TBaseLazyTree::DoHeaderDraw(TCanvas* Canvas, TLazyTreeColumn* Column, const TRect& R, bool Hover, bool Pressed,
                                 TLTDropMarkMode DropMark)
{
  if (OnHeaderDraw)
    OnHeaderDraw(FHeader.get(), Canvas, Column, R, Hover, Pressed, DropMark);
}

void TBaseLazyTree::DoHeaderDrawQueryElements(THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements)
{
  if (OnHeaderDrawQueryElements)
    OnHeaderDrawQueryElements(FHeader.get(), PaintInfo, Elements);
}

void TBaseLazyTree::DoAdvancedHeaderDraw(THeaderPaintInfo& PaintInfo, THeaderPaintElements Elements)
{
  if (OnAdvancedHeaderDraw)
    OnAdvancedHeaderDraw(FHeader.get(), PaintInfo, Elements);
}
