// The dockable panel's messages: its docked non-client area (size, hit test,
// cursor, presses, painting through the current theme), its colour and the
// theme notifications.
#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWPanelGeometry.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/base/Exception.h"
#include "platform/classes/Messages.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Pen.h"

void TTBWDockablePanel::RecomputeColor()
{
  if (Color() != clNone)
    FResolvedColor = Color();
  else if (TTBWTheme* theme = CurrentTheme())
    FResolvedColor = theme->GetViewColor(ViewKind());
  else
    FResolvedColor = clBtnFace;
}

void TTBWDockablePanel::BroadcastParentColor()
{
  for (int i = 0; i < ControlCount(); ++i)
    Controls(i)->Perform(CM_PARENTCOLORCHANGED, 1, LPARAM(FResolvedColor));
}

void TTBWDockablePanel::FillCaptionState(PanelCaptionState& State)
{
  State = PanelCaptionState();
  State.WindowHandle = HandleAllocated() ? Handle() : nullptr;
  State.ViewKind = ViewKind();
  if (TTBDock* dock = CurrentDock()) {
    State.IsHorizontalCaption = !IsCaptionVertical();
    State.AllowDrag = dock->AllowDrag();
  }
  State.BorderStyle = std::uint8_t(BorderStyle());
  TPoint border(0, 0);
  if (TTBWTheme* theme = CurrentTheme())
    theme->GetViewFrameSize(State.ViewKind, border);
  State.BorderSizeX = border.x;
  State.BorderSizeY = border.y;
  State.ClientWidth = ClientWidth();
  State.ClientHeight = ClientHeight();
  State.ShowCaptionWhenDocked = FShowCaptionWhenDocked;
  if (FShowCaptionWhenDocked && CloseButtonWhenDocked()) {
    State.CloseButtonState = CDBS_VISIBLE;
    if (CloseBoxPressed())
      State.CloseButtonState |= CDBS_PRESSED;
    else if (CloseBoxHot())
      State.CloseButtonState |= CDBS_HOT;
  }
  State.EffectiveColor = FResolvedColor;
}

void TTBWDockablePanel::PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip)
{
  if (!Docked() || !HandleAllocated())
    return;
  HWND wnd = Handle();
  HDC dc = ForPrint && DC ? DC : GetWindowDC(wnd);
  if (!dc)
    throw EAssertionFailed("TTBWToolWindow.DrawNCArea Error");
  PanelCaptionState state;
  FillCaptionState(state);
  TRect r;
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.Left, -r.Top);
  const int saved = SaveDC(dc);
  if (!ForPrint) {
    ClipToNCUpdateRegion(wnd, dc, Clip);
    TRect client = r;
    InflateRect(&client, -2, -2);
    if (FShowCaptionWhenDocked)
      (IsCaptionVertical() ? client.Left : client.Top) += CaptionHeight();
    ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  }
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush()->SetColor(FResolvedColor);
    if (TTBWTheme* theme = CurrentTheme())
      theme->DrawPanelCaptionBar(&canvas, r, state);
    else
      FillRectColor(dc, r, FResolvedColor);
    canvas.SetHandle(nullptr);
  }
  RestoreDC(dc, saved);
  if (dc != DC)
    ReleaseDC(wnd, dc);
}

