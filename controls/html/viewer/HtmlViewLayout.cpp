// THtmlView: layout to the client width, scroll bars, positions, anchors,
// painting through the paint panel and the viewer's own messages.
#include <algorithm>

#include "controls/html/document/SectionList.h"
#include "controls/html/viewer/DocumentWalk.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "controls/html/viewer/ScrollBar32.h"
#include "platform/base/StringRoutines.h"
#include "platform/classes/stdctrls/Panel.h"
#include "platform/win/win.h"

namespace {

TViewerFrame FrameOf(THtmlView& V)
{
  TViewerFrame F;
  F.ScrollBars = V.ScrollBars();
  F.ShowVScroll = V.htOptions().Contains(htShowVScroll);
  F.NoBorder = V.BorderStyle() == htNone;
  F.Width = V.Width();
  F.Height = V.Height();
  F.BarWidth = V.ScrollBarWidth();
  return F;
}

}  // namespace

int THtmlView::PanelHeight() const { return FPaintPanel->Height(); }
int THtmlView::PanelWidth() const { return FPaintPanel->Width(); }
int THtmlView::HScrollPos() const { return FHScrollBar->Position(); }
int THtmlView::HScrollMax() const { return FHScrollBar->Max(); }

void THtmlView::FormatDocument(bool AfterAppend)
{
  HandleNeeded();
  const bool WasBusy = FBusy;
  FBusy = true;
  try {
    const TViewerFrame F = FrameOf(*this);
    const int B = F.NoBorder ? 0 : 2;
    TSectionList& Doc = *FSectionList;
    const TLayoutResult R = FormatPasses(F, int(DocumentSource().size()), [&](int W, int& DocWidth) {
      const int H = Doc.DoLogic(W, F.Height - B, AfterAppend);
      DocWidth = Doc.DocMaxWidth;
      return H;
    });
    Doc.ForgetExtents();
    FMaxVertical = R.DocHeight;
    FScrollWidth = R.DocWidth;
    FLastPasses = int(R.PassWidths.size());
    PlaceScrollBars();
    UpdateAnimationTimer();
    if (Cursor() == crIBeam)
      SetCursor(ThickIBeamCursor);
  } catch (...) {
    FBusy = WasBusy;
    throw;
  }
  FBusy = WasBusy;
}

void THtmlView::PlaceScrollBars()
{
  const TViewerFrame F = FrameOf(*this);
  const TBarPlacement P = PlaceBars(F, FScrollWidth, FMaxVertical, FVScrollBar->SmallChange());
  FScrollWidth = P.DocWidth;
  FBorderPanel->SetVisible(false);
  if (!F.NoBorder)
    FBorderPanel->SetVisible(true);
  FPaintPanel->SetBounds(P.Panel.Left, P.Panel.Top, P.Panel.Right - P.Panel.Left, P.Panel.Bottom - P.Panel.Top);

  FHScrollBar->SetVisible(P.HShown);
  FHScrollBar->SetLargeChange(P.HLargeChange);
  FHScrollBar->SetBounds(P.HBar.Left, P.HBar.Top, std::max(0, P.HBar.Right - P.HBar.Left), P.HBar.Bottom - P.HBar.Top);
  FHScrollBar->SetParams(std::min(FHScrollBar->Position(), P.HMax), 0, P.HMax);
  if (FHScrollBar->HandleAllocated()) {
    SCROLLINFO Info;
    Info.fMask = SIF_PAGE;
    Info.nPage = UINT(P.HPage);
    SetScrollInfo(FHScrollBar->Handle(), SB_CTL, &Info, TRUE);
  }

  FVScrollBar->SetBounds(P.VBar.Left, P.VBar.Top, P.VBar.Right - P.VBar.Left, std::max(0, P.VBar.Bottom - P.VBar.Top));
  FVScrollBar->SetLargeChange(P.VLargeChange);
  FVScrollBar->SetVisible(P.VBarVisible);
  FVScrollBar->SetEnabled(P.VBarEnabled);
  FVScrollBar->SetParams32(FVScrollBar->Position32(), P.VPage, 0, P.VMax);
}

void THtmlView::ScrollTo(int Y)
{
  Y = std::max(0, std::min(Y, FMaxVertical - PanelHeight()));
  FVScrollBar->SetParams32(Y, FVScrollBar->Page32(), FVScrollBar->Min32(), FVScrollBar->Max32());
  FSectionList->YOff = Y;
  Invalidate();
  FPaintPanel->Invalidate();
}

int THtmlView::GetVScrollPos() const { return FVScrollBar->Position32(); }

void THtmlView::SetVScrollPos(int Y)
{
  Y = std::min(std::max(Y, 0), FMaxVertical - PanelHeight());
  if (Y != GetVScrollPos())
    ScrollTo(Y);
}

void THtmlView::SetHScrollPos(int X)
{
  X = std::max(0, std::min(X, FHScrollBar->Max() - PanelWidth()));
  FHScrollBar->SetPosition(X);
  FPaintPanel->Invalidate();
}

void THtmlView::HScroll(TObject*, TScrollCode, int& ScrollPos)
{
  ScrollPos = std::max(0, std::min(ScrollPos, FHScrollBar->Max() - PanelWidth()));
  FPaintPanel->Invalidate();
}

std::vector<int> THtmlView::AnchorTops() { return FlowTops(*FSectionList); }

