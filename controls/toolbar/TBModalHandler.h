// TTBModalHandler: the modal loop of a menu. It holds the mouse capture and
// takes every mouse and key message of the thread, hands them to the views
// of the menu (the root view and the chain of open submenus), and ends when
// a view records an outcome, the capture is lost, or a press lands outside
// the menu (that press stays queued for the window under it).
#pragma once

#include "controls/toolbar/TBTypes.h"
#include "platform/base/Object.h"
#include "platform/win/window/WindowTypes.h"

struct TMessage;

class TTBModalHandler : public TObject {
public:
  // Uses ExistingWindow for the capture, or a window of its own.
  explicit TTBModalHandler(HWND ExistingWindow);
  ~TTBModalHandler() override;

  void Run(TTBView* RootView, bool MouseDown, bool ActivateSelected, bool FromAccessibility, bool TrackRightButton);
  HWND Wnd() const { return FWnd; }

private:
  void WndProc(TMessage& Message);
  void ReplayPress();

  bool FCreatedWnd = false;
  bool FInitialized = false;
  HWND FWnd = nullptr;
  // A press outside the menu that ended the loop, delivered again once the
  // capture is released.
  MSG FReplay{};
  bool FHasReplay = false;
};

// Does what a finished menu asked for, once its popups are gone: a click is
// posted to the deferred-action window, the system menu is opened with
// WM_SYSCOMMAND, help runs for the context.
void PerformMenuOutcome(const TTBMenuOutcome& Outcome);
