// TControlCanvas: the canvas of a control. Outside painting it draws through
// a context of the control's window taken on first use and released after
// the message being handled (FreeDeviceContexts); while painting, the
// control hands it the paint context instead.
#pragma once

#include "platform/classes/graphics/Canvas.h"

class TControlCanvas : public TCanvas {
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;

  TControl* Control() const { return FControl; }
  void SetControl(TControl* AControl);
  // Gives back the window context (nothing when the paint context is in use).
  void FreeHandle();
  // The text options follow the control's reading order (left to right here).
  void UpdateTextFlags();

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};
