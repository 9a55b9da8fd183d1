// The tree as the source and as the target of drag and drop, OLE and the
// class library's own: the drag of the selection, the drop node and mode
// under the pointer, the suggested effect, auto-expand and auto-scroll while
// dragging, and the drop.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeColumns.h"
#include "controls/vtree/LazyTreeDataObject.h"
#include "controls/vtree/LazyTreeDragImage.h"
#include "controls/vtree/LazyTreeDragManager.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeUtils.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

// A drag's key state: the buttons, Shift and Ctrl as the mouse messages
// carry them, and Alt.
TShiftState ShiftOfKeys(DWORD Keys)
{
  TShiftState shift = KeysToShiftState(WORD(Keys));
  if (Keys & MK_ALT)
    shift += ssAlt;
  return shift;
}

// The key state now, as a drag message would carry it (the class library's
// drag messages carry none).
DWORD KeyStateNow()
{
  DWORD keys = 0;
  auto down = [](int Key) { return GetKeyState(Key) < 0; };
  if (down(VK_LBUTTON))
    keys |= MK_LBUTTON;
  if (down(VK_RBUTTON))
    keys |= MK_RBUTTON;
  if (down(VK_MBUTTON))
    keys |= MK_MBUTTON;
  if (down(VK_SHIFT))
    keys |= MK_SHIFT;
  if (down(VK_CONTROL))
    keys |= MK_CONTROL;
  if (down(VK_MENU))
    keys |= MK_ALT;
  return keys;
}

}  // namespace

ILTDragManager* TBaseLazyTree::DragManager()
{
  if (!FDragManager) {
    ILTDragManager* manager = nullptr;
    if (OnCreateDragManager)
      OnCreateDragManager(this, manager);
    if (manager) {
      FDragManager = manager;
    } else {
      FOwnDragManager = new TLTDragManager(this);
      FDragManager = FOwnDragManager;
    }
  }
  return FDragManager.Get();
}

void TBaseLazyTree::DragManagerGone(TLTDragManager* Manager)
{
  if (Manager == FOwnDragManager)
    FOwnDragManager = nullptr;
}

void TBaseLazyTree::DestroyWnd()
{
  RegisterAsDropTarget(false);
  TCustomControl::DestroyWnd();
}

void TBaseLazyTree::RegisterAsDropTarget(bool Register)
{
  if (Register == FDropTargetRegistered || !HasWindow())
    return;
  if (Register) {
    auto target = Supports<IDropTarget>(DragManager());
    FDropTargetRegistered = target && RegisterDragDrop(Handle(), target.Get()) == S_OK;
  } else {
    RevokeDragDrop(Handle());
    FDropTargetRegistered = false;
  }
}

void TBaseLazyTree::BeginDrag(bool Immediate, int Threshold)
{
  if (FDragType == dtLib) {
    ChangeStates({tsLibDragPending}, {});
    TCustomControl::BeginDrag(Immediate, Threshold);
    return;
  }
  if (FStates.Contains(tsOLEDragging) || FStates.Contains(tsOLEDragPending))
    return;
  // The threshold is the system's: the mouse handling measures it.
  if (Immediate)
    StartOLEDrag(FPanningAnchor);
  else
    ChangeStates({tsOLEDragPending}, {});
}

std::vector<PLazyNode> TBaseLazyTree::DragSelection() const
{
  std::vector<PLazyNode> nodes;
  for (PLazyNode n : FDragSelection)
    if (FDraggedNodes.count(n))
      nodes.push_back(n);
  return nodes;
}

void TBaseLazyTree::ForgetDraggedNode(PLazyNode Node)
{
  if (!FDraggedNodes.empty())
    FDraggedNodes.erase(Node);
}

