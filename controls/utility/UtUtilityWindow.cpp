#include "controls/utility/UtUtilityWindow.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

#include "platform/base/Format.h"
#include "platform/base/ModuleLoader.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/Messages.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/WindowClass.h"
#include "platform/win/window/WindowTree.h"

namespace {

constexpr const char* DefaultClassName = "TUtilityWindow";

// False once the keeper is gone (the process is ending): the copies are freed.
std::atomic<bool> gKeeperAlive{false};

// A window's method is a copy the window points at from its extra bytes,
// freed at the window's last message. Windows that die with their thread
// hear no message, so the keeper holds every copy too and frees what is
// left with the process.
class TMethodKeeper {
public:
  TMethodKeeper() { gKeeperAlive = true; }
  ~TMethodKeeper()
  {
    std::lock_guard<std::mutex> lock(FLock);
    gKeeperAlive = false;
    FMethods.clear();
  }
  TUtWndMethod* Keep(HWND window, TUtWndMethod Method)
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto& slot = FMethods[window];
    slot = std::make_unique<TUtWndMethod>(Method);
    return slot.get();
  }
  std::unique_ptr<TUtWndMethod> Take(HWND window)
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FMethods.find(window);
    if (it == FMethods.end())
      return nullptr;
    std::unique_ptr<TUtWndMethod> method = std::move(it->second);
    FMethods.erase(it);
    return method;
  }

private:
  std::mutex FLock;
  std::map<HWND, std::unique_ptr<TUtWndMethod>> FMethods;
};

TMethodKeeper& Keeper()
{
  static TMethodKeeper keeper;
  return keeper;
}

TUtWndMethod* StoredMethod(HWND window)
{
  if (!gKeeperAlive)
    return nullptr;
  return reinterpret_cast<TUtWndMethod*>(GetWindowLongPtr(window, 0));
}

LRESULT UtilityWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TUtWndMethod* method = StoredMethod(window);
  if (!method || !*method)
    return DefWindowProc(window, msg, wParam, lParam);
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  if (msg == WM_NCDESTROY) {
    // The last message: the method goes with the window.
    SetWindowLongPtr(window, 0, 0);
    std::unique_ptr<TUtWndMethod> owned = Keeper().Take(window);
    (*method)(message);
    return message.Result;  // the copy goes now
  }
  (*method)(message);
  return message.Result;
}

}  // namespace

HWND AllocateUtilityWindow(TUtWndMethod Handler, const char* ClassName)
{
  const char* name = ClassName ? ClassName : DefaultClassName;
  HINSTANCE instance = HInstance();
  WNDCLASS existing{};
  bool registered = GetClassInfo(instance, name, &existing);
  if (!registered || existing.lpfnWndProc != &DefWindowProc) {
    if (registered)
      UnregisterClass(name, instance);
    WNDCLASS wc{};
    wc.lpfnWndProc = &DefWindowProc;
    wc.cbWndExtra = int(sizeof(TUtWndMethod*));
    wc.hInstance = instance;
    wc.lpszClassName = name;
    RegisterClass(&wc);
  }
  HWND window = CreateWindowEx(WS_EX_TOOLWINDOW, name, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (window && Handler) {
    SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(Keeper().Keep(window, Handler)));
    SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UtilityWindowProc));
  }
  return window;
}

void DeallocateUtilityWindow(HWND Window)
{
  DestroyWindow(Window);
}

std::string ScreenSuffix()
{
  return Format("(%dx%d)", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}
