// Running a menu from start to end: a popup menu at a point (RunPopup), a
// toolbar's own view (RunToolbarMenuLoop), and what is done once the menu
// has closed (the outcome).
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBDeferredActions.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBModalHandler.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/CustomForm.h"
#include "platform/classes/forms/Screen.h"
#include "platform/win/win.h"

void PerformMenuOutcome(const TTBMenuOutcome& Outcome)
{
  switch (Outcome.Kind) {
  case tbmoClick:
    if (Outcome.Param != 0 && SoundSchemeHasSound("MenuCommand"))
      PlaySound("MenuCommand", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    PostDeferredClick(static_cast<TTBCustomItem*>(Outcome.Value));
    break;
  case tbmoSystemMenu:
    SendMessage(HWND(Outcome.Value), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(Outcome.Param));
    break;
  case tbmoHelp: {
    // A form with the help caption button gives help on the item in a popup.
    TCustomForm* active = Screen()->ActiveCustomForm();
    bool popupHelp = active && active->HandleAllocated() &&
                     (GetWindowLong(active->Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    if (popupHelp)
      Application()->HelpCommand(HELP_CONTEXTPOPUP, ULONG_PTR(Outcome.HelpContext));
    else
      Application()->HelpContext(THelpContext(Outcome.HelpContext));
    break;
  }
  default:
    break;
  }
}

void TTBCustomItem::RunPopup(bool SelectFirstItem, bool TrackRightButton, TTBPopupAlignment Alignment, TPoint Point)
{
  TTBMenuOutcome outcome;
  TTBPopupWindow* window = CreatePopup(nullptr, nullptr, false, SelectFirstItem, false, Point, Alignment);
  try {
    // The menu's own shown window holds the capture: a display takes the
    // pointer and the keyboard for a shown window only, and a press on
    // another program's window must still end the menu.
    TTBModalHandler handler(window->Handle());
    TTBView* view = window->View();
    view->IncludeFlags(vfIgnoreFirstButtonUp);
    handler.Run(view, false, false, false, TrackRightButton);
    outcome = view->PendingOutcome();
    view->ExcludeFlags(vfInMenuLoop);
  } catch (...) {
    delete window;
    throw;
  }
  delete window;
  PerformMenuOutcome(outcome);
}

void TTBView::RunToolbarMenuLoop(TTBMenuLoopOptions Options)
{
  if (FFlags & vfInMenuLoop)
    return;
  TTBMenuOutcome outcome;
  {
    TTBModalHandler handler(FWindow->Handle());
    FFlags = TTBViewFlags((FFlags & vfAccelsShown) | vfInMenuLoop);
    if (FSelected)
      AnnounceFocus();
    struct TCleanUp {
      TTBView* View;
      ~TCleanUp()
      {
        View->ExcludeFlags(vfInMenuLoop);
        View->DisarmAllTimers();
        View->CloseSubmenus();
        TPoint cursor;
        GetCursorPos(&cursor);
        View->TrackMousePosition(&cursor, true);
      }
    } cleanUp{this};
    handler.Run(this, Options & tbmlMouseDown, Options & tbmlActivateSelected, Options & tbmlFromAccessibility,
                false);
    outcome = FPendingOutcome;
  }
  ShowAccelerators(false);
  SetSelectedViewer(nullptr, false);
  PerformMenuOutcome(outcome);
}
