#include "controls/toolbar/TBCaptureLoop.h"

#include "platform/win/window/ModalLoop.h"

TCaptureLoopEnd RunCaptureLoop(HWND Capture, const std::function<void()>& MouseMoved,
                               const std::function<bool(const MSG&)>& Key)
{
  TModalLoop loop(Capture);
  MSG msg;
  while (loop.Next(msg)) {
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      if (Key && Key(msg))
        return TCaptureLoopEnd::Cancelled;
      continue;
    }
    switch (msg.message) {
    case WM_MOUSEMOVE:
      MouseMoved();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return TCaptureLoopEnd::Cancelled;
    case WM_LBUTTONUP:
      return TCaptureLoopEnd::Released;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      break;
    default:
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  return TCaptureLoopEnd::Cancelled;
}
