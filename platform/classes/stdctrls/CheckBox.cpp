#include "platform/classes/stdctrls/CheckBox.h"

#include "platform/win/win.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
  FControlStyle = {csSetCaption, csDoubleClicks};
  FWidth = 97;
  FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& Params)
{
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_3STATE;
  if (FAlignment == lrLeftJustify)
    Params.Style |= BS_LEFTTEXT;
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCheckBox::CreateWnd()
{
  TButtonControl::CreateWnd();
  SendMessage(Handle(), BM_SETCHECK, WPARAM(FState), 0);
}

void TCheckBox::SetAlignment(TLeftRight Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

void TCheckBox::SetState(TCheckBoxState Value)
{
  if (FState == Value)
    return;
  FState = Value;
  if (HandleAllocated())
    SendMessage(Handle(), BM_SETCHECK, WPARAM(FState), 0);
  if (!ClicksDisabled())
    Click();
}

void TCheckBox::Toggle()
{
  switch (FState) {
  case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
  case cbChecked: SetState(cbUnchecked); break;
  case cbGrayed: SetState(cbChecked); break;
  }
}

void TCheckBox::Click()
{
  Changed();
  TButtonControl::Click();
}

void TCheckBox::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CN_COMMAND:
    if (HIWORD(Message.WParam) == BN_CLICKED)
      Toggle();
    return;
  case CM_DIALOGCHAR:
    if (IsAccel(WORD(Message.WParam), Caption()) && CanFocus()) {
      SetFocus();
      if (Focused())
        Toggle();
      Message.Result = 1;
      return;
    }
    break;
  }
  TButtonControl::Dispatch(Message);
}
