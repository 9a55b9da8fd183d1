#include "platform/classes/controls/DragObject.h"

#include <cstdlib>
#include <memory>

#include "platform/base/ModuleLoader.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/win.h"

// The drag machinery reaches the controls' drag handlers through this.
struct TDragAccess {
  static void Over(TControl* Target, TObject* Source, int X, int Y, TDragState State, bool& Accept)
  {
    Target->DragOver(Source, X, Y, State, Accept);
  }
  static void Drop(TControl* Target, TObject* Source, int X, int Y) { Target->DragDrop(Source, X, Y); }
  static void Start(TControl* Source, TDragObject*& Object) { Source->DoStartDrag(Object); }
  static void End(TControl* Source, TObject* Target, int X, int Y) { Source->DoEndDrag(Target, X, Y); }
  static void Canceled(TControl* Source) { Source->DragCanceled(); }
};

namespace {

struct TDragRun {
  TControl* Control = nullptr;              // the source
  std::unique_ptr<TDragObject> Owned;        // made here when the source gave none
  TDragObject* Object = nullptr;
  bool Started = false;                      // false while the threshold is not passed
  TPoint StartPos;
  int Threshold = 0;
  HWND Capture = nullptr;
};

TDragRun Drag;

constexpr const char* CaptureClass = "CorvaneDragCapture";

LRESULT CaptureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (!Drag.Control)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
  case WM_MOUSEMOVE: {
    TPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ClientToScreen(hwnd, &p);
    if (!Drag.Started) {
      if (std::abs(p.x - Drag.StartPos.x) < Drag.Threshold && std::abs(p.y - Drag.StartPos.y) < Drag.Threshold)
        return 0;
      Drag.Started = true;
    }
    DragTo(p);
    return 0;
  }
  case WM_LBUTTONUP:
    DragDone(Drag.Started);
    return 0;
  case WM_RBUTTONDOWN:
  case WM_CANCELMODE:
    DragDone(false);
    return 0;
  case WM_CAPTURECHANGED:
    if (HWND(lParam) != hwnd)
      DragDone(false);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeCaptureWindow()
{
  static bool registered = false;
  if (!registered) {
    WNDCLASS wc;
    wc.lpfnWndProc = &CaptureProc;
    wc.hInstance = HInstance();
    wc.lpszClassName = CaptureClass;
    RegisterClass(&wc);
    registered = true;
  }
  return CreateWindowEx(WS_EX_TOOLWINDOW, CaptureClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, HInstance(),
                        nullptr);
}

LRESULT SendDrag(TControl* Control, TDragMessage Kind, const TPoint& Pos)
{
  TDragRec rec;
  rec.Pos = Pos;
  rec.Source = Drag.Object;
  rec.Target = Control;
  return Control->Perform(CM_DRAG, WPARAM(Kind), LPARAM(&rec));
}

// Sends a drag message to the target control; answers whether it accepts.
bool DragMessage(TDragMessage Kind)
{
  TDragObject* object = Drag.Object;
  TControl* target = object ? object->DragTarget() : nullptr;
  if (!target)
    return false;
  return SendDrag(target, Kind, object->DragPos()) != 0;
}

// The control at Pos that takes the drag: the window under the mouse answers
// (a container names its child there, a control may name itself or another).
TControl* FindTarget(const TPoint& Pos)
{
  TWinControl* window = FindWinControlAtPoint(Pos);
  if (!window)
    return nullptr;
  return reinterpret_cast<TControl*>(SendDrag(window, dmFindTarget, Pos));
}

}  // namespace

TCursor TDragObject::GetDragCursor(bool Accepted, int, int)
{
  return Accepted ? crDrag : crNoDrop;
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int)
{
  return Accepted ? FControl->DragCursor() : crNoDrop;
}

void TDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted)
{
  if (!Accepted)
    TDragAccess::Canceled(FControl);
  TDragAccess::End(FControl, Target, X, Y);
}

TDragObject* ActiveDragObject()
{
  return Drag.Started ? Drag.Object : nullptr;
}

