// TCheckBox: a check box over the "Button" window class; a click toggles
// State (through grayed when AllowGrayed) and runs OnClick.
#pragma once

#include "platform/classes/stdctrls/ButtonControl.h"

class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent* AOwner);

  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  void Dispatch(TMessage& Message) override;

protected:
  bool GetChecked() const override { return Checked(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Toggle();
  void Click() override;

private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TLeftRight FAlignment = lrRightJustify;
};
