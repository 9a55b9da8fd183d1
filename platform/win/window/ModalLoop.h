// The message fetching of a modal loop nested in the application's own loop
// (moving or sizing a window, tracking a scroll bar, a dropped combo box list,
// a menu, a drag, a test pumping the queue): the loop's body only handles what
// Next hands it.
#pragma once

#include <functional>
#include <utility>

#include "platform/win/window/WindowTypes.h"

// The message filter code of a loop that does not offer its messages to the
// WH_MSGFILTER hooks (MSGF_DIALOGBOX is 0).
constexpr int NoMessageFilter = -1;

class TModalLoop {
public:
  // A loop that waits for each message. It ends once `capture` no longer
  // holds the mouse capture or is destroyed (null: the capture does not end
  // it), or once `done` (asked before each message) says so. With a filter
  // code, the WH_MSGFILTER hooks see each message first; one a hook takes
  // never reaches the loop's body.
  explicit TModalLoop(HWND capture, int messageFilter = NoMessageFilter, std::function<bool()> done = {})
    : FCapture(capture), FMessageFilter(messageFilter), FDone(std::move(done))
  {
  }

  // A loop over the messages already queued: it ends once the queue is empty.
  static TModalLoop QueuedOnly()
  {
    TModalLoop loop(nullptr);
    loop.FWait = false;
    return loop;
  }

  // The next message for the loop's body; false when the loop must end. A
  // WM_QUIT met on the way is posted again so the loop outside ends too.
  bool Next(MSG& msg) const;

private:
  HWND FCapture;
  int FMessageFilter;
  std::function<bool()> FDone;
  bool FWait = true;
};
