// The header's mouse: hover and press feedback (timer 3 ends the hover once
// the mouse has left), clicks and double clicks, resizing a column by its
// right edge, moving a column by drag and drop with the drop mark and the
// drag picture, Escape and focus loss ending a drag, the popup menu and the
// cursor over a column edge. Non-client messages carry screen points; the
// events get header points (y = 0 at the header's top).
#include <cstdlib>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeUtils.h"
#include "controls/vtree/SharedResources.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

TPoint PointOfParam(LPARAM LParam)
{
  return TPoint(short(LOWORD(std::uintptr_t(LParam))), short(HIWORD(std::uintptr_t(LParam))));
}

TShiftState KeyboardShift()
{
  return KeyboardStateToShiftState() * TShiftState{ssShift, ssCtrl, ssAlt};
}

int DragThresholdPixels()
{
  return std::max(1, GetSystemMetrics(SM_CXDRAG));
}

}  // namespace

bool TLTHeader::InHeader(TPoint P) const
{
  if (!FTree || !FTree->HandleAllocated() || !FOptions.Contains(hoVisible))
    return false;
  return P.x >= 0 && P.x < FTree->ClientWidth() && P.y >= -FHeight && P.y < 0;
}

TColumnIndex TLTHeader::ColumnAtHeaderPoint(TPoint P) const
{
  if (!FTree || P.y < 0 || P.y > FTree->Height())
    return InvalidColumn;
  int x = P.x - FTree->OffsetX();
  if (x < 0)
    return InvalidColumn;
  return FColumns.ColumnAtX(x);
}

TPoint TLTHeader::ClientFromScreenParam(LPARAM LParam) const
{
  TPoint p = PointOfParam(LParam);
  ScreenToClient(FTree->Handle(), &p);
  return p;
}

void TLTHeader::Invalidate(TColumnIndex Column, bool ExpandToRight)
{
  if (!FTree || !FTree->HandleAllocated() || !FOptions.Contains(hoVisible))
    return;
  TRect r(0, -FHeight, FTree->ClientWidth(), 0);
  if (FColumns.IsValidColumn(Column)) {
    TLazyTreeColumn* column = FColumns.Item(Column);
    r.Left = FTree->OffsetX() + column->Left();
    if (!ExpandToRight)
      r.Right = r.Left + column->Width();
  }
  // The header lies in the frame, above the client area.
  RedrawWindow(FTree->Handle(), &r, nullptr,
               RDW_INVALIDATE | RDW_VALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_NOCHILDREN | RDW_FRAME);
}

bool TLTHeader::HoverTest(TPoint P)
{
  TColumnIndex column = ColumnAtHeaderPoint(TPoint(P.x, P.y + FHeight));
  if (column == FColumns.HoverIndex)
    return false;
  Invalidate(FColumns.HoverIndex);
  FColumns.HoverIndex = column;
  Invalidate(column);
  return true;
}

void TLTHeader::DownTest(TPoint P)
{
  TColumnIndex column = ColumnAtHeaderPoint(TPoint(P.x, P.y + FHeight));
  if (!FColumns.IsValidColumn(column) || column == FColumns.DownIndex)
    return;
  TLTColumnOptions options = FColumns.Item(column)->Options();
  if (!options.Contains(coAllowClick) || !options.Contains(coEnabled))
    return;
  Invalidate(FColumns.DownIndex);
  FColumns.DownIndex = column;
  Invalidate(column);
}

void TLTHeader::ClickTest(TPoint P, TMouseButton Button, bool Forced, bool Double)
{
  TPoint at(P.x, P.y + FHeight);
  TColumnIndex column = ColumnAtHeaderPoint(at);
  Invalidate(FColumns.ClickIndex);
  FColumns.ClickIndex = NoColumn;
  if (!FColumns.IsValidColumn(column) || !FColumns.Item(column)->Options().Contains(coAllowClick) ||
      !(Forced || column == FColumns.DownIndex))
    return;
  FColumns.ClickIndex = column;
  Invalidate(column);
  TShiftState shift = KeyboardShift();
  if (Double)
    shift += ssDouble;
  FTree->DoHeaderClick(column, Button, shift, at.x, at.y);
}

void TLTHeader::ResetMouseState()
{
  Invalidate(FColumns.TrackIndex);
  Invalidate(FColumns.DownIndex);
  FColumns.TrackIndex = NoColumn;
  FColumns.DownIndex = NoColumn;
  FStates -= TLTHeaderStates{hsTrackPending, hsTracking, hsDragPending, hsDragging};
}

