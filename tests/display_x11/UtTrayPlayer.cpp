#include "UtTrayPlayer.h"

#include <X11/Xlib.h>

TTrayPlayer::TTrayPlayer(int X, int Y) : FX(X), FY(Y)
{
  FDisplay = XOpenDisplay(nullptr);
  if (!FDisplay)
    return;
  FManager = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), X, Y, 200, 40, 0, 0, 0x808080);
  XSetWindowAttributes attrs;
  attrs.override_redirect = True;
  XChangeWindowAttributes(FDisplay, FManager, CWOverrideRedirect, &attrs);
  XMapRaised(FDisplay, FManager);
  XSetSelectionOwner(FDisplay, XInternAtom(FDisplay, "_NET_SYSTEM_TRAY_S0", False), FManager, CurrentTime);
  XSync(FDisplay, False);
}

TTrayPlayer::~TTrayPlayer()
{
  if (!FDisplay)
    return;
  XDestroyWindow(FDisplay, FManager);
  XCloseDisplay(FDisplay);
}

bool TTrayPlayer::Docked()
{
  if (!FDisplay || FIcon)
    return FIcon != 0;
  Atom opcode = XInternAtom(FDisplay, "_NET_SYSTEM_TRAY_OPCODE", False);
  while (!FIcon && XPending(FDisplay)) {
    XEvent ev;
    XNextEvent(FDisplay, &ev);
    // Opcode 0 is the dock request; data.l[2] names the icon's window.
    if (ev.type == ClientMessage && ev.xclient.message_type == opcode && ev.xclient.data.l[1] == 0)
      FIcon = Window(ev.xclient.data.l[2]);
  }
  if (FIcon) {
    XReparentWindow(FDisplay, FIcon, FManager, 10, 8);
    XResizeWindow(FDisplay, FIcon, 24, 24);
    XMapWindow(FDisplay, FIcon);
    XSync(FDisplay, False);
  }
  return FIcon != 0;
}
