#include "controls/themes/TBWControlGlyphs.h"

#include <algorithm>

#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWTheme.h"

void FillArrowTriangle(HDC DC, const TRect& R, int Direction, int Size, TColor Color)
{
  const int half = std::max(Size, 0) / 2;
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  // The base sits half the depth before the centre, so the triangle's middle
  // is the rectangle's.
  TPoint points[3];
  switch (Direction) {
    case SAB_UP: {
      const int y = cy + half / 2;
      points[0] = {cx - half, y}, points[1] = {cx + half, y}, points[2] = {cx, y - half};
      break;
    }
    case SAB_DOWN: {
      const int y = cy - half / 2;
      points[0] = {cx - half, y}, points[1] = {cx + half, y}, points[2] = {cx, y + half};
      break;
    }
    case SAB_LEFT: {
      const int x = cx + half / 2;
      points[0] = {x, cy - half}, points[1] = {x, cy + half}, points[2] = {x - half, cy};
      break;
    }
    case SAB_RIGHT: {
      const int x = cx - half / 2;
      points[0] = {x, cy - half}, points[1] = {x, cy + half}, points[2] = {x + half, cy};
      break;
    }
    default: return;
  }
  PolygonColors(DC, points, 2, Color, Color);
}

int ScrollArrowSize(const TRect& R) { return std::min(R.Right - R.Left, R.Bottom - R.Top) * 3 / 4; }

void DrawCheckMark(HDC DC, const TRect& R, TColor Color)
{
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const TPoint tick[6] = {{cx - 3, cy - 1}, {cx - 1, cy + 1}, {cx + 3, cy - 3},
                          {cx + 3, cy - 1}, {cx - 1, cy + 3}, {cx - 3, cy + 1}};
  PolygonColors(DC, tick, 5, Color, Color);
}

namespace {

void DrawCheckShape(HDC DC, const TRect& R, bool Round, TColor LineColor, HBRUSH Fill)
{
  HPEN pen = PenForColor(LineColor);
  HGDIOBJ oldPen = SelectObject(DC, pen);
  HGDIOBJ oldBrush = SelectObject(DC, Fill ? HGDIOBJ(Fill) : GetStockObject(NULL_BRUSH));
  if (Round)
    Ellipse(DC, R.Left, R.Top, R.Right, R.Bottom);
  else
    Rectangle(DC, R.Left, R.Top, R.Right, R.Bottom);
  SelectObject(DC, oldBrush);
  SelectObject(DC, oldPen);
  DeleteObject(pen);
}

}  // namespace

void DrawCheckControlShape(HDC DC, const TRect& R, bool Radio, TColor LineColor, HBRUSH Fill, bool Marked,
                           TColor MarkColor, int DotInset)
{
  DrawCheckShape(DC, R, Radio, LineColor, Fill);
  if (!Marked || MarkColor == clNone)
    return;
  if (!Radio) {
    DrawCheckMark(DC, R, MarkColor);
    return;
  }
  HBRUSH dot = BrushForColor(MarkColor);
  DrawCheckShape(DC, TRect(R.Left + DotInset, R.Top + DotInset, R.Right - DotInset, R.Bottom - DotInset), true,
                 MarkColor, dot);
  DeleteObject(dot);
}

int EditButtonParts(const TRect& R, const ButtonPaintState& State, TEditButtonPart (&Parts)[2])
{
  if (State.ButtonType != EBT_SPIN) {
    Parts[0] = {R, (State.State & BPS_HOT) != 0, (State.State & BPS_PUSHED) != 0, SAB_DOWN};
    return 1;
  }
  const int middle = (R.Top + R.Bottom) / 2;
  Parts[0] = {TRect(R.Left, R.Top, R.Right, middle), (State.State & BPS_HOT) != 0, (State.State & BPS_PUSHED) != 0,
              SAB_UP};
  Parts[1] = {TRect(R.Left, middle, R.Right, R.Bottom), (State.State & BPS_LOWERHOT) != 0,
              (State.State & BPS_LOWERPUSHED) != 0, SAB_DOWN};
  return 2;
}
