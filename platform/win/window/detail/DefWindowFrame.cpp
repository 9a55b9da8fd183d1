// The default behaviour of windows for their frame, painting and placement:
// the client area, the active frame, the background, WM_PRINT, the system
// commands and the sizes and moves that follow a change of position.
#include <algorithm>

#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DefWindowProc.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/ScrollBars.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/WindowPos.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"
#include "platform/win/window/detail/DefWindowHandlers.h"

using namespace wincore;

namespace defwindow {

LRESULT OnNcCalcSize(HWND hwnd, LPARAM lParam)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !lParam)
    return 0;
  TRect* r = reinterpret_cast<TRect*>(lParam);  // rgrc[0] when wParam is TRUE
  *r = DefaultClientRect(w->Style, w->ExStyle, *r, (w->Style & WS_CHILD) != 0);
  return 0;
}

LRESULT OnNcActivate(HWND hwnd, WPARAM wParam)
{
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return TRUE;
    w->NcActive = wParam != 0;
  }
  PaintDefaultFrame(hwnd, reinterpret_cast<HRGN>(1));
  return TRUE;
}

LRESULT OnEraseBkgnd(HWND hwnd, WPARAM wParam)
{
  HBRUSH brush = nullptr;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (w && w->Class)
      brush = w->Class->Background;
  }
  if (!brush)
    return 0;
  auto v = reinterpret_cast<std::uintptr_t>(brush);
  if (v > 0 && v <= SYS_COLOR_COUNT)  // a system colour index plus one
    brush = GetSysColorBrush(int(v - 1));
  TRect r;
  GetClientRect(hwnd, &r);
  FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
  return 1;
}

LRESULT OnPaint(HWND hwnd)
{
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return 0;
}

void PrintWindow(HWND hwnd, HDC dc, LPARAM flags)
{
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd))
    return;
  TRect window, client;
  GetWindowRect(hwnd, &window);
  TPoint origin(0, 0);
  ClientToScreen(hwnd, &origin);
  int dx = origin.x - window.Left, dy = origin.y - window.Top;
  if (flags & PRF_NONCLIENT)
    SendMessage(hwnd, WM_NCPAINT, 1, reinterpret_cast<LPARAM>(dc));
  TPoint old;
  OffsetViewportOrgEx(dc, (flags & PRF_NONCLIENT) ? dx : 0, (flags & PRF_NONCLIENT) ? dy : 0, &old);
  if (flags & PRF_ERASEBKGND)
    SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (flags & PRF_CLIENT)
    SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if (flags & PRF_CHILDREN) {
    // Children, bottom of z-order first so that the upper ones cover them.
    std::vector<HWND> children;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      children.insert(children.begin(), c);
    for (HWND c : children) {
      if (!IsWindowVisible(c))
        continue;
      TRect r;
      GetWindowRect(c, &r);
      TPoint p(r.Left, r.Top);
      ScreenToClient(hwnd, &p);
      int saved = SaveDC(dc);
      OffsetViewportOrgEx(dc, p.x, p.y, nullptr);
      SendMessage(c, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
      RestoreDC(dc, saved);
    }
  }
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
  if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_SYSCOMMAND, wParam, lParam))
    return 0;
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      PostMessage(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case SC_MINIMIZE:
      ShowWindow(hwnd, SW_MINIMIZE);
      return 0;
    case SC_MAXIMIZE:
      ShowWindow(hwnd, SW_MAXIMIZE);
      return 0;
    case SC_RESTORE:
      ShowWindow(hwnd, SW_RESTORE);
      return 0;
    case SC_MOVE:
    case SC_SIZE: {
      // Where the press was, not where the pointer is by now.
      DWORD pos = lParam ? DWORD(lParam) : GetMessagePos();
      TPoint pt(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos)));
      RunMoveSizeLoop(hwnd, wParam, pt);
      return 0;
    }
    case SC_VSCROLL:
    case SC_HSCROLL: {
      DWORD pos = lParam ? DWORD(lParam) : GetMessagePos();
      TrackScrollBar(hwnd, (wParam & 0xFFF0) == SC_VSCROLL, TPoint(GET_X_LPARAM(LPARAM(pos)), GET_Y_LPARAM(LPARAM(pos))));
      return 0;
    }
    default:
      // SC_KEYMENU and SC_MOUSEMENU open a system menu bar, which windows
      // of this layer do not have: the class library routes them itself.
      return 0;
  }
}

LRESULT OnWindowPosChanging(HWND hwnd, LPARAM lParam)
{
  auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
  if (!wp || (wp->flags & SWP_NOSIZE))
    return 0;
  MINMAXINFO mmi;
  bool resizable;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    resizable = w && IsTopLevel(w) && (w->Style & WS_THICKFRAME) && !(w->Style & (WS_MINIMIZE | WS_MAXIMIZE));
    if (resizable)
      FillMinMaxInfo(w, mmi);
  }
  if (resizable) {
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    wp->cx = std::clamp(wp->cx, int(mmi.ptMinTrackSize.x), std::max(int(mmi.ptMinTrackSize.x), int(mmi.ptMaxTrackSize.x)));
    wp->cy = std::clamp(wp->cy, int(mmi.ptMinTrackSize.y), std::max(int(mmi.ptMinTrackSize.y), int(mmi.ptMaxTrackSize.y)));
  }
  return 0;
}

LRESULT OnWindowPosChanged(HWND hwnd, LPARAM lParam)
{
  auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (!wp)
    return 0;
  TRect client;
  LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return 0;
    client = w->Client;
  }
  if (!(wp->flags & 0x0800)) {  // the client size changed
    WPARAM kind = (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
    SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(WORD(client.Width()), WORD(client.Height())));
  }
  if (!(wp->flags & 0x1000))  // the client area moved
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(WORD(SHORT(client.Left)), WORD(SHORT(client.Top))));
  return 0;
}

}  // namespace defwindow
