// The pixels behind the screen DC (GetDC(0)): a buffer the size of the
// screen that mirrors what the display shows. Before a drawing call touches
// it, the part it can reach is fetched from the display; afterwards, what
// the call changed goes to the display, which shows it over the windows
// until one of them presents over it. Inverting a frame twice thus gives the
// pixels underneath back exactly.
#pragma once

#include <memory>

#include "platform/win/gdi/SurfaceDC.h"

namespace wincore {

// The buffer (Core().Lock held). When the screen's size changed it is made
// anew, and the screen DCs still open move to it.
TSurface ScreenSurface();
// The mirror that every screen DC carries.
std::shared_ptr<TSurfaceMirror> ScreenMirror();

}  // namespace wincore
