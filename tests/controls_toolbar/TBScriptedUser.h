// The user of a scripted session on the headless display: whenever a modal
// loop (a menu, a drag, a resize) would wait for input, the user first waits
// for a menu's show animation to end, then the next step of the script runs;
// once the script has run out, the loop holding the capture is ended so that
// no test can hang.
#pragma once

#include <deque>
#include <functional>

#include "controls/toolbar/TBShowAnimation.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

class TScriptedUser {
public:
  void Attach(THeadlessDisplay* Display)
  {
    FDisplay = Display;
    Display->SetIdleScript([this] {
      if (ShowAnimationRunning(nullptr)) {
        StopShowAnimation(nullptr);
        return true;
      }
      if (!Steps.empty()) {
        auto step = std::move(Steps.front());
        Steps.pop_front();
        step();
        return true;
      }
      if (HWND capture = GetCapture()) {
        RanOut = true;
        PostMessage(capture, WM_NULL, 0, 0);
        ReleaseCapture();
        return true;
      }
      return false;
    });
  }
  void Detach()
  {
    if (FDisplay)
      FDisplay->SetIdleScript(nullptr);
    FDisplay = nullptr;
  }
  ~TScriptedUser() { Detach(); }

  std::deque<std::function<void()>> Steps;
  bool RanOut = false;

private:
  THeadlessDisplay* FDisplay = nullptr;
};
