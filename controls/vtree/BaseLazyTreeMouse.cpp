// The mouse: presses, releases and double clicks of the three buttons turned
// into focus, selection, check clicks, toggles, the rubber band and drag
// starts; hot tracking and the mouse leaving the control.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/Messages.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

TCheckState PressedVariant(TCheckState State)
{
  return TCheckState(State | 1);
}

TCheckState NormalVariant(TCheckState State)
{
  return TCheckState(State & ~1);
}

TShiftState ShiftOfMouse(const TMessage& Message)
{
  return KeysToShiftState(WORD(Message.WParam)) * TShiftState{ssShift, ssCtrl, ssAlt};
}

TPoint PointOf(const TMessage& Message)
{
  return TPoint(SHORT(LOWORD(Message.LParam)), SHORT(HIWORD(Message.LParam)));
}

}  // namespace

int TBaseLazyTree::DragThreshold()
{
  return std::max(1, GetSystemMetrics(SM_CXDRAG));
}

TCheckState TBaseLazyTree::NextCheckState(PLazyNode Node)
{
  TCheckState state = NormalVariant(TCheckState(Node->NodeCheckState));
  switch (Node->CheckKind) {
    case ctTriStateCheckBox:
    case ctCheckBox:
      return state == csCheckedNormal ? csUncheckedNormal : csCheckedNormal;
    case ctRadioButton:
      return csCheckedNormal;
    default:
      return state;
  }
}

bool TBaseLazyTree::DoDragAllowed(PLazyNode Node, TColumnIndex Column)
{
  bool allowed = false;
  if (OnDragAllowed)
    OnDragAllowed(this, Node, Column, allowed);
  return allowed;
}

// Holds a node's check box down: it shows its pressed image until release.
bool TBaseLazyTree::PressCheckBox(PLazyNode Node)
{
  if (FStates.Contains(tsKeyCheckPending) || FStates.Contains(tsMouseCheckPending) || Node->Has(nfDisabled))
    return false;
  TCheckState next = NextCheckState(Node);
  if (!DoChecking(Node, next))
    return false;
  FPressedCheckNode = Node;
  FReleaseCheckState = next;
  Node->NodeCheckState = PressedVariant(TCheckState(Node->NodeCheckState));
  RepaintNode(Node);
  return true;
}

void TBaseLazyTree::ReleasePressedCheck(bool Complete)
{
  PLazyNode node = FPressedCheckNode;
  FPressedCheckNode = nullptr;
  if (!node)
    return;
  node->NodeCheckState = NormalVariant(TCheckState(node->NodeCheckState));
  if (Complete)
    DoCheckClick(node, FReleaseCheckState);
  RepaintNode(node);
}

void TBaseLazyTree::ShowNodePopup(PLazyNode Node, TColumnIndex Column, TPoint ClientPoint)
{
  TPopupMenu* menu = DoGetPopupMenu(Node, Column, ClientPoint);
  if (!menu)
    return;
  ChangeStates({tsPopupMenuShown}, {});
  TPoint screen = ClientToScreen(ClientPoint);
  menu->SetPopupComponent(this);
  menu->Popup(screen.x, screen.y);
}

