// ArrangeWindows: which row each docked window takes, where along the row it
// sits, how long it may be, how thick each row is and how thick the dock
// becomes.
#include <algorithm>

#include "controls/toolbar/TBDock.h"
#include "controls/toolbar/TBDockableWindow.h"
#include "platform/base/ScopeGuard.h"

namespace {

// The working record of one member for one arrangement.
struct TRowPlacement {
  TTBCustomDockableWindow* Window = nullptr;
  int ShownRow = -1;  // -1 when not shown in the dock
  int AnyRow = 0;     // hidden members count too
  int GapBefore = 0;
  int FullLength = 0;
  int MinLength = 0;
  int GivenLength = 0;
  int Overlap = 0;
  int PlacedPos = 0;
  TTBShrinkMode Shrink = tbsmNone;
  bool NeedsArrange = false;
};

// Moves every record from First on whose rows are Row or later one row later.
void ShiftRowsFrom(std::vector<TRowPlacement>& Records, std::size_t First, int Row, const TRowPlacement* Except)
{
  for (std::size_t i = First; i < Records.size(); ++i) {
    TRowPlacement& r = Records[i];
    if (&r == Except)
      continue;
    if (r.AnyRow >= Row)
      ++r.AnyRow;
    if (r.ShownRow >= Row)
      ++r.ShownRow;
  }
}

}  // namespace

