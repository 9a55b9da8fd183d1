#include "controls/html/paint/PatternedBorder.h"

#include <algorithm>

#include "platform/win/gdi/gdi.h"

namespace {

enum { StyleDashed = 6, StyleDotted = 7 };

bool Patterned(int Style)
{
  return Style == StyleDashed || Style == StyleDotted;
}

// Side S of the middle line as a segment, in the direction of travel: up
// the left side, along the top, down the right side, back along the bottom.
void SideEnds(const TRect& M, int S, TPoint& From, TPoint& To)
{
  switch (S) {
  case 0: From = {M.Left, M.Bottom}; To = {M.Left, M.Top}; break;
  case 1: From = {M.Left, M.Top}; To = {M.Right, M.Top}; break;
  case 2: From = {M.Right, M.Top}; To = {M.Right, M.Bottom}; break;
  default: From = {M.Right, M.Bottom}; To = {M.Left, M.Bottom}; break;
  }
}

TRect Intersect(const TRect& A, const TRect& B)
{
  return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom)};
}

// The pixels a stroke of width W covers round the point P, or from P to Q
// along one side.
TRect StrokeBox(TPoint P, TPoint Q, int W)
{
  const int Half = W / 2;
  return {std::min(P.x, Q.x) - Half, std::min(P.y, Q.y) - Half, std::max(P.x, Q.x) - Half + W,
          std::max(P.y, Q.y) - Half + W};
}

TPoint Along(TPoint From, TPoint To, int Distance)
{
  const int DX = To.x > From.x ? 1 : To.x < From.x ? -1 : 0;
  const int DY = To.y > From.y ? 1 : To.y < From.y ? -1 : 0;
  return {From.x + DX * Distance, From.y + DY * Distance};
}

}  // namespace

std::vector<TPatternRun> PatternRuns(const TBorderColors& Colors, const TBorderStyles& Styles,
                                     const std::array<int, 4>& Widths)
{
  std::vector<TPatternRun> Runs;
  auto SameStroke = [&](int A, int B) {
    return Styles[std::size_t(A)] == Styles[std::size_t(B)] && Colors[std::size_t(A)] == Colors[std::size_t(B)] &&
           Widths[std::size_t(A)] == Widths[std::size_t(B)];
  };
  for (int S = 0; S < 4; ++S) {
    if (!Patterned(Styles[std::size_t(S)]) || Widths[std::size_t(S)] <= 0)
      continue;
    if (!Runs.empty() && Runs.back().FirstSide + Runs.back().SideCount == S && SameStroke(S - 1, S))
      ++Runs.back().SideCount;
    else
      Runs.push_back({S, 1, false});
  }
  if (Runs.size() == 1 && Runs[0].SideCount == 4)
    Runs[0].Closed = true;
  return Runs;
}

void StrokePatternRun(HDC DC, const TRect& Outer, const TRect& Middle, const TPatternRun& Run, int W, bool Dots,
                      TColor Color)
{
  if (W <= 0)
    return;
  const int On = Dots ? 0 : 2 * W;  // the ends add W / 2 each
  const int Period = Dots ? 2 * W : 5 * W;
  HBRUSH Brush = CreateSolidBrush(PlainColor(Color));
  HPEN Pen = CreatePen(PS_NULL, 0, 0);
  HGDIOBJ OldBrush = SelectObject(DC, Brush);
  HGDIOBJ OldPen = SelectObject(DC, Pen);
  // Distance along the run where each side starts; the pattern runs on.
  int SideStart = 0;
  for (int I = 0; I < Run.SideCount; ++I) {
    const int S = (Run.FirstSide + I) % 4;
    TPoint From, To;
    SideEnds(Middle, S, From, To);
    const int Length = std::abs(To.x - From.x) + std::abs(To.y - From.y);
    const bool LastSide = I + 1 == Run.SideCount;
    // The marks that start on this side (the last side of a closed loop
    // stops short of a mark that would sit on the loop's start).
    const int FirstMark = (SideStart + Period - 1) / Period * Period;
    const int End = SideStart + Length + (LastSide && !Run.Closed ? 1 : 0);
    for (int Mark = FirstMark; Mark < End; Mark += Period) {
      const int A = Mark - SideStart;
      if (Dots) {
        const TPoint P = Along(From, To, A);
        const TRect Box = StrokeBox(P, P, W);
        if (W <= 2)
          FillRect(DC, &Box, Brush);
        else
          Ellipse(DC, Box.Left, Box.Top, Box.Right + 1, Box.Bottom + 1);
        continue;
      }
      // A dash may turn a corner: its piece on this side, then the rest on
      // the next ones.
      int Left = On, Offset = A;
      for (int J = I; J < Run.SideCount + (Run.Closed ? 1 : 0) && Left >= 0; ++J) {
        const int SJ = (Run.FirstSide + J) % 4;
        TPoint F, T;
        SideEnds(Middle, SJ, F, T);
        const int L = std::abs(T.x - F.x) + std::abs(T.y - F.y);
        const int Piece = std::min(Left, L - Offset);
        const TRect Box = Intersect(StrokeBox(Along(F, T, Offset), Along(F, T, Offset + Piece), W), Outer);
        if (Box.Left < Box.Right && Box.Top < Box.Bottom)
          FillRect(DC, &Box, Brush);
        Left -= Piece;
        Offset = 0;
        if (Left <= 0)
          break;
      }
    }
    SideStart += Length;
  }
  SelectObject(DC, OldPen);
  SelectObject(DC, OldBrush);
  DeleteObject(Pen);
  DeleteObject(Brush);
}
