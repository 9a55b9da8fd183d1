#include "platform/classes/stdctrls/ButtonControl.h"

#include "platform/win/win.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner)
{
  SetTabStop(true);
}

void TButtonControl::WndProc(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (!Focused()) {
      TAliveToken alive = AliveToken();  // an OnEnter handler may free the button
      FClicksDisabled = true;
      ::SetFocus(Handle());
      if (!*alive)
        return;
      FClicksDisabled = false;
      if (!Focused())
        return;
    }
    break;
  case CN_COMMAND:
    if (FClicksDisabled)
      return;
    break;
  }
  TWinControl::WndProc(Message);
}
