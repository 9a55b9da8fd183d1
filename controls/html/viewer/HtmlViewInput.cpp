// THtmlView: the mouse on the paint panel (links, images, selection, double
// click words, right click), middle-button panning and the automatic scroll
// while selecting, keys, the wheel and the hover timer.
//
// The automatic scroll runs on a 100 ms timer rather than in a loop that
// processes messages inside a message handler: a window closed during such
// a loop (by a key, or by the host shutting down) left the loop running on a
// freed viewer.
#include <algorithm>
#include <cstdlib>

#include "controls/html/document/FontObj.h"
#include "controls/html/document/ImageObj.h"
#include "controls/html/document/LinkFocusControl.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/forms/FormVariants.h"
#include "controls/html/viewer/DocumentWalk.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/html/viewer/PaintPanel.h"
#include "controls/html/viewer/ScrollBar32.h"
#include "platform/classes/forms/Timer.h"
#include "platform/win/win.h"

namespace {

bool IsWordChar(char16_t C)
{
  return (C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C >= 192;
}

}  // namespace

int THtmlView::FindCursor(int X, int Y, bool& InText)
{
  int CX = 0, CY = 0, CH = 0;
  return FSectionList->CharIndexAt(X + HScrollPos(), Y, InText, CX, CY, CH);
}

void THtmlView::StopPanning()
{
  FPanning = false;
  FPaintPanel->SetCursor(Cursor());
  FScrollLoopPosted = false;
  if (FScrollTimer)
    FScrollTimer->SetEnabled(false);
}

void THtmlView::HTMLMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y)
{
  TControl::MouseDown(Button, Shift, X, Y);
  if (CanFocus() && !Focused())
    SetFocus();
  FLinkFollowed = false;
  if (FPanning) {
    StopPanning();
    return;
  }
  TSectionList& Doc = *FSectionList;
  if (Button == mbMiddle) {
    FPanning = true;
    FPanStartY = Y;
    FPaintPanel->SetCursor(UpDownCursor);
  } else if (Button == mbLeft) {
    FClickPending = true;
    FSelecting = true;
    bool InText = false;
    const int P = FindCursor(X, Y + Doc.YOff, InText);
    FSelAnchor = P;
    if (P >= 0) {
      if (Doc.SelStart != Doc.SelEnd || Shift.Contains(ssShift))
        FPaintPanel->Invalidate();
      if (Shift.Contains(ssShift)) {
        Doc.SelStart = std::min(FCaretPos, FSelAnchor);
        Doc.SelEnd = std::max(FCaretPos, FSelAnchor);
      } else {
        Doc.SelStart = Doc.SelEnd = FSelAnchor;
        FCaretPos = P;
      }
      Doc.CaretPos = FCaretPos;
    }
  }
}

