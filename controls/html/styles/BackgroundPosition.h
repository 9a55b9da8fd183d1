// Where a background picture sits in its box and along which axes it
// repeats, as background-position, -repeat and -attachment give it.
#pragma once

enum TBackgroundPosKind { bpTop, bpCenter, bpBottom, bpLeft, bpRight, bpPercent, bpLength };

struct TBackgroundPosition {
  TBackgroundPosKind Kind = bpLength;
  int Value = 0;
  bool Repeat = true;
  bool Fixed = false;
};
struct TBackgroundPosRec {
  TBackgroundPosition X, Y;
};
