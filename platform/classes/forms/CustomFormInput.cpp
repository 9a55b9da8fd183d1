// A form's activation, focus and keys (shortcuts, dialog keys), the actions
// it offers its controls, and its table of message handlers.
#include "platform/classes/forms/CustomForm.h"

#include <algorithm>
#include <functional>

#include "platform/classes/ClassesConsts.h"
#include "platform/classes/actions/BasicAction.h"
#include "platform/classes/actions/CustomActionList.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/menus/MainMenu.h"
#include "platform/classes/menus/MenuItem.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/win.h"

// Activation and focus

void TCustomForm::SetActive(bool Value)
{
  FActive = Value;
  if (Value) {
    if (!FActiveControl)
      FActiveControl = FindNextControl(nullptr, true, true, false);
    Screen()->SetActiveCustomForm(this);
    SetWindowFocus();
  }
}

void TCustomForm::WMActivate(TMessage& Message)
{
  bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  DefaultHandler(Message);
  if (active != FActive) {
    SetActive(active);
    Perform(active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
  }
}

void TCustomForm::SetWindowFocus()
{
  HWND focus = FActiveControl ? FActiveControl->Handle() : Handle();
  if (focus)
    ::SetFocus(focus);
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
  if (FActiveControl == Control)
    return;
  if (Control && !(static_cast<TWinControl*>(this) != Control && GetParentForm(Control) == this &&
                   (ComponentState().Contains(csLoading) || Control->CanFocus())))
    throw EInvalidOperation(SCannotFocus);
  FActiveControl = Control;
  if (!ComponentState().Contains(csLoading) && FActive)
    SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control)
{
  bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive)
    SetFocus();
}

void TCustomForm::SetFocus()
{
  if (FActive)
    return;
  if (!FVisible || !FEnabled)
    throw EInvalidOperation(SCannotFocus);
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing)
{
  if (Removing && Control->ContainsControl(FFocusedControl))
    FFocusedControl = Control->Parent();
  if (Control->ContainsControl(FActiveControl))
    FActiveControl = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control)
{
  int count = ++FFocusCount;
  FActiveControl = Control != this ? Control : nullptr;
  Screen()->SetFocusedControl(this, Control);
  // Leave the controls that do not contain the new one (innermost first),
  // then enter those that do (outermost first).
  while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
    TWinControl* leaving = FFocusedControl;
    FFocusedControl = leaving->Parent();
    leaving->Perform(CM_EXIT, 0, 0);
    if (count != FFocusCount)
      return false;
  }
  while (FFocusedControl != Control) {
    TWinControl* entering = Control;
    while (entering->Parent() != FFocusedControl && entering->Parent())
      entering = entering->Parent();
    FFocusedControl = entering;
    entering->Perform(CM_ENTER, 0, 0);
    if (count != FFocusCount)
      return false;
    if (!FFocusedControl)
      break;
  }
  Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
  return true;
}

bool TCustomForm::IsShortCut(TMessage& Message)
{
  auto& key = MessageAs<TWMKey>(Message);
  bool handled = false;
  if (OnShortCut)
    OnShortCut(key, handled);
  if (!handled && FMenu)
    handled = FMenu->IsShortCut(key);
  if (!handled)
    handled = DispatchActionShortCut(this, key);
  return handled;
}

void TCustomForm::MouseWheelHandler(TMessage& Message)
{
  if (FFocusedControl)
    Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  else
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TCustomForm::UpdateActions()
{
  if (!FShowing)
    return;
  InitiateAction();
  if (FMenu)
    for (int i = 0; i < FMenu->Items()->Count(); ++i)
      if (FMenu->Items()->Items(i)->Visible())
        FMenu->Items()->Items(i)->InitiateAction();
  struct TWalk {
    static void Clients(TWinControl* container)
    {
      for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        if (!control->Visible())
          continue;
        control->InitiateAction();
        if (auto* win = dynamic_cast<TWinControl*>(control); win && win->Showing())
          Clients(win);
      }
    }
  };
  TWalk::Clients(this);
}

