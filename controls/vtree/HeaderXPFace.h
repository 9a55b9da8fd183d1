// The flat face of the header's XP style: a light fill with a shaded bottom
// edge and a separator, a hot bar along the bottom under the mouse, and a
// sunken outline when pressed. Colours are fixed (they do not follow the
// system colours).
#pragma once

#include "platform/base/Geometry.h"
#include "platform/win/gdi/GdiTypes.h"

class TCustomImageList;

// Hot and Pressed pick the state; Separator adds the line at the right edge
// (normal state only). The hot bar comes from the utility images 6-8.
void DrawXPHeaderFace(HDC DC, const TRect& R, bool Hot, bool Pressed, bool Separator, TCustomImageList* Utilities);
