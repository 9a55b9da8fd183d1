#include "platform/startup/DisplayStartup.h"

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/display/x11/X11Display.h"
#include "platform/win/gdi/FontLibraries.h"

#include <cstdlib>

TDisplayBackend* StartDisplay(TDisplayStart start)
{
  // A program on a real display draws with real fonts: their libraries
  // start while the display connects and the first window is built.
  const char* display = std::getenv("DISPLAY");
  if (start == TDisplayStart::Automatic && display && *display)
    PrepareFontLibraries();
  RegisterHeadlessDisplay();
  // The x11 display is registered only when its server answers, so a stale
  // DISPLAY falls back to headless rather than to windows nobody sees.
  bool x11 = start == TDisplayStart::Automatic && RegisterX11Display();
  SelectDisplayBackend(x11 ? "x11" : "headless");
  return CurrentDisplayBackend();
}
