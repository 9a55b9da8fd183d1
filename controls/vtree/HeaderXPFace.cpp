#include "controls/vtree/HeaderXPFace.h"

#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/win.h"

namespace {

// Colours as the window system stores them (blue in the high byte).
constexpr COLORREF kFaceNormal = 0xDBEAEB, kFaceHot = 0xF3F8FA, kFacePressed = 0xD8DFDE;
// The bottom edge steps from the face toward its darkest line in thirds.
constexpr COLORREF kBottomLines[3] = {0xCFDEE0, 0xC3D2D5, 0xB8C7CB};
constexpr COLORREF kSeparator = 0xB2C5C7, kSeparatorLight = 0xFFFFFF;
constexpr COLORREF kOutline[3] = {0x97A5A5, 0xB8C2C1, 0xC9D1D0};
// Hot-bar pieces of the utility strip: left end, middle, right end; their top 3 rows are used.
constexpr int kHotLeft = 6, kHotMiddle = 7, kHotRight = 8, kPiece = 16, kHotRows = 3;

// Draws a pen path through the given points (the last point itself left out, as lines are).
void Polyline(HDC DC, COLORREF Colour, std::initializer_list<TPoint> Points)
{
  HPEN pen = CreatePen(PS_SOLID, 1, Colour);
  HGDIOBJ old = SelectObject(DC, pen);
  const TPoint* p = Points.begin();
  MoveToEx(DC, p->x, p->y, nullptr);
  for (++p; p != Points.end(); ++p)
    LineTo(DC, p->x, p->y);
  SelectObject(DC, old);
  DeleteObject(pen);
}

void HotPiece(HDC DC, TCustomImageList* Utilities, int Index, int X, int Y, int Width)
{
  ImageList_DrawEx(Utilities->Handle(), Index, DC, X, Y, Width, kHotRows, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT);
}

void DrawHotBar(HDC DC, const TRect& R, TCustomImageList* Utilities)
{
  if (!Utilities || ImageList_GetImageCount(Utilities->Handle()) <= kHotRight)
    return;
  const int y = R.Bottom - kHotRows;
  if (R.Width() <= 2 * kPiece) {
    // Too narrow for the middle: half of the left end and the right end.
    HotPiece(DC, Utilities, kHotRight, R.Right - kPiece, y, kPiece);
    HotPiece(DC, Utilities, kHotLeft, R.Left, y, kPiece / 2);
    return;
  }
  HotPiece(DC, Utilities, kHotLeft, R.Left, y, kPiece);
  int x = R.Left + kPiece;
  HotPiece(DC, Utilities, kHotMiddle, x, y, kPiece);
  for (x += kPiece; x + kPiece < R.Right; x += kPiece)
    HotPiece(DC, Utilities, kHotMiddle, x, y, kPiece);
  HotPiece(DC, Utilities, kHotRight, R.Right - kPiece, y, kPiece);
}

}  // namespace

void DrawXPHeaderFace(HDC DC, const TRect& R, bool Hot, bool Pressed, bool Separator, TCustomImageList* Utilities)
{
  HBRUSH fill = CreateSolidBrush(Pressed ? kFacePressed : Hot ? kFaceHot : kFaceNormal);
  FillRect(DC, &R, fill);
  DeleteObject(fill);
  if (Pressed) {
    Polyline(DC, kOutline[0], {{R.Left, R.Top}, {R.Left, R.Bottom - 1}, {R.Right - 1, R.Bottom - 1}, {R.Right - 1, R.Top - 1}});
    Polyline(DC, kOutline[1], {{R.Left + 1, R.Bottom - 2}, {R.Left + 1, R.Top}, {R.Right - 1, R.Top}});
    Polyline(DC, kOutline[2], {{R.Left + 2, R.Bottom - 2}, {R.Left + 2, R.Top + 1}, {R.Right - 1, R.Top + 1}});
    return;
  }
  if (Hot) {
    DrawHotBar(DC, R, Utilities);
    return;
  }
  for (int i = 0; i < 3; ++i)
    Polyline(DC, kBottomLines[i], {{R.Left, R.Bottom - 3 + i}, {R.Right, R.Bottom - 3 + i}});
  if (Separator) {
    Polyline(DC, kSeparator, {{R.Right - 2, R.Top + 3}, {R.Right - 2, R.Bottom - 5}});
    Polyline(DC, kSeparatorLight, {{R.Right - 1, R.Top + 3}, {R.Right - 1, R.Bottom - 5}});
  }
}
