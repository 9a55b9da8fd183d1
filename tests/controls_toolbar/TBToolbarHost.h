// A bare toolbar window for tests: a view's viewers painted on its canvas.
#pragma once

#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/CustomControl.h"

class TToolbarHost : public TCustomControl {
public:
  explicit TToolbarHost(HWND Parent) : TCustomControl(nullptr) { SetParentWindow(Parent); }
  TTBView* View = nullptr;

protected:
  void Paint() override
  {
    if (View)
      View->PaintAllViewers(Canvas());
  }
};