void TLTHeader::EndDrag()
{
  FDragImage.EndDrag();
  FStates -= TLTHeaderStates{hsDragPending, hsDragging};
  FColumns.DropTarget = NoColumn;
  FColumns.DragIndex = NoColumn;
  Invalidate(NoColumn);
}

bool TLTHeader::HandleMessage(TMessage& Message)
{
  if (!FTree || !FTree->HandleAllocated())
    return false;
  HWND window = FTree->Handle();
  switch (Message.Msg) {
    case WM_SIZE:
      if (FOptions.Contains(hoAutoResize) && !FTree->TreeStates().Contains(tsWindowCreating) && FColumns.Count() > 0) {
        FColumns.AutoSize(NoColumn);
        Invalidate(NoColumn);
      }
      return false;
    case WM_KEYDOWN:
    case WM_KILLFOCUS:
      if (Message.Msg == WM_KEYDOWN && Message.WParam != VK_ESCAPE)
        return false;
      if (!FStates.Contains(hsDragging) && !FStates.Contains(hsTracking))
        return false;
      if (FTree->MouseCapture())
        ReleaseCapture();
      if (FStates.Contains(hsDragging))
        EndDrag();
      FStates -= TLTHeaderStates{hsTrackPending, hsTracking};
      // Focus loss still goes on to the tree; Escape is used up.
      return Message.Msg == WM_KEYDOWN;
    case WM_SETCURSOR:
      return HandleSetCursor(Message);
    case WM_NCMOUSEMOVE: {
      TPoint p = ClientFromScreenParam(Message.LParam);
      FTree->DoHeaderMouseMove(KeyboardShift(), p.x, p.y + FHeight);
      if (InHeader(p)) {
        bool changed = HoverTest(p);
        if (changed || (FColumns.IsValidColumn(FColumns.DownIndex) && FColumns.DownIndex != FColumns.HoverIndex)) {
          SetTimer(window, kHeaderTimer, 50, nullptr);
          if (FOptions.Contains(hoShowHint) && Application()) {
            TMessage hint = Message;
            hint.Msg = WM_MOUSEMOVE;
            hint.LParam = MAKELPARAM(WORD(p.x), WORD(p.y + FHeight));
            Application()->HintMouseMessage(FTree, hint);
          }
        }
      }
      return false;
    }
    case WM_NCLBUTTONDOWN: {
      if (Application())
        Application()->CancelHint();
      FTree->StopTimer(kScrollTimer);
      FTree->StopTimer(kEditTimer);
      FTree->ChangeStates({}, {tsScrolling, tsScrollPending, tsEditPending});
      FDownPoint = PointOfParam(Message.LParam);
      TPoint p = ClientFromScreenParam(Message.LParam);
      if (!InHeader(p))
        return false;
      FTree->DoHeaderMouseDown(mbLeft, KeyboardShift(), p.x, p.y + FHeight);
      if (FOptions.Contains(hoColumnResize) &&
          SplitZoneColumn(p.x, FTree->OffsetX() + FTree->RangeX()) != NoColumn) {
        FColumns.HoverIndex = NoColumn;
        FTrackStart = FTree->OffsetX() + FColumns.Item(FColumns.TrackIndex)->Left();
        FStates += hsTrackPending;
      } else {
        DownTest(p);
        if (FOptions.Contains(hoDrag) && FColumns.IsValidColumn(FColumns.DownIndex) &&
            FColumns.Item(FColumns.DownIndex)->Options().Contains(coDraggable))
          FStates += hsDragPending;
      }
      if (FStates.Empty())
        return false;
      SetCapture(window);
      Message.Result = 0;
      return true;
    }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: {
      if (Application())
        Application()->CancelHint();
      bool busy = !FStates.Empty();
      if (busy) {
        if (GetCapture() == window)
          ReleaseCapture();
        if (FStates.Contains(hsDragging)) {
          TPoint screen = PointOfParam(Message.LParam);
          if (Message.Msg == WM_LBUTTONUP)
            ClientToScreen(window, &screen);
          FDragImage.EndDrag();
          Drop(screen);
        }
      }
      if (Message.Msg == WM_NCLBUTTONUP) {
        TPoint p = ClientFromScreenParam(Message.LParam);
        ClickTest(p, mbLeft, false, false);
        FTree->DoHeaderMouseUp(mbLeft, KeyboardShift(), p.x, p.y + FHeight);
      } else {
        TPoint p = PointOfParam(Message.LParam);
        if (FColumns.IsValidColumn(FColumns.DownIndex))
          ClickTest(p, mbLeft, false, false);
        if (busy)
          FTree->DoHeaderMouseUp(mbLeft, KeysToShiftState(WORD(Message.WParam)), p.x, p.y + FHeight);
      }
      ResetMouseState();
      Message.Result = 0;
      return busy;
    }
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK: {
      TPoint p = ClientFromScreenParam(Message.LParam);
      if (!InHeader(p))
        return false;
      TMouseButton button = Message.Msg == WM_NCLBUTTONDBLCLK ? mbLeft
                            : Message.Msg == WM_NCRBUTTONDBLCLK ? mbRight
                                                                : mbMiddle;
      // The edge under the mouse, since the release before the double click forgot it.
      if (button == mbLeft && FOptions.Contains(hoDblClickResize) &&
          SplitZoneColumn(p.x, FTree->OffsetX() + FTree->RangeX()) != NoColumn) {
        TColumnIndex track = FColumns.TrackIndex;
        FColumns.TrackIndex = NoColumn;
        FColumns.AnimatedResize(track, std::max(FColumns.Item(track)->MinWidth(), FTree->ColumnContentWidth(track)));
        return false;
      }
      ClickTest(p, button, true, true);
      if (FColumns.IsValidColumn(FColumns.ClickIndex))
        FTree->DoHeaderDblClick(FColumns.ClickIndex, button, KeyboardShift() + ssDouble, p.x, p.y + FHeight);
      return false;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
      TPoint p = ClientFromScreenParam(Message.LParam);
      if (InHeader(p))
        FTree->DoHeaderMouseDown(Message.Msg == WM_NCRBUTTONDOWN ? mbRight : mbMiddle, KeyboardShift(), p.x,
                                 p.y + FHeight);
      return false;
    }
    case WM_NCRBUTTONUP: {
      if (FTree->ComponentState().Contains(csDesigning))
        return false;
      if (Application())
        Application()->CancelHint();
      TPoint p = ClientFromScreenParam(Message.LParam);
      if (!InHeader(p))
        return false;
      ClickTest(p, mbRight, true, false);
      FTree->DoHeaderMouseUp(mbRight, KeyboardShift(), p.x, p.y + FHeight);
      FColumns.DownIndex = FColumns.TrackIndex = NoColumn;
      if (FPopupMenu) {
        FTree->StopTimer(kScrollTimer);
        FTree->StopTimer(kHeaderTimer);
        FColumns.HoverIndex = NoColumn;
        FTree->ChangeStates({}, {tsScrolling, tsScrollPending});
        FPopupMenu->SetPopupComponent(FTree);
        TPoint screen = PointOfParam(Message.LParam);
        FPopupMenu->Popup(screen.x, screen.y);
      }
      Message.Result = 0;
      return true;
    }
    case WM_NCMBUTTONUP: {
      TPoint p = ClientFromScreenParam(Message.LParam);
      if (InHeader(p)) {
        ClickTest(p, mbMiddle, true, false);
        FTree->DoHeaderMouseUp(mbMiddle, KeyboardShift(), p.x, p.y + FHeight);
        FColumns.DownIndex = NoColumn;
      }
      return false;
    }
    case WM_TIMER: {
      if (Message.WParam != kHeaderTimer)
        return false;
      TPoint p;
      GetCursorPos(&p);
      ScreenToClient(window, &p);
      if (InHeader(p) && (!FColumns.IsValidColumn(FColumns.DownIndex) || FColumns.DownIndex == FColumns.HoverIndex))
        return true;
      FTree->StopTimer(kHeaderTimer);
      FColumns.HoverIndex = FColumns.ClickIndex = FColumns.DownIndex = NoColumn;
      Invalidate(NoColumn);
      return true;
    }
    case WM_MOUSEMOVE:
      return HandleMouseMove(Message);
  }
  return false;
}

