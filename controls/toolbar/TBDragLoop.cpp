// RunDragLoop: moves a dockable window by its handle, caption or empty area,
// deciding on every mouse move whether it would dock (which dock, row and
// place) or float (where). Smooth drags move the window itself; the others
// draw an outline on the screen.
#include <algorithm>

#include "controls/toolbar/TBCaptureLoop.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "controls/toolbar/TBDragGeometry.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/win/win.h"

namespace {

// One place the window could go: a dock, or floating (no dock).
struct TDragCandidate {
  TTBDock* Dock = nullptr;
  TRect DockRect;
  TPoint Size;
  std::vector<uint32_t> Rows;
};

// Candidate docks below Control, depth first: docks by position first, then
// the other windowed children, then the control itself when it is a dock.
// The window itself (and whatever lies inside it) is no place to dock.
void FindDocks(TWinControl* Control, TTBCustomDockableWindow* Window, std::vector<TTBDock*>& Docks)
{
  if (Window->ContainsControl(Control) || !Control->Showing())
    return;
  std::vector<TWinControl*> children;
  for (int i = 0; i < Control->ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(Control->Controls(i)))
      children.push_back(child);
  for (int position = dpTop; position <= dpRight; ++position)
    for (TWinControl* child : children)
      if (auto* dock = dynamic_cast<TTBDock*>(child); dock && dock->Position() == position)
        FindDocks(dock, Window, Docks);
  for (TWinControl* child : children)
    if (!dynamic_cast<TTBDock*>(child))
      FindDocks(child, Window, Docks);
  if (auto* dock = dynamic_cast<TTBDock*>(Control))
    if (dock->AcceptsDockableWindow(Window) && Window->CanDockTo(dock) &&
        std::find(Docks.begin(), Docks.end(), dock) == Docks.end())
      Docks.push_back(dock);
}

// Where the pointer was when the message being handled happened. The drag
// follows the input in order: a quick drag and release lands where the
// button was let go, even when the pointer has moved on since.
TPoint MessagePoint()
{
  DWORD pos = GetMessagePos();
  return TPoint(GET_X_LPARAM(pos), GET_Y_LPARAM(pos));
}

TRect WindowRectOf(TWinControl* Control)
{
  TRect r;
  GetWindowRect(Control->Handle(), &r);
  return r;
}

}  // namespace

// The state of one drag.
struct TTBDragSession {
  TTBCustomDockableWindow* W;
  TTBDock* StartDock;
  int StartRow, StartPos;
  TRect StartFrameRect;
  TPoint Grab, GrabbedMax;
  bool NoDocking = false, CannotFloat = false, DockingAllowed = false;
  TTBDock* Target = nullptr;
  TRect DragRect, StartCursorRect;
  // The pointer at the start, at the last step, and the one the next step
  // follows.
  TPoint StartCursor, LastCursor, Pointer;
  bool StartVertical = false, SplitPossible = false;
  HCURSOR StartCursorShape = nullptr;
  std::vector<TDragCandidate> Candidates;
  HDC ScreenDC = nullptr;
  HWND Capture = nullptr;
  int FloatBorder = 0;

  const TDragCandidate& RecordOf(TTBDock* Dock) const
  {
    for (const TDragCandidate& c : Candidates)
      if (c.Dock == Dock)
        return c;
    return Candidates.front();
  }

  void DrawOutline(const TRect& NewRect, TTBDock* NewTarget, const TRect* OldRect, TTBDock* OldTarget)
  {
    int newThickness = NewTarget ? 1 : FloatBorder, oldThickness = OldTarget ? 1 : FloatBorder;
    DrawHalftoneDragFrame(ScreenDC, NewRect, OldRect, TSize(newThickness, newThickness),
                          TSize(oldThickness, oldThickness));
  }

  void Step();
  void ApplyDrop(bool Final);
};

