// Background pictures of blocks (and of the document): placed by the style's
// background-position, repeated along the axes background-repeat allows,
// clipped to the box and drawn through the picture's mask so that its
// transparent pixels keep what is below.
#pragma once

#include "controls/html/styles/BackgroundPosition.h"
#include "platform/base/Geometry.h"
#include "platform/win/gdi/GdiTypes.h"

class TImageObj;

// The first tile's offset on one axis of a box of Box pixels for a tile of
// Tile pixels: at the start, centred, at the end, a percentage of the spare
// room or a length; kept within [-Tile, Box]. When the axis repeats, the
// offset moves back by whole tiles to 0 or less.
int FirstTileOffset(const TBackgroundPosition& Position, int Box, int Tile);
// Tiles Image over Box (screen coordinates), painting only what meets Clip.
// A picture 1 pixel wide (or high) is stretched to the box's width (height).
void DrawTiledBackground(HDC DC, const TRect& Box, const TRect& Clip, TImageObj& Image,
                         const TBackgroundPosRec& Position);
