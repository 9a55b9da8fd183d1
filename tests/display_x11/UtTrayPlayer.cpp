#include "UtTrayPlayer.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

TTrayPlayer::TTrayPlayer(int X, int Y, int SlotHeight, int AnnouncedIconSize)
    : FX(X), FY(Y), FSlotHeight(SlotHeight)
{
  FDisplay = XOpenDisplay(nullptr);
  if (!FDisplay)
    return;
  FManager = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), X, Y, 200, SlotHeight + 16, 0, 0, 0x808080);
  XSetWindowAttributes attrs;
  attrs.override_redirect = True;
  XChangeWindowAttributes(FDisplay, FManager, CWOverrideRedirect, &attrs);
  if (AnnouncedIconSize > 0) {
    long size = AnnouncedIconSize;
    XChangeProperty(FDisplay, FManager, XInternAtom(FDisplay, "_NET_SYSTEM_TRAY_ICON_SIZE", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&size), 1);
  }
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
  if (!FIcon)
    return false;
  // The slot: the tray's height, and the width the icon's hints ask for.
  XSizeHints hints{};
  long supplied = 0;
  FIconWidth = 1;
  if (XGetWMNormalHints(FDisplay, FIcon, &hints, &supplied) && (hints.flags & PMinSize) && hints.min_width > 0)
    FIconWidth = hints.min_width;
  FIconHeight = FSlotHeight;
  XReparentWindow(FDisplay, FIcon, FManager, 10, 8);
  XResizeWindow(FDisplay, FIcon, unsigned(FIconWidth), unsigned(FIconHeight));
  // XEMBED: the icon hears it is embedded, and is mapped when it asks to be.
  XEvent notify{};
  notify.xclient.type = ClientMessage;
  notify.xclient.window = FIcon;
  notify.xclient.message_type = XInternAtom(FDisplay, "_XEMBED", False);
  notify.xclient.format = 32;
  notify.xclient.data.l[0] = CurrentTime;
  notify.xclient.data.l[1] = 0;  // XEMBED_EMBEDDED_NOTIFY
  notify.xclient.data.l[3] = long(FManager);
  notify.xclient.data.l[4] = 0;  // protocol version
  XSendEvent(FDisplay, FIcon, False, NoEventMask, &notify);
  Atom info = XInternAtom(FDisplay, "_XEMBED_INFO", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool mapped = false;
  if (XGetWindowProperty(FDisplay, FIcon, info, 0, 2, False, info, &type, &format, &count, &after, &data) == Success &&
      data) {
    mapped = count >= 2 && (reinterpret_cast<long*>(data)[1] & 1);
    XFree(data);
  }
  if (mapped)
    XMapWindow(FDisplay, FIcon);
  XSync(FDisplay, False);
  return true;
}