void TTBDragSession::Step()
{
  TRect oldRect = DragRect;
  TTBDock* oldTarget = Target;
  TPoint cursor = Pointer;
  LastCursor = cursor;

  // Target: a split drag stays in its dock; otherwise the first dock whose
  // snap zone holds the cursor and that agrees.
  Target = nullptr;
  if (W->FCurrentDock && W->FCurrentDock->SplitDragging()) {
    Target = W->FCurrentDock;
  } else if (DockingAllowed && !NoDocking) {
    for (const TDragCandidate& c : Candidates) {
      if (!c.Dock || !InSnapZone(c.DockRect, c.Dock->IsVertical(), cursor, Grab, GrabbedMax))
        continue;
      TRect inflated(c.DockRect.Left - 3, c.DockRect.Top - 3, c.DockRect.Right + 3, c.DockRect.Bottom + 3);
      TRect at = DragRectAt(cursor, c.Size, Grab, GrabbedMax), common;
      if (!IntersectRect(&common, &at, &inflated))
        continue;
      bool accept = true;
      if (c.Dock->OnRequestDock)
        c.Dock->OnRequestDock(c.Dock, W, accept);
      if (accept) {
        Target = c.Dock;
        break;
      }
    }
  }

  if (Target) {
    DragRect = DragRectAt(cursor, RecordOf(Target).Size, Grab, GrabbedMax);
  } else {
    TRect work = MonitorRectOfPoint(cursor, true);
    cursor.x = std::clamp(cursor.x, work.Left, std::max(work.Left, work.Right - 1));
    cursor.y = std::clamp(cursor.y, work.Top, std::max(work.Top, work.Bottom - 1));
    int caption = W->ShowCaption() ? GetSystemMetrics(SM_CYSMCAPTION) : 0;
    DragRect = KeepFloatingRectReachable(DragRectAt(cursor, Candidates.front().Size, Grab, GrabbedMax), work,
                                         FloatBorder, caption);
  }

  // Cursor.
  if (Target || !CannotFloat) {
    if (W->FCurrentDock && W->FCurrentDock->SplitDragging())
      ::SetCursor(LoadCursor(nullptr, StartVertical ? IDC_SIZENS : IDC_SIZEWE));
    else
      ::SetCursor(StartCursorShape);
  } else {
    DragRect = TRect();
    ::SetCursor(LoadCursor(nullptr, IDC_NO));
  }

  if (!W->FSmoothDrag)
    DrawOutline(DragRect, Target, &oldRect, oldTarget);
  else if (!IsRectEmpty(&DragRect)) {
    ApplyDrop(false);
    // The window is hidden while it changes parent, which takes the capture
    // from it: the drag goes on.
    if (GetCapture() != Capture)
      SetCapture(Capture);
  }
}

void TTBDragSession::ApplyDrop(bool Final)
{
  if (Target) {
    TRect dockRect = WindowRectOf(Target);
    TRect r = DragRect;
    OffsetRect(&r, -dockRect.Left, -dockRect.Top);
    const bool vertical = Target->IsVertical();
    int row = W->FDockRow;
    bool ownRow = false;
    if (!Target->SplitDragging()) {
      int centre = vertical ? (r.Left + r.Right) / 2 : (r.Top + r.Bottom) / 2;
      TDropRow drop = DropRowAt(RecordOf(Target).Rows, centre);
      row = drop.Row;
      ownRow = drop.OwnRow;
      if (ownRow)
        SplitPossible = false;
      if (SplitPossible) {
        int moved = vertical ? LastCursor.y - StartCursor.y : LastCursor.x - StartCursor.x;
        if (Target == StartDock && row == StartRow) {
          if (std::abs(moved) > 9) {
            SplitPossible = false;
            Target->SetSplitDragging(true);
            ::SetCursor(LoadCursor(nullptr, StartVertical ? IDC_SIZENS : IDC_SIZEWE));
          }
        } else {
          SplitPossible = false;
        }
      }
    }
    W->FDockRow = row;
    W->FDockPos = vertical ? r.Top : r.Left;
    W->FOwnRowRequest = ownRow;
    Target->BeginUpdate();
    W->SetParent(Target);
    if (!W->FLiveDragActive)
      Target->SetStoreArrangedPositions(true);
    Target->ArrangeWindows();
    Target->EndUpdate();
    W->FOwnRowRequest = false;
  } else {
    SplitPossible = false;
    W->MoveFrameTo(DragRect);
    W->MakeFloating(true);
    W->KeepFrameOnScreen(true);
  }
  if (W->HandleAllocated())
    UpdateWindow(W->Handle());
  (void)Final;
}

