#include "platform/classes/stdctrls/ScrollBar.h"

#include "platform/classes/ClassesConsts.h"
#include "platform/win/win.h"

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
  FWidth = 121;
  FHeight = GetSystemMetrics(SM_CYHSCROLL);
  SetTabStop(true);
  FControlStyle = {csFramed, csDoubleClicks, csOpaque};
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "SCROLLBAR");
  Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::SendInfo(UINT Mask, bool Redraw)
{
  SCROLLINFO info;
  info.fMask = Mask;
  info.nMin = FMin;
  info.nMax = FMax;
  info.nPage = UINT(FPageSize);
  info.nPos = FPosition;
  SendMessage(Handle(), SBM_SETSCROLLINFO, Redraw, LPARAM(&info));
}

void TScrollBar::CreateWnd()
{
  TWinControl::CreateWnd();
  SendInfo(SIF_RANGE | SIF_PAGE | SIF_POS, true);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
  if (FKind == Value)
    return;
  FKind = Value;
  // The bar turns: width and height swap.
  if (!ComponentState().Contains(csLoading))
    SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TScrollBar::SetPageSize(int Value)
{
  if (FPageSize == Value || Value > FMax)
    return;
  FPageSize = Value < 0 ? 0 : Value;
  if (HandleAllocated())
    SendInfo(SIF_PAGE, true);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
  if (AMax < AMin || AMax < FPageSize)
    throw EInvalidOperation(SScrollBarRange);
  APosition = std::clamp(APosition, AMin, AMax);
  if (FMin != AMin || FMax != AMax) {
    FMin = AMin;
    FMax = AMax;
    if (HandleAllocated())
      SendInfo(SIF_RANGE, FPosition == APosition);
  }
  if (FPosition != APosition) {
    FPosition = APosition;
    if (HandleAllocated())
      SendInfo(SIF_POS, true);
    Change();
  }
}

void TScrollBar::Change()
{
  Changed();
  if (OnChange)
    OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos)
{
  if (OnScroll)
    OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::DoScroll(TMessage& Message)
{
  auto& scroll = MessageAs<TWMScroll>(Message);
  int pos = FPosition;
  switch (scroll.ScrollCode) {
  case SB_LINEUP: pos -= FSmallChange; break;
  case SB_LINEDOWN: pos += FSmallChange; break;
  case SB_PAGEUP: pos -= FLargeChange; break;
  case SB_PAGEDOWN: pos += FLargeChange; break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK: {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    SendMessage(Handle(), SBM_GETSCROLLINFO, 0, LPARAM(&info));
    pos = info.nTrackPos;
    break;
  }
  case SB_TOP: pos = FMin; break;
  case SB_BOTTOM: pos = FMax; break;
  }
  pos = std::clamp(pos, FMin, FMax);
  Scroll(TScrollCode(std::min<int>(scroll.ScrollCode, int(scEndScroll))), pos);
  SetPosition(pos);
}

void TScrollBar::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case CN_HSCROLL:
  case CN_VSCROLL: DoScroll(Message); return;
  case WM_ERASEBKGND:
    // The bar paints all of itself.
    Message.Result = 1;
    return;
  }
  TWinControl::Dispatch(Message);
}
