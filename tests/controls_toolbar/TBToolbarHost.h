// A bare toolbar window for tests: a view's viewers painted on its canvas.
#pragma once

#include <string>
#include <vector>

#include "controls/toolbar/TBCustomItem.h"
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

// The captions of the items clicked, in order (an item's OnClick).
struct TClickLog {
  std::vector<std::string> Clicked;
  void Click(TObject* Sender) { Clicked.push_back(static_cast<TTBCustomItem*>(Sender)->Caption()); }
};
