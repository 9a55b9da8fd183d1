#include "TopLevelWindows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

std::string NameOf(Display* X, Window W)
{
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(X, W, XInternAtom(X, "_NET_WM_NAME", False), 0, 1024, False,
                         XInternAtom(X, "UTF8_STRING", False), &type, &format, &count, &after, &data) == Success &&
      data) {
    name.assign(reinterpret_cast<char*>(data), count);
    XFree(data);
  }
  return name;
}

}  // namespace

namespace {

// A window manager reparents a program's windows into frames of its own, one
// or two levels below the root: the search goes that deep.
XWin ShownWindowTitled(Display* X, Window Parent, const std::string& Title, int Depth)
{
  Window root, parent, *children = nullptr;
  unsigned n = 0;
  XWin found = 0;
  if (!XQueryTree(X, Parent, &root, &parent, &children, &n))
    return 0;
  for (unsigned i = 0; i < n && !found; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(X, children[i], &a) || a.map_state != IsViewable)
      continue;
    if (NameOf(X, children[i]) == Title)
      found = children[i];
    else if (Depth > 0)
      found = ShownWindowTitled(X, children[i], Title, Depth - 1);
  }
  if (children)
    XFree(children);
  return found;
}

}  // namespace

XWin ShownTopLevel(Display* X, const std::string& Title)
{
  return ShownWindowTitled(X, DefaultRootWindow(X), Title, 2);
}

TRect ScreenRect(Display* X)
{
  return TRect(0, 0, DisplayWidth(X, DefaultScreen(X)), DisplayHeight(X, DefaultScreen(X)));
}

void IconifyTopLevel(Display* X, XWin Window)
{
  XIconifyWindow(X, Window, DefaultScreen(X));
  XSync(X, False);
}

void ActivateTopLevel(Display* X, XWin Window)
{
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = Window;
  e.xclient.message_type = XInternAtom(X, "_NET_ACTIVE_WINDOW", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = 2;
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(X, DefaultRootWindow(X), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XSync(X, False);
}
