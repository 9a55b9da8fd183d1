#include "controls/toolbar/TBPopupWindow.h"

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBMenuFont.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Pen.h"
#include "platform/win/win.h"

void TTBPopupView::SizeChanged(int AWidth, int AHeight)
{
  auto* window = static_cast<TTBPopupWindow*>(Window());
  TPoint frame = window->GetFrameSize();
  window->SetBounds(window->Left(), window->Top(), AWidth + 2 * frame.x, AHeight + 2 * frame.y);
}

TFont* TTBPopupView::CaptionFont() { return Window()->Font(); }

TTBPopupWindow::TTBPopupWindow(TComponent* AOwner, TTBView* ParentView, TTBCustomItem* Item, bool Customizing)
    : TCustomControl(AOwner)
{
  (void)ParentView;
  (void)Item;
  (void)Customizing;
  FVisible = false;
  SetBounds(0, 0, 320, 240);
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
  SetShowHint(true);
  SetColor(clMenu);
  HWND parent = Application()->Handle();
  SetParentWindow(parent ? parent : GetDesktopWindow());
}

void TTBPopupWindow::InitView(TTBView* ParentView, TTBCustomItem* Item, bool Customizing)
{
  FView = CreatePopupView(ParentView, Item, Customizing);
  FView->IncludeFlags(vfInMenuLoop);
  Font()->Assign(ParentView ? ParentView->CaptionFont() : MenuFont());
  if (!ParentView || (ParentView->Traits() & vtHiddenAccels))
    FView->SetTraits(FView->Traits() | vtHiddenAccels);
  if (ParentView && (ParentView->Flags() & vfAccelsShown))
    FView->IncludeFlags(vfAccelsShown);
}

TTBView* TTBPopupWindow::CreatePopupView(TTBView* ParentView, TTBCustomItem* Item, bool Customizing)
{
  return new TTBPopupView(this, ParentView, Item, this, false, Customizing, false);
}

TTBPopupWindow::~TTBPopupWindow()
{
  if (FView)
    FView->CloseSubmenus();
  DestroyHandle();
  delete FView;
  FView = nullptr;
}

void TTBPopupWindow::CreateParams(TCreateParams& Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style = (Params.Style | WS_POPUP) & ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
  if (IsNT51OrLater())
    Params.WindowClass.style |= CS_DROPSHADOW;
}

void TTBPopupWindow::CreateWnd()
{
  TCustomControl::CreateWnd();
  if (FAccelsInitialised || !FView || FView->ParentView())
    return;
  FAccelsInitialised = true;
  // A menu opened with the mouse hides its accelerators until the keyboard
  // is used, as the window system's own keyboard-cue state says.
  SendMessage(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
  LRESULT state = SendMessage(Handle(), WM_QUERYUISTATE, 0, 0);
  if (!(state & UISF_HIDEACCEL))
    FView->ShowAccelerators(true);
}

void TTBPopupWindow::DestroyWindowHandle()
{
  if (HandleAllocated())
    StopShowAnimation(Handle());
  if (FView)
    FView->DisarmAllTimers();
  HWND wnd = HandleAllocated() ? Handle() : nullptr;
  if (wnd)
    CallNotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, wnd, OBJID_CLIENT, 0);
  TCustomControl::DestroyWindowHandle();
}

void TTBPopupWindow::Paint()
{
  if (!FView)
    return;
  FView->PaintAllViewers(Canvas());
  PaintScrollArrows();
}

void TTBPopupWindow::PaintScrollArrows()
{
  auto arrow = [&](const TRect& band, bool up) {
    int cx = (band.Left + band.Right) / 2, cy = (band.Top + band.Bottom) / 2;
    // A 7-wide, 4-high triangle centred in the band.
    int y0 = cy - 2;
    Canvas()->Pen()->SetColor(clMenuText);
    Canvas()->Brush()->SetColor(clMenuText);
    std::vector<TPoint> points(3);
    if (up) {
      points[0] = TPoint(cx, y0);
      points[1] = TPoint(cx - 3, y0 + 3);
      points[2] = TPoint(cx + 3, y0 + 3);
    } else {
      points[0] = TPoint(cx - 3, y0);
      points[1] = TPoint(cx + 3, y0);
      points[2] = TPoint(cx, y0 + 3);
    }
    Canvas()->Polygon(points);
  };
  int w = ClientWidth(), h = ClientHeight();
  if (FView->UpArrowShown())
    arrow(TRect(0, 0, w, ScrollArrowBand), true);
  if (FView->DownArrowShown())
    arrow(TRect(0, h - ScrollArrowBand, w, h), false);
}