void TTBWDockablePanel::RefreshFrameKeepingClient()
{
  TWinControl* target = Floating() && FloatFrame() ? static_cast<TWinControl*>(FloatFrame()) : this;
  if (!target->HandleAllocated())
    return;
  const int w = target->ClientWidth(), h = target->ClientHeight();
  SetWindowPos(target->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  const int dw = w - target->ClientWidth(), dh = h - target->ClientHeight();
  if (dw != 0 || dh != 0) {
    const bool was = FSelfSizing;
    FSelfSizing = true;
    target->SetBounds(target->Left() - dw / 2, target->Top() - dh / 2, target->Width() + dw, target->Height() + dh);
    FSelfSizing = was;
  }
  RedrawWindow(target->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TTBWDockablePanel::ThemeChanged(TMessage& Message)
{
  switch (Message.WParam) {
  case TSC_BEFOREVIEWCHANGE:
    BeginArrange();
    break;
  case TSC_AFTERVIEWCHANGE:
    EndArrange();
    RecomputeColor();
    RefreshFrameKeepingClient();
    Invalidate();
    BroadcastParentColor();
    break;
  default:
    break;
  }
}

void TTBWDockablePanel::WMNCHitTest(TMessage& Message)
{
  TPanelHitInput in;
  GetWindowRect(Handle(), &in.Window);
  in.Point = TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  in.Dock = CurrentDock()->Position();
  in.Resizable = Resizable();
  for (int side = 0; side < 4; ++side)
    in.Splits[side] = IsSplitEdge(side);
  TRect client = ClientRect();
  const TPoint origin = ClientOrigin();
  OffsetRect(&client, origin.x, origin.y);
  in.InClient = PtInRect(&client, in.Point) != 0;
  in.CaptionShown = FShowCaptionWhenDocked;
  in.Designing = ComponentState().Contains(csDesigning);
  if (CloseButtonWhenDocked())
    DockedCloseBox(CurrentDock()->IsVertical(), in.CloseBox);
  Message.Result = PanelHitTest(in);
}

bool TTBWDockablePanel::WMSetCursor(TMessage& Message)
{
  if (!Docked() || !CurrentDock()->AllowDrag() || HWND(Message.WParam) != Handle())
    return false;
  LPCSTR cursor = nullptr;
  switch (LOWORD(Message.LParam)) {
  case HT_TB_BORDER:
    if (FShowCaptionWhenDocked)
      cursor = IDC_ARROW;
    break;
  case HT_SPLIT_LEFT:
  case HT_SPLIT_RIGHT:
    cursor = IDC_SIZEWE;
    break;
  case HT_SPLIT_TOP:
  case HT_SPLIT_BOTTOM:
    cursor = IDC_SIZENS;
    break;
  default:
    break;
  }
  if (!cursor)
    return false;
  ::SetCursor(LoadCursor(nullptr, cursor));
  Message.Result = 1;
  return true;
}

void TTBWDockablePanel::Loaded()
{
  TTBCustomDockableWindow::Loaded();
  RecomputeColor();
  BroadcastParentColor();
}

void TTBWDockablePanel::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case TBWM_GETVIEWKIND:
    Message.Result = LRESULT(ViewKind());
    return;
  case TBWM_GETEFFECTIVECOLOR:
    Message.WParam = WPARAM(FResolvedColor);
    Message.Result = 1;
    return;
  case TBWM_THEMECHANGE:
    ThemeChanged(Message);
    return;
  case CM_COLORCHANGED:
    TTBCustomDockableWindow::Dispatch(Message);
    RecomputeColor();
    Canvas()->Brush()->SetColor(Color());
    if (Docked() && HandleAllocated())
      RedrawWindow(Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Invalidate();
    BroadcastParentColor();
    return;
  case CM_CONTROLCHANGE:
    TTBCustomDockableWindow::Dispatch(Message);
    if (Message.LParam != 0 && Color() == clNone)
      reinterpret_cast<TControl*>(Message.WParam)->Perform(CM_PARENTCOLORCHANGED, 1, LPARAM(FResolvedColor));
    return;
  case CM_TEXTCHANGED:
    TTBCustomDockableWindow::Dispatch(Message);
    if (Floating() && FloatFrame())
      FloatFrame()->RedrawNCArea(TTBFloatingWindowParent::rpCaption);
    else if (HandleAllocated())
      RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return;
  case WM_ERASEBKGND: {
    TRect r = ClientRect();
    FillRectColor(HDC(Message.WParam), r, FResolvedColor);
    Message.Result = 1;
    return;
  }
  case WM_WINDOWPOSCHANGED: {
    TTBCustomDockableWindow::Dispatch(Message);
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if (pos && !(pos->flags & SWP_NOSIZE)) {
      Realign();
      Update();
    }
    if (pos && (pos->flags & SWP_SHOWWINDOW)) {
      RecomputeColor();
      BroadcastParentColor();
    }
    return;
  }
  default:
    break;
  }
  if (!Docked()) {
    TTBCustomDockableWindow::Dispatch(Message);
    return;
  }
  switch (Message.Msg) {
  case WM_NCCALCSIZE: {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    TRect& r = params->rgrc[0];
    InflateRect(&r, -2, -2);
    if (FShowCaptionWhenDocked)
      (IsCaptionVertical() ? r.Left : r.Top) += CaptionHeight();
    Message.Result = 0;
    return;
  }
  case WM_NCHITTEST:
    WMNCHitTest(Message);
    return;
  case WM_SETCURSOR:
    if (WMSetCursor(Message))
      return;
    break;
  case WM_NCLBUTTONDOWN: {
    const int code = int(Message.WParam);
    if (code >= HTLEFT && code <= HTBOTTOM) {
      RunDockedResize(code);
      return;
    }
    if (code >= HT_SPLIT_LEFT && code <= HT_SPLIT_BOTTOM) {
      RunSplitDrag(code);
      return;
    }
    if (code == HT_TB_BORDER && CanDrag()) {
      HCURSOR previous = ::SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
      TTBCustomDockableWindow::Dispatch(Message);
      ::SetCursor(previous);
      return;
    }
    break;
  }
  default:
    break;
  }
  TTBCustomDockableWindow::Dispatch(Message);
}
