// Routines every themed control shares: the theme it paints through, the
// view kind and effective colour its neighbours answer, re-framing and
// repainting after a theme change, and what lies behind a control.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

class TComponent;
class TControl;
class TTBView;
class TTBWTheme;
class TWinControl;

// The current theme; before the nexus exists (tests, the first moments of
// the program) a plain theme that paints nothing of its own.
TTBWTheme& ActiveTheme();

// clBtnFace for nil; else what the control answers to 0x4EE; else clBtnFace
// for an MDI parent form and the control's own colour for any other.
TColor GetEffectiveColor(TControl* Control);
// What the view's window or the component answers to 0x4ED; 0 for nil or
// for a window that does not answer.
std::uint32_t ViewKindOf(TTBView* View);
std::uint32_t ViewKindOfComponent(TComponent* Component);
// Recomputes the non-client area (the theme's frame sizes may have changed)
// and repaints.
void UpdateWindowFrame(TWinControl* Control);
void RedrawFrame(TWinControl* Control);
// Paints what lies behind Control over R (Control's client coordinates):
// the parent's erase, the dock's background, or the parent's colour.
// The origin moves relative to where it stands, so controls nested in
// controls that paint their parent's background compose.
void PaintParentBackground(TControl* Control, HDC DC, const TRect& R);
// The whole window is repainted except its items, which keep their pixels:
// each shown item (control items aside) is painted now, then the rest of the
// window is invalidated for the next paint.
void RepaintBackgroundAroundItems(TWinControl* Window, TTBView* View);
