// The multi-dock's arrangement: one row of panels sharing the dock's length
// by their split sizes and limits, all as thick as the thickest one.
#include "controls/themes/TBWMultiDock.h"

#include <algorithm>
#include <climits>

#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWSplitLengths.h"
#include "platform/base/Exception.h"
#include "platform/base/Format.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Pen.h"

bool TTBWMultiDock::AcceptsDockableWindow(TTBCustomDockableWindow* Window)
{
  return dynamic_cast<TTBWDockablePanel*>(Window) != nullptr;
}

int TTBWMultiDock::InnerLength() const
{
  return std::max(0, IsVertical() ? Height() - BoundLineHeight() : Width() - BoundLineWidth());
}

void TTBWMultiDock::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
  const int length = InnerLength();
  TTBDock::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (InnerLength() != length)
    ArrangeWindows();
}

namespace {

// Sorting key of a window: its wanted position, a window still loading with
// no position of its own (negative) after all others. The same key for both
// sides of every comparison keeps the order strict and the sort stable.
int DockPosKey(TTBCustomDockableWindow* Window)
{
  if (Window->ComponentState().Contains(csLoading) && Window->DockPos() < 0)
    return INT_MAX;
  return Window->DockPos();
}

void SortByDockPos(std::vector<TTBCustomDockableWindow*>& List)
{
  std::stable_sort(List.begin(), List.end(),
                   [](auto* a, auto* b) { return DockPosKey(a) < DockPosKey(b); });
}

// The panel's limits along the dock (0 when it sets none).
void AxisLimits(TTBWDockablePanel* Panel, bool Vertical, int& Min, int& Max)
{
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  Panel->SizeLimits(minW, minH, maxW, maxH);
  Min = Vertical ? minH : minW;
  Max = Vertical ? maxH : maxW;
}

void CrossLimits(TTBWDockablePanel* Panel, bool Vertical, int& Min, int& Max)
{
  AxisLimits(Panel, !Vertical, Min, Max);
}

}  // namespace

// Resizing the dock to its new thickness lets the form re-align it, which
// may change its length while the arrangement holds the lock: the dock is
// then arranged once more for the length it really has.
void TTBWMultiDock::ArrangeWindows()
{
  for (int run = 0; run < 3; ++run) {
    const int length = InnerLength();
    if (!ArrangeOnce() || InnerLength() == length)
      return;
  }
}

bool TTBWMultiDock::ArrangeOnce()
{
  // 1.
  if (ArrangeLock() > 0 || ComponentState().Contains(csLoading)) {
    SetArrangePending();
    return false;
  }
  BeginUpdate();
  ScopeExit unlock([this] { EndArrangeRun(); });
  const bool vertical = IsVertical();
  const bool designing = ComponentState().Contains(csDesigning);

  // 2. An empty dock keeps only a sliver (or a visible strip at design time).
  if (!HasVisibleWindows()) {
    int thickness = FixAlign() ? 1 : 0;
    if (designing)
      thickness = 7;
    if (vertical)
      ChangeSize(thickness, Height());
    else
      ChangeSize(Width(), thickness);
    return true;
  }

  // 3. The length to share.
  int total = InnerLength();
  if (designing)
    total = std::max(0, total - 16);

  // 4. Members being destroyed leave; there is only one row.
  auto& members = MemberListRef();
  auto& shown = ShownListRef();
  for (std::size_t i = members.size(); i-- > 0;)
    if (members[i]->ComponentState().Contains(csDestroying)) {
      TTBCustomDockableWindow* w = members[i];
      members.erase(members.begin() + std::ptrdiff_t(i));
      shown.erase(std::remove(shown.begin(), shown.end(), w), shown.end());
    }
  for (TTBCustomDockableWindow* w : members)
    SetWantedPlace(w, 0, w->DockPos());

  // 5. Order by wanted position; a split drag keeps the dragged panel where
  // it was in the list.
  std::vector<TTBCustomDockableWindow*> sorted = members;
  auto draggedIt = std::find(sorted.begin(), sorted.end(), DraggedWindow());
  const int draggedBefore = DraggedWindow() && draggedIt != sorted.end() ? int(draggedIt - sorted.begin()) : -1;
  SortByDockPos(sorted);
  if (draggedBefore != -1 && SplitDragging()) {
    sorted.erase(std::find(sorted.begin(), sorted.end(), DraggedWindow()));
    sorted.insert(sorted.begin() + draggedBefore, DraggedWindow());
  }
  SortByDockPos(shown);

  // 6. A record per shown panel.
  std::vector<TTBWDockablePanel*> panels;
  std::vector<TSplitLength> records;
  int draggedRecord = -1;
  for (TTBCustomDockableWindow* w : sorted) {
    auto* panel = dynamic_cast<TTBWDockablePanel*>(w);
    if (!panel || !ShownInDock(w))
      continue;
    TSplitLength r;
    r.Length = vertical ? panel->SplitHeight() : panel->SplitWidth();
    AxisLimits(panel, vertical, r.MinLength, r.MaxLength);
    NormalizeSplitLimits(r, total);
    if (w == DraggedWindow())
      draggedRecord = int(records.size());
    panels.push_back(panel);
    records.push_back(r);
  }

  // 7, 8. Share the length.
  ShareSplitLengths(records, total);

  // 9. The arranged places; a drop also makes them the wanted ones.
  for (std::size_t i = 0; i < panels.size(); ++i)
    SetArrangedPlace(panels[i], 0, records[i].Position);
  if (StoreArrangedPositions()) {
    for (TTBCustomDockableWindow* w : sorted)
      SetWantedPlace(w, w->ArrangedRow(), w->ArrangedPos());
    members = sorted;
  }

  // 10. The thickness: that of a panel being resized by its edge, within
  // what every panel allows; else the thickest panel's natural one.
  int T = 0;
  TTBWDockablePanel* resizing = nullptr;
  for (TTBWDockablePanel* p : panels)
    if (p->EdgeResizeActive()) {
      resizing = p;
      break;
    }
  if (resizing) {
    T = vertical ? resizing->Width() : resizing->Height();
    int maxMin = 0, minMax = INT_MAX;
    for (TTBWDockablePanel* p : panels) {
      int mn = 0, mx = 0;
      CrossLimits(p, vertical, mn, mx);
      maxMin = std::max(maxMin, mn);
      if (mx >= mn && mx > 0)
        minMax = std::min(minMax, mx);
    }
    if (maxMin < minMax && minMax < T)
      T = minMax;
    if (T < maxMin)
      T = maxMin;
  } else {
    for (std::size_t i = 0; i < panels.size(); ++i) {
      TTBWDockablePanel* p = panels[i];
      SetImposedLength(p, records[i].Length);
      if (int(i) == draggedRecord && panels.size() > 1 && FPanelThickness > 0)
        continue;
      TPoint content(0, 0), frame(0, 0);
      p->NaturalContentSize(content);
      p->DockedFrameSize(frame);
      T = std::max(T, vertical ? content.x + frame.x : content.y + frame.y);
    }
  }
  if (T > 0)
    FPanelThickness = T;

  // 11. Place the panels.
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const TSplitLength& r = records[i];
    if (vertical)
      PlaceWindow(panels[i], 0, r.Position, T, r.Length);
    else
      PlaceWindow(panels[i], r.Position, 0, r.Length, T);
  }

  // 12. The dock's own thickness.
  if (vertical)
    ChangeSize(BoundLineWidth() + T, Height());
  else
    ChangeSize(Width(), BoundLineHeight() + T);
  return true;
}