// The button messages: the class library's handling (the owner's events)
// comes before the tree's own for presses and double clicks, after it for
// releases.
void TBaseLazyTree::HandleButtonMessage(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  TPoint p = PointOf(Message);
  TLTHitInfo hit;
  auto classHandling = [&] {
    TCustomControl::WndProc(Message);
    return bool(*alive);
  };
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      ChangeStates({tsLeftButtonDown}, {});
      if (!classHandling())
        return;
      HitTestAt(p.x, p.y, true, hit);
      HandleMouseDown(Message, hit);
      return;
    case WM_LBUTTONUP:
      ChangeStates({}, {tsLeftButtonDown});
      HitTestAt(p.x, p.y, true, hit);
      HandleMouseUp(Message, hit);
      classHandling();
      return;
    case WM_LBUTTONDBLCLK:
      if (!classHandling())
        return;
      HitTestAt(p.x, p.y, true, hit);
      HandleMouseDblClick(Message, hit);
      return;
    case WM_MBUTTONDOWN:
      ChangeStates({tsMiddleButtonDown}, {});
      if (!classHandling())
        return;
      if (HasMiscOption(toWheelPanning) && !FStates.Contains(tsWheelPanning) &&
          !FStates.Contains(tsWheelScrolling) && (FRangeX > ClientWidth() || RangeY() > ClientHeight())) {
        FPanningAnchor = p;
        StartWheelPanning(p);
        return;
      }
      StopWheelPanning();
      if (HasSelectionOption(toMiddleClickSelect)) {
        HitTestAt(p.x, p.y, true, hit);
        HandleMouseDown(Message, hit);
      }
      return;
    case WM_MBUTTONUP:
      ChangeStates({}, {tsMiddleButtonDown});
      if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
        // A click without moving keeps panning going after the release.
        if (FStates.Contains(tsWheelScrolling))
          ChangeStates({}, {tsWheelPanning});
        else
          StopWheelPanning();
        return;
      }
      if (!classHandling())
        return;
      if (HasSelectionOption(toMiddleClickSelect)) {
        HitTestAt(p.x, p.y, true, hit);
        HandleMouseUp(Message, hit);
      }
      return;
    case WM_MBUTTONDBLCLK:
      // A quick second press arrives as a double click; it ends panning
      // like any other press.
      if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
        StopWheelPanning();
        return;
      }
      if (!classHandling())
        return;
      if (HasSelectionOption(toMiddleClickSelect)) {
        HitTestAt(p.x, p.y, true, hit);
        HandleMouseDblClick(Message, hit);
      }
      return;
    case WM_RBUTTONDOWN:
      ChangeStates({tsRightButtonDown}, {});
      if (!classHandling())
        return;
      if (HasSelectionOption(toRightClickSelect)) {
        HitTestAt(p.x, p.y, true, hit);
        HandleMouseDown(Message, hit);
      }
      return;
    case WM_RBUTTONUP:
      ChangeStates({}, {tsRightButtonDown, tsPopupMenuShown});
      if (IsMouseSelecting() && PopupMenu()) {
        ChangeStates({}, {tsDrawSelPending, tsDrawSelecting});
        Invalidate();
      }
      if (!classHandling())
        return;
      HitTestAt(p.x, p.y, true, hit);
      if (HasSelectionOption(toRightClickSelect))
        HandleMouseUp(Message, hit);
      if (!PopupMenu() && *alive && !FStates.Contains(tsPopupMenuShown))
        ShowNodePopup(hit.HitNode, hit.HitColumn, p);
      return;
    case WM_RBUTTONDBLCLK:
      if (!classHandling())
        return;
      if (HasSelectionOption(toRightClickSelect)) {
        HitTestAt(p.x, p.y, true, hit);
        HandleMouseDblClick(Message, hit);
      }
      return;
  }
}

