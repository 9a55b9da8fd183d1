#include "host/GuiThreadCalls.h"

#include <atomic>
#include <deque>
#include <mutex>

#include "platform/base/ThreadId.h"
#include "platform/classes/Messages.h"
#include "platform/classes/controls/ControlTypes.h"
#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/window.h"

namespace {

// A plug-in's thread that calls without end must not fill the memory.
constexpr std::size_t MaxWaitingCalls = 10000;
constexpr UINT WM_RUNGUICALLS = WM_USER + 0x3C1;

// Lives as long as the process: a plug-in's thread may call at any moment,
// also after the host ended.
class TGuiThreadCalls {
public:
  void Attach()
  {
    Detach();
    HWND window = AllocateHWnd(TWndMethod(this, &TGuiThreadCalls::WndProc));
    std::lock_guard<std::mutex> lock(FLock);
    FWindow = window;
    FThread = GetCurrentThreadId();
    FWakePosted = false;
  }
  void Detach()
  {
    HWND window;
    {
      std::lock_guard<std::mutex> lock(FLock);
      window = FWindow;
      FWindow = nullptr;
      FThread = 0;
      FCalls.clear();
    }
    if (window)
      DeallocateHWnd(window);
  }
  bool OnGuiThread()
  {
    std::lock_guard<std::mutex> lock(FLock);
    return FThread == 0 || FThread == GetCurrentThreadId();
  }
  bool Post(std::function<void()> Call)
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (!FWindow || FCalls.size() >= MaxWaitingCalls)
      return false;
    FCalls.push_back(std::move(Call));
    // One wake-up at a time: the window runs every call queued by then.
    if (!FWakePosted)
      FWakePosted = PostMessage(FWindow, WM_RUNGUICALLS, 0, 0) != FALSE;
    return true;
  }

private:
  void WndProc(TMessage& Message)
  {
    if (Message.Msg != WM_RUNGUICALLS) {
      Message.Result = DefWindowProc(FWindowOf(), Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    std::deque<std::function<void()>> calls;
    {
      std::lock_guard<std::mutex> lock(FLock);
      calls.swap(FCalls);
      FWakePosted = false;
    }
    for (auto& call : calls)
      call();
  }
  HWND FWindowOf()
  {
    std::lock_guard<std::mutex> lock(FLock);
    return FWindow;
  }

  std::mutex FLock;
  HWND FWindow = nullptr;
  DWORD FThread = 0;
  bool FWakePosted = false;
  std::deque<std::function<void()>> FCalls;
};

TGuiThreadCalls& Calls()
{
  static auto* calls = new TGuiThreadCalls;
  return *calls;
}

}  // namespace

void AttachGuiThreadCalls() { Calls().Attach(); }

void DetachGuiThreadCalls() { Calls().Detach(); }

bool OnGuiThread() { return Calls().OnGuiThread(); }

bool PostToGuiThread(std::function<void()> Call) { return Calls().Post(std::move(Call)); }