void TTBWMultiDock::ApplySplitSizes(const std::vector<TTBWDockablePanel*>& Panels, const std::vector<int>& Positions,
                                    const std::vector<int>& Lengths, const std::vector<int>& Thicknesses)
{
  const bool vertical = IsVertical();
  BeginUpdate();
  ScopeExit arrange([this] { EndUpdate(); });
  for (std::size_t i = 0; i < Panels.size(); ++i) {
    TTBWDockablePanel* p = Panels[i];
    p->FSelfSizing = true;
    ScopeExit done([p] { p->FSelfSizing = false; });
    if (vertical) {
      p->SetBounds(0, Positions[i], Thicknesses[i], Lengths[i]);
      p->SetSplitHeight(Lengths[i]);
    } else {
      p->SetBounds(Positions[i], 0, Lengths[i], Thicknesses[i]);
      p->SetSplitWidth(Lengths[i]);
    }
  }
  SetArrangePending();
}

void TTBWMultiDock::Paint()
{
  if (!ComponentState().Contains(csDesigning))
    return;
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(clBtnHighlight);
  canvas->Brush()->SetColor(clBtnHighlight);
  canvas->Brush()->SetStyle(bsFDiagonal);
  TRect r = ClientRect();
  canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

void TTBWMultiDock::ValidateInsert(TComponent* AComponent)
{
  if (dynamic_cast<TControl*>(AComponent) && !dynamic_cast<TTBWDockablePanel*>(AComponent))
    throw EInvalidOperation(Format(STBWMultiDockCannotInsert, AComponent->ClassName().c_str()));
}

// TXTBMultiDock

TXTBMultiDock::TXTBMultiDock(TComponent* AOwner) : TTBWMultiDock(AOwner) { SetPosition(dpxTop); }

void TXTBMultiDock::SetPosition(TXTBDockPosition Value)
{
  if (FPosition == Value)
    return;
  if (ControlCount() != 0)
    throw EInvalidOperation(STBDockCannotChangePosition);
  FPosition = Value;
  static const TTBDockPosition positions[] = {dpLeft, dpTop, dpRight, dpBottom, dpLeft};
  TTBDock::SetPosition(positions[Value]);
  if (Value == dpxClient)
    SetAlign(alClient);
}

void TXTBMultiDock::ArrangeWindows()
{
  if (FPosition == dpxClient && ArrangeLock() == 0 && !ComponentState().Contains(csLoading))
    for (TTBCustomDockableWindow* w : std::vector(MemberListRef()))
      if (ShownInDock(w))
        w->SetWidth(Width());
  TTBWMultiDock::ArrangeWindows();
}
