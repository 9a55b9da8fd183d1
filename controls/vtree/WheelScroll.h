// How far one turn of the mouse wheel scrolls the tree.
#pragma once

#include "platform/base/Types.h"

// The system's "scroll a page" setting for the wheel's line count.
constexpr UINT WheelPageScroll = 0xFFFFFFFF;

// Pixels to scroll for WheelDelta (120 per notch) with the system's wheel
// scroll lines: rows of RowHeight per line, or a page of PageHeight per notch
// when the system asks for pages. The arithmetic is 64-bit, so no setting
// turns into a wild offset.
int WheelScrollPixels(int WheelDelta, UINT ScrollLines, int RowHeight, int PageHeight);
