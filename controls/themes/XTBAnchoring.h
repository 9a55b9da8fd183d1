// The arithmetic by which extended toolbars follow the width of their dock:
// anchored items grow by the dock's growth since they were first anchored,
// right-anchored controls keep their cached width plus that growth.
#pragma once

#include "platform/base/Geometry.h"

// The dock's size DockSize becomes the anchor point of an item anchored for
// the first time ((0, 0) until then); the delta is the growth since.
void AnchorToDock(TPoint& AnchorPoint, TPoint& AnchorDelta, TPoint DockSize);
// The width of a control anchored to the right: its cached width plus the
// dock's growth since it was cached, never below MinWidth (a dock shrunk
// below its cached size does not give the control a negative width).
int AnchoredControlWidth(int CachedWidth, int CachedParentWidth, int DockWidth, int MinWidth);
