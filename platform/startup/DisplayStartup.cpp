#include "platform/startup/DisplayStartup.h"

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/x11/X11Display.h"

TDisplayBackend* StartDisplay(TDisplayStart start)
{
  RegisterHeadlessDisplay();
  // The x11 display is registered only when its server answers, so a stale
  // DISPLAY falls back to headless rather than to windows nobody sees.
  bool x11 = start == TDisplayStart::Automatic && RegisterX11Display();
  SelectDisplayBackend(x11 ? "x11" : "headless");
  return CurrentDisplayBackend();
}
