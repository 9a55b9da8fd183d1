#include "controls/themes/TBWFloating.h"

#include <cstdlib>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWTheme.h"
#include "controls/themes/TBWThemedControls.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDockTypes.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"

TPoint SnapToWorkArea(TPoint Position, TSize Size, const TRect& WorkArea, int Distance)
{
  if (std::abs(Position.x + Size.cx - WorkArea.Right) < Distance)
    Position.x = WorkArea.Right - Size.cx;
  if (std::abs(Position.y + Size.cy - WorkArea.Bottom) < Distance)
    Position.y = WorkArea.Bottom - Size.cy;
  if (std::abs(Position.x - WorkArea.Left) < Distance)
    Position.x = WorkArea.Left;
  if (std::abs(Position.y - WorkArea.Top) < Distance)
    Position.y = WorkArea.Top;
  return Position;
}

void HandSnapDistance(TWinControl* Parent, int Distance)
{
  if (auto* frame = dynamic_cast<TTBWFloatingWindowParent*>(Parent))
    frame->SetSnapDistance(Distance);
}

void TTBWFloatingWindowParent::DrawNCArea(bool ForPrint, HDC DC, HRGN Clip, unsigned Parts)
{
  TTBCustomDockableWindow* window = DockableWindow();
  if (!HandleAllocated() || !window)
    return;
  HWND wnd = Handle();
  HDC dc = ForPrint ? DC : GetWindowDC(wnd);
  const int saved = SaveDC(dc);
  if (!ForPrint)
    ClipToNCUpdateRegion(wnd, dc, Clip);
  TRect r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.Left, -r.Top);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);

  FloatingPaintState state;
  state.FrameHandle = wnd;
  state.ContentHandle = window->HandleAllocated() ? window->Handle() : nullptr;
  state.ViewKind = ViewKindOfComponent(window);
  state.ClientWidth = ClientWidth();
  state.ClientHeight = ClientHeight();
  state.ShowCaption = window->ShowCaption();
  window->FloatingFrameSize(state.BorderSize);
  if (window->CloseButton() && window->ShowCaption()) {
    state.CloseButtonState = CDBS_VISIBLE;
    if (CloseBoxPressed())
      state.CloseButtonState |= CDBS_PRESSED;
    else if (FCloseButtonHover)
      state.CloseButtonState |= CDBS_HOT;
  }
  state.RedrawParts = Parts;
  const std::string caption = Text();
  state.Caption = caption.c_str();
  state.WindowColor = GetEffectiveColor(window);
  state.CaptionActive = !window->CaptionDimmed();

  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Brush()->SetColor(state.WindowColor);
  ActiveTheme().DrawFloatingFrame(&canvas, r, state);
  canvas.SetHandle(nullptr);
  RestoreDC(dc, saved);
  if (!ForPrint)
    ReleaseDC(wnd, dc);
}

void TTBWFloatingWindowParent::SetCloseButtonHover(bool Value)
{
  if (FCloseButtonHover == Value)
    return;
  FCloseButtonHover = Value;
  if (HandleAllocated() && IsWindowVisible(Handle()))
    RedrawNCArea(rpCloseButton);
}

void TTBWFloatingWindowParent::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_NCMOUSEMOVE: {
    TTBFloatingWindowParent::Dispatch(Message);
    const DWORD v = GetVersion();
    const int major = LOBYTE(LOWORD(v)), minor = HIBYTE(LOWORD(v));
    if (major > 4 || (major == 4 && minor > 9))
      RequestMouseTracking(Handle(), TME_LEAVE | TME_NONCLIENT);
    SetCloseButtonHover(Message.WParam == WPARAM(HT_TB_CLOSE));
    return;
  }
  case WM_NCMOUSELEAVE:
    if (GetCapture() != Handle())
      SetCloseButtonHover(false);
    TTBFloatingWindowParent::Dispatch(Message);
    return;
  case CM_MOUSELEAVE:
    TTBFloatingWindowParent::Dispatch(Message);
    SetCloseButtonHover(false);
    return;
  case WM_ERASEBKGND:
    Message.Result = 1;
    return;
  case WM_WINDOWPOSCHANGING: {
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    const bool moved = !(pos->flags & SWP_NOMOVE);
    const bool sameSize = (pos->flags & SWP_NOSIZE) || (pos->cx == Width() && pos->cy == Height());
    if (FSnapDistance > 0 && moved && sameSize) {
      const TSize size(Width(), Height());
      const TRect target(pos->x, pos->y, pos->x + size.cx, pos->y + size.cy);
      const TPoint p = SnapToWorkArea(TPoint(pos->x, pos->y), size, MonitorRectOfRect(target, true), FSnapDistance);
      pos->x = p.x;
      pos->y = p.y;
    }
    TTBFloatingWindowParent::Dispatch(Message);
    return;
  }
  default:
    TTBFloatingWindowParent::Dispatch(Message);
  }
}
