// The floating frame's metrics, hit testing, painting, non-client presses and
// activation.
#include "controls/toolbar/TBFloatingWindowParent.h"

#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"

namespace {

int SmallCaption() { return GetSystemMetrics(SM_CYSMCAPTION); }

void FloatingFramePainter(HWND, HDC DC, void* Data)
{
  static_cast<TTBFloatingWindowParent*>(Data)->DrawNCArea(true, DC, nullptr, TTBFloatingWindowParent::rpAll);
}

}  // namespace

TTBFloatingWindowParent::TTBFloatingWindowParent(TComponent* AOwner) : TCustomForm(AOwner) {}

TCustomForm* TTBFloatingWindowParent::ParentFormWithHandle() const
{
  return FParentForm && FParentForm->HandleAllocated() ? FParentForm : nullptr;
}

TRect TTBFloatingWindowParent::NonClientSizes() const
{
  TPoint border(0, 0);
  if (FDockableWindow)
    FDockableWindow->FloatingFrameSize(border);
  int caption = FDockableWindow && FDockableWindow->ShowCaption() ? SmallCaption() : 0;
  return TRect(border.x, border.y + caption, border.x, border.y);
}

TRect TTBFloatingWindowParent::CaptionRect() const
{
  TRect nc = NonClientSizes();
  int width = Width() - nc.Left - nc.Right;
  int top = nc.Top - (FDockableWindow && FDockableWindow->ShowCaption() ? SmallCaption() : 0);
  TRect r(nc.Left, top, nc.Left + width, top + SmallCaption() - 1);
  if (FDockableWindow && !FDockableWindow->CloseButton())
    r.Right -= SmallCaption() - 1;
  return r;
}

TRect TTBFloatingWindowParent::CloseBoxRect() const
{
  TRect r = CaptionRect();
  r.Left = r.Right - SmallCaption() + 1;
  return r;
}

int TTBFloatingWindowParent::HitTest(const TPoint& P) const
{
  if (!FDockableWindow)
    return HTNOWHERE;
  if (FDockableWindow->ShowCaption()) {
    TRect caption = CaptionRect();
    if (PtInRect(&caption, P)) {
      TRect box = CloseBoxRect();
      return FDockableWindow->CloseButton() && PtInRect(&box, P) ? HT_TB_CLOSE : HT_TB_CAPTION;
    }
  }
  if (!FDockableWindow->Resizable())
    return HTNOWHERE;
  TPoint border(0, 0);
  FDockableWindow->FloatingFrameSize(border);
  const int bw = border.x, bh = border.y, W = Width(), H = Height();
  const int x = P.x, y = P.y;
  const bool left = x >= 0 && x < bw, right = x >= W - bw - 1 && x < W;
  const bool top = y >= 0 && y < bh, bottom = y >= H - bh - 1 && y < H;
  if (!FDockableWindow->ResizeBehaviour().Contains(rbCornerHandles)) {
    if (top)
      return HTTOP;
    if (bottom)
      return HTBOTTOM;
    if (left)
      return HTLEFT;
    if (right)
      return HTRIGHT;
    return HTNOWHERE;
  }
  const int k = SmallCaption() - 1 + bw;
  if (left)
    return y < k ? HTTOPLEFT : y >= H - k ? HTBOTTOMLEFT : HTLEFT;
  if (right)
    return y < k ? HTTOPRIGHT : y >= H - k ? HTBOTTOMRIGHT : HTRIGHT;
  if (top)
    return x < k ? HTTOPLEFT : x >= W - k ? HTTOPRIGHT : HTTOP;
  if (bottom)
    return x < k ? HTBOTTOMLEFT : x >= W - k ? HTBOTTOMRIGHT : HTBOTTOM;
  return HTNOWHERE;
}

void TTBFloatingWindowParent::CreateParams(TCreateParams& Params)
{
  TCustomForm::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_VREDRAW | CS_HREDRAW);
  Params.Style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
  if (FDockableWindow && FDockableWindow->Resizable())
    Params.Style |= WS_THICKFRAME;
  Params.ExStyle = WS_EX_TOOLWINDOW;
}

void TTBFloatingWindowParent::Notification(TComponent* AComponent, TOperation Operation)
{
  TCustomForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FParentForm)
    FParentForm = nullptr;
}

