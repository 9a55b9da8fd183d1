#include "controls/html/viewer/BackgroundTiling.h"

namespace {

// The start of the picture along one axis before tiling.
int Start(const TBgAxis& A, int Size, int Area, int Offset, bool Horizontal)
{
  switch (A.Kind) {
  case BgPos::Center: return Area / 2 - Size / 2 - Offset;
  case BgPos::Bottom: return Horizontal ? -Offset : Area - Size - Offset;
  case BgPos::Right: return Horizontal ? Area - Size - Offset : -Offset;
  case BgPos::Percent: return A.Value * (Area - Size) / 100 - Offset;
  case BgPos::Length: return A.Value - Offset;
  default: return -Offset;
  }
}

// With repeat: back to the last tile start at or before Low, ending at High;
// without: one tile when it meets [Low, High], else none.
void Span(bool Repeat, int Size, int Low, int High, int& First, int& Last)
{
  if (Size <= 0) {
    Last = First;
    return;
  }
  if (Repeat) {
    if (First < Low)
      First += Size * ((Low - First) / Size);
    else if (First > Low)
      First -= Size * ((First - Low) / Size) + Size;
    Last = High;
  } else {
    Last = High >= First && First + Size >= Low ? First + 1 : First;
  }
}

}  // namespace

TBackgroundPlacement PlacementOf(const TBackgroundPosRec& Style)
{
  static_assert(int(bpTop) == BgPos::Top && int(bpBottom) == BgPos::Bottom && int(bpLength) == BgPos::Length);
  auto Axis = [](const TBackgroundPosition& P) { return TBgAxis{int(P.Kind), P.Value, P.Repeat, P.Fixed}; };
  return TBackgroundPlacement{Axis(Style.X), Axis(Style.Y)};
}

TTiling CalcBackgroundTiling(const TBackgroundPlacement& Pos, int W, int H, int AW, int AH, int XO, int YO,
                             const TRect& R)
{
  TTiling T;
  T.X = Start(Pos.X, W, AW, XO, true);
  T.Y = Start(Pos.Y, H, AH, YO, false);
  Span(Pos.X.Repeat, W, R.Left, R.Right, T.X, T.XLast);
  Span(Pos.Y.Repeat, H, R.Top, R.Bottom, T.Y, T.YLast);
  return T;
}
