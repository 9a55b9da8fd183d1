#include "controls/html/document/LinkFocusControl.h"

#include "controls/html/document/FontObj.h"

ThtTabcontrol::ThtTabcontrol(TWinControl* PaintPanel, TFontObj* ARun) : TWinControl(nullptr), Run(ARun)
{
  SetBounds(-4000, 0, 1, 1);
  SetTabStop(true);
  SetParent(PaintPanel);
}

ThtTabcontrol::~ThtTabcontrol()
{
  if (Run)
    Run->ForgetTabControl();
}

void ThtTabcontrol::DoEnter()
{
  TWinControl::DoEnter();
  Run->FocusGained();
}

void ThtTabcontrol::DoExit()
{
  TWinControl::DoExit();
  Run->FocusLost();
}

void ThtTabcontrol::KeyDown(WORD& Key, TShiftState Shift)
{
  Run->FocusKeyDown(Key, Shift);
}
