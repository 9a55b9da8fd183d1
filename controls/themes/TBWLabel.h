// TTBWCustomLabel and TTBWLabel: a text object that wraps by default, can
// be underlined, and whose accelerator ("&x") focuses another control.
#pragma once

#include "controls/themes/TBWTextObject.h"
#include "platform/classes/graphics/Colors.h"

class TTBWCustomLabel : public TTBWTextObject {
public:
  explicit TTBWCustomLabel(TComponent* AOwner);

  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool Underline() const { return FUnderline; }
  void SetUnderline(bool Value);
  TColor UnderlineColor() const { return FUnderlineColor; }
  void SetUnderlineColor(TColor Value);

  void Dispatch(TMessage& Message) override;

protected:
  // The underline takes the last pixel row of the text area.
  void ExtraTextMargins(TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;

private:
  TWinControl* FFocusControl = nullptr;
  bool FUnderline = false;
  TColor FUnderlineColor = clBtnShadow;
};

class TTBWLabel : public TTBWCustomLabel {
public:
  explicit TTBWLabel(TComponent* AOwner) : TTBWCustomLabel(AOwner) {}
};
