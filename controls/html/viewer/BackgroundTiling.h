// Where the tiles of a document's background picture go: the first tile's
// left and top and the column and row where tiling ends, for one clip
// rectangle. Only the tiles that meet the rectangle are drawn.
#pragma once

#include "controls/html/styles/BackgroundPosition.h"
#include "platform/base/Geometry.h"

// How the picture is placed along one axis: the style sheet's position
// kinds, numbered as there.
namespace BgPos {
enum : int { Top, Center, Bottom, Left, Right, Percent, Length };
}

struct TBgAxis {
  int Kind = BgPos::Top;
  int Value = 0;
  bool Repeat = true;
  bool Fixed = false;
};

// The background position record of a document: X first, then Y. The
// default tiles from the top-left corner in both directions and scrolls.
struct TBackgroundPlacement {
  TBgAxis X{BgPos::Left, 0, true, false};
  TBgAxis Y{BgPos::Top, 0, true, false};
};

// The placement a document's style gives its BODY picture
// (background-position, -repeat and -attachment).
TBackgroundPlacement PlacementOf(const TBackgroundPosRec& Style);

struct TTiling {
  int X = 0, Y = 0;          // the first tile
  int XLast = 0, YLast = 0;  // tiles start left of XLast and above YLast
};

// Area: AW by AH (the document, or the client area for a fixed picture),
// seen from offset XO, YO; R is the clip rectangle; W by H the picture.
TTiling CalcBackgroundTiling(const TBackgroundPlacement& Pos, int W, int H, int AW, int AH, int XO, int YO,
                             const TRect& R);
