// The view while a menu is in use: the selection, submenus and their timers,
// keyboard navigation and accelerators, scrolling, and the menu outcome.
#include <algorithm>

#include "controls/toolbar/TBAccessible.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "platform/base/CaseMap.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/win/win.h"

namespace {

constexpr UINT ScrollRepeatMs = 100;

bool Selectable(TTBItemViewer* V)
{
  return V->IsReachable() && V->Item()->Visible() && (V->Item()->ItemStyle() & tbsfCanSelect);
}

char32_t FoldCase(char32_t C)
{
  if (C < 0x80)
    return (C >= 'a' && C <= 'z') ? C - 32 : C;
  // Latin-1 and Latin Extended-A letters fold through the locale's upper case.
  if (C >= 0xE0 && C <= 0xFE && C != 0xF7)
    return C - 32;
  return C;
}

char32_t FirstCodePoint(const std::string& Text)
{
  std::string stripped = RemoveAccelMarks(Text);
  if (stripped.empty())
    return 0;
  return AccelCharOf("&" + stripped);
}

}  // namespace

void TTBView::SetSelectedViewer(TTBItemViewer* Viewer, bool ByMouse)
{
  TTBItemViewer* old = FSelected;
  if (Viewer != old) {
    if (Viewer && FParentView && FParentView->FOpenViewer && FParentView->FSelected != FParentView->FOpenViewer) {
      FParentView->SetSelectedViewer(FParentView->FOpenViewer, false);
      FParentView->DisarmTimer(tiClose);
      FParentView->DisarmTimer(tiOpen);
    }
    if (FFlags & vfInMenuLoop) {
      if (FIsToolbar || !ByMouse) {
        DisarmTimer(tiClose);
        if (Viewer != FOpenViewer)
          CloseSubmenus();
      } else if (FIsPopup && ByMouse && FOpenViewer && !TimerRunning(tiClose)) {
        ArmTimer(tiClose, UINT(MenuShowDelay()));
      }
    }
    EndCapture();
    if (old)
      old->SelectionLeft();
    FSelected = Viewer;
    FSelectedByMouse = ByMouse;
  }
  bool mouseOn = false;
  if (Viewer && FWindow && FWindow->HandleAllocated()) {
    DWORD pos = GetMessagePos();
    TPoint screen(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos)));
    if (WindowFromPoint(screen) == FWindow->Handle()) {
      TPoint client = FWindow->ScreenToClient(screen);
      mouseOn = ViewerFromPoint(client) == Viewer;
      if (mouseOn && FMouseCaptured) {
        TPoint local(client.x - Viewer->BoundsRect.Left, client.y - Viewer->BoundsRect.Top);
        mouseOn = Viewer->InButtonPart(local.x, local.y);
      }
    }
  }
  if (Viewer == old) {
    if (mouseOn != FMouseOnSelected) {
      FMouseOnSelected = mouseOn;
      if (Viewer && FMouseCaptured && (Viewer->Item()->ItemStyle() & tbsfRepaintOnHover))
        Viewer->RepaintViewer();
    }
    return;
  }
  FMouseOnSelected = mouseOn;
  if (old && (old->Item()->ItemStyle() & tbsfRepaintOnSelect))
    old->RepaintViewer();
  if (Viewer) {
    if (Viewer->Item()->ItemStyle() & tbsfRepaintOnSelect)
      Viewer->RepaintViewer();
    Viewer->SelectionEntered(old);
  }
  AnnounceFocus();
  if (!(FFlags & vfInMenuLoop))
    return;
  if (FIsPopup) {
    DisarmTimer(tiOpen);
    if (Viewer && ByMouse && (Viewer->Item()->ItemStyle() & tbsfOpensSubmenu)) {
      // Back onto the item whose submenu is open: it stays open.
      if (Viewer == FOpenViewer)
        DisarmTimer(tiClose);
      else
        ArmTimer(tiOpen, UINT(MenuShowDelay()));
    }
  } else if (Viewer) {
    if (ByMouse && Viewer->UsesToolbarStyle() && FParentView)
      IncludeFlags(vfDropDownMode);
    if ((FFlags & vfDropDownMode) && (ByMouse || !(Viewer->Item()->ItemStyle() & tbsfManualOpen)))
      OpenSubmenu(!ByMouse);
  }
}

