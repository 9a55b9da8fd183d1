// What lies behind a themed control: the effective background colour a
// window answers to the colour query (0x4EE), and the parent's background
// painted into a child's device context.
#pragma once

#include "platform/classes/graphics/Colors.h"
#include "platform/win/win.h"

class TControl;

// clBtnFace for null; otherwise the control's answer to the colour query when
// it answers, clBtnFace for a form holding child forms, else its Color.
TColor GetEffectiveColor(TControl* Control);

// Paints what lies behind Control over R (Control's client coordinates) into
// DC: the parent's own background erase, else a dock's background, else the
// parent's effective colour; clBtnFace without a parent.
void PaintParentBackground(TControl* Control, HDC DC, const TRect& R);
