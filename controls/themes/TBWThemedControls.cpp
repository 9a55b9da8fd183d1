#include "controls/themes/TBWThemedControls.h"

#include <memory>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWTheme.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/graphics/Colors.h"

TTBWTheme& ActiveTheme()
{
  if (TTBWTheme* theme = CurrentTheme())
    return *theme;
  static std::unique_ptr<TTBWTheme> plain;
  if (!plain)
    plain = std::make_unique<TTBWTheme>("");
  return *plain;
}

namespace {

// A message with zero parameters, handed to a control's window procedure or
// to a plain object's dispatch; answers the message as it came back.
TMessage Ask(TComponent* Component, UINT Msg)
{
  TMessage message;
  message.Msg = Msg;
  if (auto* control = dynamic_cast<TControl*>(Component))
    control->WindowProc()(message);
  else
    DispatchToObject(Component, message);
  return message;
}

}  // namespace

TColor GetEffectiveColor(TControl* Control)
{
  if (!Control)
    return clBtnFace;
  const TMessage message = Ask(Control, TBWM_GETEFFECTIVECOLOR);
  if (message.Result != 0)
    return TColor(message.WParam);
  if (auto* form = dynamic_cast<TCustomForm*>(Control); form && form->FormStyle() == fsMDIForm)
    return clBtnFace;
  return Control->Color();
}

std::uint32_t ViewKindOf(TTBView* View)
{
  return View && View->Window() ? ViewKindOfComponent(View->Window()) : 0;
}

std::uint32_t ViewKindOfComponent(TComponent* Component)
{
  return Component ? std::uint32_t(Ask(Component, TBWM_GETVIEWKIND).Result) : 0;
}

void UpdateWindowFrame(TWinControl* Control)
{
  Control->SetClientWidth(Control->ClientWidth());
  Control->SetClientHeight(Control->ClientHeight());
  if (Control->HandleAllocated())
    SetWindowPos(Control->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Control->Invalidate();
}

void RedrawFrame(TWinControl* Control)
{
  if (Control->HandleAllocated())
    RedrawWindow(Control->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

void PaintParentBackground(TControl* Control, HDC DC, const TRect& R)
{
  TWinControl* parent = Control->Parent();
  if (!parent) {
    FillRectColor(DC, R, clBtnFace);
    return;
  }
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
    PaintDockBackgroundBehind(dock, Control, DC, R);
    return;
  }
  FillRectColor(DC, R, GetEffectiveColor(parent));
}

void RepaintBackgroundAroundItems(TWinControl* Window, TTBView* View)
{
  if (!Window->HandleAllocated())
    return;
  HWND wnd = Window->Handle();
  std::vector<TRect> items;
  for (int i = 0; i < View->ViewerCount(); ++i) {
    TTBItemViewer* v = View->Viewers(i);
    if (v->Shown() && !v->BoundsRect.IsEmpty() && !dynamic_cast<TTBControlItem*>(v->Item())) {
      InvalidateRect(wnd, &v->BoundsRect, TRUE);
      items.push_back(v->BoundsRect);
    }
  }
  UpdateWindow(wnd);
  InvalidateRect(wnd, nullptr, TRUE);
  for (const TRect& r : items)
    ValidateRect(wnd, &r);
}
