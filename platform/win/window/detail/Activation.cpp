// Capture, keyboard focus and activation.
#include "platform/win/window/Input.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/VirtualKeys.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace wincore {

void SendActivateApp(bool active)
{
  std::vector<HWND> tops;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (Core().AppActive == active)
      return;
    Core().AppActive = active;
    for (TWnd* w : Core().Desktop->Children)
      tops.push_back(w->Handle);
  }
  for (HWND h : tops)
    SendMessage(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

HWND ActivateWindow(HWND hwnd, bool click)
{
  TCore& core = Core();
  HWND old;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    old = ResolveLocal(core.Active) ? core.Active : nullptr;
    if (hwnd) {
      TWnd* w = ResolveLocal(hwnd);
      if (!w || w->MessageOnly)
        return nullptr;
      hwnd = RootOf(w)->Handle;
    }
    if (old == hwnd && (!hwnd || core.AppActive))
      return old;
  }
  if (hwnd && HasHooks(WH_CBT)) {
    CBTACTIVATESTRUCT cbt{click ? TRUE : FALSE, old};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt)))
      return nullptr;
  }
  if (old && old != hwnd) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
  }
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    core.Active = hwnd;
  }
  if (!hwnd) {
    HWND focus = GetFocus();
    if (focus)
      SetFocus(nullptr);
    return old;
  }
  SendActivateApp(true);
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (TDisplayBackend* display = CurrentDisplayBackend())
    display->WindowActivated(hwnd);
  SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
  SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(click ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(hwnd) ? 1 : 0),
              reinterpret_cast<LPARAM>(old));
  // Focus left behind in the window that lost activation goes.
  bool stale;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* f = ResolveLocal(core.Focus);
    TWnd* w = ResolveLocal(hwnd);
    stale = f && w && core.Active == hwnd && RootOf(f) != w;
  }
  if (stale)
    SetFocus(nullptr);
  return old;
}

void ActivateOtherWindow(HWND leaving)
{
  HWND next = nullptr;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(leaving);
    auto usable = [&](TWnd* c) {
      return c && c != w && (c->Style & WS_VISIBLE) && !(c->Style & WS_DISABLED) && !(c->ExStyle & WS_EX_NOACTIVATE) &&
             !(c->Style & WS_MINIMIZE) && !c->Destroying;
    };
    if (w && usable(w->Owner))
      next = w->Owner->Handle;
    else
      for (TWnd* c : Core().Desktop->Children)
        if (usable(c) && !(c->ExStyle & WS_EX_TOOLWINDOW)) {
          next = c->Handle;
          break;
        }
  }
  ActivateWindow(next, false);
}

}  // namespace wincore

HWND SetCapture(HWND hwnd)
{
  HWND old;
  TDisplayBackend* display;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (hwnd && !ResolveLocal(hwnd))
      return nullptr;
    old = ResolveLocal(Core().Capture) ? Core().Capture : nullptr;
    Core().Capture = hwnd;
    display = Core().Display.get();
  }
  if (display)
    display->CaptureChanged(hwnd);
  if (old && old != hwnd)
    SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture()
{
  HWND old;
  TDisplayBackend* display;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    old = ResolveLocal(Core().Capture) ? Core().Capture : nullptr;
    Core().Capture = nullptr;
    display = Core().Display.get();
  }
  if (old) {
    if (display)
      display->CaptureChanged(nullptr);
    SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  }
  return TRUE;
}

HWND GetCapture()
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return ResolveLocal(Core().Capture) ? Core().Capture : nullptr;
}

HWND SetFocus(HWND hwnd)
{
  TCore& core = Core();
  HWND old;
  HWND root = nullptr;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    old = ResolveLocal(core.Focus) ? core.Focus : nullptr;
    if (hwnd) {
      TWnd* w = ResolveLocal(hwnd);
      if (!w || w->MessageOnly)
        return nullptr;
      // A window in a disabled or hidden chain cannot take the focus.
      for (TWnd* x = w; x && x != core.Desktop; x = x->Parent)
        if (x->Style & WS_DISABLED)
          return nullptr;
      root = RootOf(w)->Handle;
    }
    if (old == hwnd)
      return old;
  }
  if (hwnd && HasHooks(WH_CBT) &&
      CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(old)))
    return nullptr;
  if (root && GetActiveWindow() != root) {
    ActivateWindow(root, false);
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    if (core.Focus == hwnd)
      return old;
    old = ResolveLocal(core.Focus) ? core.Focus : nullptr;
  }
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    core.Focus = hwnd;
  }
  if (old)
    SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && GetFocus() == hwnd)
    SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus()
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return ResolveLocal(Core().Focus) ? Core().Focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd) { return ActivateWindow(hwnd, false); }

HWND GetActiveWindow()
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return ResolveLocal(Core().Active) ? Core().Active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (!ResolveLocal(hwnd))
      return FALSE;
  }
  ActivateWindow(hwnd, false);
  return TRUE;
}

HWND GetForegroundWindow()
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  return Core().AppActive && ResolveLocal(Core().Active) ? Core().Active : nullptr;
}

BOOL LockSetForegroundWindow(UINT lockCode)
{
  if (lockCode != LSFW_LOCK && lockCode != LSFW_UNLOCK)
    return FALSE;
  // Only other programs would be kept from taking the foreground; this process
  // records the request and its own activation goes on.
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  Core().ForegroundLocked = lockCode == LSFW_LOCK;
  return TRUE;
}
