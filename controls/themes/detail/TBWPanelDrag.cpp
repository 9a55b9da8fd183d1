#include "controls/themes/detail/TBWPanelDrag.h"

#include "controls/toolbar/TBCaptureLoop.h"
#include "controls/toolbar/TBCommon.h"

namespace {

// The line is two pixels thick: a ring of one pixel fills it.
const TSize LineRing(1, 1);

}  // namespace

TPanelDrag::TPanelDrag(HWND Window, bool ShowLine, const TRect& Line)
    : FWindow(Window), FScreen(GetDC(nullptr)), FShowLine(ShowLine), FLine(Line)
{
  SetCapture(Window);
  GetCursorPos(&FStart);
  if (FShowLine)
    DrawHalftoneDragFrame(FScreen, FLine, nullptr, LineRing, LineRing);
}

TPanelDrag::~TPanelDrag()
{
  End();
  ReleaseDC(nullptr, FScreen);
}

void TPanelDrag::MoveLine(const TRect& Line)
{
  if (!FShowLine)
    return;
  DrawHalftoneDragFrame(FScreen, Line, &FLine, LineRing, LineRing);
  FLine = Line;
}

void TPanelDrag::End()
{
  if (FEnded)
    return;
  FEnded = true;
  if (GetCapture() == FWindow)
    ReleaseCapture();
  if (FShowLine)
    DrawHalftoneDragFrame(FScreen, FLine, nullptr, LineRing, LineRing);
}

void TPanelDrag::Run(const std::function<void(const TPoint&)>& Moved)
{
  TPoint last = FStart;
  auto moved = [&] {
    TPoint p;
    GetCursorPos(&p);
    if (p == last)
      return;
    last = p;
    Moved(p);
  };
  auto escape = [](const MSG& Msg) {
    return (Msg.message == WM_KEYDOWN || Msg.message == WM_KEYUP) && Msg.wParam == VK_ESCAPE;
  };
  RunCaptureLoop(FWindow, moved, escape);
  End();
}
