// A control's messages: Perform and the window procedure chain, the table
// of handlers, the default handling of text, and the mouse (clicks, double
// clicks, capture, the context menu, the wheel).
#include "platform/classes/controls/Control.h"

#include <cstring>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Format.h"
#include "platform/base/Utf.h"
#include "platform/classes/menus/Hotkeys.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/actions/BasicAction.h"
#include "platform/classes/actions/ActionLink.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/win.h"

namespace {

TShiftState MouseShift(const TMessage& Message)
{
  return KeysToShiftState(WORD(Message.WParam));
}

}  // namespace

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
  TMessage message;
  message.Msg = Msg;
  message.WParam = WParam;
  message.LParam = LParam;
  message.Result = 0;
  if (FWindowProc)
    FWindowProc(message);
  else
    WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message)
{
  if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->WantChildKey(this, Message))
      return;
  } else if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDBLCLK:
        Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        break;
      }
    }
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
      if (Application())
        Application()->HintMouseMessage(this, Message);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FDragMode == dmAutomatic) {
        BeginAutoDrag();
        return;
      }
      FControlState.Include(csLButtonDown);
      break;
    case WM_LBUTTONUP:
      FControlState.Exclude(csLButtonDown);
      break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
  case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); return;
  case WM_LBUTTONUP: WMLButtonUp(Message); return;
  case WM_RBUTTONDOWN: WMRButtonDown(Message); return;
  case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); return;
  case WM_RBUTTONUP: WMRButtonUp(Message); return;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK: WMMButtonDown(Message); return;
  case WM_MBUTTONUP: WMMButtonUp(Message); return;
  case WM_MOUSEMOVE: WMMouseMove(Message); return;
  case WM_CONTEXTMENU: WMContextMenu(Message); return;
  case WM_CANCELMODE: WMCancelMode(Message); return;
  case WM_MOUSEWHEEL: {
    TCustomForm* form = GetParentForm(this);
    if (form && static_cast<TControl*>(form) != this)
      form->MouseWheelHandler(Message);
    else
      Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    if (Message.Result == 0)
      DefaultHandler(Message);
    return;
  }
  case CM_MOUSEWHEEL: CMMouseWheel(Message); return;
  case CM_HITTEST: CMHitTest(Message); return;
  case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
  case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
  case CM_FONTCHANGED: CMFontChanged(Message); return;
  case CM_COLORCHANGED: CMColorChanged(Message); return;
  case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
  case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
  case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
  case CM_HINTSHOW: CMHintShow(Message); return;
  case CM_DRAG: CMDrag(Message); return;
  case CM_MOUSEENTER:
  case CM_MOUSELEAVE:
    // The parent hears of it too, with the control in LParam.
    if (FParent && Message.LParam == 0)
      FParent->Perform(Message.Msg, 0, LPARAM(this));
    return;
  default: TMessageDispatcher::Dispatch(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_GETTEXT: {
    char* buffer = reinterpret_cast<char*>(Message.LParam);
    std::size_t size = std::size_t(Message.WParam);
    if (!buffer || size == 0) {
      Message.Result = 0;
      return;
    }
    std::size_t n = CutAtCharBoundary(FText, size - 1).size();
    std::memcpy(buffer, FText.data(), n);
    buffer[n] = '\0';
    Message.Result = LRESULT(n);
    return;
  }
  case WM_GETTEXTLENGTH:
    Message.Result = LRESULT(FText.size());
    return;
  case WM_SETTEXT:
    FText = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
    Message.Result = 1;
    return;
  }
}

void TControl::SendCancelMode(TControl* Sender)
{
  TControl* control = this;
  while (control) {
    if (auto* form = dynamic_cast<TCustomForm*>(control))
      form->SendCancelMode(Sender);
    control = static_cast<TControl*>(control->FParent);
  }
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return;
  auto& mouse = MessageAs<TWMMouse>(Message);
  MouseDown(Button, MouseShift(Message) + Shift, mouse.XPos, mouse.YPos);
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button)
{
  if (FControlStyle.Contains(csNoStdEvents))
    return;
  auto& mouse = MessageAs<TWMMouse>(Message);
  MouseUp(Button, MouseShift(Message), mouse.XPos, mouse.YPos);
}

// The default handling and the events below may run user handlers that free
// the control: once it is gone, nothing more is done with it.

