// Messages of a windowed control: the routing of mouse messages to graphic
// children, keys and the class library's key handling (shortcuts, dialog
// keys), focus and tab order, and the table of message handlers.
#include <algorithm>

#include "platform/base/StringRoutines.h"
#include "platform/base/SysConsts.h"
#include "platform/base/Format.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/win.h"

namespace {

// The graphic control that holds the capture through its parent's window.
TControl* CaptureControl = nullptr;

}  // namespace

TControl* GetCaptureControl()
{
  TControl* result = FindControl(GetCapture());
  if (result && CaptureControl && CaptureControl->Parent() == result)
    result = CaptureControl;
  return result;
}

void SetCaptureControl(TControl* Control)
{
  ReleaseCapture();
  CaptureControl = nullptr;
  if (!Control)
    return;
  auto* win = dynamic_cast<TWinControl*>(Control);
  if (!win) {
    if (!Control->Parent())
      return;
    CaptureControl = Control;
    win = Control->Parent();
  }
  SetCapture(win->Handle());
}

void ForgetCaptureControl(TControl* Control)
{
  if (CaptureControl == Control)
    CaptureControl = nullptr;
}

TWinControl* FindWinControlAtPoint(const TPoint& Pos)
{
  HWND hwnd = WindowFromPoint(Pos);
  while (hwnd) {
    if (auto* control = dynamic_cast<TWinControl*>(FindControl(hwnd)))
      return control;
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
  TWinControl* window = FindWinControlAtPoint(Pos);
  if (!window)
    return nullptr;
  TControl* control = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled);
  return control ? control : window;
}

void TWinControl::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_SETFOCUS: {
    TCustomForm* form = GetParentForm(this);
    if (form && !form->SetFocusedControl(this))
      return;
    break;
  }
  case WM_KILLFOCUS:
    if (FControlState.Contains(csFocusing))
      return;
    break;
  case WM_NCHITTEST: {
    TControl::WndProc(Message);
    if (Message.Result == HTTRANSPARENT) {
      auto& hit = MessageAs<TWMNCHitTest>(Message);
      if (ControlAtPos(ScreenToClient(TPoint(hit.XPos, hit.YPos)), false))
        Message.Result = HTCLIENT;
    }
    return;
  }
  case WM_KEYDOWN:
  case WM_KEYUP:
  case WM_CHAR:
  case WM_SYSKEYDOWN:
  case WM_SYSKEYUP:
  case WM_SYSCHAR:
    if (Dragging())
      return;
    break;
  case WM_CANCELMODE:
    if (GetCapture() == FHandle && CaptureControl && CaptureControl->Parent() == this)
      CaptureControl->Perform(WM_CANCELMODE, 0, 0);
    break;
  default:
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL) {
      // A mouse message over a graphic child (or for the one holding the
      // capture) goes to that child, in its own coordinates.
      TControl* control = nullptr;
      auto& mouse = MessageAs<TWMMouse>(Message);
      if (GetCapture() == FHandle) {
        if (CaptureControl && CaptureControl->Parent() == this)
          control = CaptureControl;
      } else {
        control = ControlAtPos(mouse.Pos(), false);
      }
      if (control) {
        TPoint p(mouse.XPos - control->Left(), mouse.YPos - control->Top());
        TAliveToken alive = AliveToken();  // the child's handlers may free its parent too
        Message.Result =
            control->Perform(Message.Msg, Message.WParam, MAKELPARAM(WORD(SHORT(p.x)), WORD(SHORT(p.y))));
        if (*alive && Message.Result == 0 && FHandle)
          DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
      }
    }
  }
  TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_PAINT: WMPaint(Message); return;
  case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
  case WM_SIZE: WMSize(Message); return;
  case WM_MOVE: WMMove(Message); return;
  case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
  case WM_COMMAND: WMCommand(Message); return;
  case WM_NOTIFY: WMNotify(Message); return;
  case WM_DRAWITEM: WMDrawItem(Message); return;
  case WM_MEASUREITEM: WMMeasureItem(Message); return;
  case WM_DELETEITEM: WMDeleteItem(Message); return;
  case WM_COMPAREITEM: WMCompareItem(Message); return;
  case WM_HSCROLL:
  case WM_VSCROLL: WMScroll(Message); return;
  case WM_SETCURSOR: WMSetCursor(Message); return;
  case WM_CONTEXTMENU: WMContextMenu(Message); return;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN: WMKeyDown(Message); return;
  case WM_KEYUP:
  case WM_SYSKEYUP: WMKeyUp(Message); return;
  case WM_CHAR: WMChar(Message); return;
  case WM_NCDESTROY: WMNCDestroy(Message); return;
  case WM_SYSCOLORCHANGE: WMSysColorChange(Message); return;
  case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
  case WM_NCPAINT: WMNCPaint(Message); return;
  case WM_SETFOCUS:
  case WM_KILLFOCUS: DefaultHandler(Message); return;
  case CN_KEYDOWN:
  case CN_SYSKEYDOWN: CNKeyDown(Message); return;
  case CN_CHAR:
  case CN_SYSCHAR: CNChar(Message); return;
  case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
  case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
  case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
  case CM_FONTCHANGED: CMFontChanged(Message); return;
  case CM_COLORCHANGED: CMColorChanged(Message); return;
  case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); return;
  case CM_ENTER: CMEnter(Message); return;
  case CM_EXIT: CMExit(Message); return;
  case CM_RECREATEWND: CMRecreateWnd(Message); return;
  case CM_INVALIDATE: CMInvalidate(Message); return;
  case CM_CHILDKEY: CMChildKey(Message); return;
  case CM_DRAG:
    if (Message.WParam == WPARAM(dmFindTarget)) {
      // The child control under the point takes the drag, else this one.
      auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
      TControl* child = ControlAtPos(ScreenToClient(rec->Pos), false);
      Message.Result = LRESULT(child ? child : this);
      return;
    }
    TControl::Dispatch(Message);
    return;
  case CM_DIALOGKEY:
  case CM_DIALOGCHAR:
  case CM_FOCUSCHANGED:
  case CM_SYSCOLORCHANGE:
    Broadcast(Message);
    return;
  default: TControl::Dispatch(Message);
  }
}

