// TGraphicControl: a control without a window, painted by its parent (in
// the parent's paint, at its place) on a canvas of the parent's window.
#pragma once

#include "platform/classes/controls/Control.h"
#include "platform/classes/controls/ControlCanvas.h"

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  TCanvas* Canvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};
