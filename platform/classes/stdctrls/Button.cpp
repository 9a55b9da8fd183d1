#include "platform/classes/stdctrls/Button.h"

#include "platform/classes/forms/CustomForm.h"
#include "platform/win/win.h"

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
  FControlStyle = {csSetCaption, csDoubleClicks};
  FWidth = 75;
  FHeight = 25;
}

void TButton::CreateParams(TCreateParams& Params)
{
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd()
{
  TButtonControl::CreateWnd();
  FActive = FDefault;
}

void TButton::SetDefault(bool Value)
{
  FDefault = Value;
  if (HandleAllocated()) {
    TCustomForm* form = GetParentForm(this);
    if (form)
      form->Perform(CM_FOCUSCHANGED, 0, LPARAM(form->ActiveControl()));
  }
}

void TButton::SetButtonStyle(bool ADefault)
{
  if (!HandleAllocated())
    return;
  DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (DWORD(GetWindowLongPtr(Handle(), GWL_STYLE) & 0x0F) != style)
    SendMessage(Handle(), BM_SETSTYLE, style, 1);
}

void TButton::Click()
{
  if (TCustomForm* form = GetParentForm(this))
    form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CN_COMMAND:
    if (HIWORD(Message.WParam) == BN_CLICKED)
      Click();
    return;
  case CM_DIALOGKEY: {
    auto& key = MessageAs<TWMKey>(Message);
    if (((key.CharCode == VK_RETURN && FActive) || (key.CharCode == VK_ESCAPE && FCancel)) &&
        KeyDataToShiftState(key.KeyData).Empty() && CanFocus()) {
      Click();
      Message.Result = 1;
      return;
    }
    break;
  }
  case CM_DIALOGCHAR:
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
      Click();
      Message.Result = 1;
      return;
    }
    break;
  case CM_FOCUSCHANGED: {
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    auto* button = dynamic_cast<TButton*>(sender);
    FActive = button ? button == this : FDefault;
    SetButtonStyle(FActive);
    break;
  }
  }
  TButtonControl::Dispatch(Message);
}
