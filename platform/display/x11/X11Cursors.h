// X cursors made from the layer's cursor images. They are built from two
// bitmaps (XCreatePixmapCursor): colours come down to black and white
// (dark pixels black, light ones white) and pixels that invert the screen
// show black. A null cursor is an invisible one.
#pragma once

#include <map>

#include "platform/display/x11/X11Core.h"

namespace x11 {

class TX11Cursors {
public:
  explicit TX11Cursors(TCore& core) : FCore(core) {}
  ~TX11Cursors();
  Cursor Get(HCURSOR cursor);

private:
  Cursor Make(HCURSOR cursor);

  TCore& FCore;
  std::map<HCURSOR, Cursor> FMade;
  std::vector<HCURSOR> FOrder;  // oldest first
  Cursor FBlank = 0;
};

}  // namespace x11
