#include <map>
#include <mutex>
#include <string>

#include "platform/win/ole/detail/OleThread.h"
#include "platform/win/window/Styles.h"
#include "platform/win/window/WindowClass.h"
#include "platform/win/window/WindowTree.h"

HWND ole_detail::ThreadWindow(const char* className, WNDPROC procedure)
{
  thread_local std::map<std::string, HWND> windows;
  HWND& window = windows[className];
  if (window && IsWindow(window))
    return window;
  static std::mutex lock;
  {
    std::lock_guard<std::mutex> guard(lock);
    WNDCLASSEX known = {};
    known.cbSize = sizeof(known);
    if (!GetClassInfoEx(nullptr, className, &known)) {
      WNDCLASSEX wc = {};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = procedure;
      wc.lpszClassName = className;
      RegisterClassEx(&wc);
    }
  }
  window = CreateWindowEx(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  return window;
}
