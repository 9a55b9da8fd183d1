#include "platform/win/window/ModalLoop.h"

#include "platform/win/window/Hooks.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/WindowTree.h"

bool TModalLoop::Next(MSG& msg) const
{
  for (;;) {
    if (FDone && FDone())
      return false;
    if (FCapture && (GetCapture() != FCapture || !IsWindow(FCapture)))
      return false;
    if (FWait)
      GetMessage(&msg, nullptr, 0, 0);
    else if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
      return false;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return false;
    }
    if (FMessageFilter == NoMessageFilter || !CallMsgFilter(&msg, FMessageFilter))
      return true;
  }
}
