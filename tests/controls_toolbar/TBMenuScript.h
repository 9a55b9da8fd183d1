// The user of a scripted menu session on the headless display: whenever a
// menu loop would wait, it lets a show animation finish, plays the next step,
// or, once the steps have run out, ends the menu so that no test can hang.
#pragma once

#include <deque>
#include <functional>

#include "controls/toolbar/TBShowAnimation.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

struct TMenuScript {
  std::deque<std::function<void()>> Steps;
  bool RanOut = false;

  void Install(THeadlessDisplay* Display) { Display->SetIdleScript([this] { return Play(); }); }

  bool Play()
  {
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
  }
};
