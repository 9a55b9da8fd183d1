#include "X11Peer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

void HoldFirstButton(_XDisplay* x, bool down)
{
  XTestFakeButtonEvent(x, 1, down ? True : False, 0);
  XSync(x, False);
}
