// The tree's animations: the step loop inside tsInAnimation, and the sliding
// of the rows below a node that is expanded or collapsed.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"

void TBaseLazyTree::Animate(int Steps, unsigned Duration, const TAnimationStep& Step)
{
  if (FStates.Contains(tsInAnimation) || Duration == 0)
    return;
  ChangeStates({tsInAnimation}, {});
  // A step may end up destroying the tree: the loop then stops and nothing of
  // the tree is touched again.
  TAliveToken alive = AliveToken();
  auto leave = ScopeExit([&] {
    if (*alive)
      ChangeStates({}, {tsCancelHintAnimation, tsInAnimation});
  });
  RunStepAnimation(Steps, Duration, Step, [&] {
    return !*alive || Application()->Terminated() || !FStates.Contains(tsInAnimation);
  });
}

void TBaseLazyTree::AnimateToggle(PLazyNode Node, bool Expand, std::int64_t Height)
{
  TRect row = NodeDisplayRect(Node, NoColumn, false);
  const int width = ClientWidth(), height = ClientHeight();
  int steps = int(std::min<std::int64_t>(Height, std::int64_t(height) - row.Bottom + 1));
  if (steps <= 0 || row.IsEmpty())
    return;
  Application()->CancelHint();
  UpdateWindow(Handle());
  HDC dc = GetDC(Handle());
  auto release = ScopeExit([&] { ReleaseDC(Handle(), dc); });
  const TRect area(0, row.Bottom, width, height);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  auto freeBrush = ScopeExit([&] { DeleteObject(brush); });
  bool first = true;
  Animate(steps, FAnimationDuration, [&](int, int StepSize) {
    if (StepSize <= 0)
      return true;
    ScrollDC(dc, 0, Expand ? StepSize : -StepSize, &area, &area, nullptr, nullptr);
    // Later steps uncover what the first one filled: the scroll keeps the
    // pixels it moves away from.
    if (first) {
      TRect band = Expand ? TRect(0, area.Top, width, std::min(area.Top + StepSize, height))
                          : TRect(0, std::max(area.Top, height - StepSize), width, height);
      FillRect(dc, &band, brush);
      first = false;
    }
    return true;
  });
}
