// Position, size, z-order and visibility of windows; rectangles and mapping.
#include "platform/win/window/WindowPos.h"

#include <algorithm>
#include <functional>

#include "platform/base/LastError.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Input.h"
#include "platform/win/window/MessageQueue.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/SystemInfo.h"
#include "platform/win/window/WindowTree.h"
#include "platform/win/window/detail/Core.h"

using namespace wincore;

namespace wincore {

void ActivateOtherWindow(HWND leaving);
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

void FillMinMaxInfo(TWnd* w, MINMAXINFO& mmi)
{
  TRect work = Core().Desktop->Rect;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  int fx = 0, fy = 0;
  if (w->Style & WS_THICKFRAME) {
    fx = GetSystemMetrics(SM_CXFRAME);
    fy = GetSystemMetrics(SM_CYFRAME);
  } else if (w->Style & WS_DLGFRAME) {
    fx = GetSystemMetrics(SM_CXDLGFRAME);
    fy = GetSystemMetrics(SM_CYDLGFRAME);
  } else if (w->Style & WS_BORDER) {
    fx = GetSystemMetrics(SM_CXBORDER);
    fy = GetSystemMetrics(SM_CYBORDER);
  }
  mmi.ptMaxSize = TPoint(work.Width() + 2 * fx, work.Height() + 2 * fy);
  mmi.ptMaxPosition = TPoint(work.Left - fx, work.Top - fy);
  mmi.ptMinTrackSize = TPoint(GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
  mmi.ptMaxTrackSize = TPoint(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK));
}

// Top-level windows in stacking order, for the display.
void Restack()
{
  std::vector<HWND> order;
  TDisplayBackend* display;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    display = Core().Display.get();
    KeepDropShadowsBelow();
    for (TWnd* w : Core().Desktop->Children)
      if (w->HasSurface)
        order.push_back(w->Handle);
  }
  if (display)
    display->RestackWindows(order);
}