void THtmlView::HTMLMouseMove(TObject*, TShiftState Shift, int X, int Y)
{
  TControl::MouseMove(Shift, X, Y);
  if (FPanning) {
    if (!FScrollLoopPosted && std::abs(Y - FPanStartY) > 20) {
      FScrollLoopPosted = true;
      PostMessage(Handle(), WM_HTML_MOUSESCROLL, 0, 0);
    }
    return;
  }
  TSectionList& Doc = *FSectionList;
  FTitleAttr.clear();
  TCursor Candidate = crArrow;
  std::string URL, Target;
  const TFontObj* OldHover = Doc.HoverLink;
  THitLink Hit;
  if (Doc.LinkAtPoint(X + HScrollPos(), Y + Doc.YOff, Hit)) {
    if ((Hit.Flags & THitLink::HasTarget) && Hit.Target) {
      URL = Hit.MapUrl.empty() ? Hit.Target->URL : Hit.MapUrl;
      Target = Hit.Target->Target;
      Candidate = HandCursor;
    }
    if (Hit.Flags & THitLink::HasControl)
      Candidate = HandCursor;
    if (Hit.Flags & THitLink::HasTitle)
      FTitleAttr = Hit.Title;
  }
  if (Doc.HoverLink != OldHover)
    FPaintPanel->Invalidate();
  TImageObj* Image = nullptr;
  if ((OnImageClick || OnImageOver) && (Image = Doc.HitImage(X + HScrollPos(), Y + Doc.YOff)) != nullptr) {
    if (Candidate != HandCursor)
      Candidate = crArrow;
    if (OnImageOver)
      OnImageOver(this, Image, Shift, X + HScrollPos() - Image->DrawX, Y + Doc.YOff - Image->DrawY);
  } else {
    bool InText = false;
    if (FindCursor(X, Y + Doc.YOff, InText) >= 0 && InText && Candidate != HandCursor)
      Candidate = Cursor();
  }
  FPaintPanel->SetCursor(Candidate);
  FHoverTimer->SetEnabled(Candidate == HandCursor || Doc.HoverImage != nullptr);
  if (URL != FURL || Target != FTarget) {
    FURL = URL;
    FTarget = Target;
    if (OnHotSpotCovered)
      OnHotSpotCovered(this, URL);
  }
  if (Shift.Contains(ssLeft)) {
    if (!FScrollLoopPosted && FClickPending && (Y <= 0 || Y >= PanelHeight())) {
      FScrollLoopPosted = true;
      PostMessage(Handle(), WM_HTML_MOUSESCROLL, 0, 0);
    }
    if (!FNoSelect)
      ExtendSelection(X, Y);
  }
}

void THtmlView::ExtendSelection(int X, int Y)
{
  if (!FSelecting || FSelAnchor < 0)
    return;
  TSectionList& Doc = *FSectionList;
  Y = std::max(0, std::min(Y, PanelHeight()));
  bool InText = false;
  const int P = FindCursor(X, Y + Doc.YOff, InText);
  if (P >= 0 && !FNoSelect) {
    Doc.SelStart = std::min(FSelAnchor, P);
    Doc.SelEnd = std::max(FSelAnchor, P);
    FPaintPanel->Invalidate();
  }
  if (P >= 0) {
    FCaretPos = P;
    Doc.CaretPos = P;
  }
}

void THtmlView::HTMLMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y)
{
  if (FPanning) {
    if (Button != mbMiddle || Y != FPanStartY)
      StopPanning();
    return;
  }
  TControl::MouseUp(Button, Shift, X, Y);
  TSectionList& Doc = *FSectionList;
  TImageObj* Image = nullptr;
  if (OnImageClick || OnRightClick) {
    Image = Doc.HitImage(X + HScrollPos(), Y + Doc.YOff);
    if (Image && OnImageClick)
      OnImageClick(this, Image, Button, Shift, X + HScrollPos() - Image->DrawX, Y + Doc.YOff - Image->DrawY);
  }
  if (Button == mbRight && OnRightClick) {
    TRightClickParameters Parameters;
    if (Image) {
      Parameters.Image = Image;
      Parameters.ImageX = X + HScrollPos() - Image->DrawX;
      Parameters.ImageY = Y + Doc.YOff - Image->DrawY;
    }
    THitLink Hit;
    if (Doc.LinkAtPoint(X + HScrollPos(), Y + Doc.YOff, Hit) && Hit.Target) {
      Parameters.URL = Hit.Target->URL;
      Parameters.Target = Hit.Target->Target;
    }
    int After = 0, Before = 0;
    GetWordAt(X, Y, Parameters.ClickWord, After, Before);
    FHoverTimer->SetEnabled(false);
    try {
      OnRightClick(this, Parameters);
    } catch (...) {
      FHoverTimer->SetEnabled(true);
      throw;
    }
    FHoverTimer->SetEnabled(true);
    return;
  }
  if (Button != mbLeft || Shift.Contains(ssShift))
    return;
  FScrollLoopPosted = false;
  if (FScrollTimer)
    FScrollTimer->SetEnabled(false);
  ExtendSelection(X, Y);
  FSelecting = false;
  const bool WasPending = FClickPending;
  FClickPending = false;
  if (!WasPending || Doc.SelStart < Doc.SelEnd)
    return;
  THitLink Hit;
  if (!Doc.LinkAtPoint(X + HScrollPos(), Y + Doc.YOff, Hit))
    return;
  if (Hit.Flags & THitLink::HasControl) {
    Hit.Control->ImageClicked(Hit.ControlX, Hit.ControlY);
    return;
  }
  if (!(Hit.Flags & THitLink::HasTarget) || !Hit.Target)
    return;
  FURL = Hit.MapUrl.empty() ? Hit.Target->URL : Hit.MapUrl;
  FTarget = Hit.Target->Target;
  for (TFontObj* Run : Doc.LinkList)
    if (Run->UrlTarget().ID == Hit.Target->ID && Run->TabControl()) {
      if (Run->TabControl()->CanFocus()) {
        FLinkFocusGuard = true;
        Run->TabControl()->SetFocus();
        FLinkFocusGuard = false;
      }
      break;
    }
  FLinkFollowed = true;
  ProcessHotSpotClick();
}

