// A floating toolbar resized by its frame takes only the sizes its content
// can have: the frame steps from one wrapped-line count to the next. The
// width it wraps at is one of its placement values.
#include <algorithm>

#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/toolbar/TBToolbar.h"
#include "platform/base/ScopeGuard.h"
#include "platform/win/win.h"

namespace {

constexpr const char* FloatWrapValueName = "FloatRightX";

}  // namespace

// The wrap width a floating toolbar was given by its frame, kept between
// sessions. A missing value means none (one line); a store edited by hand
// cannot give a negative width.
void TTBCustomToolbar::LoadPlacementValues(const TTBPlacementValueAccess& Access)
{
  if (Access.Integer)
    SetFloatWrapWidth(std::max(0, Access.Integer(Name(), FloatWrapValueName, 0)));
}

void TTBCustomToolbar::SavePlacementValues(const TTBPlacementValueAccess& Access)
{
  if (Access.Integer)
    Access.Integer(Name(), FloatWrapValueName, FFloatWrapWidth);
}

std::vector<TPoint> TTBCustomToolbar::FloatingSizeSteps()
{
  const int saved = FFloatWrapWidth;
  ScopeExit restore([this, saved] { FFloatWrapWidth = saved; });
  TRect margins;
  FView->LayoutMargins(tbaFloating, margins);
  auto measure = [this](int WrapWidth) {
    FFloatWrapWidth = WrapWidth;
    TPoint size;
    SizeForPlacement(false, dtFloating, size, nullptr, true);
    return TTBMeasuredSize{int(size.x), int(size.y), FLastWrappedLines};
  };
  return ::FloatingSizeSteps(measure, margins.Left + margins.Right);
}

void TTBCustomToolbar::ResizeStarted(int Edge)
{
  TTBFloatingWindowParent* frame = FloatFrame();
  if (!frame)
    return;
  FResizeTrack = std::make_unique<TTBResizeTrackRecord>();
  const TPoint nonClient(frame->Width() - frame->ClientWidth(), frame->Height() - frame->ClientHeight());
  const int offsetX = frame->ClientOrigin().x - frame->Left();
  StartResizeTrack(*FResizeTrack, Edge, FloatingSizeSteps(), nonClient,
                   TRect(frame->Left(), frame->Top(), frame->Left() + frame->Width(), frame->Top() + frame->Height()),
                   offsetX, FFloatWrapWidth);
}

void TTBCustomToolbar::ResizeTracking(TRect& NewRect, const TRect& StartRect)
{
  if (!FResizeTrack)
    return;
  TPoint cursor;
  GetCursorPos(&cursor);
  TrackResize(*FResizeTrack, cursor, NewRect, StartRect);
}

void TTBCustomToolbar::ResizeApplying()
{
  if (FResizeTrack)
    FFloatWrapWidth = FResizeTrack->WrapWidth;
}

void TTBCustomToolbar::ResizeEnded() { FResizeTrack.reset(); }
