// TRadioButton: a radio button over the "Button" window class; checking one
// unchecks the radio buttons beside it (same parent).
#pragma once

#include "platform/classes/stdctrls/ButtonControl.h"

class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) override;
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  void Dispatch(TMessage& Message) override;

protected:
  bool GetChecked() const override { return FChecked; }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  bool FChecked = false;
  TLeftRight FAlignment = lrRightJustify;
};