TControl* DragControl()
{
  return Drag.Control;
}

void DragInitControl(TControl* Control, bool Immediate, int Threshold)
{
  if (Drag.Control)
    return;
  TDragObject* object = nullptr;
  TDragAccess::Start(Control, object);
  if (!object) {
    Drag.Owned = std::make_unique<TDragControlObject>(Control);
    object = Drag.Owned.get();
  }
  Drag.Control = Control;
  Drag.Object = object;
  Drag.Started = Immediate;
  GetCursorPos(&Drag.StartPos);
  Drag.Threshold = Threshold < 0 ? DragThreshold() : Threshold;
  Drag.Capture = MakeCaptureWindow();
  SetCapture(Drag.Capture);
  if (Immediate)
    DragTo(Drag.StartPos);
}

void DragTo(const TPoint& Pos)
{
  TDragObject* object = Drag.Object;
  if (!object)
    return;
  TControl* target = FindTarget(Pos);
  if (!Drag.Object)
    return;
  if (target != object->FDragTarget) {
    DragMessage(dmDragLeave);
    if (!Drag.Object)
      return;
    object->FDragTarget = target;
    object->FDragHandle = nullptr;
    if (auto* win = dynamic_cast<TWinControl*>(target))
      object->FDragHandle = win->Handle();
    object->FDragPos = Pos;
    if (target)
      object->FDragTargetPos = target->ScreenToClient(Pos);
    DragMessage(dmDragEnter);
    if (!Drag.Object)
      return;
  }
  object->FDragPos = Pos;
  if (object->FDragTarget)
    object->FDragTargetPos = object->FDragTarget->ScreenToClient(Pos);
  bool accepted = DragMessage(dmDragMove);
  if (Screen())
    ::SetCursor(Screen()->Cursors(object->GetDragCursor(accepted, Pos.x, Pos.y)));
}

void DragDone(bool Drop)
{
  TDragObject* object = Drag.Object;
  if (!object)
    return;
  TControl* source = Drag.Control;
  std::unique_ptr<TDragObject> owned = std::move(Drag.Owned);
  HWND capture = Drag.Capture;
  // The state is cleared first: handlers below may start another drag.
  Drag = TDragRun();
  bool accepted = false;
  TControl* target = object->FDragTarget;
  TPoint pos = object->FDragTargetPos;
  if (target) {
    Drag.Object = object;  // the target's handlers see the drag still running
    accepted = Drop && DragMessage(dmDragMove);
    if (accepted) {
      object->FDropped = true;
      DragMessage(dmDragDrop);
    } else {
      object->FCancelling = true;
      DragMessage(dmDragLeave);
    }
    Drag.Object = nullptr;
  }
  if (capture) {
    if (GetCapture() == capture)
      ReleaseCapture();
    DestroyWindow(capture);
  }
  (void)source;
  object->Finished(accepted ? target : nullptr, pos.x, pos.y, accepted);
}

void CancelDrag()
{
  if (Drag.Object)
    DragDone(false);
}

bool DragKeyMessage(UINT Message, WPARAM Key)
{
  if (!Drag.Object || (Message != WM_KEYDOWN && Message != WM_KEYUP && Message != WM_SYSKEYDOWN &&
                       Message != WM_SYSKEYUP))
    return false;
  bool down = Message == WM_KEYDOWN || Message == WM_SYSKEYDOWN;
  if (Key == VK_ESCAPE) {
    if (down)
      DragDone(false);
    return true;
  }
  if ((Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) && Drag.Started) {
    TPoint p;
    GetCursorPos(&p);
    DragTo(p);
    return true;
  }
  return false;
}

void DragControlDestroyed(TControl* Control)
{
  if (!Drag.Object)
    return;
  if (Drag.Control == Control) {
    // The source is gone: the drag ends without telling it.
    HWND capture = Drag.Capture;
    Drag = TDragRun();
    if (capture)
      DestroyWindow(capture);
    return;
  }
  if (Drag.Object->FDragTarget == Control)
    Drag.Object->FDragTarget = nullptr;
}
