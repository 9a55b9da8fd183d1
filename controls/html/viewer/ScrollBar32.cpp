#include "controls/html/viewer/ScrollBar32.h"

#include "controls/html/viewer/HtmlView.h"
#include "platform/win/win.h"

T32ScrollBar::T32ScrollBar(TComponent* AOwner, THtmlView* AViewer) : TScrollBar(AOwner), FViewer(AViewer)
{
  SetKind(sbVertical);
}

void T32ScrollBar::SendParams()
{
  if (!HandleAllocated())
    return;
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  if (FViewer && FViewer->htOptions().Contains(htShowVScroll))
    Info.fMask |= SIF_DISABLENOSCROLL;
  Info.nMin = FMin;
  Info.nMax = FMax;
  Info.nPage = UINT(std::max(0, FPage));
  Info.nPos = FPos;
  SetScrollInfo(Handle(), SB_CTL, &Info, TRUE);
}

void T32ScrollBar::CreateWnd()
{
  TScrollBar::CreateWnd();
  SendParams();
}

void T32ScrollBar::SetParams32(int APos, int APage, int AMin, int AMax)
{
  if (APos == FPos && APage == FPage && AMin == FMin && AMax == FMax)
    return;
  FPos = APos;
  FPage = APage;
  FMin = AMin;
  FMax = AMax;
  SendParams();
}

void T32ScrollBar::SetBarPosition(int APos)
{
  const int Old = FPos;
  SetParams32(APos, FPage, FMin, FMax);
  if (FPos != Old)
    Change();
}

void T32ScrollBar::Dispatch(TMessage& Message)
{
  if (Message.Msg == CN_VSCROLL) {
    int Track = FPos;
    if (HandleAllocated()) {
      SCROLLINFO Info;
      Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_CTL, &Info);
      Track = Info.nTrackPos;
    }
    if (FViewer)
      FViewer->VScrollBarMoved(int(LOWORD(Message.WParam)), Track);
    return;
  }
  TScrollBar::Dispatch(Message);
}
