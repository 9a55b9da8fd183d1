// TButtonControl: the base of the controls over the "Button" window class.
// A click that first gives the control the focus is not taken as a click
// when the focus moved elsewhere meanwhile (ClicksDisabled while it runs).
#pragma once

#include "platform/classes/controls/WinControl.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* AOwner);

  void WndProc(TMessage& Message) override;

protected:
  bool ClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}

private:
  bool FClicksDisabled = false;
};