int THtmlView::GetPosition()
{
  return PackPosition(AnchorTops(), GetVScrollPos());
}

void THtmlView::SetPosition(int P)
{
  int Y = 0;
  if (UnpackPosition(AnchorTops(), P, Y))
    ScrollTo(Y);
}

void THtmlView::Reformat()
{
  if (FProcessing)
    return;
  RunProcessing([&] {
    const int P = GetPosition();
    Progress(psStarting, 0);
    FormatDocument();
    SetPosition(P);
  });
}

void THtmlView::WMSize()
{
  if (FCreating)
    return;
  if (FProcessing)
    PlaceScrollBars();
  else
    Reformat();
  if (FMaxVertical < PanelHeight())
    SetPosition(0);
  else
    ScrollTo(GetVScrollPos());
  SetHScrollPos(std::min(HScrollPos(), HScrollMax() - PanelWidth()));
}

bool THtmlView::PositionTo(std::string Dest)
{
  if (Dest.empty())
    return false;
  if (Dest[0] == '#')
    Dest.erase(0, 1);
  TSectionList& Doc = *FSectionList;
  for (const auto& [Name, Source] : Doc.IdNames) {
    if (CompareText(Name, Dest) != 0)
      continue;
    const int Pos = Doc.SourceToDoc(Source, false);
    int X = 0, Y = 0;
    if (Pos >= 0 && Doc.PositionPoint(Pos, X, Y))
      ScrollTo(Y);
    SetHScrollPos(0);
    AddVisited(FCurrentFile + "#" + Dest);
    return true;
  }
  return false;
}

void THtmlView::VScrollBarMoved(int Code, int TrackPos)
{
  const int Old = GetVScrollPos();
  int Pos = Old;
  switch (Code) {
  case SB_THUMBTRACK: Pos = TrackPos; break;
  case SB_LINEUP: Pos -= FVScrollBar->SmallChange(); break;
  case SB_LINEDOWN: Pos += FVScrollBar->SmallChange(); break;
  case SB_PAGEUP: Pos -= FVScrollBar->LargeChange(); break;
  case SB_PAGEDOWN: Pos += FVScrollBar->LargeChange(); break;
  case SB_TOP: Pos = 0; break;
  case SB_BOTTOM: Pos = FMaxVertical - PanelHeight(); break;
  default: break;
  }
  MoveVertical(Pos, true);
}

// Sets the vertical position; the panel's pixels move with ScrollWindow when
// asked and the background scrolls with them, else the panel repaints.
void THtmlView::MoveVertical(int NewPos, bool ScrollPixels)
{
  NewPos = std::max(0, std::min(NewPos, FMaxVertical - PanelHeight()));
  const int Old = GetVScrollPos();
  FVScrollBar->SetBarPosition(NewPos);
  FSectionList->YOff = NewPos;
  if (NewPos == Old)
    return;
  if (FFixedBackground || !ScrollPixels || !FPaintPanel->HandleAllocated()) {
    FPaintPanel->Invalidate();
  } else {
    ScrollWindow(FPaintPanel->Handle(), 0, Old - NewPos, nullptr, nullptr);
    FPaintPanel->Update();
  }
}

void THtmlView::UpdateBorder()
{
  const bool Framed = (FBorderStyle == htFocused && Focused()) || FBorderStyle == htSingle ||
                      ComponentState().Contains(csDesigning);
  const TBorderStyle Wanted = Framed ? bsSingle : bsNone;
  if (FBorderPanel->BorderStyle() != Wanted)
    FBorderPanel->SetBorderStyle(Wanted);
}

void THtmlView::DrawDocument(HDC DC, const TRect& Clip)
{
  if (FBusy)
    return;
  FSectionList->Draw(DC, Clip, -HScrollPos());
  UpdateAnimationTimer();
}

void THtmlView::Repaint()
{
  FBorderPanel->SetBorderStyle(bsNone);
  TWinControl::Repaint();
}

// There is no shared palette here; the viewer answers none and, unlike a
// palette display's viewer, never invalidates itself from the query (which a
// paint may make).
HPALETTE THtmlView::GetPalette() { return nullptr; }

void THtmlView::PaintWindow(HDC DC) { TWinControl::PaintWindow(DC); }

void THtmlView::DoEnter()
{
  TWinControl::DoEnter();
  UpdateBorder();
}

void THtmlView::DoExit()
{
  TWinControl::DoExit();
  UpdateBorder();
}

void THtmlView::Dispatch(TMessage& Message)
{
  switch (Message.Msg) {
  case WM_SIZE:
    TWinControl::Dispatch(Message);
    WMSize();
    return;
  case WM_GETDLGCODE:
    Message.Result = 1;  // DLGC_WANTARROWS: the arrows reach KeyDown
    return;
  case WM_HTML_MOUSESCROLL:
    ScrollLoop();
    return;
  case WM_HTML_HOTSPOTCLICK:
    ProcessHotSpotClick();
    return;
  case WM_HTML_FORMSUBMIT:
    if (OnFormSubmit && FSubmission.Results) {
      std::unique_ptr<TStringList> Results = std::move(FSubmission.Results);
      OnFormSubmit(this, FSubmission.Action, FSubmission.Target, FSubmission.EncType, FSubmission.Method, Results.get());
    }
    return;
  default:
    break;
  }
  TWinControl::Dispatch(Message);
}
