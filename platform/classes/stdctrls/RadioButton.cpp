#include "platform/classes/stdctrls/RadioButton.h"

#include "platform/win/win.h"

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
  FControlStyle = {csSetCaption, csDoubleClicks};
  FWidth = 113;
  FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == lrLeftJustify)
    Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd()
{
  TButtonControl::CreateWnd();
  SendMessage(Handle(), BM_SETCHECK, FChecked, 0);
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated())
    SendMessage(Handle(), BM_SETCHECK, Value, 0);
  if (!Value)
    return;
  if (TWinControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  Changed();
  if (!ClicksDisabled())
    Click();
}

void TRadioButton::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CN_COMMAND:
    if (HIWORD(Message.WParam) == BN_CLICKED)
      SetChecked(true);
    else if (HIWORD(Message.WParam) == BN_DOUBLECLICKED)
      DblClick();
    return;
  case CM_DIALOGCHAR:
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
      SetFocus();
      Message.Result = 1;
      return;
    }
    break;
  }
  TButtonControl::Dispatch(Message);
}
