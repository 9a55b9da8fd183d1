// Stepped resizing of a floating toolbar: the sizes its content can take
// (one per number of wrapped lines), and how a frame being dragged by an
// edge snaps to them. Pure arithmetic; the toolbar supplies the measuring.
#pragma once

#include <functional>
#include <vector>

#include "platform/base/Geometry.h"

// A floating size measured for a wrap width (0: no wrapping).
struct TTBMeasuredSize {
  int Width = 0, Height = 0, Lines = 1;
};
using TTBFloatingMeasure = std::function<TTBMeasuredSize(int WrapWidth)>;

// The sizes of the content: unwrapped first, then every narrower width at
// which it still fits, one entry per wrapped-line count (the narrowest of
// each), down to MinWidth.
std::vector<TPoint> FloatingSizeSteps(const TTBFloatingMeasure& Measure, int MinWidth);

// A resize of a floating frame under way. Edges as the resize loop numbers
// them: 0 left, 1 right, then the top and bottom edges and the corners,
// which step by height.
struct TTBResizeTrackRecord {
  int Edge = 0;
  std::vector<TPoint> Sizes;  // frame sizes, largest first along the edge's axis
  TRect StartFrame;
  int NonClientOffsetX = 0;
  int WrapWidth = 0;  // the wrap width to apply with the tracked size
  bool MovedAway = false;
  bool Shrinking = false;
  int SnapRange = 0;
};

// Sizes: content sizes of FloatingSizeSteps; NonClient: what the frame adds.
void StartResizeTrack(TTBResizeTrackRecord& Track, int Edge, std::vector<TPoint> Sizes, const TPoint& NonClient,
                      const TRect& Frame, int NonClientOffsetX, int WrapWidth);
// Places NewRect at the listed size the cursor asks for.
void TrackResize(TTBResizeTrackRecord& Track, const TPoint& Cursor, TRect& NewRect, const TRect& StartRect);