void TBaseLazyTree::StartOLEDrag(TPoint ClientPoint)
{
  if (FHotNode) {
    RepaintNode(FHotNode);
    FHotNode = nullptr;
  }
  if (FFocusedNode && !FFocusedNode->Has(nfSelected)) {
    AddToSelection(FFocusedNode);
    RepaintNode(FFocusedNode);
  }
  if (HasWindow())
    UpdateWindow(Handle());
  FDragSelection = SortedSelection(true);
  FDraggedNodes = std::unordered_set<PLazyNode>(FDragSelection.begin(), FDragSelection.end());
  ChangeStates({tsOLEDragging}, {tsClearPending, tsOLEDragPending});
  auto done = ScopeExit([&] {
    ChangeStates({}, {tsOLEDragging});
    FDragSelection.clear();
    FDraggedNodes.clear();
  });
  TDragObject* dragObject = nullptr;
  DoStartDrag(dragObject);
  delete dragObject;

  InterfacePtr<ILTDragManager> manager(DragManager());
  auto data = InterfacePtr<IDataObject>::Adopt(manager->GetDataObject());
  if (FDragImageKind != diNoImage && HasWindow())
    PrepareDragImage(ClientPoint, data.Get());
  FDropMode = dmOnNode;
  DWORD allowed = 0;
  if (FDragOperations.Contains(doCopy))
    allowed |= DROPEFFECT_COPY;
  if (FDragOperations.Contains(doMove))
    allowed |= DROPEFFECT_MOVE;
  if (FDragOperations.Contains(doLink))
    allowed |= DROPEFFECT_LINK;
  if (!allowed)
    allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  DWORD effect = DROPEFFECT_NONE;
  auto source = Supports<IDropSource>(manager.Get());
  ::DoDragDrop(data.Get(), source.Get(), allowed, &effect);
  manager->ForceDragLeave();
  TPoint cursor;
  GetCursorPos(&cursor);
  cursor = ScreenToClient(cursor);
  DoEndDrag(nullptr, cursor.x, cursor.y);
  FDragImage->EndDrag();
  // Nodes that a drop in this process moved have left the drag selection
  // already: only what the target copied is deleted here.
  if (effect == DROPEFFECT_MOVE && HasAutoOption(toAutoDeleteMovedNodes)) {
    std::vector<PLazyNode> moved = DragSelection();
    BeginUpdate();
    auto end = ScopeExit([&] { EndUpdate(); });
    for (PLazyNode n : moved)
      if (FDraggedNodes.count(n))
        RemoveNode(n, true);
  }
}

DWORD TBaseLazyTree::SuggestDropEffect(TObject* Source, TShiftState Shift, TPoint, DWORD AllowedEffects)
{
  DWORD preferred = Source == this ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  DWORD standard = (AllowedEffects & preferred) ? preferred : AllowedEffects;
  auto pick = [&](DWORD Effect) { return (AllowedEffects & Effect) ? Effect : standard; };
  bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift), alt = Shift.Contains(ssAlt);
  if (ctrl && shift && !alt)
    return pick(DROPEFFECT_LINK);
  if (ctrl && !shift && !alt)
    return pick(DROPEFFECT_COPY);
  if (shift && !ctrl && !alt)
    return pick(DROPEFFECT_MOVE);
  if (alt && !ctrl && !shift)
    return pick(DROPEFFECT_LINK);
  return standard;
}

bool TBaseLazyTree::DoDragOver(TObject* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode,
                               DWORD& Effect)
{
  bool accept = false;
  if (OnDragOver)
    OnDragOver(this, Source, Shift, State, Pt, Mode, Effect, accept);
  return accept;
}

void TBaseLazyTree::DoDragDropEvent(TObject* Source, IDataObject* DataObject, const TFormatArray& Formats,
                                    TShiftState Shift, TPoint Pt, DWORD& Effect, TDropMode Mode)
{
  if (OnDragDrop)
    OnDragDrop(this, Source, DataObject, Formats, Shift, Pt, Effect, Mode);
}

TDropMode TBaseLazyTree::DropModeAt(PLazyNode Node, const TLTHitInfo& Hit, TPoint ClientPt, bool Strict)
{
  if (!Node)
    return dmNowhere;
  bool onLabel = Hit.HitPositions.Contains(hpOnLabel);
  bool onImage = Hit.HitPositions.Contains(hpOnNormalIcon) || Hit.HitPositions.Contains(hpOnStateIcon);
  if (Strict ? (onLabel || onImage || !HasPaintOption(toShowDropmark)) : onLabel)
    return dmOnNode;
  TRect r = NodeDisplayRect(Node, MainColumn(), false);
  return ClientPt.y < (r.Top + r.Bottom) / 2 ? dmAbove : dmBelow;
}

// The node under the pointer for a drop: in report mode only the main
// column's label and images count.
static PLazyNode DropNodeOf(TBaseLazyTree& Tree, const TLTHitInfo& Hit)
{
  if (!Hit.HitNode || !Tree.HasMiscOption(toReportMode))
    return Hit.HitNode;
  bool main = Hit.HitColumn == Tree.MainColumn();
  bool onItem = Hit.HitPositions.Contains(hpOnLabel) || Hit.HitPositions.Contains(hpOnNormalIcon) ||
                Hit.HitPositions.Contains(hpOnStateIcon);
  return main && onItem ? Hit.HitNode : nullptr;
}