void THtmlView::HTMLDblClick(int X, int Y, TShiftState Shift)
{
  if (FProcessing || FLinkFollowed)
    return;
  if (!FNoSelect) {
    std::u16string Word;
    int After = 0, Before = 0;
    if (GetWordAt(X, Y, Word, After, Before)) {
      TSectionList& Doc = *FSectionList;
      Doc.SelStart = Before + 1;
      Doc.SelEnd = After;
      FCaretPos = Before + 1;
      Doc.CaretPos = FCaretPos;
      FPaintPanel->Invalidate();
    }
  }
  if (OnMouseDouble)
    OnMouseDouble(this, mbLeft, Shift, X, Y);
}

bool THtmlView::GetWordAt(int X, int Y, std::u16string& Word, int& After, int& Before)
{
  Word.clear();
  TSectionList& Doc = *FSectionList;
  bool InText = false;
  const int P = FindCursor(X, Y + Doc.YOff, InText);
  if (P >= 0) {
    FCaretPos = P;
    Doc.CaretPos = P;
  }
  if (!InText || P < 0)
    return false;
  After = FCaretPos;
  Before = FCaretPos - 1;
  const TSectionBase* Home = LeafAt(Doc, After);
  // A character of another object than the clicked one counts as a blank.
  auto WordCharAt = [&](int Pos) {
    char16_t C = 0;
    return LeafAt(Doc, Pos) == Home && Doc.CharAt(Pos, C) && IsWordChar(C) ? C : char16_t(0);
  };
  const char16_t First = WordCharAt(After);
  if (!First)
    return false;
  for (char16_t C = First; C; C = WordCharAt(++After))
    Word += C;
  for (char16_t C; Before >= 0 && (C = WordCharAt(Before)) != 0; --Before)
    Word.insert(Word.begin(), C);
  return true;
}

void THtmlView::KeyDown(WORD& Key, TShiftState Shift)
{
  TWinControl::KeyDown(Key, Shift);
  if (FPanning) {
    StopPanning();
    return;
  }
  if (Shift.Contains(ssCtrl) && (Key == 'C' || Key == VK_INSERT)) {
    CopyToClipboard();
    return;
  }
  if (Shift.Contains(ssCtrl) && Key == 'A') {
    SelectAll();
    return;
  }
  const int Old = GetVScrollPos();
  int Pos = Old;
  switch (Key) {
  case VK_PRIOR: Pos -= FVScrollBar->LargeChange(); break;
  case VK_NEXT: Pos += FVScrollBar->LargeChange(); break;
  case VK_UP: Pos -= FVScrollBar->SmallChange(); break;
  case VK_DOWN: Pos += FVScrollBar->SmallChange(); break;
  case VK_HOME: Pos = 0; break;
  case VK_END: Pos = FMaxVertical; break;
  case VK_LEFT:
  case VK_RIGHT:
    SetHScrollPos(HScrollPos() + (Key == VK_LEFT ? -1 : 1) * FHScrollBar->SmallChange());
    return;
  default:
    return;
  }
  MoveVertical(std::max(Pos, 0), std::abs(Pos - Old) == FVScrollBar->SmallChange());
}

