// TCustomLabel: a caption drawn by the class library (no window), sized to
// its text when AutoSize is on; an accelerator ("&N") focuses FocusControl.
#pragma once

#include "platform/classes/controls/GraphicControl.h"
#include "platform/classes/stdctrls/StdCtrlsTypes.h"

class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  void SetAutoSize(bool Value) override;
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  virtual void DoDrawText(TRect& Rect, unsigned Flags);
  virtual std::string GetLabelText() { return Text(); }
  void AdjustBounds();
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};
