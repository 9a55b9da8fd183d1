// The drag and resize arithmetic.
#include "controls/toolbar/TBDragGeometry.h"

#include "platform/base/MulDiv.h"

namespace {

// MulDiv whose zero denominator gives 0: a window one pixel wide has no
// proportional part, and no division by zero.
int Proportion(int Number, int Numerator, int Denominator)
{
  return Denominator == 0 ? 0 : MulDiv(Number, Numerator, Denominator);
}

}  // namespace

bool InSnapZone(const TRect& DockRect, bool Vertical, const TPoint& Cursor, const TPoint& Grab,
                const TPoint& GrabbedMax)
{
  TRect r(DockRect.Left - 3, DockRect.Top - 3, DockRect.Right + 3, DockRect.Bottom + 3);
  const int ax = Proportion(25, Grab.x, GrabbedMax.x), ay = Proportion(25, Grab.y, GrabbedMax.y);
  const int x = Cursor.x, y = Cursor.y;
  if (!(x >= r.Left - (25 - ax) && x < r.Right + ax && y >= r.Top - (25 - ay) && y < r.Bottom + ay))
    return false;
  return !Vertical || (y >= r.Top && y < r.Bottom);
}

TRect DragRectAt(const TPoint& Cursor, const TPoint& Size, const TPoint& Grab, const TPoint& GrabbedMax)
{
  int left = Cursor.x - Proportion(Size.x - 1, Grab.x, GrabbedMax.x);
  int top = Cursor.y - Proportion(Size.y - 1, Grab.y, GrabbedMax.y);
  return TRect(left, top, left + Size.x, top + Size.y);
}

TRect KeepFloatingRectReachable(TRect R, const TRect& WorkArea, int FrameBorder, int CaptionHeight)
{
  int inset = FrameBorder + 4;
  TRect area(WorkArea.Left + inset, WorkArea.Top + inset, WorkArea.Right - inset, WorkArea.Bottom - inset);
  auto shift = [&R](int dx, int dy) { R = TRect(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy); };
  if (R.Bottom < area.Top)
    shift(0, area.Top - R.Bottom);
  if (R.Top > area.Bottom)
    shift(0, area.Bottom - R.Top);
  if (R.Right < area.Left)
    shift(area.Left - R.Right, 0);
  if (R.Left > area.Right)
    shift(area.Right - R.Left, 0);
  int highest = WorkArea.Top + 4 - (FrameBorder + CaptionHeight);
  if (R.Top < highest)
    shift(0, highest - R.Top);
  return R;
}

TDropRow DropRowAt(const std::vector<uint32_t>& Rows, int Centre)
{
  int S = 0;
  for (std::size_t i = 0; i < Rows.size(); ++i) {
    const int t = int(Rows[i] & 0xFFFF);
    if (t == 0)
      continue;
    const bool fullSize = (Rows[i] & DragRowHasFullSize) != 0;
    const int h = fullSize ? t / 2 : t / 4;
    if (Centre < S + h)
      return {int(i), true};
    S += t;
    if (!fullSize && S - h > Centre)
      return {int(i), false};
  }
  return {int(Rows.size()), false};
}

TRect ResizedFrameRect(const TRect& Start, int Edge, const TPoint& Delta, int MinWidth, int MinHeight,
                       int MaxWidth, int MaxHeight)
{
  // left, right, top, top-left, top-right, bottom, bottom-left, bottom-right
  static const bool horizontal[8] = {true, true, false, true, true, false, true, true};
  static const bool leftSide[8] = {true, false, false, true, false, false, true, false};
  static const bool topSide[8] = {false, false, true, true, true, false, false, false};
  TRect r = Start;
  if (Edge < 0 || Edge > 7)
    return r;
  const bool vertical = Edge >= 2;
  if (horizontal[Edge]) {
    (leftSide[Edge] ? r.Left : r.Right) += Delta.x;
    auto clampWidth = [&](bool below, int limit) {
      if (!below)
        return;
      if (leftSide[Edge])
        r.Left = r.Right - limit;
      else
        r.Right = r.Left + limit;
    };
    clampWidth(r.Right - r.Left < MinWidth, MinWidth);
    clampWidth(MaxWidth > 0 && r.Right - r.Left > MaxWidth, MaxWidth);
  }
  if (vertical) {
    (topSide[Edge] ? r.Top : r.Bottom) += Delta.y;
    auto clampHeight = [&](bool beyond, int limit) {
      if (!beyond)
        return;
      if (topSide[Edge])
        r.Top = r.Bottom - limit;
      else
        r.Bottom = r.Top + limit;
    };
    clampHeight(r.Bottom - r.Top < MinHeight, MinHeight);
    clampHeight(MaxHeight > 0 && r.Bottom - r.Top > MaxHeight, MaxHeight);
  }
  return r;
}