void TBaseLazyTree::HandleMouseDown(TMessage& Message, const TLTHitInfo& Hit)
{
  if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
    StopWheelPanning();
    return;
  }
  if (FStates.Contains(tsEditPending)) {
    StopTimer(kEditTimer);
    ChangeStates({}, {tsEditPending});
  }
  if (FStates.Contains(tsEditing) && !DoEndEdit())
    return;
  if (!Focused() && CanFocus())
    SetFocus();

  // The column of the press, which the release and a double click compare with.
  FHeader->Columns().ClickIndex = Hit.HitColumn;
  const TLTHitPositions& pos = Hit.HitPositions;
  bool fullRow = HasSelectionOption(toFullRowSelect);
  bool gridExt = HasMiscOption(toGridExtensions);
  bool columnChange = false;
  TColumnIndex newColumn = FFocusedColumn;
  if (pos.Contains(hpOnLabel) || fullRow || gridExt) {
    columnChange = Hit.HitColumn != FFocusedColumn;
    newColumn = HasSelectionOption(toExtendedFocus) ? Hit.HitColumn : MainColumn();
  }
  TShiftState shift = ShiftOfMouse(Message);
  bool altPressed = shift.Contains(ssAlt);
  shift -= ssAlt;
  PLazyNode node = Hit.HitNode;
  bool labelHit = !altPressed && (pos.Contains(hpOnLabel) || pos.Contains(hpOnNormalIcon));
  bool cellHit = !altPressed && !labelHit && node && !pos.Contains(hpOnButton) && !pos.Contains(hpOnCheckBox) &&
                 (fullRow || gridExt);
  bool anyHit = labelHit || cellHit;
  bool nodeSelected = anyHit && node->Has(nfSelected);
  bool multiSelect = HasSelectionOption(toMultiSelect);
  bool fullRowDrag = HasMiscOption(toFullRowDrag);
  bool shiftEmpty = shift.Empty();
  bool autoDrag = (DragMode() == dmAutomatic || Dragging()) && (!cellHit || fullRowDrag);
  if (node && DragMode() == dmManual && !autoDrag)
    autoDrag = DoDragAllowed(node, newColumn) && !cellHit;

  if (node && pos.Contains(hpOnButton) && node->Has(nfHasChildren)) {
    ToggleExpansion(node);
    return;
  }
  if (node && pos.Contains(hpOnCheckBox)) {
    if (PressCheckBox(node))
      ChangeStates({tsMouseCheckPending}, {});
    return;
  }
  if ((shiftEmpty && FRoot->FirstChildNode) || FSelectionCount == 0) {
    PLazyNode levelOf = node ? node : LastDescendantOfRaw(FRoot);
    FLastSelectionLevel = levelOf ? int(NodeLevel(levelOf)) : -1;
  }
  if (multiSelect && shiftEmpty && labelHit && autoDrag && nodeSelected)
    ChangeStates({tsClearPending}, {});
  bool keepByPopup = !autoDrag && !(FStates.Contains(tsRightButtonDown) &&
                                    DoGetPopupMenu(node, Hit.HitColumn, PointOf(Message)) != nullptr);
  if ((multiSelect && shiftEmpty && !anyHit && !fullRowDrag) ||
      (anyHit && (!nodeSelected || keepByPopup) && (shiftEmpty || !multiSelect))) {
    if (nodeSelected || (altPressed && Hit.HitColumn <= NoColumn && node)) {
      bool many = FSelectionCount > 1;
      InternalClearSelection();
      std::vector<PLazyNode> one{node};
      AddWithConstraints(one, true);
      if (many) {
        Invalidate();
        Change(nullptr);
      }
    } else {
      ClearSelection();
    }
  }
  if (Focused() && (pos.Contains(hpOnLabel) || (gridExt && pos.Contains(hpOnItem))) && nodeSelected &&
      !columnChange && shiftEmpty)
    ChangeStates({tsEditPending}, {});
  TPoint p = PointOf(Message);
  if (!HasSelectionOption(toDisableDrawSelection) && !labelHit && !fullRowDrag && multiSelect) {
    SetMouseCapture(true);
    ChangeStates({tsDrawSelPending}, {});
    FDrawSelShiftState = shift;
    TPoint t(p.x - FOffsetX, p.y - FOffsetY);
    SetBand(TRect(0, 0, 0, 0), TRect(t.x, t.y, t.x, t.y), shift.Contains(ssCtrl));
    if (!cellHit)
      return;
  }
  FPanningAnchor = p;
  if (anyHit && DoFocusChanging(FFocusedNode, node, FFocusedColumn, newColumn)) {
    if (columnChange) {
      if (FFocusedNode)
        RepaintNode(FFocusedNode);
      FFocusedColumn = newColumn;
    }
    PLazyNode oldFocus = FFocusedNode;
    if (FFocusedNode != node) {
      FFocusedNode = node;
      if (oldFocus)
        RepaintNode(oldFocus);
      BringNodeIntoView(node, HasSelectionOption(toCenterScrollIntoView), false);
      RepaintNode(node);
    }
    if (multiSelect && !shiftEmpty) {
      unsigned bits = (shift.Contains(ssShift) ? 0x01u : 0u) | (shift.Contains(ssCtrl) ? 0x04u : 0u);
      HandleClickSelection(oldFocus, node, bits, autoDrag);
    } else {
      if (shiftEmpty)
        FSelectionAnchor = node;
      if (!nodeSelected) {
        std::vector<PLazyNode> one{node};
        AddWithConstraints(one, false);
        Change(node);
        RepaintNode(node);
      }
    }
    DoFocusChange(FFocusedNode, FFocusedColumn);
  }
  if (autoDrag && (FStates.Contains(tsLeftButtonDown) || FStates.Contains(tsMiddleButtonDown) ||
                   FStates.Contains(tsRightButtonDown)))
    BeginDrag(false);
}

