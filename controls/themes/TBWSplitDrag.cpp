// The split drag: the user moves the edge between two panels of a
// multi-dock; the length moves from one side to the other, carried on past
// panels that reach their limits. Live, or with a half-tone line and the new
// sizes applied at the end.
#include <vector>

#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWPanelGeometry.h"
#include "controls/themes/TBWSplitLengths.h"
#include "controls/themes/detail/TBWPanelDrag.h"
#include "platform/base/Exception.h"
#include "platform/base/ScopeGuard.h"

void TTBWDockablePanel::RunSplitDrag(int HitCode)
{
  // 1.
  TTBWMultiDock* dock = CurrentMultiDock();
  if (!dock || !HandleAllocated())
    return;
  std::vector<TTBWDockablePanel*> panels;
  for (int i = 0; i < dock->VisibleWindowCount(); ++i) {
    auto* p = dynamic_cast<TTBWDockablePanel*>(dock->VisibleWindows(i));
    if (!p)
      return;
    panels.push_back(p);
  }
  // 2.
  const bool vertical = dock->IsVertical();
  const int total = dock->InnerLength();
  std::vector<TSplitTrack> records;
  std::vector<int> thicknesses;
  int sumMin = 0, sumMax = 0, K = -1;
  bool smooth = true;
  for (TTBWDockablePanel* p : panels) {
    TSplitLength limits;
    limits.Length = vertical ? p->Height() : p->Width();
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    p->SizeLimits(minW, minH, maxW, maxH);
    limits.MinLength = vertical ? minH : minW;
    limits.MaxLength = vertical ? maxH : maxW;
    NormalizeSplitLimits(limits, total);
    sumMin += limits.MinLength;
    sumMax += limits.MaxLength;
    TSplitTrack r;
    r.StartLength = r.NewLength = limits.Length;
    r.MinLength = limits.MinLength;
    r.MaxLength = limits.MaxLength;
    records.push_back(r);
    thicknesses.push_back(vertical ? p->Width() : p->Height());
    smooth = smooth && p->SmoothDockedResize();
    if (p == this)
      K = int(records.size()) - 1;
  }
  if (K < 0 || total < sumMin || sumMax < total)
    return;
  // 3. A left or top edge is the far edge of the panel before.
  if (HitCode == HT_SPLIT_LEFT || HitCode == HT_SPLIT_TOP) {
    if (--K < 0)
      throw EAssertionFailed("TBWDkPanels: a split edge before the first panel");
  }
  TTBWDockablePanel* anchor = panels[std::size_t(K)];
  // 4.
  TRect anchorRect, dockRect = dock->ClientRect();
  GetWindowRect(anchor->Handle(), &anchorRect);
  const TPoint dockOrigin = dock->ClientOrigin();
  OffsetRect(&dockRect, dockOrigin.x, dockOrigin.y);
  TRect line = anchorRect;
  if (vertical) {
    line.Top = anchorRect.Bottom - 1;
    line.Bottom = anchorRect.Bottom + 1;
  } else {
    line.Left = anchorRect.Right - 1;
    line.Right = anchorRect.Right + 1;
  }
  FSplitDragActive = true;
  ScopeExit inactive([this] { FSplitDragActive = false; });
  auto apply = [&] {
    std::vector<int> positions, lengths;
    for (const TSplitTrack& r : records) {
      positions.push_back(r.NewPosition);
      lengths.push_back(r.NewLength);
    }
    dock->ApplySplitSizes(panels, positions, lengths, thicknesses);
  };
  bool tracked = false;
  {
    TPanelDrag drag(Handle(), !smooth, line);
    // 5, 6. Every step starts again from the lengths at the start, so that a
    // pointer brought back to where it started gives them back.
    drag.Run([&](const TPoint& P) {
      TrackSplit(records, K, vertical ? P.y - drag.Start().y : P.x - drag.Start().x);
      tracked = true;
      if (smooth) {
        apply();
        return;
      }
      const int edge = (vertical ? dockRect.Top : dockRect.Left) + records[std::size_t(K) + 1].NewPosition;
      drag.MoveLine(vertical ? TRect(dockRect.Left, edge - 1, dockRect.Right, edge + 1)
                             : TRect(edge - 1, dockRect.Top, edge + 1, dockRect.Bottom));
    });
  }
  // 7. The sizes reached stay, whatever ended the drag.
  if (!smooth && tracked)
    apply();
}