void TTBPopupWindow::PaintFrame(HDC DC)
{
  TRect r;
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.Left, -r.Top);
  if (FlatMenusEnabled()) {
    FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    HBRUSH fill = CreateSolidBrush(ColorToRGB(Color()));
    for (int i = 0; i < 2; ++i) {
      InflateRect(&r, -1, -1);
      FrameRect(DC, &r, fill);
    }
    DeleteObject(fill);
  } else {
    DrawEdge(DC, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameRect(DC, &r, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void TTBPopupWindow::FramePainter(HWND, HDC DC, void* Data) { static_cast<TTBPopupWindow*>(Data)->PaintFrame(DC); }

void TTBPopupWindow::NCPaint(HRGN UpdateRegion)
{
  HDC dc = GetWindowDC(Handle());
  ClipToNCUpdateRegion(Handle(), dc, UpdateRegion);
  PaintFrame(dc);
  ReleaseDC(Handle(), dc);
}

void TTBPopupWindow::ShowingChanged()
{
  // A menu opened with the mouse and nothing selected comes in with the
  // system's menu animation, unless the theme layer declines it.
  TTBView* parent = FView ? FView->ParentView() : nullptr;
  if ((!parent || !(parent->Flags() & vfNoAnimation)) && Showing() && FView && !FView->Selected() &&
      !IsWindowVisible(Handle())) {
    BOOL animate = FALSE, fade = FALSE;
    SystemParametersInfo(SPI_GETMENUANIMATION, 0, &animate, 0);
    if (animate) {
      SystemParametersInfo(SPI_GETMENUFADE, 0, &fade, 0);
      if ((fade || FAnimationDirection) && SendMessage(Handle(), TBM_POPUPNOTIFY, 1, 0) == 0) {
        StartShowAnimation(Handle(), 150, fade, FAnimationDirection);
        return;
      }
    }
  }
  if (!Showing())
    StopShowAnimation(Handle());
  // Shown or hidden where it stands, without activation: a menu never takes
  // the focus from the window the user works in.
  constexpr UINT showFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
  constexpr UINT hideFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, Showing() ? showFlags : hideFlags);
  if (Showing())
    PostMessage(Handle(), TBM_POPUPNOTIFY, 3, 0);
}

void TTBPopupWindow::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_CLOSE:
    return;
  case WM_GETOBJECT:
    if (!AnswerAccessibleObject(FView, Message))
      TCustomControl::Dispatch(Message);
    return;
  case WM_NCCALCSIZE: {
    TRect& r = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                              : *reinterpret_cast<TRect*>(Message.LParam);
    TPoint frame = GetFrameSize();
    InflateRect(&r, -frame.x, -frame.y);
    Message.Result = 0;
    return;
  }
  case WM_NCPAINT:
    NCPaint(HRGN(Message.WParam));
    Message.Result = 0;
    return;
  case WM_PRINT:
    Message.Result = PaintWindowToDC(Handle(), HDC(Message.WParam), Message.LParam, &FramePainter, this);
    return;
  case WM_PRINTCLIENT:
    PaintWindow(HDC(Message.WParam));
    Message.Result = 0;
    return;
  case WM_PAINT:
  case WM_ERASEBKGND:
    StopShowAnimation(Handle());
    TCustomControl::Dispatch(Message);
    return;
  case TBM_ANIMATIONSTEP:
    AnimationFrame(Message);
    return;
  case CM_SHOWINGCHANGED:
    ShowingChanged();
    return;
  case TBM_ANIMATIONEND:
    PostMessage(Handle(), TBM_POPUPNOTIFY, 2, 0);
    return;
  case CM_HINTSHOW: {
    THintInfo* info = reinterpret_cast<TCMHintShow&>(Message).HintInfo;
    info->HintStr.clear();
    if (FView && FView->Selected()) {
      info->CursorRect = FView->Selected()->BoundsRect;
      info->HintStr = FView->Selected()->GetHintText();
    }
    return;
  }
  default:
    TCustomControl::Dispatch(Message);
  }
}
