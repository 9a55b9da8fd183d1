// What the paint pass hands to the painters of one cell.
#pragma once

#include <cstdint>

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/base/Geometry.h"

class TCanvas;

struct TLtImageInfo {
  int Index = -1;
  int XPos = 0;
  int YPos = 0;
  bool Ghosted = false;
};

struct TLtPaintInfo {
  TCanvas* Canvas = nullptr;
  std::uint8_t PaintOptions = 0;
  PLazyNode Node = nullptr;
  TColumnIndex Column = NoColumn;
  TRect CellRect;
  TRect ContentRect;
  int NodeWidth = 0;
  TAlignment Alignment = taLeftJustify;
  bool RightToLeft = false;
  TPoint BrushOrigin;
  TPoint ContentOrigin;  // the content position of the row buffer's (0, 0)
  TLtImageInfo CheckImage, StateImage, NormalImage;
};
