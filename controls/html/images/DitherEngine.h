// Dither engines of colour reduction. Rows are walked left to right, then
// right to left, alternately. TDitherEngine takes the nearest colour;
// TFloydSteinbergEngine carries the error to the neighbours (7/16 ahead,
// 3/16 below-behind, 5/16 below, 1/16 below-ahead) through three error rows
// with one spare cell at each end.
#pragma once

#include <vector>

#include "platform/base/Types.h"

class TColorLookup;

class TDitherEngine {
public:
  TDitherEngine(int AWidth, TColorLookup* Lookup);
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  // The palette index for the colour, with the colour chosen in the out bytes;
  // the column moves on.
  virtual int DitherPixel(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B);
  virtual void NextRow();

  int Column() const { return FColumn; }
  int Direction() const { return FDirection; }

protected:
  int FDirection = 1;
  int FColumn = 0;
  TColorLookup* FLookup;  // not owned
  int FWidth;
};

class TFloydSteinbergEngine : public TDitherEngine {
public:
  TFloydSteinbergEngine(int AWidth, TColorLookup* Lookup);
  int DitherPixel(BYTE Red, BYTE Green, BYTE Blue, BYTE& R, BYTE& G, BYTE& B) override;
  void NextRow() override;

private:
  std::vector<int> FErrors[3];  // red, green, blue; width + 2 cells each
  int FCell = 0;                // the moving pointer
  int FCarried[3] = {};         // error carried to the next pixel
  int FBelow[3] = {};           // error for the pixel below
  int FBelowBehind[3] = {};     // error for the pixel below and behind
};
