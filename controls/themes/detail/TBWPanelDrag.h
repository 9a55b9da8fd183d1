// What the panel's two modal loops (docked resize, split drag) share: the
// capture and the screen DC held for the drag, the half-tone line that shows
// the edge in line mode, and the loop that calls back for every new pointer
// position until a button, Escape or the loss of the capture ends it.
#pragma once

#include <functional>

#include "platform/win/win.h"

class TPanelDrag {
public:
  // Takes the capture for Window and a screen DC; the line is drawn when
  // ShowLine.
  TPanelDrag(HWND Window, bool ShowLine, const TRect& Line);
  ~TPanelDrag();
  TPanelDrag(const TPanelDrag&) = delete;
  TPanelDrag& operator=(const TPanelDrag&) = delete;

  const TPoint& Start() const { return FStart; }
  void MoveLine(const TRect& Line);
  // Runs until the drag ends; Moved gets each new pointer position. Ends
  // with the capture released and the line erased. Escape ends it as a
  // release does: what was reached stays.
  void Run(const std::function<void(const TPoint&)>& Moved);

private:
  void End();

  HWND FWindow;
  HDC FScreen;
  bool FShowLine;
  TRect FLine;
  TPoint FStart;
  bool FEnded = false;
};
