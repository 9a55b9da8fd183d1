#include "platform/classes/forms/AllocateHWnd.h"

#include "platform/base/ModuleLoader.h"
#include "platform/win/win.h"

namespace {

constexpr const char* UtilClass = "TPUtilWindow";
constexpr const char* MethodProp = "CorvaneWndMethod";

LRESULT UtilWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* method = static_cast<TWndMethod*>(GetProp(hwnd, MethodProp));
  if (!method || !*method)
    return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  TWndMethod call = *method;  // the window may go while the method runs
  call(message);
  // A window destroyed without DeallocateHWnd still gives its method back.
  if (msg == WM_NCDESTROY)
    delete static_cast<TWndMethod*>(RemoveProp(hwnd, MethodProp));
  return message.Result;
}

}  // namespace

HWND AllocateHWnd(TWndMethod Method)
{
  static bool registered = false;
  if (!registered) {
    WNDCLASS wc;
    wc.lpfnWndProc = &UtilWndProc;
    wc.hInstance = HInstance();
    wc.lpszClassName = UtilClass;
    RegisterClass(&wc);
    registered = true;
  }
  HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, UtilClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, HInstance(),
                             nullptr);
  if (hwnd && Method)
    SetProp(hwnd, MethodProp, new TWndMethod(Method));
  return hwnd;
}

void DeallocateHWnd(HWND Wnd)
{
  if (!Wnd || !IsWindow(Wnd))
    return;
  auto* method = static_cast<TWndMethod*>(RemoveProp(Wnd, MethodProp));
  DestroyWindow(Wnd);
  delete method;
}
