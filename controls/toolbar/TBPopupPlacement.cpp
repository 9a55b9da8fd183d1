// How an item's popup is built and where it goes on the screen: beside its
// parent item, below a toolbar button, or at the point of a context menu,
// kept on the monitor and off the item that opened it.
#include <algorithm>

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/win.h"

namespace {

bool Overlaps(const TRect& A, const TRect& B)
{
  TRect r;
  return IntersectRect(&r, &A, &B) != FALSE;
}

// How many of View's viewers lie wholly inside the screen rectangle R.
int ViewersCovered(TTBView* View, const TRect& R)
{
  if (!View || !View->Window())
    return 0;
  int count = 0;
  for (int i = 0; i < View->ViewerCount(); ++i) {
    TTBItemViewer* v = View->Viewers(i);
    if (!v->Shown())
      continue;
    TPoint tl = View->Window()->ClientToScreen(TPoint(v->BoundsRect.Left, v->BoundsRect.Top));
    TRect s(tl.x, tl.y, tl.x + v->BoundsRect.Width(), tl.y + v->BoundsRect.Height());
    if (s.Left >= R.Left && s.Top >= R.Top && s.Right <= R.Right && s.Bottom <= R.Bottom)
      ++count;
  }
  return count;
}

bool SoundPlayedBefore = false;

void PlayMenuSound(const char* Event)
{
  PlaySound(Event, nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
}

}  // namespace

TTBPopupWindow* TTBCustomItem::NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing)
{
  auto* window = new TTBPopupWindow(nullptr, ParentView, ShownItem, Customizing);
  window->InitView(ParentView, ShownItem, Customizing);
  return window;
}

void TTBCustomItem::FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Pl)
{
  const TRect& M = Pl.MonitorRect;
  const TRect& P = Pl.ParentItemRect;
  TTBView* V = ParentView;
  bool vertical = V && V->Axis() == tbaVertical;
  auto rect = [&] { return TRect(Pl.X, Pl.Y, Pl.X + Pl.W, Pl.Y + Pl.H); };

  // Up when it would leave the bottom: above the item, or a submenu ending
  // at its parent item's bottom.
  if (Pl.Y + Pl.H > M.Bottom && !vertical) {
    int y = Pl.PositionAsSubmenu ? P.Bottom + Pl.FrameHeight - Pl.H : P.Top - Pl.H;
    if (y >= M.Top)
      Pl.Y = y;
  }
  if (Pl.Y + Pl.H > M.Bottom)
    Pl.Y = M.Bottom - Pl.H;
  if (Pl.Y < M.Top)
    Pl.Y = M.Top;

  if (Pl.PositionAsSubmenu) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (Pl.X + Pl.W <= M.Right && !Pl.OpensToOtherSide)
        break;
      int x = V ? P.Left + Pl.FrameWidth - Pl.W : Pl.X - Pl.W;
      if (Pl.OpensToOtherSide && x < M.Left && attempt == 0) {
        Pl.OpensToOtherSide = false;
        continue;
      }
      Pl.X = x;
      Pl.OpensToOtherSide = true;
      break;
    }
    if (Pl.OpensToOtherSide && PopupWindow && PopupWindow->View())
      PopupWindow->View()->IncludeFlags(vfOpensOtherSide);
    Pl.X = std::max(Pl.X, int(M.Left));
  } else {
    if (!V && Pl.Alignment == tbpaRight && Pl.X < M.Left)
      Pl.X += Pl.W;
    if (Pl.X + Pl.W > M.Right) {
      if (V || Pl.Alignment != tbpaLeft)
        Pl.X = M.Right - Pl.W;
      else
        Pl.X -= Pl.W;
    }
    Pl.X = std::max(Pl.X, int(M.Left));
    if (vertical) {
      TRect beside(P.Right, Pl.Y, P.Right + Pl.W, Pl.Y + Pl.H);
      if ((ViewersCovered(V, beside) < ViewersCovered(V, rect()) || Overlaps(rect(), P)) && P.Right + Pl.W <= M.Right)
        Pl.X = P.Right;
      if (Overlaps(rect(), P))
        Pl.Y = P.Bottom + Pl.H <= M.Bottom ? P.Bottom : std::max(P.Top - Pl.H, M.Top);
    } else {
      TRect above(Pl.X, P.Top - Pl.H, Pl.X + Pl.W, P.Top);
      if (P.Top - Pl.H >= M.Top && (ViewersCovered(V, above) < ViewersCovered(V, rect()) || Overlaps(rect(), P)))
        Pl.Y = P.Top - Pl.H;
      if (Overlaps(rect(), P))
        Pl.X = P.Right + Pl.W <= M.Right ? P.Right : std::max(P.Left - Pl.W, M.Left);
    }
  }

  Pl.AnimDir = 0;
  if (Pl.PositionAsSubmenu) {
    Pl.AnimDir = (Pl.X + Pl.W / 2 < (P.Left + P.Right) / 2) ? tbadLeft : tbadRight;
  } else {
    if (Pl.Y >= P.Bottom)
      Pl.AnimDir |= tbadDown;
    if (Pl.Y + Pl.H <= P.Top)
      Pl.AnimDir |= tbadUp;
    if (Pl.X >= P.Right)
      Pl.AnimDir |= tbadRight;
    if (Pl.X + Pl.W <= P.Left)
      Pl.AnimDir |= tbadLeft;
  }
}

