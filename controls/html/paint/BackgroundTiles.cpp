#include "controls/html/paint/BackgroundTiles.h"

#include <algorithm>

#include "controls/html/document/ImageObj.h"
#include "platform/win/gdi/gdi.h"

int FirstTileOffset(const TBackgroundPosition& Position, int Box, int Tile)
{
  long long Offset = 0;
  switch (Position.Kind) {
  case bpCenter: Offset = (static_cast<long long>(Box) - Tile) / 2; break;
  case bpBottom:
  case bpRight: Offset = static_cast<long long>(Box) - Tile; break;
  case bpPercent: Offset = (static_cast<long long>(Box) - Tile) * Position.Value / 100; break;
  case bpLength: Offset = Position.Value; break;
  default: break;  // top and left: the start
  }
  Offset = std::clamp<long long>(Offset, -static_cast<long long>(Tile), Box);
  if (Position.Repeat && Tile > 0 && Offset > 0)
    Offset -= (Offset + Tile - 1) / Tile * Tile;
  return int(Offset);
}

void DrawTiledBackground(HDC DC, const TRect& Box, const TRect& Clip, TImageObj& Image,
                         const TBackgroundPosRec& Position)
{
  const TRect Visible{std::max(Box.Left, Clip.Left), std::max(Box.Top, Clip.Top), std::min(Box.Right, Clip.Right),
                      std::min(Box.Bottom, Clip.Bottom)};
  if (Visible.Left >= Visible.Right || Visible.Top >= Visible.Bottom)
    return;
  const int BoxW = Box.Right - Box.Left, BoxH = Box.Bottom - Box.Top;
  const int TileW = Image.ImageWidth == 1 ? BoxW : Image.ImageWidth;
  const int TileH = Image.ImageHeight == 1 ? BoxH : Image.ImageHeight;
  if (TileW <= 0 || TileH <= 0)
    return;
  const int X0 = Box.Left + FirstTileOffset(Position.X, BoxW, TileW);
  const int Y0 = Box.Top + FirstTileOffset(Position.Y, BoxH, TileH);
  // Without repeat one tile; with it, the tiles that meet the visible part.
  const int FirstX = Position.X.Repeat ? X0 + std::max(0, (Visible.Left - X0) / TileW) * TileW : X0;
  const int FirstY = Position.Y.Repeat ? Y0 + std::max(0, (Visible.Top - Y0) / TileH) * TileH : Y0;
  const int EndX = Position.X.Repeat ? Visible.Right : X0 + 1;
  const int EndY = Position.Y.Repeat ? Visible.Bottom : Y0 + 1;
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, Visible.Left, Visible.Top, Visible.Right, Visible.Bottom);
  for (int Y = FirstY; Y < EndY; Y += TileH)
    for (int X = FirstX; X < EndX; X += TileW)
      Image.DrawPicture(DC, X, Y, TileW, TileH);
  RestoreDC(DC, Saved);
}
