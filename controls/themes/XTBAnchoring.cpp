#include "controls/themes/XTBAnchoring.h"

#include <algorithm>

void AnchorToDock(TPoint& AnchorPoint, TPoint& AnchorDelta, TPoint DockSize)
{
  if (AnchorPoint.x == 0 && AnchorPoint.y == 0)
    AnchorPoint = DockSize;
  AnchorDelta = TPoint(DockSize.x - AnchorPoint.x, DockSize.y - AnchorPoint.y);
}

int AnchoredControlWidth(int CachedWidth, int CachedParentWidth, int DockWidth, int MinWidth)
{
  return std::max({CachedWidth + DockWidth - CachedParentWidth, MinWidth, 0});
}
