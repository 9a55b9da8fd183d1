#include "controls/themes/TBWParentBackground.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/toolbar/TBDock.h"
#include "platform/classes/forms/CustomForm.h"

TColor GetEffectiveColor(TControl* Control)
{
  if (!Control)
    return clBtnFace;
  TMessage message;
  message.Msg = TBWM_GETEFFECTIVECOLOR;
  Control->WindowProc()(message);
  if (message.Result != 0)
    return TColor(message.WParam);
  if (auto* form = dynamic_cast<TCustomForm*>(Control); form && form->FormStyle() == fsMDIForm)
    return clBtnFace;
  return Control->Color();
}

void PaintParentBackground(TControl* Control, HDC DC, const TRect& R)
{
  TWinControl* parent = Control->Parent();
  if (!parent) {
    FillRectColor(DC, R, clBtnFace);
    return;
  }
  // The parent paints in its own client coordinates: move the origin so
  // that its picture lands where the control lies over it. The move is
  // relative, so panel objects nested in panel objects compose.
  const TPoint origin = parent->ScreenToClient(Control->ClientOrigin());
  int saved = SaveDC(DC);
  OffsetWindowOrgEx(DC, origin.x, origin.y, nullptr);
  TMessage erase;
  erase.Msg = WM_ERASEBKGND;
  erase.WParam = WPARAM(DC);
  erase.LParam = LPARAM(DC);
  parent->WindowProc()(erase);
  RestoreDC(DC, saved);
  if (erase.Result != 0)
    return;
  if (auto* dock = dynamic_cast<TTBDock*>(parent)) {
    saved = SaveDC(DC);
    OffsetWindowOrgEx(DC, Control->Left(), Control->Top(), nullptr);
    dock->DrawBackground(DC, R);
    RestoreDC(DC, saved);
    return;
  }
  FillRectColor(DC, R, GetEffectiveColor(parent));
}