void TTBView::TrackMousePosition(const TPoint* ScreenPoint, bool AllowNewSelection)
{
  EnsureLayout();
  TTBItemViewer* candidate = (FFlags & vfInMenuLoop) ? FSelected : nullptr;
  bool wasInWindow = FFlags & vfMouseInWindow;
  bool inWindow = false;
  TPoint client;
  if (ScreenPoint && FWindow && FWindow->HandleAllocated() && WindowFromPoint(*ScreenPoint) == FWindow->Handle()) {
    inWindow = true;
    IncludeFlags(vfMouseInWindow);
    if (FIsPopup)
      candidate = nullptr;
    client = FWindow->ScreenToClient(*ScreenPoint);
    if (AllowNewSelection || FSelected)
      if (TTBItemViewer* v = ViewerFromPoint(client))
        candidate = v;
  } else {
    ExcludeFlags(vfMouseInWindow);
  }
  if (FMouseCaptured)
    candidate = FSelected;
  if (FIsPopup && wasInWindow && !inWindow && !FMouseCaptured && !FOpenViewer)
    candidate = nullptr;
  SetSelectedViewer(candidate, true);
  if ((FFlags & vfInMenuLoop) && inWindow && FWindow) {
    int height = FWindow->ClientHeight();
    bool inClient = client.x >= 0 && client.y >= 0 && client.x < FWindow->ClientWidth() && client.y < height;
    if (inClient && FUpArrowShown && client.y < ScrollArrowBand) {
      DisarmTimer(tiScrollDown);
      if (!TimerRunning(tiScrollUp))
        ArmTimer(tiScrollUp, ScrollRepeatMs);
    } else if (inClient && FDownArrowShown && client.y >= height - ScrollArrowBand) {
      DisarmTimer(tiScrollUp);
      if (!TimerRunning(tiScrollDown))
        ArmTimer(tiScrollDown, ScrollRepeatMs);
    } else {
      DisarmTimer(tiScrollUp);
      DisarmTimer(tiScrollDown);
    }
  }
}

bool TTBView::OpenSubmenu(bool SelectFirst)
{
  DisarmTimer(tiClose);
  DisarmTimer(tiOpen);
  if (FSelected != FOpenViewer) {
    CloseSubmenus();
    if (FSelected && FSelected->Item()->Enabled() && (FSelected->Item()->ItemStyle() & tbsfOpensSubmenu))
      FSelected->Item()->CreatePopup(this, FSelected, !FIsToolbar, SelectFirst, false, TPoint(0, 0), tbpaLeft);
  }
  return FOpenViewer != nullptr;
}

void TTBView::CloseSubmenus()
{
  if (FOpenViewerView)
    FOpenViewerView->CloseSubmenus();
  DisarmTimer(tiClose);
  TTBPopupWindow* window = FOpenViewerWindow;
  FOpenViewer = nullptr;
  FOpenViewerView = nullptr;
  FOpenViewerWindow = nullptr;
  delete window;
}

void TTBView::LeaveDropDownMode()
{
  if (FIsToolbar)
    ExcludeFlags(vfDropDownMode);
  CloseSubmenus();
}

void TTBView::HostTimer(UINT_PTR Id, UINT Ms, bool Arm)
{
  // Window timers live on popup windows only; elsewhere the bit alone records
  // that the kind is armed.
  if (!FIsPopup || !FWindow || !FWindow->HandleAllocated())
    return;
  if (Arm)
    SetTimer(FWindow->Handle(), Id, Ms, nullptr);
  else
    KillTimer(FWindow->Handle(), Id);
}

void TTBView::ArmTimer(TTBViewTimer Kind, UINT Milliseconds)
{
  DisarmTimer(Kind);
  FRunningTimers |= 1u << Kind;
  HostTimer(ViewTimerBaseID + Kind, Milliseconds, true);
}

void TTBView::DisarmTimer(TTBViewTimer Kind)
{
  if (Kind > 7 || !(FRunningTimers & (1u << Kind)))
    return;
  FRunningTimers &= ~(1u << Kind);
  HostTimer(ViewTimerBaseID + Kind, 0, false);
}

void TTBView::DisarmAllTimers()
{
  for (TTBViewTimer kind : {tiOpen, tiClose, tiScrollUp, tiScrollDown})
    DisarmTimer(kind);
}

void TTBView::TimerExpired(TTBViewTimer Kind)
{
  switch (Kind) {
  case tiOpen:
    DisarmTimer(tiOpen);
    CloseSubmenus();
    OpenSubmenu(false);
    break;
  case tiClose:
    DisarmTimer(tiClose);
    CloseSubmenus();
    break;
  case tiScrollUp:
    if (FUpArrowShown)
      ScrollByViewer(false);
    else
      DisarmTimer(tiScrollUp);
    break;
  case tiScrollDown:
    if (FDownArrowShown)
      ScrollByViewer(true);
    else
      DisarmTimer(tiScrollDown);
    break;
  }
}