void THtmlView::LinkFocusKey(WORD& Key, TShiftState Shift)
{
  KeyDown(Key, Shift);
}

bool THtmlView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
  if (TControl::DoMouseWheel(Shift, WheelDelta, MousePos))
    return true;
  UINT Lines = 3;
  if (!SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0))
    Lines = 3;
  const int L = int(Lines);
  int Pos = GetVScrollPos();
  if (L > 0)
    Pos += WheelDelta < 0 ? 16 * L : -16 * L;
  else
    Pos -= WheelDelta / 2;
  SetVScrollPos(Pos);
  return true;
}

void THtmlView::HoverTimerTick(TObject*)
{
  TPoint P;
  GetCursorPos(&P);
  if (FPaintPanel->HandleAllocated() && WindowFromPoint(P) == FPaintPanel->Handle())
    return;
  TSectionList& Doc = *FSectionList;
  if (Doc.HoverLink || Doc.HoverImage) {
    Doc.MouseLeave();
    FPaintPanel->Invalidate();
  }
  FHoverTimer->SetEnabled(false);
  if (!FURL.empty()) {
    FURL.clear();
    FTarget.clear();
    if (OnHotSpotCovered)
      OnHotSpotCovered(this, "");
  }
}

// The message posted when the mouse leaves the panel while selecting, or
// moves far enough from where panning began: one step now, then a step
// every 100 ms while the mouse stays there.
void THtmlView::ScrollLoop()
{
  if (!FScrollTimer) {
    FScrollTimer = new TTimer(this);
    FScrollTimer->SetInterval(100);
    FScrollTimer->OnTimer = TNotifyEvent(this, &THtmlView::ScrollTimerTick);
  }
  FScrollTimer->SetEnabled(false);
  ScrollTimerTick(nullptr);
  if (FScrollLoopPosted)
    FScrollTimer->SetEnabled(true);
}

void THtmlView::ScrollTimerTick(TObject*)
{
  TPoint P;
  GetCursorPos(&P);
  P = FPaintPanel->ScreenToClient(P);
  const int Y = P.y;
  const bool Selecting = FScrollLoopPosted && FClickPending && (Y <= 0 || Y > PanelHeight());
  const bool Panning = FPanning && std::abs(Y - FPanStartY) > 20;
  if (!Selecting && !Panning) {
    FScrollLoopPosted = false;
    if (FScrollTimer)
      FScrollTimer->SetEnabled(false);
    if (FPanning)
      FPaintPanel->SetCursor(UpDownCursor);
    return;
  }
  const int Small = FVScrollBar->SmallChange();
  int Step = 0;
  if (Panning) {
    const int D = Y - FPanStartY;
    if (D < -60)
      Step = -32;
    else if (D < -20)
      Step = -8;
    else if (D > 60)
      Step = 32;
    else if (D > 20)
      Step = 8;
    FPaintPanel->SetCursor(Step < 0 ? UpOnlyCursor : DownOnlyCursor);
  } else if (Y < -15) {
    Step = -8 * Small;
  } else if (Y <= 0) {
    Step = -Small;
  } else if (Y > PanelHeight() + 15) {
    Step = 8 * Small;
  } else {
    Step = Small;
  }
  TSectionList& Doc = *FSectionList;
  const int NewPos = std::max(0, std::min(GetVScrollPos() + Step, FMaxVertical - PanelHeight()));
  FVScrollBar->SetBarPosition(NewPos);
  Doc.YOff = NewPos;
  ExtendSelection(P.x, Y);
  FPaintPanel->Invalidate();
}

void THtmlView::ControlEnter(TFontObj* Link)
{
  if (!Link || FLinkFocusGuard)
    return;
  const int Y = Link->YValue();
  const int Pos = GetVScrollPos();
  if (Y < Pos)
    SetVScrollPos(Y);
  else if (Y > Pos + ClientHeight() - 30)
    SetVScrollPos(Y - ClientHeight() / 2);
  Invalidate();
  FPaintPanel->Invalidate();
}
