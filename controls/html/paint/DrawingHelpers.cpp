#include "controls/html/paint/DrawingHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "controls/html/paint/PatternedBorder.h"

#include "platform/win/gdi/gdi.h"

COLORREF PlainColor(TColor Color)
{
  if (Color == clNone)
    return 0;
  if ((Color & 0xFF000000) == 0x02000000)
    Color &= 0x00FFFFFF;
  return ColorToRGB(Color) & 0x00FFFFFF;
}

TColor Darker(TColor Color)
{
  const COLORREF C = PlainColor(Color);
  auto Part = [&](int Shift) { return std::uint32_t(std::lround(((C >> Shift) & 0xFF) * 0.75)) << Shift; };
  return TColor(Part(0) | Part(8) | Part(16));
}

void FillSolid(HDC DC, const TRect& R, TColor Color)
{
  if (Color == clNone || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  HBRUSH Brush = CreateSolidBrush(PlainColor(Color));
  FillRect(DC, &R, Brush);
  DeleteObject(Brush);
}

void FillPolygon(HDC DC, const TPoint* Points, int Count, TColor Color)
{
  HBRUSH Brush = CreateSolidBrush(PlainColor(Color));
  HPEN Pen = CreatePen(PS_NULL, 0, 0);
  HGDIOBJ OldBrush = SelectObject(DC, Brush);
  HGDIOBJ OldPen = SelectObject(DC, Pen);
  Polygon(DC, Points, Count);
  SelectObject(DC, OldPen);
  SelectObject(DC, OldBrush);
  DeleteObject(Pen);
  DeleteObject(Brush);
}

void SolidLine(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color)
{
  HPEN Pen = CreatePen(PS_SOLID, 1, PlainColor(Color));
  HGDIOBJ Old = SelectObject(DC, Pen);
  MoveToEx(DC, X1, Y1, nullptr);
  LineTo(DC, X2, Y2);
  SelectObject(DC, Old);
  DeleteObject(Pen);
}

namespace {

enum { BorderNone, BorderSolid, BorderInset, BorderOutset, BorderGroove, BorderRidge, BorderDashed, BorderDotted, BorderDouble };

// The trapezoid of side S between rectangles A (outer) and B (inner).
void Trapezoid(const TRect& A, const TRect& B, int S, TPoint P[4])
{
  switch (S) {
  case 0: P[0] = {A.Left, A.Top}; P[1] = {B.Left, B.Top}; P[2] = {B.Left, B.Bottom}; P[3] = {A.Left, A.Bottom}; break;
  case 1: P[0] = {A.Left, A.Top}; P[1] = {A.Right, A.Top}; P[2] = {B.Right, B.Top}; P[3] = {B.Left, B.Top}; break;
  case 2: P[0] = {A.Right, A.Top}; P[1] = {A.Right, A.Bottom}; P[2] = {B.Right, B.Bottom}; P[3] = {B.Right, B.Top}; break;
  default: P[0] = {A.Left, A.Bottom}; P[1] = {B.Left, B.Bottom}; P[2] = {B.Right, B.Bottom}; P[3] = {A.Right, A.Bottom}; break;
  }
}

int Thickness(const TRect& A, const TRect& B, int S)
{
  switch (S) {
  case 0: return B.Left - A.Left;
  case 1: return B.Top - A.Top;
  case 2: return A.Right - B.Right;
  default: return A.Bottom - B.Bottom;
  }
}

// One band of side S: a one-pixel band is a line along the side, wider ones
// are filled polygons.
void Band(HDC DC, const TRect& A, const TRect& B, int S, TColor Color)
{
  const int W = Thickness(A, B, S);
  if (W <= 0)
    return;
  if (W == 1) {
    switch (S) {
    case 0: FillSolid(DC, {A.Left, A.Top, A.Left + 1, A.Bottom}, Color); break;
    case 1: FillSolid(DC, {A.Left, A.Top, A.Right, A.Top + 1}, Color); break;
    case 2: FillSolid(DC, {A.Right - 1, A.Top, A.Right, A.Bottom}, Color); break;
    default: FillSolid(DC, {A.Left, A.Bottom - 1, A.Right, A.Bottom}, Color); break;
    }
    return;
  }
  TPoint P[4];
  Trapezoid(A, B, S, P);
  FillPolygon(DC, P, 4, Color);
}

}  // namespace

void DrawBorder(HDC DC, TRect Outer, TRect Inner, const TBorderColors& Colors, const TBorderStyles& Styles,
                TColor Background)
{
  // Far-off edges are clamped so that the polygon arithmetic stays small.
  Outer.Bottom = std::min(Outer.Bottom, 5000);
  Inner.Bottom = std::min(Inner.Bottom, 5000);
  Outer.Top = std::max(Outer.Top, -200);
  Inner.Top = std::max(Inner.Top, -200);
  bool Gaps = false;
  for (int S : Styles)
    Gaps = Gaps || S == BorderDashed || S == BorderDotted || S == BorderDouble;
  if (Background != clNone && Gaps) {
    FillSolid(DC, {Outer.Left, Outer.Top, Outer.Right, Inner.Top}, Background);
    FillSolid(DC, {Outer.Left, Inner.Bottom, Outer.Right, Outer.Bottom}, Background);
    FillSolid(DC, {Outer.Left, Inner.Top, Inner.Left, Inner.Bottom}, Background);
    FillSolid(DC, {Inner.Right, Inner.Top, Outer.Right, Inner.Bottom}, Background);
  }
  const TRect Middle{(Outer.Left + Inner.Left) / 2, (Outer.Top + Inner.Top) / 2, (Outer.Right + Inner.Right) / 2,
                     (Outer.Bottom + Inner.Bottom) / 2};
  auto Third = [&](int W) { return W / 3 + (W % 3 == 2 ? 1 : 0); };
  const TRect OuterThird{Outer.Left + Third(Inner.Left - Outer.Left), Outer.Top + Third(Inner.Top - Outer.Top),
                         Outer.Right - Third(Outer.Right - Inner.Right),
                         Outer.Bottom - Third(Outer.Bottom - Inner.Bottom)};
  const TRect InnerThird{Inner.Left - Third(Inner.Left - Outer.Left), Inner.Top - Third(Inner.Top - Outer.Top),
                         Inner.Right + Third(Outer.Right - Inner.Right),
                         Inner.Bottom + Third(Outer.Bottom - Inner.Bottom)};
  for (int S = 0; S < 4; ++S) {
    const TColor C = Colors[std::size_t(S)];
    const bool LeftTop = S == 0 || S == 1;
    switch (Styles[std::size_t(S)]) {
    case BorderSolid: Band(DC, Outer, Inner, S, C); break;
    case BorderInset: Band(DC, Outer, Inner, S, LeftTop ? Darker(C) : C); break;
    case BorderOutset: Band(DC, Outer, Inner, S, LeftTop ? C : Darker(C)); break;
    case BorderGroove:
      Band(DC, Outer, Middle, S, LeftTop ? Darker(C) : C);
      Band(DC, Middle, Inner, S, LeftTop ? C : Darker(C));
      break;
    case BorderRidge:
      Band(DC, Outer, Middle, S, LeftTop ? C : Darker(C));
      Band(DC, Middle, Inner, S, LeftTop ? Darker(C) : C);
      break;
    case BorderDashed:
    case BorderDotted:
      break;  // stroked below, side runs at a time
    case BorderDouble:
      Band(DC, Outer, OuterThird, S, C);
      Band(DC, InnerThird, Inner, S, C);
      break;
    default:
      break;
    }
  }
  const std::array<int, 4> Widths{Thickness(Outer, Inner, 0), Thickness(Outer, Inner, 1), Thickness(Outer, Inner, 2),
                                  Thickness(Outer, Inner, 3)};
  for (const TPatternRun& Run : PatternRuns(Colors, Styles, Widths))
    StrokePatternRun(DC, Outer, Middle, Run, Widths[std::size_t(Run.FirstSide)],
                     Styles[std::size_t(Run.FirstSide)] == BorderDotted, Colors[std::size_t(Run.FirstSide)]);
}

void FrameLines(HDC DC, int Left, int Top, bool Raised, TColor Light, TColor Dark, int Bottom, int Right)
{
  Top = std::max(Top, -200);
  Bottom = std::min(Bottom, 5000);
  const TColor TopLeft = Raised ? Light : Dark;
  const TColor BottomRight = Raised ? Dark : Light;
  // Lines leave out their end pixel: each edge runs one pixel further.
  SolidLine(DC, Left, Top, Right + 1, Top, TopLeft);
  SolidLine(DC, Left, Top, Left, Bottom + 1, TopLeft);
  SolidLine(DC, Right, Top + 1, Right, Bottom + 1, BottomRight);
  SolidLine(DC, Left + 1, Bottom, Right + 1, Bottom, BottomRight);
}

void FormControlFrame(HDC DC, int Left, int Top, int Right, int Bottom, bool Filled, bool CheckMonochrome, bool Raised)
{
  const bool Mono = CheckMonochrome && GetDeviceCaps(DC, BITSPIXEL) == 1 && GetDeviceCaps(DC, PLANES) == 1;
  FillSolid(DC, {Left, Top, Right - 1, Bottom - 1}, Filled && !Mono ? TColor(clBtnFace) : TColor(0xFFFFFF));
  const int Pen = Mono ? 1 : 2;
  const TColor Light = Mono ? TColor(0) : TColor(0xC0C0C0);
  const TColor Dark = Mono ? TColor(0) : TColor(clBtnShadow);
  const TColor TopLeft = Raised ? Light : Dark, BottomRight = Raised ? Dark : Light;
  // A pen of Pen pixels inside the rectangle's edges.
  FillSolid(DC, {Left, Top, Right, Top + Pen}, TopLeft);
  FillSolid(DC, {Left, Top, Left + Pen, Bottom}, TopLeft);
  FillSolid(DC, {Right - Pen, Top + Pen, Right, Bottom}, BottomRight);
  FillSolid(DC, {Left + Pen, Bottom - Pen, Right, Bottom}, BottomRight);
}

void WrapText(HDC DC, const THtmlFontService& Fonts, const THtmlFontDesc& Font, TColor Color, const TRect& R,
              const std::u16string& Text)
{
  if (Text.empty() || R.Right <= R.Left)
    return;
  const int LineHeight = std::max(1, Fonts.Metrics(Font).Height);
  std::vector<int> Ext(Text.size());
  Fonts.TextExtents(Font, Text.data(), int(Text.size()), Ext.data());
  auto Width = [&](std::size_t From, std::size_t To) {
    return To <= From ? 0 : Ext[To - 1] - (From ? Ext[From - 1] : 0);
  };
  const int RoomWidth = R.Right - R.Left;
  int Y = R.Top;
  std::size_t LineStart = 0;
  while (LineStart < Text.size() && Y + LineHeight <= R.Bottom) {
    // Whole words while they fit; a word wider than the room goes alone.
    std::size_t LineEnd = Text.find(u' ', LineStart);
    LineEnd = LineEnd == std::u16string::npos ? Text.size() : LineEnd;
    while (LineEnd < Text.size()) {
      std::size_t Next = Text.find(u' ', LineEnd + 1);
      Next = Next == std::u16string::npos ? Text.size() : Next;
      if (Width(LineStart, Next) > RoomWidth)
        break;
      LineEnd = Next;
    }
    Fonts.DrawText(DC, R.Left, Y, Font, Color, clNone, Text.data() + LineStart, int(LineEnd - LineStart), &R);
    Y += LineHeight;
    LineStart = LineEnd;
    while (LineStart < Text.size() && Text[LineStart] == u' ')
      ++LineStart;
  }
}

THtmlFontDesc AltTextFont(const THtmlFontService& Fonts)
{
  // Eight points at the fonts' resolution, rounded as the platform's MulDiv.
  const int Pixels = (8 * Fonts.PixelsPerInch() + 36) / 72;
  return THtmlFontDesc{"Arial", -Pixels, {}, DEFAULT_CHARSET, 0};
}