void TTBView::BeginCapture()
{
  FMouseCaptured = true;
}

void TTBView::EndCapture()
{
  if (!FMouseCaptured)
    return;
  FMouseCaptured = false;
  LastMousePos.x = ForceMouseReread;
  if (FSelected)
    FSelected->RepaintViewer();
}

void TTBView::AnnounceFocus()
{
  if (!(FFlags & vfInMenuLoop) || !(RootView()->FFlags & vfInMenuLoop) || !FWindow || !FWindow->HandleAllocated() ||
      !IsWindowVisible(FWindow->Handle()))
    return;
  if (FSelected && FSelected->IsReachable()) {
    int child = 1;
    for (TTBItemViewer* v : FViewers) {
      if (v == FSelected)
        break;
      if (v->IsReachable())
        ++child;
    }
    CallNotifyWinEvent(EVENT_OBJECT_FOCUS, FWindow->Handle(), OBJID_CLIENT, child);
  } else if (FParentView) {
    FParentView->AnnounceFocus();
  } else {
    CallNotifyWinEvent(EVENT_OBJECT_FOCUS, FWindow->Handle(), OBJID_CLIENT, 0);
  }
}

void TTBView::ShowAccelerators(bool Show)
{
  if (!Show && (FTraits & vtHiddenAccels))
    Show = KeyboardCuesShown();
  if (Show == bool(FFlags & vfAccelsShown))
    return;
  if (Show)
    IncludeFlags(vfAccelsShown);
  else
    ExcludeFlags(vfAccelsShown);
  if (FWindow && FWindow->HandleAllocated() && IsWindowVisible(FWindow->Handle()))
    for (TTBItemViewer* v : FViewers)
      if (v->ShowsCaption() && AccelCharOf(v->CaptionWithoutShortcut()) != 0)
        v->RepaintViewer();
}

TTBItemViewer* TTBView::NextSelectable(TTBItemViewer* Current, bool Forward)
{
  EnsureLayout();
  int n = int(FViewers.size());
  if (n == 0)
    return nullptr;
  int start = ViewerIndex(Current);
  int i = start;
  for (int step = 0; step < n; ++step) {
    if (i < 0)
      i = Forward ? 0 : n - 1;
    else
      i = Forward ? (i + 1) % n : (i + n - 1) % n;
    if (Selectable(FViewers[size_t(i)]))
      return FViewers[size_t(i)];
  }
  return nullptr;
}

TTBItemViewer* TTBView::InitialSelection()
{
  EnsureLayout();
  TTBItemViewer* first = nullptr;
  for (TTBItemViewer* v : FViewers) {
    if (!Selectable(v))
      continue;
    if (!first)
      first = v;
    if (!(v->Item()->ItemStyle() & tbsfSkipInitialSelect))
      return v;
  }
  return first;
}

TTBItemViewer* TTBView::FindByAccelerator(TTBItemViewer* Current, char32_t Char, bool RequirePrimary,
                                          bool& IsOnlyMatch)
{
  EnsureLayout();
  IsOnlyMatch = false;
  int n = int(FViewers.size());
  int start = ViewerIndex(Current);
  char32_t wanted = FoldCase(Char);
  auto matches = [&](TTBItemViewer* v, bool primary, bool enabled) {
    if (!Selectable(v) || v->Item()->Enabled() != enabled || !v->ShowsCaption())
      return false;
    std::string caption = v->CaptionWithoutShortcut();
    char32_t accel = AccelCharOf(caption);
    if (primary)
      return accel != 0 && FoldCase(accel) == wanted;
    return accel == 0 && Char != ' ' && FoldCase(FirstCodePoint(caption)) == wanted;
  };
  auto search = [&](bool primary, bool enabled, int from) -> int {
    for (int step = 1; step <= n; ++step) {
      int i = ((from < 0 ? -1 : from) + step + n) % n;
      if (matches(FViewers[size_t(i)], primary, enabled))
        return i;
    }
    return -1;
  };
  for (bool primary : {true, false}) {
    if (!primary && RequirePrimary)
      break;
    for (bool enabled : {true, false}) {
      int found = search(primary, enabled, start);
      if (found < 0)
        continue;
      if (!enabled)
        IsOnlyMatch = true;
      else
        IsOnlyMatch = search(primary, true, found) == found;
      return FViewers[size_t(found)];
    }
  }
  return nullptr;
}

void TTBView::MoveSelection(bool Forward)
{
  SetSelectedViewer(NextSelectable(FSelected, Forward), false);
  ScrollSelectionIntoView();
}