void TBaseLazyTree::HandleMouseUp(TMessage& Message, const TLTHitInfo& Hit)
{
  SetMouseCapture(false);
  if (FStates.Contains(tsLibDragPending))
    return;
  if (IsMouseSelecting()) {
    ChangeStates({}, {tsToggleFocusedSelection, tsDrawSelPending, tsDrawSelecting});
    Invalidate();
  }
  if (FStates.Contains(tsClearPending)) {
    bool wasSelected = FFocusedNode && FFocusedNode->Has(nfSelected);
    ClearSelection();
    if (wasSelected) {
      std::vector<PLazyNode> one{FFocusedNode};
      AddWithConstraints(one, false);
      Change(FFocusedNode);
      RepaintNode(FFocusedNode);
    }
  }
  if (FStates.Contains(tsToggleFocusedSelection) && Hit.HitNode && Hit.HitNode == FFocusedNode) {
    if (FFocusedNode->Has(nfSelected)) {
      RemoveFromSelection(FFocusedNode);
      Change(FFocusedNode);
    } else {
      std::vector<PLazyNode> one{FFocusedNode};
      AddWithConstraints(one, false);
      Change(FFocusedNode);
    }
    RepaintNode(FFocusedNode);
  }
  ChangeStates({}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsOLEDragging, tsOLEDragPending,
                    tsScrolling, tsScrollPending});
  StopTimer(kScrollTimer);
  if (FStates.Contains(tsMouseCheckPending)) {
    ChangeStates({}, {tsMouseCheckPending});
    // A release anywhere on the pressed node's row completes the click.
    ReleasePressedCheck(Hit.HitNode == FPressedCheckNode && Hit.HitPositions.Contains(hpOnItem));
  }
  TColumnIndex clicked = FHeader->Columns().ClickIndex;
  if (clicked > NoColumn && clicked == Hit.HitColumn)
    DoColumnClick(clicked, KeysToShiftState(WORD(Message.WParam)));
  if (FStates.Contains(tsEditPending)) {
    if (Hit.HitNode && Hit.HitNode == FFocusedNode && Hit.HitPositions.Contains(hpOnItem) &&
        DoCanEdit(FFocusedNode, Hit.HitColumn)) {
      FEditColumn = FFocusedColumn;
      SetTimer(Handle(), kEditTimer, FEditDelay, nullptr);
    } else {
      ChangeStates({}, {tsEditPending});
    }
  }
}

void TBaseLazyTree::HandleMouseDblClick(TMessage& Message, const TLTHitInfo& Hit)
{
  if (FStates.Contains(tsEditPending)) {
    StopTimer(kEditTimer);
    ChangeStates({}, {tsEditPending});
  }
  if (FStates.Contains(tsEditing) && !DoEndEdit())
    return;
  if (Hit.HitColumn == FHeader->Columns().ClickIndex)
    DoColumnDblClick(Hit.HitColumn, KeysToShiftState(WORD(Message.WParam)));
  PLazyNode node = Hit.HitNode;
  if (!node)
    return;
  const TLTHitPositions& pos = Hit.HitPositions;
  if (pos.Contains(hpOnCheckBox)) {
    if (PressCheckBox(node))
      ChangeStates({tsMouseCheckPending}, {});
    return;
  }
  bool onParts = pos.Contains(hpOnLabel) || pos.Contains(hpOnNormalIcon) || pos.Contains(hpOnStateIcon) ||
                 HasSelectionOption(toFullRowSelect);
  if (pos.Contains(hpOnButton) || (HasMiscOption(toToggleOnDblClick) && onParts))
    ToggleExpansion(node);
}

void TBaseLazyTree::HandleMouseMove(TMessage& Message)
{
  TPoint p = PointOf(Message);
  FMouseInside = true;
  if (FStates.Contains(tsDrawSelPending)) {
    int limitX = std::max(ClientWidth(), FRangeX), limitY = std::max(ClientHeight(), RangeY());
    TRect band = FNewSelRect;
    band.Right = std::clamp(p.x - FOffsetX, 0, limitX);
    band.Bottom = std::clamp(p.y - FOffsetY, 0, limitY);
    FNewSelRect = band;
    int threshold = DragThreshold();
    if (std::abs(band.Right - band.Left) > threshold || std::abs(band.Bottom - band.Top) > threshold) {
      if (FStates.Contains(tsClearPending)) {
        ChangeStates({}, {tsClearPending});
        ClearSelection();
      }
      ChangeStates({tsDrawSelecting}, {tsDrawSelPending});
      FFocusedColumn = NoColumn;
      HandleBandSelection();
      Invalidate();
    }
    return;
  }
  int threshold = DragThreshold();
  if (FStates.Contains(tsWheelPanning) && FStates.Contains(tsWheelScrolling) &&
      (std::abs(p.x - FPanningAnchor.x) >= threshold || std::abs(p.y - FPanningAnchor.y) >= threshold))
    ChangeStates({}, {tsWheelScrolling});
  if (FPanningWindow)
    UpdatePanningCursor(p);
  if (FStates.Contains(tsOLEDragPending)) {
    if (std::abs(p.x - FPanningAnchor.x) >= threshold || std::abs(p.y - FPanningAnchor.y) >= threshold) {
      // The press no longer clears; the drag of the selection starts.
      ChangeStates({}, {tsOLEDragPending, tsClearPending});
      if (FDragType == dtOLE)
        StartOLEDrag(FPanningAnchor);
      return;
    }
  }
  if (CanAutoScroll())
    AutoScrollCheck(p);
  if (!FStates.Contains(tsDrawSelecting)) {
    HandleHotTrack(p.x, p.y);
    TCustomControl::WndProc(Message);
    return;
  }
  if (!FStates.Contains(tsScrolling)) {
    TRect band = FNewSelRect;
    band.Right = std::clamp(p.x - FOffsetX, 0, std::max(ClientWidth(), FRangeX));
    band.Bottom = std::clamp(p.y - FOffsetY, 0, std::max(ClientHeight(), RangeY()));
    if (band != FNewSelRect) {
      FLastSelRect = FNewSelRect;
      FNewSelRect = band;
      HandleBandSelection();
      Invalidate();
    }
  }
}