HRESULT TBaseLazyTree::OLEDragEnter(DWORD KeyState, TPoint ScreenPt, DWORD& Effect)
{
  try {
    FAutoScrollStart = 0;
    TPoint p = ScreenToClient(ScreenPt);
    TBaseLazyTree* source = DragManager()->GetDragSource();
    TShiftState shift = ShiftOfKeys(KeyState);
    Effect = SuggestDropEffect(source, shift, p, Effect);
    if (!DoDragOver(source, shift, dsDragEnter, p, FDropMode, Effect)) {
      Effect = DROPEFFECT_NONE;
    } else {
      TLTHitInfo hit;
      HitTestAt(p.x, p.y, true, hit);
      FDropTargetNode = DropNodeOf(*this, hit);
      FDropMode = DropModeAt(FDropTargetNode, hit, p, false);
      // Entering right onto a node counts as reaching it: its expand delay starts.
      StartAutoExpand(FDropTargetNode);
    }
    if (!DragManager()->GetDropTargetHelperSupported() && source)
      source->DragImage()->ShowDragImage();
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void TBaseLazyTree::RepaintDropArea(PLazyNode Node)
{
  if (Node && HasWindow())
    RepaintNode(Node);
}

void TBaseLazyTree::ClearDropNode()
{
  PLazyNode old = FDropTargetNode;
  FDropTargetNode = nullptr;
  RepaintDropArea(old);
}

HRESULT TBaseLazyTree::OLEDragOver(TBaseLazyTree* Source, DWORD KeyState, TDragState State, TPoint ScreenPt,
                                   DWORD& Effect)
{
  try {
    bool ownImage = !DragManager()->GetDropTargetHelperSupported() && Source;
    return DragOverStep(Source, ownImage ? Source->DragImage() : nullptr, KeyState, State, ScreenPt, Effect);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void TBaseLazyTree::PrepareDragImage(TPoint HotSpot, IDataObject* DataObject)
{
  // The picture is the area around the pointer: the selected rows in it, the
  // rest in the tree colour, which the drag image keys out.
  TPoint spot(HotSpot.x - FOffsetX, HotSpot.y - FOffsetY);
  TRect area(spot.x - FDragWidth / 2, spot.y - FDragHeight / 2, 0, 0);
  area.Right = area.Left + FDragWidth;
  area.Bottom = area.Top + FDragHeight;
  TRect painted = area;
  TPoint target(0, 0);
  if (painted.Left < 0) {
    target.x = -painted.Left;
    painted.Left = 0;
  }
  if (painted.Top < 0) {
    target.y = -painted.Top;
    painted.Top = 0;
  }
  HBITMAP picture = NewTopDownBitmap(FDragWidth, FDragHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  TRect all(0, 0, FDragWidth, FDragHeight);
  HBRUSH fill = CreateSolidBrush(ColorToRGB(Color()));
  FillRect(dc, &all, fill);
  DeleteObject(fill);
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintTreeArea(&canvas, painted, target,
                ppSelection | ppSelectedOnly | (FDragImageKind == diMainColumnOnly ? ppMainOnly : 0));
  canvas.SetHandle(nullptr);
  SelectObject(dc, old);
  DeleteDC(dc);
  FDragImage->ColorKey = Color();
  FDragImage->PrepareDrag(picture, ClientToScreen(TPoint(area.Left + FOffsetX, area.Top + FOffsetY)),
                          ClientToScreen(HotSpot), DataObject);
  DeleteObject(picture);
}

HRESULT TBaseLazyTree::DragOverStep(TObject* Source, TLTDragImage* Image, DWORD KeyState, TDragState State,
                                    TPoint ScreenPt, DWORD& Effect)
{
  try {
    bool ownImage = Image != nullptr;
    TLTDragImage* image = Image;
    TPoint p = ScreenToClient(ScreenPt);
    DWORD allowed = Effect;
    // Auto-scroll: one increment toward each side the pointer is near.
    bool scrolled = false;
    unsigned sides = AutoScrollSidesAt(p);
    if (sides) {
      int dx = 0, dy = 0;
      int vInc = std::min(FScrollBarOptions->VerticalIncrement(), ClientHeight());
      int hInc = FScrollBarOptions->HorizontalIncrement();
      if (sides & asUp)
        dy = vInc;
      if (sides & asDown)
        dy = -vInc;
      if (sides & asLeft)
        dx = hInc;
      if (sides & asRight)
        dx = -hInc;
      bool visible = image && image->Visible();
      if (visible)
        image->HideDragImage();
      scrolled = DoSetOffsetXY(TPoint(FOffsetX + dx, FOffsetY + dy),
                               ownImage ? unsigned(suoRepaintScrollBars) : unsigned(suoAll));
      if (visible && scrolled)
        UpdateWindow(Handle());
      if (visible)
        image->ShowDragImage();
    }
    TLTHitInfo hit;
    HitTestAt(p.x, p.y, true, hit);
    PLazyNode node = DropNodeOf(*this, hit);
    TDropMode mode = DropModeAt(node, hit, p, true);
    bool imageShown = image && image->Visible();
    if (node != FDropTargetNode || mode != FDropMode || scrolled) {
      if (imageShown)
        image->HideDragImage();
      FDropMode = mode;
      if (node != FDropTargetNode) {
        StopTimer(kExpandTimer);
        PLazyNode old = FDropTargetNode;
        FDropTargetNode = node;
        if (FFocusedColumn < 0 && UseColumns())
          FFocusedColumn = MainColumn();
        RepaintDropArea(old);
        StartAutoExpand(node);
      }
      RepaintDropArea(node);
      if (scrolled && HasWindow())
        Invalidate();
      if (HasWindow())
        UpdateWindow(Handle());
      if (imageShown)
        image->ShowDragImage();
    }
    if (image && image->WillMove(ScreenPt))
      image->DragTo(ScreenPt, false);
    TShiftState shift = ShiftOfKeys(KeyState);
    Effect = SuggestDropEffect(Source, shift, p, allowed);
    if (!DoDragOver(Source, shift, State, p, FDropMode, Effect))
      Effect = DROPEFFECT_NONE;
    if (scrolled)
      Effect |= DROPEFFECT_SCROLL;
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void TBaseLazyTree::OLEDragLeave()
{
  StopTimer(kExpandTimer);
  TBaseLazyTree* source = FDragManager ? FDragManager->GetDragSource() : nullptr;
  if (source && !FDragManager->GetDropTargetHelperSupported())
    source->DragImage()->HideDragImage();
  ClearDropNode();
  if (HasWindow())
    UpdateWindow(Handle());
  DWORD effect = DROPEFFECT_NONE;
  DoDragOver(nullptr, TShiftState(), dsDragLeave, TPoint(0, 0), FDropMode, effect);
}

HRESULT TBaseLazyTree::OLEDrop(IDataObject* DataObject, DWORD KeyState, TPoint ScreenPt, DWORD& Effect)
{
  StopTimer(kExpandTimer);
  StopTimer(kScrollTimer);
  ChangeStates({}, {tsScrolling, tsScrollPending});
  auto clear = ScopeExit([&] { ClearDropNode(); });
  TBaseLazyTree* source = DragManager()->GetDragSource();
  if (source && !FDragManager->GetDropTargetHelperSupported())
    source->DragImage()->HideDragImage();
  if (FAILED(OLEDragOver(source, KeyState, dsDragMove, ScreenPt, Effect)))
    return E_FAIL;
  Effect &= ~DROPEFFECT_SCROLL;
  if (Effect == DROPEFFECT_NONE)
    return E_FAIL;
  try {
    TFormatArray formats;
    IEnumFORMATETC* raw = nullptr;
    if (DataObject && DataObject->EnumFormatEtc(DATADIR_GET, &raw) == S_OK && raw) {
      auto enumerator = InterfacePtr<IEnumFORMATETC>::Adopt(raw);
      FORMATETC f;
      ULONG fetched = 0;
      while (enumerator->Next(1, &f, &fetched) == S_OK && fetched == 1)
        formats.push_back(f.cfFormat);
    }
    TPoint p = ScreenToClient(ScreenPt);
    DoDragDropEvent(source, DataObject, formats, ShiftOfKeys(KeyState), p, Effect, FDropMode);
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void TBaseLazyTree::StartAutoExpand(PLazyNode Node)
{
  if (HasAutoOption(toAutoDropExpand) && Node && Node->Has(nfHasChildren) && !Node->Has(nfExpanded) && HasWindow())
    SetTimer(Handle(), kExpandTimer, FAutoExpandDelay, nullptr);
}

void TBaseLazyTree::AutoExpandTimerElapsed()
{
  StopTimer(kExpandTimer);
  PLazyNode node = FDropTargetNode;
  if (!node || !node->Has(nfHasChildren) || node->Has(nfExpanded))
    return;
  TBaseLazyTree* source = FDragManager ? FDragManager->GetDragSource() : nullptr;
  TLTDragImage* image =
      source && !FDragManager->GetDropTargetHelperSupported() && source->DragImage()->Visible() ? source->DragImage()
                                                                                               : nullptr;
  if (image)
    image->HideDragImage();
  SetExpanded(node, true);
  if (HasWindow())
    UpdateWindow(Handle());
  if (image)
    image->ShowDragImage();
}

void TBaseLazyTree::DoStartDrag(TDragObject*& DragObject)
{
  TCustomControl::DoStartDrag(DragObject);
  if (DragObject && FStates.Contains(tsLibDragPending))
    ChangeStates({tsUserDragObject}, {});
}

void TBaseLazyTree::DoEndDrag(TObject* Target, int X, int Y)
{
  TAliveToken alive = AliveToken();
  TCustomControl::DoEndDrag(Target, X, Y);
  if (*alive && FDragType == dtLib && !FStates.Contains(tsOLEDragging))
    FinishLibDrag();
}

// The class library's drag held the mouse: the release of the button that
// started it never reached the tree, which is given it now so that its
// button states and pending click end as after any release.
void TBaseLazyTree::FinishLibDrag()
{
  UINT release = FStates.Contains(tsRightButtonDown)    ? WM_RBUTTONUP
                 : FStates.Contains(tsMiddleButtonDown) ? WM_MBUTTONUP
                                                        : WM_LBUTTONUP;
  TPoint cursor;
  GetCursorPos(&cursor);
  cursor = ScreenToClient(cursor);
  TAliveToken alive = AliveToken();
  Perform(release, 0, MAKELPARAM(cursor.x, cursor.y));
  if (*alive)
    ChangeStates({}, {tsUserDragObject, tsLibDragging, tsLibDragPending});
}

void TBaseLazyTree::LibDragMessage(TMessage& Message)
{
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  auto kind = TDragMessage(Message.WParam);
  if (rec->Docking || !rec->Source) {
    TCustomControl::WndProc(Message);
    return;
  }
  // Handlers see the dragged control, unless the owner made its own drag object.
  TObject* source = rec->Source;
  if (!FStates.Contains(tsUserDragObject) && rec->Source->SourceControl())
    source = rec->Source->SourceControl();
  TPoint client = ScreenToClient(rec->Pos);
  switch (kind) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      TDragState state = dsDragMove;
      if (kind == dmDragEnter) {
        ChangeStates({tsLibDragging}, {});
        state = dsDragEnter;
      } else if (kind == dmDragLeave) {
        ChangeStates({}, {tsLibDragging});
        state = dsDragLeave;
      } else if (CanAutoScroll()) {
        AutoScrollCheck(client);
      }
      DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
      HRESULT answer = DragOverStep(source, nullptr, KeyStateNow(), state, rec->Pos, effect);
      FLibDropNode = FDropTargetNode;
      FLibDropEffect = effect & ~DROPEFFECT_SCROLL;
      Message.Result = SUCCEEDED(answer) && FLibDropEffect != DROPEFFECT_NONE ? 1 : 0;
      if (kind == dmDragLeave) {
        StopTimer(kExpandTimer);
        ClearDropNode();
      }
      return;
    }
    case dmDragDrop: {
      StopTimer(kExpandTimer);
      FDropTargetNode = FLibDropNode;
      // No leave follows a drop: the drag is over here as well.
      auto clear = ScopeExit([&] {
        ChangeStates({}, {tsLibDragging});
        ClearDropNode();
      });
      DWORD effect = FLibDropEffect;
      DoDragDropEvent(source, nullptr, TFormatArray(), ShiftOfKeys(KeyStateNow()), client, effect, FDropMode);
      Message.Result = 1;
      return;
    }
    case dmFindTarget: {
      TControl* child = ControlAtPos(client, false);
      Message.Result = LRESULT(child ? child : static_cast<TControl*>(this));
      if (FStates.Contains(tsLibDragPending))
        ChangeStates({tsLibDragging}, {tsClearPending, tsEditPending, tsLibDragPending});
      return;
    }
    default:
      TCustomControl::WndProc(Message);
  }
}
