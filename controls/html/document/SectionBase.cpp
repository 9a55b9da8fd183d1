#include "controls/html/document/SectionBase.h"

#include "controls/html/layout/IndentManager.h"

int TSectionBase::LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y)
{
  (void)X; (void)AvailHeight; (void)Width;
  StartPos = Pos;
  MaxWidth = IMgr.RightEdge() - IMgr.LeftEdge();
  TopY = PaintTop = Y;
  PaintBottom = Y + ContentHeight;
  return ContentHeight;
}

int TSectionBase::Paint(HDC DC, const TRect& Clip, int X)
{
  (void)DC; (void)Clip; (void)X;
  return PaintTop + ContentHeight;
}