void TBaseLazyTree::HandleHotTrack(int X, int Y)
{
  TLTHitInfo hit;
  HitTestAt(X, Y, true, hit);
  PLazyNode candidate = nullptr;
  if (hit.HitNode && (hit.HitPositions.Contains(hpOnLabel) || hit.HitPositions.Contains(hpOnCheckBox) ||
                      HasSelectionOption(toFullRowSelect)))
    candidate = hit.HitNode;
  if (candidate == FHotNode)
    return;
  PLazyNode old = FHotNode;
  FHotNode = candidate;
  if (OnHotChange)
    OnHotChange(this, old, candidate);
  if (HasPaintOption(toHotTrack) || HasMiscOption(toCheckSupport)) {
    if (old)
      RepaintNode(old);
    if (candidate)
      RepaintNode(candidate);
  }
}

void TBaseLazyTree::HandleMouseLeave()
{
  FMouseInside = false;
  ChangeStates({}, {tsHint});
  if (!FStates.Contains(tsWheelPanning) && !FStates.Contains(tsWheelScrolling))
    StopAutoScroll();
  if (FHotNode) {
    PLazyNode old = FHotNode;
    FHotNode = nullptr;
    if (OnHotChange)
      OnHotChange(this, old, nullptr);
    RepaintNode(old);
  }
}

// The core of adding to the selection: constraints, then one sorted merge.
void TBaseLazyTree::AddWithConstraints(std::vector<PLazyNode>& Nodes, bool Force)
{
  if (!Force && !Nodes.empty()) {
    bool level = HasSelectionOption(toLevelSelectConstraint);
    bool sibling = HasSelectionOption(toSiblingSelectConstraint);
    if (level && FLastSelectionLevel < 0)
      FLastSelectionLevel = int(NodeLevel(Nodes.front()));
    if (sibling && !FSelectionAnchor)
      FSelectionAnchor = Nodes.front();
    std::erase_if(Nodes, [&](PLazyNode n) {
      return n->Has(nfSelected) || n->Has(nfDisabled) || (level && int(NodeLevel(n)) != FLastSelectionLevel) ||
             (sibling && FSelectionAnchor && n->ParentNode != FSelectionAnchor->ParentNode);
    });
  }
  AddToSelection(Nodes);
}

void TBaseLazyTree::ToggleVisibleRange(PLazyNode StartNode, PLazyNode EndNode)
{
  LT_ASSERT(EndNode, "EndNode must not be nil!");
  if (!StartNode)
    StartNode = FirstTopLevelNode();
  else if (!IsNodeVisible(StartNode))
    StartNode = PreviousVisibleNode(StartNode);
  if (!StartNode || StartNode == EndNode)
    return;
  PLazyNode first = StartNode, last = EndNode;
  if (CompareNodePositions(first, last) > 0)
    std::swap(first, last);
  PLazyNode anchor = FSelectionAnchor;
  std::vector<PLazyNode> add;
  auto toggle = [&](PLazyNode n) {
    if (n->Has(nfSelected))
      RemoveFromSelection(n);
    else
      add.push_back(n);
  };
  if (anchor && CompareNodePositions(first, anchor) < 0)
    toggle(first);
  for (PLazyNode n = NextVisibleNode(first); n && n != last; n = NextVisibleNode(n))
    toggle(n);
  if (anchor && CompareNodePositions(last, anchor) > 0)
    toggle(last);
  if (anchor && !anchor->Has(nfSelected) &&
      std::find(add.begin(), add.end(), anchor) == add.end())
    add.push_back(anchor);
  AddWithConstraints(add, false);
  Change(nullptr);
}
