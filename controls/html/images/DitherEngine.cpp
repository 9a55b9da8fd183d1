#include "controls/html/images/DitherEngine.h"

#include "controls/html/images/ColorLookup.h"

TDitherEngine::TDitherEngine(int AWidth, TColorLookup* Lookup) : FLookup(Lookup), FWidth(AWidth) {}

int TDitherEngine::DitherPixel(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B)
{
  const int index = FLookup->NearestColor(Red, Green, Blue, R, G, B);
  FColumn += FDirection;
  return index;
}

void TDitherEngine::NextRow()
{
  FDirection = -FDirection;
  FColumn = FDirection == 1 ? 0 : FWidth - 1;
}

TFloydSteinbergEngine::TFloydSteinbergEngine(int AWidth, TColorLookup* Lookup) : TDitherEngine(AWidth, Lookup)
{
  for (auto& row : FErrors)
    row.assign(std::size_t(AWidth) + 2, 0);
}

int TFloydSteinbergEngine::DitherPixel(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B)
{
  const int input[3] = {Red, Green, Blue};
  int value[3];
  for (int c = 0; c < 3; ++c) {
    // Division truncates toward zero, as the error is spread.
    int v = input[c] + (FErrors[c][std::size_t(FCell + FDirection)] + FCarried[c] + 8) / 16;
    value[c] = v < 0 ? 0 : v > 255 ? 255 : v;
  }
  const int index = TDitherEngine::DitherPixel(BYTE(value[0]), BYTE(value[1]), BYTE(value[2]), R, G, B);
  const int chosen[3] = {R, G, B};
  for (int c = 0; c < 3; ++c) {
    const int e = value[c] - chosen[c];
    FErrors[c][std::size_t(FCell)] = FBelowBehind[c] + 3 * e;
    FBelowBehind[c] = FBelow[c] + 5 * e;
    FBelow[c] = e;
    FCarried[c] = 7 * e;
  }
  FCell += FDirection;
  return index;
}

void TFloydSteinbergEngine::NextRow()
{
  for (int c = 0; c < 3; ++c) {
    FErrors[c][std::size_t(FCell)] = FBelowBehind[c];
    FCarried[c] = FBelow[c] = FBelowBehind[c] = 0;
  }
  TDitherEngine::NextRow();
  FCell = FDirection == 1 ? 0 : FWidth + 1;
}
