#include "controls/utility/UtUtilityWindow.h"

#include <memory>

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

// The method lives in the window's extra bytes; the window owns it.
TUtWndMethod* StoredMethod(HWND window)
{
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
    std::unique_ptr<TUtWndMethod> owned(method);
    (*owned)(message);
    return message.Result;
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
    SetWindowLongPtr(window, 0, reinterpret_cast<LONG_PTR>(new TUtWndMethod(Handler)));
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