bool TLTHeader::HandleSetCursor(TMessage& Message)
{
  if (!FStates.Empty()) {
    Message.Result = 1;
    return true;
  }
  TPoint p;
  GetCursorPos(&p);
  ScreenToClient(FTree->Handle(), &p);
  if (!InHeader(p))
    return false;
  HCURSOR standard = Screen()->Cursors(crDefault), cursor = standard;
  if (FOptions.Contains(hoColumnResize) && SplitZoneColumn(p.x, FTree->OffsetX() + FTree->RangeX()) != NoColumn)
    cursor = Screen()->Cursors(crHeaderSplit);
  FTree->DoGetHeaderCursor(cursor);
  if (cursor == standard)
    return false;
  ::SetCursor(cursor);
  Message.Result = 1;
  return true;
}

bool TLTHeader::HandleMouseMove(TMessage& Message)
{
  if (FStates.Empty())
    return false;
  TPoint p = PointOfParam(Message.LParam);
  if (FStates.Contains(hsTrackPending)) {
    FTree->StopTimer(kHeaderTimer);
    FStates -= hsTrackPending;
    FStates += hsTracking;
  }
  if (FStates.Contains(hsTracking) && FColumns.IsValidColumn(FColumns.TrackIndex)) {
    FColumns.Item(FColumns.TrackIndex)->SetWidth(p.x - FTrackStart);
  } else if (FStates.Contains(hsDragPending)) {
    TPoint screen = p;
    ClientToScreen(FTree->Handle(), &screen);
    int threshold = DragThresholdPixels();
    bool far = std::abs(screen.x - FDownPoint.x) > threshold || std::abs(screen.y - FDownPoint.y) > threshold;
    if (far && FOptions.Contains(hoDrag) && FTree->DoHeaderDragging(FColumns.DownIndex)) {
      FTree->StopTimer(kHeaderTimer);
      Invalidate(FColumns.DownIndex);
      FColumns.DownIndex = FColumns.HoverIndex = NoColumn;
      StartDrag();
      FStates -= hsDragPending;
      FStates += hsDragging;
      DragTo(screen);
    }
  } else if (FStates.Contains(hsDragging)) {
    TPoint screen = p;
    ClientToScreen(FTree->Handle(), &screen);
    DragTo(screen);
  }
  Message.Result = 0;
  return true;
}

