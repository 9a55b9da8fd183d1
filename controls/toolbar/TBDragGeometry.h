// The arithmetic of the drag and resize loops, kept apart from the loops so
// it can be checked case by case: the snap zone around a dock, where the
// dragged window's rectangle goes for a cursor position, which row a drop
// lands in, and the clamps of a resized frame.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/Geometry.h"

// A row of a candidate dock: thickness in the low 16 bits, this bit set when
// a full-size window is in the row.
constexpr uint32_t DragRowHasFullSize = 0x10000;

// Whether the cursor is close enough to a dock to dock there. The zone
// reaches 25 pixels past the dock's edges (inflated by 3) on the side away
// from where the window was grabbed, less on the other side. Grab is the
// grab point, GrabbedMax the grabbed size minus one (0: the zone has no
// proportional part on that axis).
bool InSnapZone(const TRect& DockRect, bool Vertical, const TPoint& Cursor, const TPoint& Grab,
                const TPoint& GrabbedMax);

// The window's rectangle of the given size placed so the grab point keeps
// its proportion under the cursor.
TRect DragRectAt(const TPoint& Cursor, const TPoint& Size, const TPoint& Grab, const TPoint& GrabbedMax);

// Keeps a floating rectangle reachable: its caption stays inside the work
// area shrunk by the frame border plus 4.
TRect KeepFloatingRectReachable(TRect R, const TRect& WorkArea, int FrameBorder, int CaptionHeight);

struct TDropRow {
  int Row = 0;
  bool OwnRow = false;  // a new row is made before Row
};
// Where a drop whose centre lies Centre pixels across the dock lands.
TDropRow DropRowAt(const std::vector<uint32_t>& Rows, int Centre);

// The rectangle of a frame resized by its Edge (0..7: left, right, top,
// top-left, top-right, bottom, bottom-left, bottom-right) for a cursor moved
// by Delta, kept between the minimum and the positive maximum sizes.
TRect ResizedFrameRect(const TRect& Start, int Edge, const TPoint& Delta, int MinWidth, int MinHeight,
                       int MaxWidth, int MaxHeight);