// Keys

bool TWinControl::DoKeyDown(TMessage& Message)
{
  auto& key = MessageAs<TWMKey>(Message);
  TCustomForm* form = GetParentForm(this);
  if (form && static_cast<TWinControl*>(form) != this && form->KeyPreview() && form->DoKeyDown(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    WORD code = key.CharCode;
    KeyDown(code, KeyDataToShiftState(key.KeyData));
    key.CharCode = code;
    if (code == 0)
      return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message)
{
  auto& key = MessageAs<TWMKey>(Message);
  TCustomForm* form = GetParentForm(this);
  if (form && static_cast<TWinControl*>(form) != this && form->KeyPreview() && form->DoKeyUp(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    WORD code = key.CharCode;
    KeyUp(code, KeyDataToShiftState(key.KeyData));
    key.CharCode = code;
    if (code == 0)
      return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message)
{
  TCustomForm* form = GetParentForm(this);
  if (form && static_cast<TWinControl*>(form) != this && form->KeyPreview() && form->DoKeyPress(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    char32_t ch = char32_t(Message.WParam);
    KeyPress(ch);
    Message.WParam = WPARAM(ch);
    if (ch == 0)
      return true;
  }
  return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
  if (OnKeyDown)
    OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
  if (OnKeyUp)
    OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key)
{
  if (OnKeyPress)
    OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message)
{
  if (!DoKeyDown(Message))
    DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message)
{
  if (!DoKeyUp(Message))
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message)
{
  if (!DoKeyPress(Message))
    DefaultHandler(Message);
}

bool TWinControl::IsMenuKey(TMessage& Message)
{
  auto& key = MessageAs<TWMKey>(Message);
  for (TWinControl* control = this; control; control = control->Parent()) {
    TPopupMenu* popup = control->PopupMenu();
    if (popup && popup->IsShortCut(key))
      return true;
  }
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(Message))
    return true;
  if (!Application())
    return false;
  // Components hooked into the application window (toolbars) run the
  // shortcuts of their items here.
  if (SendMessage(Application()->Handle(), CM_APPKEYDOWN, Message.WParam, Message.LParam) != 0)
    return true;
  return Application()->IsShortCut(Message);
}

void TWinControl::CNKeyDown(TMessage& Message)
{
  auto& key = MessageAs<TWMKey>(Message);
  Message.Result = 1;
  if (IsMenuKey(Message))
    return;
  if (Perform(CM_CHILDKEY, key.CharCode, LPARAM(this)) != 0)
    return;
  LRESULT mask = 0;
  switch (key.CharCode) {
  case VK_TAB: mask = DLGC_WANTTAB; break;
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN: mask = DLGC_WANTARROWS; break;
  case VK_RETURN:
  case VK_ESCAPE:
  case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, key.CharCode, 0) == 0 &&
      (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, key.CharCode, key.KeyData) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message)
{
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    if (TCustomForm* form = GetParentForm(this);
        form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CMChildKey(TMessage& Message)
{
  if (FParent)
    Message.Result = FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

// Focus and tab order

void TWinControl::SetTabStop(bool Value)
{
  if (FTabStop == Value)
    return;
  FTabStop = Value;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtr(FHandle, GWL_STYLE);
    SetWindowLongPtr(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const
{
  if (!FParent)
    return -1;
  const auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
  if (!FParent)
    return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end())
    return;
  list.erase(it);
  if (Value < 0 || Value > int(list.size()))
    Value = int(list.size());
  list.insert(list.begin() + Value, this);
}

bool TWinControl::CanFocus()
{
  TCustomForm* form = GetParentForm(this);
  if (!form)
    return false;
  for (TWinControl* control = this; control != static_cast<TWinControl*>(form); control = control->FParent)
    if (!control->FVisible || !control->FEnabled)
      return false;
  return true;
}

bool TWinControl::Focused()
{
  return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus()
{
  TCustomForm* form = GetParentForm(this);
  if (form)
    form->FocusControl(this);
  else if (FParentWindow)
    ::SetFocus(Handle());
  else
    ValidParentForm(this);
}

void TWinControl::RemoveFocus(bool Removing)
{
  if (TCustomForm* form = GetParentForm(this))
    form->DefocusControl(this, Removing);
}

void TWinControl::DoEnter()
{
  if (OnEnter)
    OnEnter(this);
}

void TWinControl::DoExit()
{
  if (OnExit)
    OnExit(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List)
{
  for (TWinControl* control : std::vector<TWinControl*>(FTabList)) {
    List.push_back(control);
    control->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent)
{
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty())
    return nullptr;
  int count = int(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  int start = found == list.end() ? (GoForward ? count - 1 : 0) : int(found - list.begin());
  int i = start;
  do {
    if (GoForward) {
      if (++i == count)
        i = 0;
    } else {
      if (i == 0)
        i = count;
      --i;
    }
    TWinControl* candidate = list[std::size_t(i)];
    if (candidate->CanFocus() && (!CheckTabStop || candidate->TabStop()) &&
        (!CheckParent || candidate->Parent() == this))
      return candidate;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    next->SetFocus();
}