void TTBView::ActivateSelected(bool GivePriority)
{
  TTBItemViewer* v = FSelected;
  if (v && v->Item()->Enabled()) {
    TTBItemFlags style = v->Item()->ItemStyle();
    if (!(style & tbsfSplitButton) && OpenSubmenu(true))
      return;
    if (style & tbsfCanSelect) {
      v->ExecuteItem(GivePriority);
      return;
    }
  }
  FinishCancel();
}

void TTBView::FinishCancel() { RootView()->FPendingOutcome = TTBMenuOutcome{tbmoCancel, nullptr, 0, 0}; }

void TTBView::FinishWithClick(TTBItemViewer* Viewer)
{
  RootView()->FPendingOutcome = TTBMenuOutcome{tbmoClick, Viewer->Item(), 0, Viewer->View()->IsPopup() ? 1 : 0};
}

void TTBView::FinishWithHelp(int HelpContext)
{
  RootView()->FPendingOutcome = TTBMenuOutcome{tbmoHelp, nullptr, HelpContext, 0};
}

void TTBView::FinishWithSystemMenu(HWND Window, int Key)
{
  RootView()->FPendingOutcome = TTBMenuOutcome{tbmoSystemMenu, Window, 0, Key};
}

void TTBView::HandleMenuKey(WORD& Key, TShiftState Shift)
{
  TTBView* toolbar = ToolbarViewAbove();
  bool toolbarVertical = toolbar && toolbar->Axis() == tbaVertical;
  switch (Key) {
  case VK_TAB:
    MoveSelection(!Shift.Contains(ssShift));
    break;
  case VK_RETURN:
    ActivateSelected(true);
    break;
  case VK_ESCAPE:
    if (FParentView)
      FParentView->LeaveDropDownMode();
    else
      FinishCancel();
    break;
  case VK_MENU:
  case VK_F10:
    FinishCancel();
    break;
  case VK_HOME:
  case VK_END:
    SetSelectedViewer(NextSelectable(nullptr, Key == VK_HOME), false);
    ScrollSelectionIntoView();
    break;
  case VK_LEFT:
  case VK_RIGHT:
    if (this == toolbar && toolbarVertical)
      OpenSubmenu(true);
    if (Key == VK_LEFT) {
      if ((!toolbar || toolbarVertical) && FParentView)
        FParentView->LeaveDropDownMode();
      if (this == toolbar || (toolbar && toolbar == FParentView))
        toolbar->MoveSelection(false);
      else if (FParentView)
        FParentView->CloseSubmenus();
    } else if ((this == toolbar || !OpenSubmenu(true)) && toolbar && !toolbarVertical) {
      toolbar->MoveSelection(true);
    }
    break;
  case VK_UP:
  case VK_DOWN:
    if (this != toolbar || toolbarVertical)
      MoveSelection(Key == VK_DOWN);
    else
      OpenSubmenu(true);
    break;
  case VK_F1:
    for (TTBView* v = this; v; v = v->FParentView)
      if (v->FSelected && v->FSelected->Item()->HelpContext() != 0) {
        FinishWithHelp(v->FSelected->Item()->HelpContext());
        break;
      }
    break;
  default:
    return;
  }
  Key = 0;
}

void TTBView::ScrollByViewer(bool Down)
{
  EnsureLayout();
  int amount = 0;
  bool found = false;
  for (TTBItemViewer* v : FViewers) {
    if (!v->Clipped() || (v->Item()->ItemStyle() & tbsfIsSeparator))
      continue;
    if (Down && v->BoundsRect.Bottom > FHeightLimit - ScrollArrowBand) {
      int a = v->BoundsRect.Bottom + ScrollArrowBand - FHeightLimit;
      if (!found || a < amount)
        amount = a;
      found = true;
    } else if (!Down && v->BoundsRect.Top < ScrollArrowBand) {
      int a = v->BoundsRect.Top - ScrollArrowBand;
      if (!found || a > amount)
        amount = a;
      found = true;
    }
  }
  if (!found)
    return;
  FScrollPosition += amount;
  FLayoutValid = false;
  EnsureLayout();
}

void TTBView::ScrollSelectionIntoView()
{
  if (!FSelected || !FSelected->Clipped())
    return;
  const TRect& r = FSelected->BoundsRect;
  if (r.Top <= ScrollArrowBand - 1)
    FScrollPosition -= ScrollArrowBand - r.Top;
  else if (r.Bottom > FHeightLimit - ScrollArrowBand)
    FScrollPosition += r.Bottom + ScrollArrowBand - FHeightLimit;
  FLayoutValid = false;
  EnsureLayout();
}