void TLTHeader::StartDrag()
{
  FColumns.DropTarget = NoColumn;
  TPoint down = FDownPoint;
  ScreenToClient(FTree->Handle(), &down);
  FColumns.DragIndex = ColumnAtHeaderPoint(TPoint(down.x, down.y + FHeight));
  if (!FColumns.IsValidColumn(FColumns.DragIndex))
    return;
  TLazyTreeColumn* column = FColumns.Item(FColumns.DragIndex);
  int width = column->Width();
  // The picture: the dragged column alone, painted as the header paints it.
  HBITMAP picture = NewTopDownBitmap(width, FHeight);
  if (!picture)
    return;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  TRect all(0, 0, width, FHeight);
  HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
  FillRect(dc, &all, face);
  DeleteObject(face);
  PaintHeader(dc, all, -column->Left(), FTree->Enabled());
  SelectObject(dc, old);
  DeleteDC(dc);

  TPoint at(FTree->OffsetX() + column->Left(), 0);
  ClientToScreen(FTree->Handle(), &at);
  at.y -= FHeight;
  FDragImage.MoveRestriction = FOptions.Contains(hoRestrictDrag) ? dmrHorizontalOnly : dmrNone;
  FDragImage.PrepareDrag(picture, at, FDownPoint, nullptr);
  DeleteObject(picture);
  FDragImage.ShowDragImage();
}

void TLTHeader::DragTo(TPoint ScreenPoint)
{
  TPoint p = ScreenPoint;
  ScreenToClient(FTree->Handle(), &p);
  TPoint at(p.x, p.y + FHeight);
  TColumnIndex column = ColumnAtHeaderPoint(at);
  bool changed = FColumns.IsValidColumn(column) && column != FColumns.DropTarget;
  if (FColumns.IsValidColumn(column)) {
    TLazyTreeColumn* target = FColumns.Item(column);
    int left = FTree->OffsetX() + target->Left(), right = left + target->Width();
    bool before = at.x < (left + right) / 2;
    if (before != FColumns.DropBefore) {
      FColumns.DropBefore = before;
      changed = true;
    }
  }
  if (changed) {
    Invalidate(FColumns.DropTarget);
    FColumns.DropTarget = NoColumn;
    if (FColumns.IsValidColumn(column)) {
      FColumns.DropTarget = column;
      Invalidate(column);
    }
  }
  FDragImage.DragTo(ScreenPoint, changed);
}

void TLTHeader::Drop(TPoint ScreenPoint)
{
  TColumnIndex dragged = FColumns.DragIndex, target = FColumns.DropTarget;
  TRect window;
  GetWindowRect(FTree->Handle(), &window);
  bool inside = window.Contains(ScreenPoint);
  if (FColumns.IsValidColumn(dragged) && FColumns.IsValidColumn(target) && target != dragged && inside) {
    int oldPosition = int(FColumns.Item(dragged)->Position());
    FColumns.Item(dragged)->SetPosition(DropPosition(dragged, target, FColumns.DropBefore));
    FTree->DoHeaderDragged(dragged, oldPosition);
  } else if (FColumns.IsValidColumn(dragged) && !inside) {
    // Only a release outside the tree drags a column out; one dropped back
    // onto itself (or nowhere in particular) inside the tree just stays.
    FTree->DoHeaderDraggedOut(dragged, ScreenPoint);
  }
  FColumns.DropTarget = NoColumn;
  FColumns.DragIndex = NoColumn;
  Invalidate(NoColumn);
}
