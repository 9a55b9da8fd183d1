// The view's layout: which viewers show, their sizes, the chevron, lines and
// wrapping, alignment, and scrolling in tall popups.
#include <algorithm>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/WinControl.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/win/win.h"

namespace {

struct TViewerWork {
  TRect Rect;
  bool Show = false;
  bool OffEdge = false;
  bool LineBreak = false;
  bool Clipped = false;
  bool SameWidth = false;
};

constexpr int LineBreakThickness = 6;
constexpr int MinWidth = 23, MinHeight = 22;

bool IsSeparator(TTBItemViewer* V) { return V->Item()->ItemStyle() & tbsfIsSeparator; }

// A canvas on the screen DC, given back when the layout is done.
class TScreenCanvas {
public:
  explicit TScreenCanvas(TFont* Font) : FDC(GetDC(nullptr))
  {
    FCanvas.SetHandle(FDC);
    FCanvas.Font()->Assign(Font);
  }
  ~TScreenCanvas()
  {
    FCanvas.SetHandle(nullptr);
    ReleaseDC(nullptr, FDC);
  }
  TCanvas* Canvas() { return &FCanvas; }

private:
  HDC FDC;
  TCanvas FCanvas;
};

}  // namespace

bool TTBView::ComputeLayout(bool MoveControls, TTBViewAxis AAxis, int AWrapLimit, int AChevronPos, int AChevronExtent,
                            TPoint& NaturalSize, TPoint& TotalSize, int& LineCount)
{
  TTBViewAxis savedAxis = FAxis;
  FAxis = AAxis;
  struct AxisRestore {
    TTBViewAxis& Field;
    TTBViewAxis Value;
    ~AxisRestore() { Field = Value; }
  } restoreAxis{FAxis, savedAxis};

  const bool vertical = AAxis == tbaVertical;
  const int n = int(FViewers.size());
  std::vector<TViewerWork> work(static_cast<size_t>(n));
  TTBCustomItem* chevronItem = ChevronItemForView();
  LineCount = 1;
  HWND host = FWindow && FWindow->HandleAllocated() ? FWindow->Handle() : nullptr;
  (void)host;

  auto isControl = [](TTBItemViewer* v) { return dynamic_cast<TTBControlItem*>(v->Item()) != nullptr; };
  auto mainLen = [&](const TRect& r) { return vertical ? r.Height() : r.Width(); };

  // 1. Which viewers show.
  bool prevSeparator = true;
  for (int i = 0; i < n; ++i) {
    TTBItemViewer* v = FViewers[size_t(i)];
    TTBCustomItem* item = v->Item();
    if (chevronItem && item == chevronItem)
      continue;
    if (FChevronSourceView) {
      if (isControl(v))
        continue;
      int si = i - FLeadingInternal + FChevronSourceView->FLeadingInternal;
      if (si < 0 || si >= int(FChevronSourceView->FViewers.size()))
        continue;
      TTBItemViewer* sv = FChevronSourceView->FViewers[size_t(si)];
      if (!sv->HiddenByChevron() && !IsSeparator(v))
        continue;
    }
    if (auto* ci = dynamic_cast<TTBControlItem*>(item)) {
      TControl* c = ci->Control();
      work[size_t(i)].Show = c && c->Parent() == FWindow &&
                             (c->Visible() || c->ComponentState().Contains(csDesigning));
      prevSeparator = false;
      continue;
    }
    bool show = ((item->ItemStyle() & tbsfInlineGroup) && !FCustomizing) ? false : item->Visible();
    if (show && IsSeparator(v) && prevSeparator)
      show = false;
    work[size_t(i)].Show = show;
    if (show)
      prevSeparator = IsSeparator(v);
  }
  auto hideTrailingSeparators = [&] {
    for (int i = n - 1; i >= 0; --i) {
      if (!work[size_t(i)].Show)
        continue;
      if (!IsSeparator(FViewers[size_t(i)]))
        break;
      work[size_t(i)].Show = false;
    }
  };
  // 2. Trailing separators.
  hideTrailingSeparators();

  // 3. Measuring.
  TScreenCanvas screen(CaptionFont());
  TCanvas* canvas = screen.Canvas();
  int sameWidth = 0;
  for (int i = 0; i < n; ++i) {
    TViewerWork& w = work[size_t(i)];
    TTBItemViewer* v = FViewers[size_t(i)];
    if (!w.Show)
      continue;
    if (auto* ci = dynamic_cast<TTBControlItem*>(v->Item())) {
      w.Rect = TRect(0, 0, ci->Control()->Width(), ci->Control()->Height());
      continue;
    }
    TFontStyles oldStyle = canvas->Font()->Style();
    if (v->Item()->EffectiveOptions() & tboDefault)
      canvas->Font()->SetStyle(oldStyle + fsBold);
    int width = 0, height = 0;
    if (v->Item()->NeedsViewerRecreate(v)) {
      if (MoveControls) {
        RecreateViewersOfItem(v->Item());
        v = FViewers[size_t(i)];
        v->CalcSize(canvas, width, height);
      } else {
        TTBItemViewer* temp = v->Item()->CreateViewer(this, 0);
        temp->CalcSize(canvas, width, height);
        delete temp;
      }
    } else {
      v->CalcSize(canvas, width, height);
    }
    canvas->Font()->SetStyle(oldStyle);
    w.Rect = TRect(0, 0, width, height);
    if (v->JoinsSameWidth()) {
      w.SameWidth = true;
      sameWidth = std::max(sameWidth, width);
    }
  }
  for (TViewerWork& w : work)
    if (w.SameWidth)
      w.Rect.Right = w.Rect.Left + sameWidth;

  // 4. Natural size along the main axis.
  auto mainSum = [&] {
    int sum = 0;
    for (int i = 0; i < n; ++i)
      if (work[size_t(i)].Show)
        sum += mainLen(work[size_t(i)].Rect);
    return sum;
  };
  int naturalMain = mainSum();

  // 5. The chevron hides the lowest-priority viewers that do not fit.
  bool chevronRan = false, chevronEnabled = false;
  int chevronPos = AChevronPos;
  if (chevronItem && AChevronPos > 0 && AChevronPos < naturalMain) {
    chevronRan = true;
    chevronPos -= AChevronExtent;
    int sum = naturalMain;
    auto reapplySeparatorRule = [&] {
      bool prev = true;
      for (int i = 0; i < n; ++i) {
        TViewerWork& w = work[size_t(i)];
        if (!w.Show)
          continue;
        TTBItemViewer* v = FViewers[size_t(i)];
        if (isControl(v)) {
          prev = false;
          continue;
        }
        if (IsSeparator(v) && prev) {
          w.Show = false;
          sum -= mainLen(w.Rect);
          continue;
        }
        prev = IsSeparator(v);
      }
    };
    while (sum > chevronPos) {
      int nonSeparators = 0, lastShown = -1;
      for (int i = 0; i < n; ++i)
        if (work[size_t(i)].Show) {
          lastShown = i;
          if (!IsSeparator(FViewers[size_t(i)]))
            ++nonSeparators;
        }
      if (nonSeparators < 2)
        break;
      if (lastShown >= 0 && IsSeparator(FViewers[size_t(lastShown)])) {
        work[size_t(lastShown)].Show = false;
        sum -= mainLen(work[size_t(lastShown)].Rect);
      } else {
        int victim = -1;
        if (FUsePriorityList) {
          for (int k = int(FPriorityList.size()) - 1; k >= 0 && victim < 0; --k) {
            int i = ViewerIndex(FPriorityList[size_t(k)]);
            if (i >= 0 && work[size_t(i)].Show && !IsSeparator(FViewers[size_t(i)]))
              victim = i;
          }
        } else {
          for (int i = n - 1; i >= 0 && victim < 0; --i)
            if (work[size_t(i)].Show && !IsSeparator(FViewers[size_t(i)]))
              victim = i;
        }
        if (victim < 0)
          break;
        work[size_t(victim)].Show = false;
        work[size_t(victim)].OffEdge = true;
        sum -= mainLen(work[size_t(victim)].Rect);
        if (!isControl(FViewers[size_t(victim)]))
          chevronEnabled = true;
      }
      reapplySeparatorRule();
    }
  }

  // 6. Trailing separators again; across the main axis, the largest viewer.
  hideTrailingSeparators();
  int naturalCross = 0;
  for (int i = 0; i < n; ++i)
    if (work[size_t(i)].Show)
      naturalCross = std::max(naturalCross, int(vertical ? work[size_t(i)].Rect.Width() : work[size_t(i)].Rect.Height()));
  NaturalSize = vertical ? TPoint(naturalCross, naturalMain) : TPoint(naturalMain, naturalCross);

  // 7. Margins and the wrap limit.
  TRect margins;
  LayoutMargins(AAxis, margins);
  int wrapLimit = AWrapLimit;
  if (wrapLimit > 0)
    wrapLimit = std::max(1, wrapLimit - (vertical ? margins.Bottom : margins.Right));
  int marginMain = vertical ? margins.Top : margins.Left;
  int marginCross = vertical ? margins.Left : margins.Top;
  int curMain = marginMain, curCross = marginCross;
  TotalSize = TPoint(0, 0);
  auto totalMain = [&]() -> LONG& { return vertical ? TotalSize.y : TotalSize.x; };

  // 8. Placing, line by line. Coordinates are kept as (main, cross) and
  // turned into rectangles when stored.
  auto setRect = [&](TViewerWork& w, int main, int cross, int mainLength, int crossLength) {
    w.Rect = vertical ? Bounds(cross, main, crossLength, mainLength) : Bounds(main, cross, mainLength, crossLength);
  };
  auto lenMain = [&](const TViewerWork& w) { return vertical ? w.Rect.Height() : w.Rect.Width(); };
  auto lenCross = [&](const TViewerWork& w) { return vertical ? w.Rect.Width() : w.Rect.Height(); };
  auto posMain = [&](const TViewerWork& w) { return vertical ? w.Rect.Top : w.Rect.Left; };
  auto posCross = [&](const TViewerWork& w) { return vertical ? w.Rect.Left : w.Rect.Top; };
  auto growTotal = [&](const TRect& r) {
    TotalSize.x = std::max(TotalSize.x, r.Right);
    TotalSize.y = std::max(TotalSize.y, r.Bottom);
  };

  bool anyWrap = false, wrappedSinceBreak = false;
  int lineStart = 0, lineCross = 0;
  bool prevToolbarSized = false;
  bool firstPlaced = true;
  std::vector<int> lineMembers;

  auto finishLine = [&](bool lastLine) {
    if (anyWrap && !FChevronSourceView && AAxis != tbaFloating)
      totalMain() = std::max<LONG>(totalMain(), wrapLimit);
    int lineThickness = lineCross;
    if (FIsToolbar && lastLine && !anyWrap && AAxis != tbaFloating)
      lineThickness = vertical ? TotalSize.x : TotalSize.y;
    for (int i : lineMembers) {
      TViewerWork& w = work[size_t(i)];
      TTBItemViewer* v = FViewers[size_t(i)];
      if (w.LineBreak)
        continue;
      bool toolbarSized = FIsToolbar || (v->Item()->EffectiveOptions() & tboToolbarSize);
      if (FIsToolbar) {
        if (IsSeparator(v) || (v->Item()->ItemStyle() & tbsfFillLine))
          setRect(w, posMain(w), lineStart, lenMain(w), lineThickness);
        else
          setRect(w, posMain(w), lineStart + (lineThickness - lenCross(w)) / 2, lenMain(w), lenCross(w));
      } else if (FIsPopup && !toolbarSized) {
        setRect(w, posMain(w), posCross(w), lenMain(w), lenCross(w));
      }
      (void)toolbarSized;
    }
    // Items from the first align-end one to the end of the line move to the end.
    int firstAlignEnd = -1;
    for (size_t k = 0; k < lineMembers.size(); ++k)
      if (FViewers[size_t(lineMembers[k])]->Item()->ItemStyle() & tbsfAlignEnd) {
        firstAlignEnd = int(k);
        break;
      }
    if (firstAlignEnd >= 0 && !lineMembers.empty()) {
      const TViewerWork& last = work[size_t(lineMembers.back())];
      int endAt = wrapLimit > 0 ? std::min<int>(wrapLimit, totalMain()) : totalMain();
      int shift = endAt - (posMain(last) + lenMain(last));
      if (shift > 0)
        for (size_t k = size_t(firstAlignEnd); k < lineMembers.size(); ++k) {
          TViewerWork& w = work[size_t(lineMembers[k])];
          setRect(w, posMain(w) + shift, posCross(w), lenMain(w), lenCross(w));
        }
    }
    lineMembers.clear();
  };

  for (int i = 0; i < n; ++i) {
    TViewerWork& w = work[size_t(i)];
    if (!w.Show)
      continue;
    TTBItemViewer* v = FViewers[size_t(i)];
    bool toolbarSized = FIsToolbar || (v->Item()->EffectiveOptions() & tboToolbarSize);
    if (!firstPlaced && prevToolbarSized && !toolbarSized) {
      finishLine(false);
      curMain = marginMain;
      curCross = vertical ? TotalSize.x : TotalSize.y;
      lineStart = curCross;
      lineCross = 0;
    }
    firstPlaced = false;
    int len = lenMain(w);
    if (wrapLimit > 0 && curMain > marginMain) {
      bool separator = IsSeparator(v);
      if (separator) {
        // The group after the separator, up to the next one.
        int groupEnd = curMain + len;
        for (int j = i + 1; j < n; ++j) {
          if (!work[size_t(j)].Show)
            continue;
          if (IsSeparator(FViewers[size_t(j)]))
            break;
          groupEnd += lenMain(work[size_t(j)]);
        }
        if ((wrappedSinceBreak && !(v->Item()->ItemStyle() & tbsfKeepLine)) || groupEnd > wrapLimit) {
          ++LineCount;
          anyWrap = true;
          finishLine(false);
          curCross = lineStart + lineCross;
          w.LineBreak = true;
          w.Rect = vertical ? Bounds(curCross, 0, LineBreakThickness, len) : Bounds(0, curCross, len, LineBreakThickness);
          growTotal(w.Rect);
          curCross += LineBreakThickness;
          curMain = marginMain;
          lineStart = curCross;
          lineCross = 0;
          wrappedSinceBreak = false;
          prevToolbarSized = toolbarSized;
          continue;
        }
      } else if (curMain + len > wrapLimit) {
        ++LineCount;
        anyWrap = true;
        wrappedSinceBreak = true;
        finishLine(false);
        curMain = marginMain;
        curCross = lineStart + lineCross;
        lineStart = curCross;
        lineCross = 0;
      }
    }
    lineCross = std::max(lineCross, lenCross(w));
    setRect(w, std::max(curMain, 0), std::max(curCross, 0), len, lenCross(w));
    lineMembers.push_back(i);
    growTotal(w.Rect);
    if (toolbarSized || vertical) {
      curMain += lenMain(w);
    } else {
      // Menu rows stack downwards, one row each.
      finishLine(false);
      curCross += w.Rect.Height();
      lineStart = curCross;
      lineCross = 0;
    }
    prevToolbarSized = toolbarSized;
  }
  // A popup's menu rows all take the widest width.
  if (FIsPopup) {
    int widest = 0;
    for (int i = 0; i < n; ++i)
      if (work[size_t(i)].Show && !(FIsToolbar || (FViewers[size_t(i)]->Item()->EffectiveOptions() & tboToolbarSize)))
        widest = std::max<int>(widest, work[size_t(i)].Rect.Right);
    for (int i = 0; i < n; ++i) {
      TViewerWork& w = work[size_t(i)];
      if (w.Show && !w.LineBreak && !(FViewers[size_t(i)]->Item()->EffectiveOptions() & tboToolbarSize))
        w.Rect.Right = std::max<LONG>(w.Rect.Right, widest);
    }
  }
  finishLine(true);

  // 9. Margins, the vertical mirror, and scrolling of tall popups.
  TotalSize.x += margins.Right;
  TotalSize.y += margins.Bottom;
  if (vertical)
    for (TViewerWork& w : work)
      if (w.Show) {
        int width = w.Rect.Width();
        w.Rect.Left = TotalSize.x - w.Rect.Right;
        w.Rect.Right = w.Rect.Left + width;
      }
  if (FHeightLimit > 0 && FHeightLimit < TotalSize.y) {
    FScrollPosition = std::clamp(FScrollPosition, 0, int(TotalSize.y) - FHeightLimit);
    FUpArrowShown = FScrollPosition > 0;
    FDownArrowShown = FScrollPosition < int(TotalSize.y) - FHeightLimit;
    for (TViewerWork& w : work) {
      if (!w.Show)
        continue;
      OffsetRect(&w.Rect, 0, -FScrollPosition);
      if ((FUpArrowShown && w.Rect.Top < 19) || (FDownArrowShown && w.Rect.Bottom > FHeightLimit - 19)) {
        w.Show = false;
        w.Clipped = true;
      }
    }
    TotalSize.y = FHeightLimit;
  } else {
    FScrollPosition = 0;
    FUpArrowShown = FDownArrowShown = false;
  }

  // 10. Controls, line-break strips and the chevron.
  for (int i = 0; i < n; ++i) {
    TViewerWork& w = work[size_t(i)];
    TTBItemViewer* v = FViewers[size_t(i)];
    if (MoveControls)
      if (auto* ci = dynamic_cast<TTBControlItem*>(v->Item()); ci && ci->Control()) {
        TControl* c = ci->Control();
        if (w.Show && c->BoundsRect() != w.Rect)
          c->SetBoundsRect(w.Rect);
        else if ((w.OffEdge || w.Clipped) && FWindow)
          c->SetBounds(FWindow->ClientWidth(), FWindow->ClientHeight(), c->Width(), c->Height());
      }
    if (FIsToolbar && w.Show && w.LineBreak) {
      if (vertical)
        w.Rect.Top = 0, w.Rect.Bottom = TotalSize.y;
      else
        w.Rect.Left = 0, w.Rect.Right = TotalSize.x;
    }
  }
  if (chevronRan) {
    if (MoveControls)
      chevronItem->SetEnabled(chevronEnabled);
    int last = n - 1;
    if (last >= 0 && FViewers[size_t(last)]->Item() == chevronItem) {
      TViewerWork& w = work[size_t(last)];
      int at = std::max<int>(chevronPos, totalMain());
      w.Show = true;
      w.Rect = vertical ? Bounds(0, at, TotalSize.x, AChevronExtent) : Bounds(at, 0, AChevronExtent, TotalSize.y);
    }
  }

  // 11. Storing, and the smallest size a view reports.
  bool changed = false;
  if (MoveControls)
    for (int i = 0; i < n; ++i) {
      TViewerWork& w = work[size_t(i)];
      TTBItemViewer* v = FViewers[size_t(i)];
      BYTE flags = BYTE((v->FViewerFlags & ~TTBItemViewer::LineBreakFlag) | (w.LineBreak ? TTBItemViewer::LineBreakFlag : 0));
      if (v->BoundsRect != w.Rect || v->FShown != w.Show || v->FViewerFlags != flags)
        changed = true;
      v->BoundsRect = w.Rect;
      v->FShown = w.Show;
      v->FHiddenByChevron = w.OffEdge;
      v->FClipped = w.Clipped;
      v->FViewerFlags = flags;
    }
  if (NaturalSize.x == 0 || NaturalSize.y == 0) {
    NaturalSize = TPoint(MinWidth, MinHeight);
    TotalSize.x = std::max<LONG>(TotalSize.x, MinWidth);
    TotalSize.y = std::max<LONG>(TotalSize.y, MinHeight);
  }
  return changed;
}

void TTBView::ApplyLayout(TPoint& Size)
{
  int lines = 1;
  TPoint natural;
  bool changed = ComputeLayout(true, FAxis, FWrapLimit, FChevronPos, FChevronExtent, natural, Size, lines);
  FNaturalSize = natural;
  FLineCount = lines;
  FLayoutValid = true;
  bool designing = ComponentState().Contains(csDesigning);
  if (changed && !designing && FWindow && FWindow->HandleAllocated())
    ValidateRect(FWindow->Handle(), nullptr);
  SizeChanged(Size.x, Size.y);
  if (changed && FWindow && FWindow->HandleAllocated()) {
    if (designing)
      InvalidateRect(FWindow->Handle(), nullptr, TRUE);
    else
      RepaintAfterLayout();
  }
}
