#include "controls/themes/TBWDocks.h"

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/themes/TBWToolbars.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Canvas.h"

void PaintDockBackgroundBehind(TTBDock* Dock, TControl* Control, HDC DC, const TRect& Area)
{
  const TPoint origin = Dock->ScreenToClient(Control->ClientOrigin());
  const int saved = SaveDC(DC);
  OffsetWindowOrgEx(DC, origin.x, origin.y, nullptr);
  TRect inDock = Area;
  OffsetRect(&inDock, origin.x, origin.y);
  Dock->DrawBackground(DC, inDock);
  RestoreDC(DC, saved);
}

TTBWDock::TTBWDock(TComponent* AOwner) : TTBDock(AOwner)
{
  SetColor(clNone);
  AddThemeClient(this);
}

TTBWDock::~TTBWDock() { RemoveThemeClient(this); }

bool TTBWDock::ThemedBackground()
{
  return !Background() && Color() == clNone && ActiveTheme().HasFeature(TBF_PAINTDOCKBACKGROUND);
}

bool TTBWDock::UsesBackground()
{
  return FUseParentBackground || (ThemedBackground() && !FMoving) || TTBDock::UsesBackground();
}

void TTBWDock::DrawBackground(HDC DC, const TRect& R)
{
  if (FUseParentBackground) {
    PaintParentBackground(this, DC, ClientRect());
  } else if (ThemedBackground()) {
    static const int sides[] = {DS_TOP, DS_BOTTOM, DS_LEFT, DS_RIGHT};
    TCanvas canvas;
    canvas.SetHandle(DC);
    ActiveTheme().DrawDockBackground(&canvas, ClientRect(), R, sides[Position()]);
    canvas.SetHandle(nullptr);
  } else {
    TTBDock::DrawBackground(DC, R);
  }
}

void TTBWDock::SetUseParentBackground(bool Value)
{
  if (FUseParentBackground == Value)
    return;
  FUseParentBackground = Value;
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

void TTBWDock::EraseBackground(TMessage& Message)
{
  HDC dc = HDC(Message.WParam);
  const TRect client = ClientRect();
  if (UsesBackground()) {
    DrawBackground(dc, client);
  } else {
    const TColor color = Color() != clNone ? Color() : GetEffectiveColor(Parent());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  }
  Message.Result = 1;
}

void TTBWDock::Resized()
{
  if (!UsesBackground())
    return;
  // The background runs across the whole dock: a new size changes what
  // lies behind every docked toolbar.
  for (TTBCustomDockableWindow* window : Members()) {
    if (!window->Docked() || window->CurrentDock() != this)
      continue;
    Invalidate();
    if (auto* toolbar = dynamic_cast<TTBWToolbar*>(window))
      RepaintBackgroundAroundItems(toolbar, toolbar->View());
  }
}

void TTBWDock::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case TBWM_GETEFFECTIVECOLOR:
    Message.WParam = WPARAM(Color() != clNone ? Color() : GetEffectiveColor(Parent()));
    Message.Result = 1;
    return;
  case TBWM_THEMECHANGE:
    if (Message.WParam == TSC_AFTERVIEWCHANGE)
      Invalidate();
    return;
  case WM_ERASEBKGND:
    EraseBackground(Message);
    return;
  case WM_MOVE: {
    FMoving = true;
    ScopeExit done([this] { FMoving = false; });
    TTBDock::Dispatch(Message);
    return;
  }
  case WM_SIZE: {
    {
      FResizing = true;
      ScopeExit done([this] { FResizing = false; });
      TTBDock::Dispatch(Message);
    }
    Resized();
    return;
  }
  case CM_COLORCHANGED:
    TTBDock::Dispatch(Message);
    for (int i = 0; i < ControlCount(); ++i)
      if (auto* child = dynamic_cast<TWinControl*>(Controls(i)))
        RedrawFrame(child);
    return;
  default:
    TTBDock::Dispatch(Message);
  }
}
