// The docked panel's resize loop: the user drags the panel's free edge, live
// (the dock re-arranges at every step) or with a half-tone line that the
// size follows at the end. The OnDockedResizing event may change or refuse
// the size at the start, at every step and at the end.
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWPanelGeometry.h"
#include "controls/themes/detail/TBWPanelDrag.h"
#include "controls/toolbar/TBDock.h"
#include "platform/base/Exception.h"
#include "platform/base/ScopeGuard.h"

bool TTBWDockablePanel::AskResize(bool Vertical, int& NewSize, TTBWResizingStage Stage)
{
  bool allow = true;
  if (OnDockedResizing)
    OnDockedResizing(this, Vertical, NewSize, Stage, allow);
  return allow;
}

bool TTBWDockablePanel::DockedResizeStarting(bool Vertical)
{
  int size = Vertical ? Height() : Width();
  if (!AskResize(Vertical, size, rsBeginResizing))
    return false;
  if (size != (Vertical ? Height() : Width()))
    ApplyDockedLength(Vertical, size);
  return true;
}

bool TTBWDockablePanel::DockedResizeTracking(bool Vertical, int& NewSize)
{
  TTBDock* dock = CurrentDock();
  TWinControl* parent = dock ? dock->Parent() : nullptr;
  if (!parent)
    throw EAssertionFailed("TBWDkPanels: a docked panel's dock has no parent");
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  NewSize = Vertical ? ClampDockedLength(NewSize, parent->ClientHeight(), frame.y, FMinClientHeight, FMaxClientHeight)
                     : ClampDockedLength(NewSize, parent->ClientWidth(), frame.x, FMinClientWidth, FMaxClientWidth);
  return AskResize(Vertical, NewSize, rsResizing);
}

bool TTBWDockablePanel::DockedResizeEnding(bool Vertical)
{
  int size = Vertical ? Height() : Width();
  if (!AskResize(Vertical, size, rsEndResizing))
    return false;
  if (size != (Vertical ? Height() : Width()))
    ApplyDockedLength(Vertical, size);
  return true;
}

// The panel's window length across its dock becomes Length: the stored
// docked size follows, and the dock arranges once.
void TTBWDockablePanel::ApplyDockedLength(bool Vertical, int Length)
{
  TPoint frame(0, 0);
  DockedFrameSize(frame);
  TTBDock* dock = CurrentDock();
  if (dock)
    dock->BeginUpdate();
  ScopeExit arrange([dock] {
    if (dock)
      dock->EndUpdate();
  });
  const bool was = FSelfSizing;
  FSelfSizing = true;
  ScopeExit done([this, was] { FSelfSizing = was; });
  if (Vertical)
    SetDockedHeight(Length - frame.y);
  else
    SetDockedWidth(Length - frame.x);
}

namespace {

// The two-pixel line along the moving edge of R, across the dock.
TRect EdgeLine(int Edge, const TRect& R, const TRect& DockRect)
{
  switch (Edge) {
  case HTLEFT:
    return TRect(R.Left - 1, DockRect.Top, R.Left + 1, DockRect.Bottom);
  case HTRIGHT:
    return TRect(R.Right - 1, DockRect.Top, R.Right + 1, DockRect.Bottom);
  case HTTOP:
    return TRect(DockRect.Left, R.Top - 1, DockRect.Right, R.Top + 1);
  default:
    return TRect(DockRect.Left, R.Bottom - 1, DockRect.Right, R.Bottom + 1);
  }
}

}  // namespace

void TTBWDockablePanel::RunDockedResize(int Edge)
{
  if (!Docked() || !HandleAllocated())
    return;
  const bool vertical = Edge == HTTOP || Edge == HTBOTTOM;
  // 1.
  if (!DockedResizeStarting(vertical))
    return;
  // 2.
  TTBDock* dock = CurrentDock();
  if (!dock->Parent())
    throw EAssertionFailed("TBWDkPanels: a docked panel's dock has no parent");
  TRect initial;
  GetWindowRect(Handle(), &initial);
  const int initialStored = vertical ? FDockedHeight : FDockedWidth;
  TRect dockRect = dock->ClientRect();
  const TPoint dockOrigin = dock->ClientOrigin();
  OffsetRect(&dockRect, dockOrigin.x, dockOrigin.y);
  const bool smooth = FSmoothDockedResize;
  FEdgeResizeActive = true;
  ScopeExit inactive([this] { FEdgeResizeActive = false; });
  TRect applied;
  bool hasApplied = false;
  {
    TPanelDrag drag(Handle(), !smooth, EdgeLine(Edge, initial, dockRect));
    // 3, 4.
    drag.Run([&](const TPoint& P) {
      int length = DockedResizeLength(Edge, initial, drag.Start(), P);
      if (!DockedResizeTracking(vertical, length))
        return;
      const TRect r = PlaceMovingEdge(Edge, initial, length);
      if (hasApplied && EqualRect(&r, &applied))
        return;
      if (smooth)
        ApplyDockedLength(vertical, vertical ? r.Height() : r.Width());
      else
        drag.MoveLine(EdgeLine(Edge, r, dockRect));
      applied = r;
      hasApplied = true;
    });
  }
  // 5. Escape ended the resize like a release: the size reached stays.
  const bool allowed = DockedResizeEnding(vertical);
  if (!smooth) {
    if (allowed && hasApplied)
      ApplyDockedLength(vertical, vertical ? applied.Height() : applied.Width());
  } else if (!allowed) {
    // Back to where it started, the kept size included, so that the next
    // arrangement does not bring the refused size back.
    TPoint topLeft(initial.Left, initial.Top);
    ::ScreenToClient(Parent()->Handle(), &topLeft);
    ApplyDockedLength(vertical, vertical ? initial.Height() : initial.Width());
    (vertical ? FDockedHeight : FDockedWidth) = initialStored;
    SetBoundsSelf(topLeft.x, topLeft.y, initial.Width(), initial.Height());
  }
}