namespace {

void ApplyZOrder(TWnd* w, HWND after, UINT flags)
{
  TCore& core = Core();
  TWnd* parent = w->Parent;
  if (!parent)
    return;
  bool top = parent == core.Desktop;
  Unlink(w);
  if (after == HWND_TOPMOST) {
    if (top)
      w->ExStyle |= WS_EX_TOPMOST;
    parent->Children.insert(parent->Children.begin(), w);
  } else if (after == HWND_NOTOPMOST) {
    w->ExStyle &= ~WS_EX_TOPMOST;
    LinkAt(parent, w, nullptr, false);
  } else if (after == HWND_BOTTOM) {
    if (top)
      w->ExStyle &= ~WS_EX_TOPMOST;
    parent->Children.push_back(w);
  } else if (after == HWND_TOP) {
    LinkAt(parent, w, nullptr, false);
  } else {
    TWnd* a = ResolveLocal(after);
    if (a && a->Parent == parent && a != w) {
      if (top && !(a->ExStyle & WS_EX_TOPMOST))
        w->ExStyle &= ~WS_EX_TOPMOST;
      LinkAt(parent, w, a, false);
    } else {
      LinkAt(parent, w, nullptr, false);
    }
  }
  // Owned windows stay above their owner.
  if (top && !(flags & SWP_NOOWNERZORDER)) {
    std::vector<TWnd*> owned;
    for (TWnd* c : parent->Children)
      if (c->Owner == w)
        owned.push_back(c);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
      TWnd* o = *it;
      Unlink(o);
      auto& list = parent->Children;
      auto pos = std::find(list.begin(), list.end(), w);
      list.insert(pos, o);
    }
  }
}

}  // namespace
}  // namespace wincore

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
  TCore& core = Core();
  if (flags & SWP_ASYNCWINDOWPOS) {
    // Asked from another thread: the window's own thread does it, and the
    // caller does not wait for it.
    std::shared_ptr<TThread> owner;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      TWnd* w = ResolveLocal(hwnd);
      if (!w)
        return FALSE;
      owner = w->Thread;
    }
    if (owner.get() != &CurrentThread())
      return QueueTask(*owner, [=] { SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags & ~SWP_ASYNCWINDOWPOS); })
                 ? TRUE
                 : FALSE;
  }
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || w == core.Desktop || w->MessageOnly) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (flags & SWP_NOMOVE) {
      wp.x = w->Rect.Left;
      wp.y = w->Rect.Top;
    }
    if (flags & SWP_NOSIZE) {
      wp.cx = w->Rect.Width();
      wp.cy = w->Rect.Height();
    }
    if ((flags & SWP_SHOWWINDOW) && (w->Style & WS_VISIBLE))
      wp.flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !(w->Style & WS_VISIBLE))
      wp.flags &= ~SWP_HIDEWINDOW;
  }
  if (!(wp.flags & SWP_NOSENDCHANGING))
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  TRect oldRect, oldClient, newRect(wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy);
  bool moved, sized;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return FALSE;
    oldRect = w->Rect;
    oldClient = w->Client;
    moved = newRect.TopLeft() != oldRect.TopLeft();
    sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
  }
  TRect newClient = oldClient;
  if (sized || (wp.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = oldClient;
    p.lppos = &wp;
    SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
    newClient = p.rgrc[0];
    newClient.Right = std::max(newClient.Right, newClient.Left);
    newClient.Bottom = std::max(newClient.Bottom, newClient.Top);
  } else if (moved) {
    OffsetRect(&newClient, newRect.Left - oldRect.Left, newRect.Top - oldRect.Top);
  }
  bool hiding = wp.flags & SWP_HIDEWINDOW;
  bool showing = wp.flags & SWP_SHOWWINDOW;
  bool topLevel;
  bool zChanged = false;
  bool visibleBefore, visibleAfter;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w)
      return FALSE;
    topLevel = IsTopLevel(w);
    visibleBefore = IsVisibleChain(w);
    TRect oldScreen = ScreenWindowRect(w);
    w->Rect = newRect;
    w->Client = newClient;
    if (!(wp.flags & SWP_NOZORDER)) {
      auto before = w->Parent->Children;
      ApplyZOrder(w, wp.hwndInsertAfter, wp.flags);
      zChanged = before != w->Parent->Children;
    }
    if (showing)
      w->Style |= WS_VISIBLE;
    if (hiding)
      w->Style &= ~WS_VISIBLE;
    visibleAfter = IsVisibleChain(w);
    TDisplayBackend* display = core.Display.get();
    if (topLevel && w->HasSurface && display) {
      if (sized) {
        w->Surface = display->ResizeFramebuffer(hwnd, ScreenWindowRect(w));
        ReleaseWindowDCs(w);
      } else if (moved) {
        display->MoveWindow(hwnd, ScreenWindowRect(w));
      }
      if (showing || (wp.flags & SWP_FRAMECHANGED))
        TellDisplayWindowState(w);
      // Pixels come back before the display shows the window, and go once
      // it no longer does (hidden, or minimised).
      if (showing)
        FollowPixelNeed(w);
      if (showing || hiding)
        display->ShowWindow(hwnd, showing);
      FollowPixelNeed(w);
    }
    bool changed = moved || sized || showing || hiding || zChanged || (wp.flags & SWP_FRAMECHANGED);
    if (changed || newClient != oldClient)
      GeometryChanged();
    if (!(wp.flags & SWP_NOREDRAW) && changed) {
      // A resize keeps what was drawn (anchored at the top-left corner) unless
      // the class asks for a full redraw in the direction that changed.
      UINT cls = w->Class ? w->Class->Style : 0;
      bool widthChanged = newClient.Width() != oldClient.Width();
      bool heightChanged = newClient.Height() != oldClient.Height();
      bool fullRedraw = ((cls & CS_HREDRAW) && widthChanged) || ((cls & CS_VREDRAW) && heightChanged) ||
                        (wp.flags & SWP_FRAMECHANGED) || newClient.Left - newRect.Left != oldClient.Left - oldRect.Left ||
                        newClient.Top - newRect.Top != oldClient.Top - oldRect.Top;
      TRegion allClient(TRect(0, 0, newClient.Width(), newClient.Height()));
      TRegion exposed = fullRedraw ? allClient : allClient.Subtract(TRegion(TRect(0, 0, oldClient.Width(), oldClient.Height())));
      UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
      if (topLevel) {
        if (visibleAfter && (showing || (wp.flags & SWP_FRAMECHANGED)))
          InvalidateTree(w, allClient, true, redraw);
        else if (visibleAfter && sized)
          InvalidateTree(w, exposed, true, redraw);
      } else if (w->Parent) {
        // A child is an area of its parent: whatever it covered or covers now is redrawn.
        (void)oldScreen;
        if (moved || hiding || showing || zChanged) {
          if (visibleBefore)
            InvalidateParentArea(w, oldRect);
          if (visibleAfter)
            InvalidateParentArea(w, newRect);
        } else if (sized || (wp.flags & SWP_FRAMECHANGED)) {
          TRegion uncovered = TRegion(oldRect).Subtract(TRegion(newRect));
          if (visibleAfter && !uncovered.IsEmpty())
            InvalidateTree(w->Parent, uncovered, true, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
          if (visibleAfter)
            InvalidateTree(w, exposed, true, redraw);
        }
      }
    }
  }
  if (zChanged && topLevel)
    Restack();
  if (hiding) {
    HWND capture = GetCapture();
    bool active = GetActiveWindow() == hwnd;
    bool focusInside = false;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      TWnd* w = ResolveLocal(hwnd);
      TWnd* c = ResolveLocal(capture);
      if (!(w && c && IsDescendant(w, c)))
        capture = nullptr;
      TWnd* f = ResolveLocal(core.Focus);
      focusInside = w && f && IsDescendant(w, f) && !topLevel;
    }
    if (capture)
      ReleaseCapture();
    if (active)
      ActivateOtherWindow(hwnd);
    // Keys must not go on to a window nobody sees.
    if (focusInside)
      SetFocus(nullptr);
  }
  WINDOWPOS done = wp;
  done.x = newRect.Left;
  done.y = newRect.Top;
  done.cx = newRect.Width();
  done.cy = newRect.Height();
  if (newClient.Width() == oldClient.Width() && newClient.Height() == oldClient.Height())
    done.flags |= SWP_NOCLIENTSIZE;
  if (newClient.TopLeft() == oldClient.TopLeft())
    done.flags |= SWP_NOCLIENTMOVE;
  if (!moved)
    done.flags |= SWP_NOMOVE;
  if (!sized)
    done.flags |= SWP_NOSIZE;
  SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  if (!(wp.flags & SWP_NOACTIVATE) && topLevel) {
    bool activate;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      TWnd* w = ResolveLocal(hwnd);
      activate = w && (w->Style & WS_VISIBLE) && !(w->ExStyle & WS_EX_NOACTIVATE) && !(w->Style & WS_DISABLED) &&
                 !(w->Style & WS_CHILD);
    }
    if (activate)
      SetActiveWindow(hwnd);
  }
  if (showing || hiding)
    PublishWindowsChanged();
  if (topLevel && (moved || sized || showing || hiding || zChanged))
    FollowDropShadow(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int command)
{
  TCore& core = Core();
  bool wasVisible, topLevel, minimized, maximized;
  TRect normal;
  {
    std::lock_guard<std::recursive_mutex> cl(core.Lock);
    TWnd* w = ResolveLocal(hwnd);
    if (!w || w->MessageOnly)
      return FALSE;
    wasVisible = (w->Style & WS_VISIBLE) != 0;
    topLevel = IsTopLevel(w);
    minimized = w->Style & WS_MINIMIZE;
    maximized = w->Style & WS_MAXIMIZE;
    normal = w->NormalRect;
  }
  // A child is never activated by being shown, and keeps its place among its
  // siblings: children stay in creation order, which is also their tab and
  // radio-group order.
  UINT noActivate = topLevel ? 0 : SWP_NOACTIVATE | SWP_NOZORDER;
  switch (command) {
    case SW_HIDE:
      if (!wasVisible)
        return FALSE;
      SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
      if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), command))
        return wasVisible;
      {
        std::lock_guard<std::recursive_mutex> cl(core.Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (!w)
          return FALSE;
        if (!minimized && !maximized)
          w->NormalRect = w->Rect;
        w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
      }
      if (!wasVisible)
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
      bool active = GetActiveWindow() == hwnd;
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      if (active && command == SW_MINIMIZE)
        ActivateOtherWindow(hwnd);
      return wasVisible;
    }
    case SW_MAXIMIZE: {
      if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), command))
        return wasVisible;
      MINMAXINFO mmi;
      {
        std::lock_guard<std::recursive_mutex> cl(core.Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (!w)
          return FALSE;
        FillMinMaxInfo(w, mmi);
      }
      SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
      {
        std::lock_guard<std::recursive_mutex> cl(core.Lock);
        TWnd* w = ResolveLocal(hwnd);
        if (!w)
          return FALSE;
        if (!minimized && !maximized)
          w->NormalRect = w->Rect;
        w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
      }
      if (!wasVisible)
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
      SetWindowPos(hwnd, HWND_TOP, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x, mmi.ptMaxSize.y,
                   SWP_SHOWWINDOW | SWP_FRAMECHANGED | noActivate);
      return wasVisible;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (minimized || maximized) {
        if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), command))
          return wasVisible;
        {
          std::lock_guard<std::recursive_mutex> cl(core.Lock);
          TWnd* w = ResolveLocal(hwnd);
          if (!w)
            return FALSE;
          w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        }
        if (!wasVisible)
          SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPos(hwnd, HWND_TOP, normal.Left, normal.Top, normal.Width(), normal.Height(),
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED | noActivate);
        return wasVisible;
      }
      [[fallthrough]];
    case SW_SHOW:
      if (!wasVisible)
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | noActivate);
      return wasVisible;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
      if (!wasVisible)
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | noActivate |
                       (command == SW_SHOWNA ? SWP_NOZORDER : 0));
      return wasVisible;
    default:
      return wasVisible;
  }
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL GetWindowRect(HWND hwnd, TRect* rect)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !rect)
    return FALSE;
  *rect = ScreenWindowRect(w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, TRect* rect)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !rect)
    return FALSE;
  if (w->Style & WS_MINIMIZE)
    *rect = TRect();
  else
    *rect = TRect(0, 0, w->Client.Width(), w->Client.Height());
  return TRUE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !placement)
    return FALSE;
  placement->flags = 0;
  placement->showCmd = (w->Style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                       : (w->Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                       : (w->Style & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE;
  placement->ptMinPosition = w->MinPosition;
  placement->ptMaxPosition = TPoint(-1, -1);
  placement->rcNormalPosition = (w->Style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->NormalRect : w->Rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
  if (!placement || !IsWindow(hwnd))
    return FALSE;
  {
    std::lock_guard<std::recursive_mutex> cl(Core().Lock);
    if (TWnd* w = ResolveLocal(hwnd)) {
      w->NormalRect = placement->rcNormalPosition;
      if (placement->flags & WPF_SETMINPOSITION)
        w->MinPosition = placement->ptMinPosition;
    }
  }
  if (!IsIconic(hwnd) && !IsZoomed(hwnd)) {
    const TRect& r = placement->rcNormalPosition;
    SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(hwnd, int(placement->showCmd));
  return TRUE;
}

BOOL AdjustWindowRectEx(TRect* rect, DWORD style, BOOL, DWORD exStyle)
{
  if (!rect)
    return FALSE;
  TRect probe(0, 0, 100, 100);
  TRect client = DefaultClientRect(style, exStyle, probe, (style & WS_CHILD) != 0);
  rect->Left -= client.Left - probe.Left;
  rect->Top -= client.Top - probe.Top;
  rect->Right += probe.Right - client.Right;
  rect->Bottom += probe.Bottom - client.Bottom;
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, TPoint* point)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !point)
    return FALSE;
  TPoint o = ClientOriginOnScreen(w);
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, TPoint* point)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* w = ResolveLocal(hwnd);
  if (!w || !point)
    return FALSE;
  TPoint o = ClientOriginOnScreen(w);
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, TPoint* points, UINT count)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TPoint a, b;
  if (from && from != GetDesktopWindow()) {
    TWnd* w = ResolveLocal(from);
    if (!w)
      return 0;
    a = ClientOriginOnScreen(w);
  }
  if (to && to != GetDesktopWindow()) {
    TWnd* w = ResolveLocal(to);
    if (!w)
      return 0;
    b = ClientOriginOnScreen(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(WORD(SHORT(dx)), WORD(SHORT(dy)));
}

