#include "controls/themes/TBWPanelObject.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWThemedControls.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/forms/Timer.h"

namespace {

// One timer for every panel object: only one object is hovered at a time.
TTimer* SharedHoverTimer = nullptr;
TTBWPanelObject* HoveredOne = nullptr;
int InstanceCount = 0;

constexpr unsigned HoverCheckInterval = 125;

}  // namespace

TTimer* TTBWPanelObject::HoverTimer() { return SharedHoverTimer; }
TTBWPanelObject* TTBWPanelObject::HoveredObject() { return HoveredOne; }

TTBWPanelObject::TTBWPanelObject(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks});
  if (!SharedHoverTimer) {
    SharedHoverTimer = new TTimer(nullptr);
    SharedHoverTimer->SetEnabled(false);
    SharedHoverTimer->SetInterval(HoverCheckInterval);
  }
  ++InstanceCount;
  SetParentColor(false);
  SetColor(clNone);
  AddThemeClient(this);
}

TTBWPanelObject::~TTBWPanelObject()
{
  RemoveThemeClient(this);
  StopHoverTracking();
  if (--InstanceCount == 0) {
    delete SharedHoverTimer;
    SharedHoverTimer = nullptr;
  }
}

void TTBWPanelObject::SetBufferedPaint(bool Value)
{
  if (FBufferedPaint == Value)
    return;
  FBufferedPaint = Value;
  SetDoubleBuffered(Value);
  RecreateWnd();
}

void TTBWPanelObject::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  // Resizing repaints only what the object asks for (text objects put the
  // horizontal redraw back: their text follows the width).
  if (!ComponentState().Contains(csDesigning))
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTBWPanelObject::MouseEntered()
{
  if (OnMouseEnter)
    OnMouseEnter(this);
}

void TTBWPanelObject::MouseLeft()
{
  if (OnMouseLeave)
    OnMouseLeave(this);
}

// Hover tracking

bool TTBWPanelObject::IsUnderCursor()
{
  TPoint p;
  GetCursorPos(&p);
  return FindDragTarget(p, true) == this;
}

void TTBWPanelObject::EnterHover()
{
  if (!Enabled() || FHover)
    return;
  FHover = true;
  MouseEntered();
}

void TTBWPanelObject::LeaveHover()
{
  if (!Enabled() || !FHover)
    return;
  FHover = false;
  StopHoverTracking();
  MouseLeft();
  Invalidate();
}

void TTBWPanelObject::StopHoverTracking()
{
  if (HoveredOne != this)
    return;
  HoveredOne = nullptr;
  SharedHoverTimer->SetEnabled(false);
  SharedHoverTimer->OnTimer = nullptr;
}

void TTBWPanelObject::HoverTimerCheck(TObject*)
{
  if (!IsUnderCursor())
    LeaveHover();
}

void TTBWPanelObject::MouseMove(TShiftState Shift, int X, int Y)
{
  TPoint p;
  GetCursorPos(&p);
  TControl* under = FindDragTarget(p, true);
  if (under == this) {
    if (HoveredOne != this) {
      if (HoveredOne)
        HoveredOne->LeaveHover();
      HoveredOne = this;
      SharedHoverTimer->OnTimer = TNotifyEvent(this, &TTBWPanelObject::HoverTimerCheck);
      SharedHoverTimer->SetEnabled(true);
      EnterHover();
    }
  } else if (HandleAllocated() && GetCapture() == Handle() && FHover) {
    LeaveHover();
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

// Mouse and keys

void TTBWPanelObject::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (Button == mbLeft && !FPushed) {
    FPushed = true;
    Invalidate();
  }
  if (Enabled())
    EnterHover();
  if (!FKeepFocus) {
    if (CanFocus())
      SetFocus();
  } else if (Parent() && Parent()->ContainsControl(Screen()->ActiveControl()) && CanFocus()) {
    FFocusingByClick = true;
    ScopeExit done([this] { FFocusingByClick = false; });
    SetFocus();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTBWPanelObject::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  FPushed = false;
  Invalidate();
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TTBWPanelObject::KeyDown(WORD& Key, TShiftState Shift)
{
  TCustomControl::KeyDown(Key, Shift);
  if (FSpaceClick && Key == VK_SPACE) {
    FPushed = true;
    Invalidate();
  }
}

void TTBWPanelObject::KeyUp(WORD& Key, TShiftState Shift)
{
  if (FSpaceClick && Key == VK_SPACE && FPushed) {
    FPushed = false;
    Click();
    Invalidate();
  }
  TCustomControl::KeyUp(Key, Shift);
}

// Messages

void TTBWPanelObject::EraseBackground(TMessage& Message)
{
  // Double buffered, the window's own context is not painted: the buffer
  // (WParam equal to LParam) is, and then copied over it at once.
  if (!FBufferedPaint || Message.WParam == WPARAM(Message.LParam)) {
    HDC dc = HDC(Message.WParam);
    TRect r = ClientRect();
    if (Color() == clNone)
      PaintParentBackground(this, dc, r);
    else
      FillRectColor(dc, r, Color());
  }
  Message.Result = 1;
}

void TTBWPanelObject::ParentColorChanged(TMessage& Message)
{
  if (Message.WParam == 0) {
    Message.WParam = 1;
    Message.LParam = LPARAM(GetEffectiveColor(Parent()));
  }
  TCustomControl::Dispatch(Message);
  Invalidate();
}

void TTBWPanelObject::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_ERASEBKGND:
    EraseBackground(Message);
    return;
  case CM_PARENTCOLORCHANGED:
    ParentColorChanged(Message);
    return;
  case TBWM_THEMECHANGE:
    if (HandleAllocated())
      InvalidateRect(Handle(), nullptr, TRUE);
    return;
  case CM_ENABLEDCHANGED:
    TCustomControl::Dispatch(Message);
    if (!Enabled() && FHover) {
      FHover = false;
      StopHoverTracking();
      MouseLeft();
      Invalidate();
      Perform(WM_CANCELMODE, 0, 0);
    }
    return;
  case WM_KILLFOCUS:
    FPushed = false;
    Invalidate();
    return;
  case WM_SETFOCUS:
    TCustomControl::Dispatch(Message);
    // A focused object would be brought into view by a scrolling ancestor;
    // no window control of this system scrolls its children.
    Invalidate();
    return;
  default:
    TCustomControl::Dispatch(Message);
  }
}