void TTBFloatingWindowParent::RedrawNCArea(unsigned Parts)
{
  if (HandleAllocated() && IsWindowVisible(Handle()))
    DrawNCArea(false, nullptr, nullptr, Parts);
}

void TTBFloatingWindowParent::SetCloseBoxPressed(bool Value)
{
  if (FCloseBoxPressed == Value)
    return;
  FCloseBoxPressed = Value;
  RedrawNCArea(rpCloseButton);
}

void TTBFloatingWindowParent::DrawNCArea(bool ForPrint, HDC DC, HRGN Clip, unsigned Parts)
{
  if (!HandleAllocated() || !FDockableWindow)
    return;
  HWND wnd = Handle();
  HDC dc = ForPrint ? DC : GetWindowDC(wnd);
  if (!ForPrint)
    ClipToNCUpdateRegion(wnd, dc, Clip);
  TRect r(0, 0, Width(), Height());
  BOOL gradient = FALSE;
  SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  const bool dimmed = FDockableWindow->CaptionDimmed();
  TRect nc = NonClientSizes();
  TPoint border(0, 0);
  FDockableWindow->FloatingFrameSize(border);
  // 1. Border.
  if (Parts & rpBorder) {
    TRect edge = r;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, border.x, border.y, r.Right - border.x, r.Bottom - border.y);
    TRect inner = r;
    InflateRect(&inner, -2, -2);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
  }
  // 2. Caption, its separator line and the close box.
  if (FDockableWindow->ShowCaption()) {
    const bool closeButton = FDockableWindow->CloseButton();
    TRect caption = CaptionRect(), box = CloseBoxRect();
    int saved = SaveDC(dc);
    if ((Parts & rpCaption) && (Parts & rpCloseButton) && closeButton)
      ExcludeClipRect(dc, box.Left, box.Top, box.Right, box.Bottom);
    if (Parts & rpCaption) {
      TRect text = caption;
      if (closeButton)
        text.Right = box.Left;
      UINT flags = DC_SMALLCAP | DC_TEXT | (dimmed ? 0 : DC_ACTIVE) | (gradient ? DC_GRADIENT : 0);
      DrawCaption(wnd, dc, &text, flags);
      TRect line(caption.Left, caption.Bottom, closeButton ? caption.Right : caption.Right + SmallCaption() - 1,
                 caption.Bottom + 1);
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
    }
    RestoreDC(dc, saved);
    if (closeButton) {
      TRect inner = box;
      inner.Top += 2;
      inner.Bottom -= 2;
      inner.Right -= 2;
      if (Parts & rpCaption) {
        int index = gradient ? (dimmed ? COLOR_GRADIENTINACTIVECAPTION : COLOR_GRADIENTACTIVECAPTION)
                             : (dimmed ? COLOR_INACTIVECAPTION : COLOR_ACTIVECAPTION);
        int s2 = SaveDC(dc);
        ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
        FillRect(dc, &box, GetSysColorBrush(index));
        RestoreDC(dc, s2);
      }
      if (Parts & rpCloseButton)
        DrawFrameControl(dc, &inner, DFC_CAPTION, DFCS_CAPTIONCLOSE | (FCloseBoxPressed ? DFCS_PUSHED : 0));
    }
  }
  (void)nc;
  if (!ForPrint)
    ReleaseDC(wnd, dc);
}

void TTBFloatingWindowParent::WMNCLButtonDown(TMessage& Message)
{
  TTBCustomDockableWindow* window = FDockableWindow;
  int code = int(Message.WParam);
  if (!window) {
    TCustomForm::Dispatch(Message);
    return;
  }
  if (code >= HTLEFT && code <= HTBOTTOMRIGHT) {
    if (window->Resizable())
      window->RunResizeLoop(code - HTLEFT);
    return;
  }
  if (code == HT_TB_CLOSE) {
    TRect box = CloseBoxRect();
    OffsetRect(&box, Left(), Top());
    if (TTBCustomDockableWindow::TrackButton(Handle(), box,
                                             Method<void(bool)>(this, &TTBFloatingWindowParent::SetCloseBoxPressed)))
      window->RequestClose();
    return;
  }
  if (code == HT_TB_CAPTION) {
    TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    ::ScreenToClient(window->Handle(), &p);
    window->RunDragLoop(p.x, p.y);
    return;
  }
  TCustomForm::Dispatch(Message);
}

