// Drawing or measuring UTF-16 text in a rectangle with a small set of the
// platform's text-drawing flags, line by line.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/win/gdi/GdiTypes.h"

// Honoured flags: DT_CENTER, DT_RIGHT, DT_VCENTER, DT_SINGLELINE, DT_NOCLIP,
// DT_CALCRECT and DT_RTLREADING. Without DT_SINGLELINE the text breaks at LF,
// CR (CR LF counts once) and U+2028, one font height per line, and drawing
// stops at the bottom of Rect. With DT_CALCRECT nothing is drawn: Rect's
// bottom becomes the last line's bottom and, with CalcWidth, its right edge
// left + the widest line. The DC's text alignment is left as it was.
void DrawTextWide(HDC DC, const char16_t* Text, int Length, TRect& Rect, UINT Flags, bool CalcWidth);
