// ThtTabcontrol: the focus proxy of a link. A one-pixel window far left of
// the viewer's paint panel that takes part in the tab order, so a link can
// take the keyboard focus; it hands focus gain, focus loss and keys to the
// link's first font run.
#pragma once

#include "platform/classes/controls/WinControl.h"

class TFontObj;

class ThtTabcontrol : public TWinControl {
public:
  ThtTabcontrol(TWinControl* PaintPanel, TFontObj* ARun);
  ~ThtTabcontrol() override;
  TFontObj* Run;

protected:
  void DoEnter() override;
  void DoExit() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
};
