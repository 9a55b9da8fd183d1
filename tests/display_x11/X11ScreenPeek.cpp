#include "X11ScreenPeek.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

std::vector<XWin> ShownOverrideRedirect(Display* X, const std::vector<XWin>& Before)
{
  std::vector<XWin> found;
  Window root, parent, *children = nullptr;
  unsigned n = 0;
  if (!XQueryTree(X, DefaultRootWindow(X), &root, &parent, &children, &n))
    return found;
  for (unsigned i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (std::find(Before.begin(), Before.end(), children[i]) == Before.end() &&
        XGetWindowAttributes(X, children[i], &a) && a.map_state == IsViewable && a.override_redirect)
      found.push_back(children[i]);
  }
  if (children)
    XFree(children);
  return found;
}

TRect ScreenRectOf(Display* X, XWin Window)
{
  // Under a window manager the window sits in a frame: its own x and y are
  // relative to the frame, so the position is asked of the root.
  XWindowAttributes a;
  if (!XGetWindowAttributes(X, Window, &a))
    return TRect();
  int left = a.x, top = a.y;
  ::Window child;
  XTranslateCoordinates(X, Window, DefaultRootWindow(X), 0, 0, &left, &top, &child);
  return TRect(left, top, left + a.width, top + a.height);
}

TPixelImage ScreenArea(Display* X, const TRect& Area)
{
  TPixelImage image;
  XImage* shot = XGetImage(X, DefaultRootWindow(X), Area.Left, Area.Top, unsigned(Area.Width()),
                           unsigned(Area.Height()), AllPlanes, ZPixmap);
  if (!shot)
    return image;
  image.Width = Area.Width();
  image.Height = Area.Height();
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      image.Pixels.push_back(uint32_t(XGetPixel(shot, x, y)) & 0xFFFFFF);
  XDestroyImage(shot);
  return image;
}
