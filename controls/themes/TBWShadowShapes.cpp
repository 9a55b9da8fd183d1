#include "controls/themes/TBWShadowShapes.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

bool Empty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TShadowPiece Vert(int L, int T, int R, int B, BYTE Edges) { return {true, TRect{L, T, R, B}, Edges}; }
TShadowPiece Horz(int L, int T, int R, int B, BYTE Edges) { return {false, TRect{L, T, R, B}, Edges}; }

uint32_t AlphaPixel(int Alpha) { return uint32_t(Alpha) << 24; }

// Which corner a block of the strip is: the shift of (x, y) puts the centre
// of the rounding at the strip's inner corner.
enum class TCorner { HorzLeft, HorzRightOrVertBottom, VertTop };

void FillCorner(uint32_t* Pixels, int Stride, int Left, int Top, int W, int H, TCorner Corner)
{
  if (W <= 0 || H <= 0)
    return;
  const int m = std::max(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      int dx, dy;
      switch (Corner) {
      case TCorner::HorzLeft:
        dx = std::abs(x - m + 1);
        dy = std::abs(y + m - H);
        break;
      case TCorner::HorzRightOrVertBottom:
        dx = std::abs(x + m - W);
        dy = std::abs(y + m - H);
        break;
      default:
        dx = std::abs(x + m - W);
        dy = std::abs(y - m + 1);
        break;
      }
      const int e = ((std::max(dx, dy) + dx + dy) * 128) / m;
      Pixels[size_t(Top + y) * size_t(Stride) + size_t(Left + x)] = AlphaPixel(e > 254 ? 0 : 255 - e);
    }
}

// Corner lengths along a strip of the given length whose corners are Thick long.
std::pair<int, int> CornerLengths(int Length, int Thick, BYTE Edges)
{
  int c1 = (Edges & ShadowFirstEnd) ? Thick : 0, c2 = (Edges & ShadowSecondEnd) ? Thick : 0;
  if (Length < c1 + c2) {
    if (c1 && c2)
      c1 = c2 = Length / 2;
    else if (c1)
      c1 = Length;
    else
      c2 = Length;
  }
  return {c1, c2};
}

}  // namespace

TShadowPieces CutShadow(TRect P, TRect R, int S)
{
  TShadowPieces pieces;
  const bool parentEmpty = Empty(P), popupEmpty = Empty(R);
  if (parentEmpty && popupEmpty)
    return pieces;
  if (parentEmpty || popupEmpty) {
    const TRect& X = parentEmpty ? R : P;
    pieces[ShadowV1] = Vert(X.Right, X.Top + S, X.Right + S, X.Bottom, ShadowFirstEnd);
    pieces[ShadowH1] = Horz(X.Left + S, X.Bottom, X.Right + S, X.Bottom + S, ShadowFirstEnd | ShadowSecondEnd);
    return pieces;
  }
  if (R.Top + 2 < P.Bottom && P.Top < R.Bottom - 2) {
    // Overlapping rows: only rectangles side by side share an outline.
    const bool popupRight = R.Left + 2 >= P.Right, popupLeft = P.Left >= R.Right - 2;
    if (!popupRight && !popupLeft)
      return pieces;
    if (!popupRight)
      std::swap(P, R);
    if (P.Top + S < R.Top)
      pieces[ShadowV1] = Vert(P.Right, P.Top + S, P.Right + S, R.Top, ShadowFirstEnd);
    pieces[ShadowV2] = Vert(R.Right, R.Top + S, R.Right + S, R.Bottom + S, ShadowFirstEnd | ShadowSecondEnd);
    pieces[ShadowH1] = Horz(P.Left + S, P.Bottom, P.Right, P.Bottom + S, ShadowFirstEnd);
    if (R.Bottom < P.Bottom)
      pieces[ShadowV3] = Vert(P.Right, R.Bottom, P.Right + S, P.Bottom + S, ShadowFirstEnd | ShadowSecondEnd);
    pieces[ShadowH2] = P.Bottom + S < R.Bottom ? Horz(R.Left + S, R.Bottom, R.Right, R.Bottom + S, ShadowFirstEnd)
                                               : Horz(R.Left, R.Bottom, R.Right, R.Bottom + S, 0);
    return pieces;
  }
  // Stacked: P is the upper one.
  if (R.Top < P.Top)
    std::swap(P, R);
  if (P.Left + S < R.Left)
    pieces[ShadowH1] = Horz(P.Left + S, P.Bottom, R.Left, P.Bottom + S, ShadowFirstEnd);
  pieces[ShadowH2] = Horz(R.Left + S, R.Bottom, R.Right + S, R.Bottom + S, ShadowFirstEnd | ShadowSecondEnd);
  pieces[ShadowV1] = Vert(P.Right, P.Top + S, P.Right + S, P.Bottom, ShadowFirstEnd);
  if (R.Right < P.Right)
    pieces[ShadowH3] = Horz(R.Right, P.Bottom, P.Right + S, P.Bottom + S, ShadowFirstEnd | ShadowSecondEnd);
  pieces[ShadowV2] = P.Right + S < R.Right ? Vert(R.Right, R.Top + S, R.Right + S, R.Bottom, ShadowFirstEnd)
                                           : Vert(R.Right, R.Top + 1, R.Right + S, R.Bottom, 0);
  return pieces;
}

int ShadowSize(int Size, bool LowColor, bool HaveUpdateLayeredWindow, bool HaveAlphaBlend)
{
  return (LowColor || (!HaveUpdateLayeredWindow && !HaveAlphaBlend)) ? Size / 2 : Size;
}

TShadowStyle ChooseShadowStyle(bool LowColor, bool HaveUpdateLayeredWindow, bool HaveAlphaBlend)
{
  if (LowColor || !HaveAlphaBlend)
    return TShadowStyle::Solid;
  return HaveUpdateLayeredWindow ? TShadowStyle::Layered : TShadowStyle::Blended;
}

void FillShadowAlpha(uint32_t* Pixels, int Width, int Height, bool Vertical, BYTE Edges)
{
  if (Width <= 0 || Height <= 0)
    return;
  if (!Vertical) {
    const auto [c1, c2] = CornerLengths(Width, Height, Edges);
    FillCorner(Pixels, Width, 0, 0, c1, Height, TCorner::HorzLeft);
    for (int y = 0; y < Height; ++y)
      for (int x = c1; x < Width - c2; ++x)
        Pixels[size_t(y) * size_t(Width) + size_t(x)] = AlphaPixel(255 - y * 256 / Height);
    FillCorner(Pixels, Width, Width - c2, 0, c2, Height, TCorner::HorzRightOrVertBottom);
  } else {
    const auto [c1, c2] = CornerLengths(Height, Width, Edges);
    FillCorner(Pixels, Width, 0, 0, Width, c1, TCorner::VertTop);
    for (int y = c1; y < Height - c2; ++y)
      for (int x = 0; x < Width; ++x)
        Pixels[size_t(y) * size_t(Width) + size_t(x)] = AlphaPixel(255 - x * 256 / Width);
    FillCorner(Pixels, Width, 0, Height - c2, Width, c2, TCorner::HorzRightOrVertBottom);
  }
}
