// Pixels of top-level windows nobody sees. A hidden or minimised window's
// framebuffer is by far the largest thing it owns (a chat window's is over a
// megabyte) and nothing reaches it: its DCs draw nowhere and the display
// shows none of it. So the pixels go while it is out of sight and come back,
// cleared, when it shows again; a full repaint then makes them what they
// would have been.
#include <cstdlib>

#include "platform/base/FreedMemory.h"
#include "platform/win/window/DisplayBackend.h"
#include "platform/win/window/Painting.h"
#include "platform/win/window/detail/Core.h"

namespace wincore {

bool WantsPixels(const TWnd* w)
{
  // Pixels handed over by UpdateLayeredWindow exist nowhere else: a layered
  // window filled while hidden shows them later as they were.
  if (w->LayeredByUpdate)
    return true;
  // Popups without a caption (menus, hints, lists that drop down, notices)
  // come and go all the time and are small: they keep theirs rather than
  // clear new ones at every showing.
  if ((w->Style & WS_POPUP) && (w->Style & WS_CAPTION) != WS_CAPTION)
    return true;
  return (w->Style & WS_VISIBLE) && !(w->Style & WS_MINIMIZE);
}

void FollowPixelNeed(TWnd* w)
{
  TDisplayBackend* display = Core().Display.get();
  if (!display || !w->HasSurface || w->Destroying || !IsTopLevel(w))
    return;
  const bool wants = WantsPixels(w);
  if (!wants && !w->PixelsReleased) {
    const std::size_t bytes = std::size_t(std::abs(w->Surface.StrideBytes)) * std::size_t(w->Surface.Height);
    if (!display->ReleasePixels(w->Handle))
      return;
    // DCs held on the window point into the pixels that went.
    ReleaseWindowDCs(w);
    w->Surface = TSurface();
    w->PixelsReleased = true;
    NoteLargeRelease(bytes);
  } else if (wants && w->PixelsReleased) {
    w->Surface = display->RestorePixels(w->Handle);
    w->PixelsReleased = false;
    GeometryChanged();
    // Cleared pixels: every part of the window is drawn again, whatever the
    // caller of the show asked (a show without redrawing included).
    InvalidateTree(w, TRegion(TRect(0, 0, w->Client.Width(), w->Client.Height())), true,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

}  // namespace wincore