bool TCustomForm::DoExecuteAction(TBasicAction* Action, bool Update)
{
  if (!FShowing || !Action)
    return false;
  auto offer = [&](TControl* control) {
    if (!control || !Action->HandlesTarget(control))
      return false;
    if (Update)
      Action->UpdateTarget(control);
    else
      Action->ExecuteTarget(control);
    return true;
  };
  std::function<bool(TWinControl*)> clients = [&](TWinControl* container) {
    if (!container->Showing())
      return false;
    for (int i = 0; i < container->ControlCount(); ++i) {
      TControl* control = container->Controls(i);
      if ((control->Visible() && offer(control)) ||
          (dynamic_cast<TWinControl*>(control) && clients(static_cast<TWinControl*>(control))))
        return true;
    }
    return false;
  };
  return offer(FActiveControl) || offer(this) || clients(this);
}

void TCustomForm::SendCancelMode(TControl* Sender)
{
  if (FActive && FActiveControl)
    FActiveControl->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
}

void TCustomForm::CMDialogKey(TMessage& Message)
{
  auto& key = MessageAs<TWMKey>(Message);
  if (GetKeyState(VK_MENU) >= 0) {
    switch (key.CharCode) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (FActiveControl && FActiveControl->Parent()) {
        FActiveControl->Parent()->SelectNext(FActiveControl, key.CharCode == VK_RIGHT || key.CharCode == VK_DOWN,
                                             false);
        Message.Result = 1;
      }
      return;
    }
  }
  Broadcast(Message);
}

void TCustomForm::WMSysCommand(TMessage& Message)
{
  WPARAM command = Message.WParam & 0xFFF0;
  if (Application() && Application()->MainForm() == this &&
      (command == SC_MINIMIZE || (command == SC_RESTORE && IsIconic(FHandle)))) {
    // The main form minimises and restores the application through the
    // application window's procedure, so that its main-window hooks see the
    // command first (a notification-area icon hides the program there).
    if (HWND app = Application()->Handle()) {
      Message.Result = SendMessage(app, WM_SYSCOMMAND, Message.WParam, Message.LParam);
    } else if (command == SC_MINIMIZE) {
      Application()->Minimize();
    } else {
      Application()->Restore();
    }
    return;
  }
  // Alt, F10 and Alt+letter on a form without a main menu: the application
  // window's hooks (menu-bar toolbars) may take them; Alt+space is the
  // window menu.
  if (command == SC_KEYMENU && Message.LParam != ' ' && !FMenu && Application()) {
    if (SendMessage(Application()->Handle(), CM_APPSYSCOMMAND, 0, LPARAM(&Message)) != 0) {
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message)
{
  DefaultHandler(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  if (!info)
    return;
  if (Constraints()->MinWidth() > 0)
    info->ptMinTrackSize.x = Constraints()->MinWidth();
  if (Constraints()->MinHeight() > 0)
    info->ptMinTrackSize.y = Constraints()->MinHeight();
  if (Constraints()->MaxWidth() > 0)
    info->ptMaxTrackSize.x = Constraints()->MaxWidth();
  if (Constraints()->MaxHeight() > 0)
    info->ptMaxTrackSize.y = Constraints()->MaxHeight();
}

void TCustomForm::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_CLOSE: WMClose(Message); return;
  case WM_ACTIVATE: WMActivate(Message); return;
  case WM_SYSCOMMAND: WMSysCommand(Message); return;
  case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
  case WM_PAINT:
    if (FHandle && IsIconic(FHandle))
      break;
    FControlState.Include(csCustomPaint);
    TWinControl::Dispatch(Message);
    FControlState.Exclude(csCustomPaint);
    return;
  case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
  case CM_DIALOGKEY: CMDialogKey(Message); return;
  case CM_RELEASE: CMRelease(Message); return;
  case CM_ACTIVATE: Activate(); return;
  case CM_ACTIONEXECUTE:
  case CM_ACTIONUPDATE:
    if (DoExecuteAction(reinterpret_cast<TBasicAction*>(Message.LParam), Message.Msg == CM_ACTIONUPDATE))
      Message.Result = 1;
    return;
  case CM_DEACTIVATE: Deactivate(); return;
  }
  TWinControl::Dispatch(Message);
}
