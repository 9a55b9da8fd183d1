// TCustomControl: a windowed control that paints itself on its canvas (Paint).
#pragma once

#include "platform/classes/controls/ControlCanvas.h"
#include "platform/classes/controls/WinControl.h"

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  // Draws the control on Canvas (the paint context while painting).
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};
