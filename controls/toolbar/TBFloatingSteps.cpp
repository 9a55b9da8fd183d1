// Stepped floating sizes of a toolbar and the snapping of a resized frame.
#include "controls/toolbar/TBFloatingSteps.h"

#include <algorithm>
#include <cstdlib>

std::vector<TPoint> FloatingSizeSteps(const TTBFloatingMeasure& Measure, int MinWidth)
{
  std::vector<TPoint> steps;
  TTBMeasuredSize size = Measure(0);
  steps.emplace_back(size.Width, size.Height);
  int lastLines = size.Lines;
  for (int i = size.Width - 1; i >= MinWidth;) {
    size = Measure(i);
    if (size.Width > i)
      break;
    if (size.Width < i) {
      i = size.Width;
      continue;
    }
    if (size.Lines == lastLines)
      steps.back() = TPoint(size.Width, size.Height);
    else
      steps.emplace_back(size.Width, size.Height);
    lastLines = size.Lines;
    --i;
  }
  return steps;
}

namespace {

bool StepsByHeight(int Edge) { return Edge > 1; }
bool IsLeftEdge(int Edge) { return Edge == 0; }
bool IsTopEdge(int Edge) { return Edge >= 2 && Edge <= 4; }
int Along(const TPoint& Size, int Edge) { return StepsByHeight(Edge) ? Size.y : Size.x; }

}  // namespace

void StartResizeTrack(TTBResizeTrackRecord& Track, int Edge, std::vector<TPoint> Sizes, const TPoint& NonClient,
                      const TRect& Frame, int NonClientOffsetX, int WrapWidth)
{
  Track = TTBResizeTrackRecord();
  Track.Edge = Edge;
  for (TPoint& s : Sizes)
    s = TPoint(s.x + NonClient.x, s.y + NonClient.y);
  std::stable_sort(Sizes.begin(), Sizes.end(),
                   [Edge](const TPoint& A, const TPoint& B) { return Along(A, Edge) > Along(B, Edge); });
  Track.Sizes = std::move(Sizes);
  Track.StartFrame = Frame;
  Track.NonClientOffsetX = NonClientOffsetX;
  Track.WrapWidth = WrapWidth;
  Track.SnapRange = 12;
  const TPoint present(Frame.Width(), Frame.Height());
  auto it = std::find(Track.Sizes.begin(), Track.Sizes.end(), present);
  if (it != Track.Sizes.end()) {
    int here = Along(*it, Edge);
    if (it != Track.Sizes.begin())
      Track.SnapRange = std::min(Track.SnapRange, std::abs(Along(*(it - 1), Edge) - here) - 1);
    if (it + 1 != Track.Sizes.end())
      Track.SnapRange = std::min(Track.SnapRange, std::abs(Along(*(it + 1), Edge) - here) - 1);
    Track.SnapRange = std::max(Track.SnapRange, 0);
  }
}

void TrackResize(TTBResizeTrackRecord& Track, const TPoint& Cursor, TRect& NewRect, const TRect& StartRect)
{
  const int edge = Track.Edge;
  const bool byHeight = StepsByHeight(edge);
  const TRect& start = Track.StartFrame;
  int pointer, startSize;
  if (byHeight) {
    pointer = Cursor.y - start.Top;
    if (IsTopEdge(edge))
      pointer = start.Height() - pointer;
    startSize = start.Height();
  } else {
    pointer = Cursor.x - start.Left;
    if (IsLeftEdge(edge))
      pointer = start.Width() - pointer;
    startSize = start.Width();
  }
  const bool shrinking = pointer < startSize;
  if (!Track.MovedAway || shrinking != Track.Shrinking) {
    Track.MovedAway = false;
    Track.Shrinking = shrinking;
    if (std::abs(pointer - startSize) <= Track.SnapRange)
      pointer = startSize;
  }
  NewRect = StartRect;
  if (Track.Sizes.empty())
    return;
  const bool growing = pointer > startSize;
  const std::vector<TPoint>& sizes = Track.Sizes;
  std::size_t result = growing ? 0 : sizes.size() - 1;
  if (growing) {
    for (std::size_t i = 0; i < sizes.size(); ++i)
      if (Along(sizes[i], edge) > pointer)
        result = i;
  } else {
    for (std::size_t i = sizes.size(); i-- > 0;)
      if (Along(sizes[i], edge) <= pointer)
        result = i;
  }
  const int w = sizes[result].x, h = sizes[result].y;
  // The entry of a single row (the widest, or the lowest) needs no wrapping.
  const std::size_t singleRow = byHeight ? sizes.size() - 1 : 0;
  Track.WrapWidth = result == singleRow ? 0 : w - 2 * Track.NonClientOffsetX;
  if (byHeight) {
    if (IsTopEdge(edge))
      NewRect.Top = NewRect.Bottom - h;
    else
      NewRect.Bottom = NewRect.Top + h;
    NewRect.Right = NewRect.Left + w;
  } else {
    if (IsLeftEdge(edge))
      NewRect.Left = NewRect.Right - w;
    else
      NewRect.Right = NewRect.Left + w;
    NewRect.Bottom = NewRect.Top + h;
  }
  Track.MovedAway = NewRect != StartRect;
}
