// TButton: a push button over the "Button" window class. Clicking it sets
// its form's ModalResult to its own; the default button answers Enter and
// the cancel button Escape.
#pragma once

#include "platform/classes/forms/FormTypes.h"
#include "platform/classes/stdctrls/ButtonControl.h"

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void SetButtonStyle(bool ADefault);

private:
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
  TModalResult FModalResult = mrNone;
};