void TTBCustomDockableWindow::RunDragLoop(int X, int Y)
{
  TTBDragSession s;
  s.W = this;
  // The press that started the drag (later messages move the message point).
  s.Pointer = MessagePoint();
  // 1. The start.
  s.StartDock = FDocked ? FCurrentDock : nullptr;
  if (s.StartDock) {
    TTBDock* dock = s.StartDock;
    dock->SetDraggedWindow(this);
    dock->SetSplitDragging(false);
    dock->SetSplitAllowed(false);
    dock->SetStoreArrangedPositions(true);
    dock->ArrangeWindows();
    s.StartVertical = dock->IsVertical();
    s.SplitPossible = dock->SplitAllowed();
  }
  s.StartRow = FDockRow;
  s.StartPos = FDockPos;
  if (FFloating && FFloatFrame)
    s.StartFrameRect = WindowRectOf(FFloatFrame);
  // 2, 3. Grab point, keys.
  FLiveDragActive = FSmoothDrag;
  TRect own = WindowRectOf(FFloating && FFloatFrame ? static_cast<TWinControl*>(FFloatFrame) : this);
  TPoint clientOrigin = ClientOrigin();
  s.Grab = TPoint(clientOrigin.x + X - own.Left, clientOrigin.y + Y - own.Top);
  s.GrabbedMax = TPoint(own.Width() - 1, own.Height() - 1);
  s.NoDocking = GetKeyState(VK_CONTROL) < 0;
  s.CannotFloat = FDockMode != dmCanFloat;
  TPoint frameSize(0, 0);
  FloatingFrameSize(frameSize);
  s.FloatBorder = frameSize.x;

  // 4. Candidate docks.
  std::vector<TTBDock*> docks;
  if (FDockMode == dmCannotFloatOrChangeDocks) {
    if (FDocked)
      docks.push_back(FCurrentDock);
  } else {
    if (FDocked && FCurrentDock->AcceptsDockableWindow(this) && CanDockTo(FCurrentDock))
      docks.push_back(FCurrentDock);
    if (TCustomForm* top = TopForm())
      FindDocks(top, this, docks);
  }
  // 5, 6. Records: floating first, then one per dock.
  for (TTBDock* dock : docks)
    dock->CommitArrangedPositions();
  {
    TDragCandidate floating;
    SizeForPlacement(false, dtFloating, floating.Size, nullptr, true);
    int caption = FShowCaption ? GetSystemMetrics(SM_CYSMCAPTION) : 0;
    floating.Size.x += 2 * frameSize.x;
    floating.Size.y += 2 * frameSize.y + caption;
    s.Candidates.push_back(floating);
  }
  for (TTBDock* dock : docks) {
    TDragCandidate c;
    c.Dock = dock;
    c.DockRect = WindowRectOf(dock);
    if (dock == FCurrentDock) {
      c.Size = TPoint(Width(), Height());
    } else {
      const bool vertical = dock->IsVertical();
      SizeForPlacement(false, vertical ? dtLeftRight : dtTopBottom, c.Size, dock, false);
      int handle = dock->AllowDrag() ? DragHandleSize() : 0;
      c.Size.x += 4 + (vertical ? 0 : handle);
      c.Size.y += 4 + (vertical ? handle : 0);
    }
    for (int row = 0; row <= dock->HighestRow(true); ++row) {
      bool full = false;
      int t = dock->RowThickness(row, &full);
      c.Rows.push_back(uint32_t(t & 0xFFFF) | (full ? DragRowHasFullSize : 0));
    }
    s.Candidates.push_back(std::move(c));
  }

  // 7.
  PumpPaintMessages();
  if (!FSmoothDrag) {
    LockWindowUpdate(GetDesktopWindow());
    s.ScreenDC = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  }
  s.StartCursor = s.Pointer;
  s.LastCursor = s.StartCursor;
  s.StartCursorShape = GetCursor();

  // 8. The first step never docks a window that started floating.
  HWND capture = Handle();
  s.Capture = capture;
  SetCapture(capture);
  s.DockingAllowed = FDocked;
  s.Step();
  s.DockingAllowed = true;

  // 9. The loop.
  TPoint recorded = s.LastCursor;
  auto moved = [&] {
    TPoint p = MessagePoint();
    if (p != recorded) {
      s.Pointer = p;
      s.Step();
      recorded = p;
    }
  };
  // Ctrl going down or up re-decides the target at once; Escape cancels.
  auto key = [&s](const MSG& Msg) {
    if ((Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP) && Msg.wParam == VK_CONTROL) {
      bool down = Msg.message == WM_KEYDOWN;
      if (s.NoDocking != down) {
        s.NoDocking = down;
        s.Step();
      }
      return false;
    }
    return Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE;
  };
  const bool accepted = RunCaptureLoop(capture, moved, key) == TCaptureLoopEnd::Released;

  // 10.
  if (GetCapture() == capture)
    ReleaseCapture();
  if (!FSmoothDrag) {
    s.DrawOutline(TRect(), s.Target, &s.DragRect, s.Target);
    ReleaseDC(GetDesktopWindow(), s.ScreenDC);
    LockWindowUpdate(nullptr);
  }
  FLiveDragActive = false;

  // 11. The drop, or, for a cancelled smooth drag, the way back to where the
  // drag started.
  if (accepted && !IsRectEmpty(&s.DragRect)) {
    s.ApplyDrop(true);
  } else if (!accepted && FSmoothDrag) {
    if (s.StartDock) {
      FDockRow = s.StartRow;
      FDockPos = s.StartPos;
      if (s.StartDock->SplitDragging())
        s.StartDock->SetSplitDragging(false);
      SetParent(s.StartDock);
      s.StartDock->ArrangeWindows();
    } else if (!IsRectEmpty(&s.StartFrameRect)) {
      MoveFrameTo(s.StartFrameRect);
      MakeFloating(true);
    }
  } else if (FDocked && FSmoothDrag) {
    FCurrentDock->ArrangeWindows();
  }
  if (FUseLastDock && FCurrentDock)
    SetLastDock(FCurrentDock);
  if (FFloatFrame && Parent() != FFloatFrame) {
    TTBFloatingWindowParent* frame = FFloatFrame;
    FFloatFrame = nullptr;
    frame->FDockableWindow = nullptr;
    frame->Release();
  }
  for (TDragCandidate& c : s.Candidates)
    if (c.Dock) {
      if (c.Dock->DraggedWindow() == this)
        c.Dock->SetDraggedWindow(nullptr);
      c.Dock->SetSplitDragging(false);
    }
}
