// Which window is under a point.
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

// Is the point (screen) inside the window's shape?
bool ContainsScreenPoint(TWnd* w, TPoint pt)
{
  TRect r = ScreenWindowRect(w);
  if (!r.Contains(pt))
    return false;
  if (w->WindowRgn && !w->WindowRgn->Contains(TPoint(pt.x - r.Left, pt.y - r.Top)))
    return false;
  return true;
}

// The deepest window under a screen point, asking WM_NCHITTEST of the
// candidate; windows answering HTTRANSPARENT let the search go on below them.
HWND HitTestTree(TPoint pt, LRESULT* hitOut, HWND skipBelow)
{
  (void)skipBelow;
  TCore& core = Core();
  std::vector<HWND> transparent;
  for (int attempt = 0; attempt < 64; ++attempt) {
    HWND found = nullptr;
    {
      std::lock_guard<std::recursive_mutex> cl(core.Lock);
      std::function<TWnd*(TWnd*)> search = [&](TWnd* parent) -> TWnd* {
        for (TWnd* c : parent->Children) {
          if (!(c->Style & WS_VISIBLE) || !ContainsScreenPoint(c, pt))
            continue;
          if (std::find(transparent.begin(), transparent.end(), c->Handle) != transparent.end())
            continue;
          if (parent == core.Desktop && (c->ExStyle & WS_EX_LAYERED) && (c->ExStyle & WS_EX_TRANSPARENT))
            continue;  // click-through
          if (parent == core.Desktop && (c->Style & WS_MINIMIZE))
            continue;
          if ((c->Style & WS_CHILD) && (c->Style & WS_DISABLED))
            return parent == core.Desktop ? nullptr : parent;
          if (ScreenClientRect(c).Contains(pt))
            if (TWnd* d = search(c))
              return d;
          return c;
        }
        return nullptr;
      };
      TWnd* w = search(core.Desktop);
      if (!w)
        return nullptr;
      found = w->Handle;
    }
    LRESULT hit = SendMessage(found, WM_NCHITTEST, 0, MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
    if (hit == HTTRANSPARENT) {
      transparent.push_back(found);
      continue;
    }
    if (hitOut)
      *hitOut = hit;
    return found;
  }
  return nullptr;
}

}  // namespace wincore

HWND WindowFromPoint(TPoint point) { return HitTestTree(point, nullptr, nullptr); }

HWND ChildWindowFromPointEx(HWND parent, TPoint clientPoint, UINT flags)
{
  std::lock_guard<std::recursive_mutex> cl(Core().Lock);
  TWnd* p = ResolveLocal(parent);
  if (!p)
    return nullptr;
  TPoint origin = p == Core().Desktop ? TPoint() : ClientOriginOnScreen(p);
  TPoint screen(clientPoint.x + origin.x, clientPoint.y + origin.y);
  if (p != Core().Desktop && !TRect(0, 0, p->Client.Width(), p->Client.Height()).Contains(clientPoint))
    return nullptr;
  for (TWnd* c : p->Children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE))
      continue;
    if ((flags & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED))
      continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT))
      continue;
    if (ContainsScreenPoint(c, screen))
      return c->Handle;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint) { return ChildWindowFromPointEx(parent, clientPoint, CWP_ALL); }

HWND RealChildWindowFromPoint(HWND parent, TPoint clientPoint)
{
  return ChildWindowFromPointEx(parent, clientPoint, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

