// Dashed and dotted border sides: one stroke along the middle line of the
// border, as wide as the side. Consecutive sides (left, top, right, bottom)
// of one style, colour and width are one stroke whose pattern runs on round
// the corners; when all four match it is a closed loop.
#pragma once

#include <vector>

#include "controls/html/paint/DrawingHelpers.h"

struct TPatternRun {
  int FirstSide = 0;  // 0 left, 1 top, 2 right, 3 bottom
  int SideCount = 1;
  bool Closed = false;
};

// The strokes of the dashed and dotted sides of a border whose sides are
// Widths wide.
std::vector<TPatternRun> PatternRuns(const TBorderColors& Colors, const TBorderStyles& Styles,
                                     const std::array<int, 4>& Widths);
// Strokes Run along Middle (the rectangle halfway between the outer and the
// inner edge), clipped to Outer: dots are round, W across, one W apart;
// dashes 3 W long with square ends, 2 W apart; corners inside a run are
// filled (mitred).
void StrokePatternRun(HDC DC, const TRect& Outer, const TRect& Middle, const TPatternRun& Run, int W, bool Dots,
                      TColor Color);