void TTBDock::ArrangeWindows()
{
  // 1. Requests made while locked or loading wait for EndUpdate or Loaded.
  if (FArrangeLock > 0 || ComponentState().Contains(csLoading)) {
    FArrangePending = true;
    return;
  }
  ++FArrangeLock;
  ScopeExit unlock([this] {
    --FArrangeLock;
    FArrangePending = false;
    FStoreArrangedPositions = false;
  });
  const bool vertical = IsVertical();

  // 2. An empty dock shrinks across its alignment.
  if (!HasVisibleWindows()) {
    int thickness = FFixAlign ? 1 : 0;
    if (vertical)
      ChangeSize(thickness, Height());
    else
      ChangeSize(Width(), thickness);
    return;
  }

  // 3. The length a row may take.
  const int clientWidth = std::max(0, Width() - FBoundLineWidth);
  const int clientHeight = std::max(0, Height() - FBoundLineHeight);
  const int L = vertical ? clientHeight : clientWidth;

  // 4. Members being destroyed leave; one-row docks put everything in row 0.
  for (std::size_t i = FMemberList.size(); i-- > 0;)
    if (FMemberList[i]->ComponentState().Contains(csDestroying)) {
      auto* w = FMemberList[i];
      FMemberList.erase(FMemberList.begin() + std::ptrdiff_t(i));
      auto it = std::find(FShownList.begin(), FShownList.end(), w);
      if (it != FShownList.end())
        FShownList.erase(it);
    }
  if (FLimitToOneRow)
    for (TTBCustomDockableWindow* w : FMemberList)
      w->FDockRow = 0;

  // 5. Sorted by wanted row, then position; a split drag keeps the dragged
  // window where it was in the list.
  std::vector<TTBCustomDockableWindow*> sorted = FMemberList;
  auto d0It = std::find(sorted.begin(), sorted.end(), FDraggedWindow);
  const int d0 = FDraggedWindow && d0It != sorted.end() ? int(d0It - sorted.begin()) : -1;
  SortedByRowAndPos(sorted);
  if (d0 != -1 && FSplitDragging) {
    sorted.erase(std::find(sorted.begin(), sorted.end(), FDraggedWindow));
    sorted.insert(sorted.begin() + d0, FDraggedWindow);
  }
  SortedByRowAndPos(FShownList);

  // 6. Working records.
  int R = -1;
  std::vector<TRowPlacement> records(sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    TTBCustomDockableWindow* w = sorted[i];
    TRowPlacement& r = records[i];
    r.Window = w;
    r.AnyRow = w->FDockRow;
    r.ShownRow = ShownInDock(w) ? w->FDockRow : -1;
    r.PlacedPos = w->FDockPos;
    R = std::max(R, w->FDockRow);
  }

  // 7. Windows asking for a row of their own (a drop, then FullSize) get it;
  // everything from that row on moves one row later.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 0 && FLimitToOneRow)
      continue;
    for (int j = 0; j <= R; ++j)
      for (TRowPlacement& r : records) {
        bool flagged = pass == 0 ? r.Window->FOwnRowRequest : r.Window->FFullSize;
        if (r.AnyRow != j || !flagged)
          continue;
        bool shared = std::any_of(records.begin(), records.end(),
                                  [&](const TRowPlacement& o) { return &o != &r && o.AnyRow == j; });
        if (shared) {
          ShiftRowsFrom(records, 0, j, &r);
          ++R;
        }
      }
  }

  // 8. Rows nobody uses, shown or hidden, are removed.
  for (int j = 0; j <= R;) {
    if (std::any_of(records.begin(), records.end(), [j](const TRowPlacement& r) { return r.AnyRow == j; })) {
      ++j;
      continue;
    }
    for (TRowPlacement& r : records) {
      if (r.AnyRow > j)
        --r.AnyRow;
      if (r.ShownRow > j)
        --r.ShownRow;
    }
    --R;
  }

  auto rowIndexes = [&](int j) {
    std::vector<std::size_t> result;
    for (std::size_t i = 0; i < records.size(); ++i)
      if (records[i].ShownRow == j)
        result.push_back(i);
    return result;
  };

  // 9. Each row along the dock.
  for (int j = 0; j <= R; ++j) {
    // a. Natural lengths; the row wraps at the first window that does not fit.
    int total = 0, natural = 0, count = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
      TRowPlacement& r = records[i];
      if (r.ShownRow != j)
        continue;
      TPoint content(0, 0), frame(0, 0);
      r.Window->NaturalContentSize(content);
      r.Window->DockedFrameSize(frame);
      r.FullLength = vertical ? content.y + frame.y : content.x + frame.x;
      r.GivenLength = r.FullLength;
      r.Shrink = r.Window->ShrinkBehaviour();
      r.MinLength = 0;
      r.Window->MinimumRowLength(r.MinLength);
      r.MinLength = std::min(r.MinLength, r.FullLength);
      total += r.Shrink == tbsmChevron ? r.MinLength : r.FullLength;
      if (count > 0 && total > L && !FLimitToOneRow) {
        ShiftRowsFrom(records, i, j, nullptr);
        ++R;
        break;
      }
      natural += r.FullLength;
      ++count;
    }
    std::vector<std::size_t> row = rowIndexes(j);
    if (row.empty())
      continue;

    // b. How much the row overflows.
    int O = natural - L;

    // c. Gaps before and overlaps with the previous window. An overflowing
    // row keeps no gaps; the gaps it skips shift the later wanted positions
    // along, so that they are not taken for overlaps of the windows before.
    int C = 0, S = 0, E = 0, M = 0, draggedW = 0;
    std::ptrdiff_t dragged = -1;
    for (std::size_t k = 0; k < row.size(); ++k) {
      TRowPlacement& r = records[row[k]];
      int W = C == 0 && (r.Window->FFullSize || r.Window->FStretch) ? 0 : r.Window->FDockPos + S;
      if (r.Window == FDraggedWindow) {
        dragged = std::ptrdiff_t(k);
        draggedW = W;
      }
      W = std::max(W, M);
      if (C < W) {
        if (O > 0) {
          S += W - C;
        } else {
          r.GapBefore = W - C;
        }
        C = W;
      } else if (W < E) {
        r.Overlap = E - W;
      }
      E = W + r.GivenLength;
      M += r.MinLength;
      C += r.GivenLength;
    }

    // d. A window dragged into free space takes its wanted place: the windows
    // before it close up their gaps, and the window after it keeps its place.
    if (O < 0 && dragged > 0) {
      int reach = 0;
      for (std::ptrdiff_t k = 0; k < dragged; ++k)
        reach += records[row[std::size_t(k)]].GapBefore + records[row[std::size_t(k)]].GivenLength;
      int excess = reach - draggedW, removed = 0;
      for (std::ptrdiff_t k = dragged - 1; k >= 0 && excess > 0; --k) {
        TRowPlacement& r = records[row[std::size_t(k)]];
        int take = std::min(excess, r.GapBefore);
        r.GapBefore -= take;
        excess -= take;
        removed += take;
      }
      if (removed > 0 && std::size_t(dragged + 1) < row.size())
        records[row[std::size_t(dragged + 1)]].GapBefore += removed;
    }

    // e. Gaps give way when the row is too long, the last first.
    int length = 0;
    for (std::size_t i : row)
      length += records[i].GapBefore + records[i].GivenLength;
    for (std::size_t k = row.size(); k-- > 0 && length > L;) {
      TRowPlacement& r = records[row[k]];
      int take = std::min(length - L, r.GapBefore);
      r.GapBefore -= take;
      length -= take;
    }

    // f. Overlaps are paid by the chevron windows before them, nearest first.
    if (O > 0) {
      int acc = 0;
      for (std::size_t k = 0; k < row.size(); ++k) {
        TRowPlacement& r = records[row[k]];
        acc = std::min(acc + r.Overlap, O);
        if (r.Window == FDraggedWindow && row.size() > 1)
          FSplitAllowed = true;
        for (std::size_t b = k; acc > 0 && b-- > 0;) {
          TRowPlacement& earlier = records[row[b]];
          if (earlier.Window == FDraggedWindow)
            break;
          if (earlier.Shrink != tbsmChevron)
            continue;
          int take = std::min(acc, earlier.GivenLength - earlier.MinLength);
          earlier.GivenLength -= take;
          O -= take;
          acc -= take;
        }
      }
    }

    // g. What still overflows is taken from the last shrinking windows; a
    // wrapping window only shrinks when it is alone in its row.
    for (std::size_t k = row.size(); k-- > 0 && O > 0;) {
      TRowPlacement& r = records[row[k]];
      if (r.Shrink == tbsmNone || (r.Shrink == tbsmWrap && row.size() != 1))
        continue;
      int take = std::min(O, r.GivenLength - r.MinLength);
      r.GivenLength -= take;
      O -= take;
    }

    // h. Final places; full-size and stretching windows fill their room.
    int P = 0;
    for (std::size_t k = 0; k < row.size(); ++k) {
      TRowPlacement& r = records[row[k]];
      bool full = r.Window->FFullSize, stretch = r.Window->FStretch;
      if (full || stretch) {
        r.GivenLength += r.GapBefore;
        r.GapBefore = 0;
      }
      P += r.GapBefore;
      if (full)
        r.GivenLength = std::max(r.GivenLength, L);
      if (stretch) {
        if (k + 1 < row.size()) {
          TRowPlacement& next = records[row[k + 1]];
          r.GivenLength += next.GapBefore;
          next.GapBefore = 0;
        } else {
          r.GivenLength = std::max(r.GivenLength, L - P);
        }
      }
      r.PlacedPos = P;
      P += r.GivenLength;
    }
  }

  // 10. The result; a drop or a drag start also makes it the wanted place.
  for (TRowPlacement& r : records) {
    r.Window->FArrangedRow = r.AnyRow;
    r.Window->FArrangedPos = r.PlacedPos;
    if (FStoreArrangedPositions) {
      r.Window->FDockRow = r.AnyRow;
      r.Window->FDockPos = r.PlacedPos;
    }
  }
  if (FStoreArrangedPositions)
    FMemberList = sorted;

  // 11. Rows across the dock.
  const TTBDockType dockType = vertical ? dtLeftRight : dtTopBottom;
  int T = 0;
  for (int j = 0; j <= R; ++j) {
    std::vector<std::size_t> row = rowIndexes(j);
    int thickness = 0;
    // a. Content sizes; a window whose imposed length changed sizes itself anew.
    for (std::size_t i : row) {
      TRowPlacement& r = records[i];
      TTBCustomDockableWindow* w = r.Window;
      int old = w->FCurrentLength;
      w->FCurrentLength = r.GivenLength >= r.FullLength ? 0 : r.GivenLength;
      TPoint size(0, 0), frame(0, 0);
      w->DockedFrameSize(frame);
      if (r.Shrink != tbsmNone && w->FCurrentLength != old) {
        w->SizeForPlacement(true, dockType, size, this, false);
        r.NeedsArrange = true;
      } else if (r.Shrink == tbsmWrap && r.GivenLength < r.FullLength) {
        size = TPoint(w->Width() - frame.x, w->Height() - frame.y);
      } else {
        w->NaturalContentSize(size);
      }
      w->FLastRowExtent = vertical ? size.x : size.y;
      thickness = std::max(thickness, w->FLastRowExtent);
    }
    // b. Rows are thicker than their content by the docked border.
    if (thickness > 0)
      thickness += 4;
    // c. Placing.
    for (std::size_t i : row) {
      TRowPlacement& r = records[i];
      TTBCustomDockableWindow* w = r.Window;
      int length = w->FCurrentLength;
      ++w->FBoundsLock;
      if (r.NeedsArrange)
        w->FArrangePending = true;
      if (vertical)
        w->SetBounds(T, r.PlacedPos, thickness, r.GivenLength);
      else
        w->SetBounds(r.PlacedPos, T, r.GivenLength, thickness);
      --w->FBoundsLock;
      if (r.NeedsArrange)
        w->Arrange();
      w->FCurrentLength = length;
    }
    // d.
    T += thickness;
  }

  // 12. The dock's own thickness.
  if (vertical)
    ChangeSize(FBoundLineWidth + T, Height());
  else
    ChangeSize(Width(), FBoundLineHeight + T);
}