void TControl::WMLButtonDown(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  SendCancelMode(this);
  DefaultHandler(Message);
  if (!*alive)
    return;
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents))
    FControlState.Include(csClicked);
  DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  SendCancelMode(this);
  DefaultHandler(Message);
  if (!*alive)
    return;
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (FControlStyle.Contains(csClickEvents))
    DblClick();
  if (!*alive)
    return;
  DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (!*alive)
    return;
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  if (FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    auto& mouse = MessageAs<TWMMouse>(Message);
    TRect client = ClientRect();
    if (PtInRect(&client, mouse.Pos()))
      Click();
    if (!*alive)
      return;
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (*alive)
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (*alive)
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMRButtonUp(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (*alive)
    DoMouseUp(Message, mbRight);
}

void TControl::WMMButtonDown(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (*alive)
    DoMouseDown(Message, mbMiddle, Message.Msg == WM_MBUTTONDBLCLK ? TShiftState{ssDouble} : TShiftState{});
}

void TControl::WMMButtonUp(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (*alive)
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMouseMove(TMessage& Message)
{
  TAliveToken alive = AliveToken();
  DefaultHandler(Message);
  if (*alive && !FControlStyle.Contains(csNoStdEvents)) {
    auto& mouse = MessageAs<TWMMouse>(Message);
    MouseMove(MouseShift(Message), mouse.XPos, mouse.YPos);
  }
}

void TControl::WMCancelMode(TMessage& Message)
{
  DefaultHandler(Message);
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.Contains(csLButtonDown)) {
      // The press ends here: the control sees a release where the mouse is.
      TPoint p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      Perform(WM_LBUTTONUP, 0, MAKELPARAM(WORD(p.x), WORD(p.y)));
    }
  } else {
    FControlState.Exclude(csLButtonDown);
  }
}

void TControl::WMContextMenu(TMessage& Message)
{
  if (Message.Result != 0)
    return;
  auto& menu = MessageAs<TWMContextMenu>(Message);
  TPoint pt(menu.XPos, menu.YPos);
  bool fromKeyboard = pt.x == -1 && pt.y == -1;
  TPoint local = pt;
  if (!fromKeyboard) {
    local = ScreenToClient(pt);
    TRect client = ClientRect();
    if (!PtInRect(&client, local)) {
      DefaultHandler(Message);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  Message.Result = handled;
  if (handled)
    return;
  TPopupMenu* popup = GetPopupMenu();
  if (popup && popup->AutoPopup()) {
    SendCancelMode(nullptr);
    popup->SetPopupComponent(this);
    if (fromKeyboard)
      pt = ClientToScreen(TPoint(0, 0));
    popup->Popup(pt.x, pt.y);
    Message.Result = 1;
  }
  if (Message.Result == 0)
    DefaultHandler(Message);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled)
{
  if (OnContextPopup)
    OnContextPopup(this, MousePos, Handled);
}

void TControl::CMMouseWheel(TMessage& Message)
{
  auto& wheel = MessageAs<TWMMouseWheel>(Message);
  Message.Result = 0;
  if (DoMouseWheel(KeysToShiftState(wheel.Keys), wheel.WheelDelta, TPoint(wheel.XPos, wheel.YPos)))
    Message.Result = 1;
  else if (FParent)
    Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
  bool handled = false;
  if (OnMouseWheel)
    OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseDown)
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
  if (OnMouseMove)
    OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (OnMouseUp)
    OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
  // Its own handler when it differs from the action's, else the action.
  TBasicAction* action = Action();
  if (OnClick && action && !(OnClick == action->OnExecute))
    OnClick(this);
  else if (FActionLink && action)
    FActionLink->Execute(this);
  else if (OnClick)
    OnClick(this);
}

void TControl::DblClick()
{
  if (OnDblClick)
    OnDblClick(this);
}

bool TControl::MouseCapture() const
{
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
  if (MouseCapture() == Value)
    return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::CMVisibleChanged(TMessage&)
{
  InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}

void TControl::CMParentFontChanged(TMessage& Message)
{
  if (!FParentFont || !FParent)
    return;
  TFont* source = Message.WParam ? reinterpret_cast<TFont*>(Message.LParam) : FParent->Font();
  FFont->Assign(source);
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message)
{
  if (!FParentColor || !FParent)
    return;
  TColor color = Message.WParam ? TColor(Message.LParam) : FParent->Color();
  SetColor(color);
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
  if (!FParentShowHint || !FParent)
    return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

void TControl::CMHintShow(TMessage& Message)
{
  // Nothing to add: the hint is the control's own Hint (short part).
  Message.Result = 0;
}

// The control under the mouse, its capture and the forms.

TCustomForm* GetParentForm(TControl* Control)
{
  while (Control && Control->Parent())
    Control = static_cast<TControl*>(Control->Parent());
  return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control)
{
  TCustomForm* form = GetParentForm(Control);
  if (!form)
    throw EInvalidOperation(Format(SNoParentForm, Control ? Control->Name() : std::string()));
  return form;
}

bool IsAccel(WORD VK, const std::string& Str)
{
  std::string key;
  AppendUtf8(key, char32_t(VK));
  std::string hotkey = GetHotkey(Str);
  return !hotkey.empty() && AnsiSameText(key, hotkey);
}

int DragThreshold()
{
  return GetSystemMetrics(SM_CXDRAG);
}
