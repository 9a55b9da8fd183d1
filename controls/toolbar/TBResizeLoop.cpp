// RunResizeLoop: resizes a floating window by an edge or corner of its frame,
// within the window's minimum and maximum floating sizes.
#include "controls/toolbar/TBCaptureLoop.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "controls/toolbar/TBDragGeometry.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "platform/base/ScopeGuard.h"
#include "platform/win/win.h"

void TTBCustomDockableWindow::RunResizeLoop(int Edge)
{
  TTBFloatingWindowParent* frame = FFloatFrame;
  if (!FFloating || !frame || Parent() != frame)
    return;
  // 1. Limits, grown by the frame's non-client sizes.
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  FloatingSizeBounds(minW, minH, maxW, maxH);
  const int ncW = frame->Width() - Width(), ncH = frame->Height() - Height();
  minW += ncW;
  minH += ncH;
  if (maxW > 0)
    maxW += ncW;
  if (maxH > 0)
    maxH += ncH;
  // 2.
  ResizeStarted(Edge);
  ScopeExit ended([this] { ResizeEnded(); });
  // 3, 4.
  PumpPaintMessages();
  HDC screenDC = nullptr;
  if (!FSmoothDrag) {
    LockWindowUpdate(GetDesktopWindow());
    screenDC = GetDCEx(GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  }
  HWND capture = frame->Handle();
  SetCapture(capture);
  bool clipped = false;
  if (FResizeBehaviour.Contains(rbClipCursor) && !HasMultipleMonitors()) {
    TRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ClipCursor(&screen);
    clipped = true;
  }
  // 5.
  TRect start;
  GetWindowRect(capture, &start);
  TRect current = start;
  TPoint border(0, 0);
  FloatingFrameSize(border);
  const TSize outline(border.x, border.x);
  if (!FSmoothDrag)
    DrawHalftoneDragFrame(screenDC, current, nullptr, outline, outline);
  TPoint startCursor, last;
  GetCursorPos(&startCursor);
  last = startCursor;

  auto apply = [this, frame](const TRect& R) {
    BeginArrange();
    ResizeApplying();
    frame->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    // Through the window's own SetBounds, so that BeforeResize lets it keep
    // the size the user gave (a panel's floating client size).
    SetBounds(0, 0, frame->ClientWidth(), frame->ClientHeight());
    EndArrange();
    KeepFrameOnScreen(true);
  };

  // 6.
  auto moved = [&] {
    TPoint p;
    GetCursorPos(&p);
    if (p == last)
      return;
    last = p;
    TRect next =
        ResizedFrameRect(start, Edge, TPoint(p.x - startCursor.x, p.y - startCursor.y), minW, minH, maxW, maxH);
    ResizeTracking(next, start);
    if (FSmoothDrag)
      apply(next);
    else
      DrawHalftoneDragFrame(screenDC, next, &current, outline, outline);
    current = next;
  };
  // Only Escape among the keys ends a resize.
  auto key = [](const MSG& Msg) { return Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE; };
  const bool accepted = RunCaptureLoop(capture, moved, key) == TCaptureLoopEnd::Released;
  // 7.
  if (GetCapture() == capture)
    ReleaseCapture();
  if (clipped)
    ClipCursor(nullptr);
  if (!FSmoothDrag) {
    DrawHalftoneDragFrame(screenDC, TRect(), &current, outline, outline);
    ReleaseDC(GetDesktopWindow(), screenDC);
    LockWindowUpdate(nullptr);
    if (accepted)
      apply(current);
  }
}