void TTBFloatingWindowParent::WMActivate(TMessage& Message)
{
  TCustomForm* form = ParentFormWithHandle();
  bool active = LOWORD(Message.WParam) != WA_INACTIVE;
  if (form)
    SendMessage(form->Handle(), WM_NCACTIVATE, active ? 1 : 0, 0);
  if (!active)
    return;
  if (!IsWindowVisible(Handle())) {
    if (form)
      SetActiveWindow(form->Handle());
  } else if (form && HWND(Message.LParam) != form->Handle()) {
    SetActiveWindow(form->Handle());
  }
}

void TTBFloatingWindowParent::WMMouseActivate(TMessage& Message)
{
  Message.Result = MA_NOACTIVATE;
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TCustomForm* form = ParentFormWithHandle();
  if (FDockableWindow && FDockableWindow->FloatingMode() == fmOnTopOfParentForm &&
      FDockableWindow->ActivateParent() && form && GetActiveWindow() != Handle())
    SetActiveWindow(form->Handle());
}

void TTBFloatingWindowParent::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_GETMINMAXINFO: {
    TCustomForm::Dispatch(Message);
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    info->ptMinTrackSize = TPoint(1, 1);
    info->ptMaxTrackSize = TPoint(32767, 32767);
    return;
  }
  case CM_SHOWINGCHANGED:
    if (HandleAllocated())
      SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                       (Visible() && FShouldShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    FShowing = Visible() && FShouldShow;
    return;
  case CM_DIALOGKEY:
    if (Message.WParam == VK_ESCAPE && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0 && FParentForm) {
      FParentForm->SetFocus();
      Message.Result = 1;
      return;
    }
    TCustomForm::Dispatch(Message);
    return;
  case CM_TEXTCHANGED:
    TCustomForm::Dispatch(Message);
    RedrawNCArea(rpCaption);
    return;
  case WM_NCCALCSIZE: {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    TRect nc = NonClientSizes();
    TRect& r = params->rgrc[0];
    r.Left += nc.Left;
    r.Top += nc.Top;
    r.Right -= nc.Right;
    r.Bottom -= nc.Bottom;
    Message.Result = 0;
    return;
  }
  case WM_NCPAINT:
    DrawNCArea(false, nullptr, HRGN(Message.WParam), rpAll);
    return;
  case WM_PRINT:
    Message.Result = PaintWindowToDC(Handle(), HDC(Message.WParam), Message.LParam, &FloatingFramePainter, this);
    return;
  case WM_NCHITTEST: {
    TCustomForm::Dispatch(Message);
    if (Message.Result == HTCLIENT)
      return;
    TPoint p(GET_X_LPARAM(Message.LParam) - Left(), GET_Y_LPARAM(Message.LParam) - Top());
    TRect client = ClientRect();
    TRect nc = NonClientSizes();
    OffsetRect(&client, nc.Left, nc.Top);
    Message.Result = PtInRect(&client, p) ? HTCLIENT : HitTest(p);
    return;
  }
  case WM_NCLBUTTONDOWN:
    WMNCLButtonDown(Message);
    return;
  case WM_NCLBUTTONDBLCLK:
    if (Message.WParam == WPARAM(HT_TB_CAPTION) && FDockableWindow)
      FDockableWindow->ToggleDocking();
    return;
  case WM_NCRBUTTONUP:
    if (FDockableWindow && FDockableWindow->HandleAllocated())
      SendMessage(FDockableWindow->Handle(), WM_CONTEXTMENU, WPARAM(FDockableWindow->Handle()), Message.LParam);
    return;
  case WM_MOVE:
    TCustomForm::Dispatch(Message);
    if (FDockableWindow && FDockableWindow->FMoveEventLock == 0 && FDockableWindow->OnMove)
      FDockableWindow->OnMove(FDockableWindow);
    return;
  case WM_CLOSE:
    // The frame never closes by itself: the owning form gets the request.
    if (TCustomForm* form = ParentFormWithHandle())
      PostMessage(form->Handle(), WM_CLOSE, 0, 0);
    return;
  case WM_ACTIVATE:
    WMActivate(Message);
    return;
  case WM_MOUSEACTIVATE:
    WMMouseActivate(Message);
    return;
  default:
    TCustomForm::Dispatch(Message);
  }
}