TTBPopupWindow* TTBCustomItem::CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                           bool SelectFirstItem, bool Customizing, TPoint PopupPoint,
                                           TTBPopupAlignment Alignment)
{
  if (GetItemList() != this)
    FLinkSubitems->FirePopup(this, true);
  FirePopup(this, false);

  TTBView* chevronView = GetChevronOwnerView();
  TTBCustomItem* shown = chevronView ? chevronView->SourceItem() : this;
  TTBPopupPlacement pl;
  pl.PositionAsSubmenu = PositionAsSubmenu;
  pl.Alignment = Alignment;
  pl.OpensToOtherSide = ParentView && (ParentView->Flags() & vfOpensOtherSide);

  TTBPopupWindow* window = NewPopupWindow(ParentView, shown, Customizing);
  try {
    TTBView* view = window->View();
    if (chevronView) {
      view->SetChevronSourceView(chevronView);
      // The hidden buttons keep their toolbar look: rows of buttons that wrap
      // at the screen's width, not a menu column.
      view->SetIsToolbar(true);
      view->SetTraits(TTBViewTraits((view->Traits() & ~vtShowHints) | (chevronView->Traits() & vtShowHints)));
      window->SetColor(clBtnFace);
    }
    if (ParentView) {
      ParentView->EnsureLayout();
      const TRect& b = ParentViewer->BoundsRect;
      TPoint tl = ParentView->Window() ? ParentView->Window()->ClientToScreen(TPoint(b.Left, b.Top))
                                       : TPoint(b.Left, b.Top);
      pl.ParentItemRect = TRect(tl.x, tl.y, tl.x + b.Width(), tl.y + b.Height());
      pl.MonitorRect = !ParentView->MonitorRect().IsEmpty() ? ParentView->MonitorRect()
                                                           : MonitorRectOfRect(pl.ParentItemRect, false);
    } else {
      pl.ParentItemRect = TRect(PopupPoint.x, PopupPoint.y, PopupPoint.x, PopupPoint.y);
      pl.MonitorRect = MonitorRectOfPoint(PopupPoint, false);
    }
    view->SetMonitorRect(pl.MonitorRect);
    TPoint frame = window->GetFrameSize();
    pl.FrameWidth = frame.x;
    pl.FrameHeight = frame.y;
    if (chevronView)
      view->SetWrapLimit(pl.MonitorRect.Width() - 2 * frame.x);
    else
      view->SetHeightLimit(pl.MonitorRect.Height() - 2 * frame.y);

    if (SelectFirstItem)
      view->SetSelectedViewer(view->InitialSelection(), false);
    view->EnsureLayout();
    pl.W = window->Width();
    pl.H = window->Height();

    const TRect& P = pl.ParentItemRect;
    if (!ParentView) {
      pl.X = PopupPoint.x - (Alignment == tbpaRight ? pl.W : Alignment == tbpaCenter ? pl.W / 2 : 0);
      pl.Y = PopupPoint.y;
    } else if (PositionAsSubmenu) {
      pl.X = P.Right - frame.x;
      pl.Y = P.Top - frame.y;
    } else if (chevronView) {
      if (chevronView->Axis() == tbaVertical) {
        pl.X = P.Left - pl.W;
        pl.Y = P.Top;
      } else {
        pl.X = P.Right - pl.W;
        pl.Y = P.Bottom;
      }
    } else if (ParentView->Axis() == tbaVertical) {
      pl.X = P.Left - pl.W;
      pl.Y = P.Top;
    } else {
      pl.X = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? P.Right - pl.W : P.Left;
      pl.Y = P.Bottom;
    }
    FitPopupPosition(ParentView, window, pl);
    window->SetAnimationDirection(pl.AnimDir);
    window->SetBounds(pl.X, pl.Y, pl.W, pl.H);

    if (ParentView) {
      ParentView->SetOpenSubmenu(ParentViewer, view, window);
      window->FreeNotification(ParentView);
      if (ParentView->IsToolbar()) {
        ParentView->IncludeFlags(vfDropDownMode);
        ParentViewer->RepaintViewer();
        if (ParentView->Window())
          ParentView->Window()->Update();
      }
    }

    view->IncludeFlags(vfFirstPaint);
    bool sound = pl.PlaySound && SoundSchemeHasSound("MenuPopup");
    if (sound && SoundPlayedBefore)
      PlayMenuSound("MenuPopup");
    window->Show();
    if (sound && !SoundPlayedBefore) {
      // The first sound of the process loads the sound system: the menu is
      // on the screen before that delay.
      window->Update();
      PlayMenuSound("MenuPopup");
      SoundPlayedBefore = true;
    }
    CallNotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, window->Handle(), OBJID_CLIENT, 0);
    if (view->Selected())
      view->AnnounceFocus();
  } catch (...) {
    delete window;
    throw;
  }
  return window;
}
