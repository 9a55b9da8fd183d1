// Node heights, expanding and collapsing, and the mapping between vertical
// positions and nodes; scroll offsets, scroll bars and repainting.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/NodeWalk.h"
#include "platform/base/ScopeGuard.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/win.h"

unsigned TBaseLazyTree::NodeHeightOf(PLazyNode Node)
{
  if (!Node || Node == FRoot)
    return 0;
  if (HasMiscOption(toVariableNodeHeight))
    MeasureNodeHeight(Canvas(), Node);
  return Node->NodeHeight;
}

void TBaseLazyTree::MeasureNodeHeight(TCanvas* TargetCanvas, PLazyNode Node)
{
  if (Node->Has(nfHeightMeasured))
    return;
  {
    TWorkerPause pause(this);
    Node->StateBits |= nfHeightMeasured;
  }
  int height = Node->NodeHeight;
  DoMeasureItem(TargetCanvas, Node, height);
  if (height != Node->NodeHeight)
    SetNodeHeight(Node, height);
}

void TBaseLazyTree::SetNodeHeight(PLazyNode Node, int Height)
{
  // The record holds 16 bits: an owner's zero, negative or huge height would
  // corrupt the unsigned subtree sums.
  Height = std::clamp(Height, 1, 65535);
  if (!Node || Node == FRoot || Node->NodeHeight == Height || ReadOnly())
    return;
  HaltCacheValidation();
  int diff = Height - int(Node->NodeHeight);
  Node->NodeHeight = std::uint16_t(Height);
  AdjustTotalHeight(Node, diff, true);
  if (IsNodeFullyVisible(Node)) {
    MarkCacheStale();
    if (!IsUpdating()) {
      RequestCacheValidation();
      RepaintFromNode(Node);
      UpdateScrollBars(true);
    }
  }
}

void TBaseLazyTree::SetExpanded(PLazyNode Node, bool Value)
{
  if (Node && Node != FRoot && Node->Has(nfExpanded) != Value)
    ToggleExpansion(Node);
}

void TBaseLazyTree::ToggleExpansion(PLazyNode Node)
{
  LT_ASSERT(Node, "Node must not be nil.");
  if (Node->Has(nfDeleting) || Node == FRoot)
    return;
  PLazyNode top = IsUpdating() || !HasWindow() ? nullptr : TopNode();
  bool changed = false;
  bool expanded = false;
  if (Node->Has(nfExpanded)) {
    if (!DoCollapsing(Node))
      return;
    if (!IsUpdating() && HasWindow() && FOptions->AnimationOptions().Contains(toAnimatedToggle) &&
        !FStates.Contains(tsCollapsing))
      AnimateToggle(Node, false, std::int64_t(Node->SubtreeHeight) - Node->NodeHeight);
    HaltCacheValidation();
    bool fully = IsNodeFullyVisible(Node);
    Cardinal shown = fully ? CountVisibleChildren(Node) : 0;
    AdjustTotalHeight(Node, Node->NodeHeight, false);
    FVisibleCount -= shown;
    Node->StateBits &= ~nfExpanded;
    changed = true;
    DoCollapsed(Node);
    if (HasAutoOption(toAutoFreeOnCollapse) && Node->ChildCount > 0) {
      RemoveChildren(Node, false);
      Node->StateBits |= nfHasChildren;
    }
  } else {
    if (!DoExpanding(Node))
      return;
    if (!Node->Has(nfInitialized)) {
      InitializeNode(Node);
      if (Node->Has(nfExpanded))
        return;  // the initialisation expanded it
    }
    if (Node->Has(nfHasChildren) && Node->ChildCount == 0)
      InitializeChildren(Node);
    if (Node->ChildCount > 0) {
      HaltCacheValidation();
      std::int64_t open = 0;
      for (PLazyNode c = Node->FirstChildNode; c; c = c->FollowingSibling)
        if (c->Has(nfVisible))
          open += c->SubtreeHeight;
      if (!IsUpdating() && HasWindow() && FOptions->AnimationOptions().Contains(toAnimatedToggle) &&
          !FStates.Contains(tsExpanding) && !FStates.Contains(tsPainting) && NextVisibleNodeRaw(Node)) {
        int rowTop = NodeDisplayRect(Node, NoColumn, false).Top;
        if (rowTop >= 0 && rowTop < ClientHeight())
          AnimateToggle(Node, true, open);
      }
      Node->StateBits |= nfExpanded;
      AdjustTotalHeight(Node, open, true);
      if (IsNodeFullyVisible(Node))
        FVisibleCount += CountVisibleChildren(Node);
      changed = expanded = true;
      DoExpanded(Node);
    }
  }
  if (changed) {
    MarkCacheStale();
    if (!IsUpdating()) {
      RequestCacheValidation();
      if (Node->ChildCount > 0) {
        UpdateScrollBars(true);
        if (expanded && HasAutoOption(toAutoScrollOnExpand) && HasWindow()) {
          if (int(Node->SubtreeHeight) > ClientHeight())
            ScrollNodeToTop(Node);
          else if (Node->LastChildNode)
            BringNodeIntoView(Node->LastChildNode, HasSelectionOption(toCenterScrollIntoView), false);
        }
        if (HasWindow()) {
          if (top == TopNode())
            RepaintFromNode(Node);
          else
            Invalidate();
        }
      } else {
        RepaintNode(Node);
      }
    }
  } else if (!IsUpdating()) {
    RepaintNode(Node);
  }
}

void TBaseLazyTree::ExpandSubtree(PLazyNode Node)
{
  if (!FRoot->FirstChildNode)
    return;
  ChangeStates({tsExpanding}, {});
  BeginUpdate();
  auto done = ScopeExit([&] {
    EndUpdate();
    ChangeStates({}, {tsExpanding});
  });
  PLazyNode stop = nullptr;
  PLazyNode run = Node && Node != FRoot ? Node : FirstTopLevelNode();
  if (Node && Node != FRoot) {
    for (PLazyNode n = Node; n != FRoot && !stop; n = n->ParentNode)
      stop = n->FollowingSibling;
  }
  while (run && run != stop) {
    if (!run->Has(nfInitialized))
      InitializeNode(run);
    if (!run->Has(nfExpanded) && run->Has(nfHasChildren))
      ToggleExpansion(run);
    run = NextNode(run);
  }
}

void TBaseLazyTree::CollapseSubtree(PLazyNode Node)
{
  if (!FRoot->FirstChildNode)
    return;
  if (!Node)
    Node = FRoot;
  ChangeStates({tsCollapsing}, {});
  BeginUpdate();
  auto done = ScopeExit([&] {
    EndUpdate();
    ChangeStates({}, {tsCollapsing});
  });
  PLazyNode run = LastDescendantOfRaw(Node);
  while (run && run != Node) {
    PLazyNode prior = PreviousNodeRaw(run);
    if (run->Has(nfExpanded) && run->Has(nfHasChildren))
      ToggleExpansion(run);
    run = prior;
  }
  if (Node != FRoot && Node->Has(nfExpanded) && Node->Has(nfHasChildren))
    ToggleExpansion(Node);
}

void TBaseLazyTree::ResetNode(PLazyNode Node)
{
  if (!Node || Node == FRoot) {
    ClearTree();
    return;
  }
  DoReset(Node);
  RemoveChildren(Node, false);
  HaltCacheValidation();
  if (Node->Has(nfExpanded)) {
    AdjustTotalHeight(Node, Node->NodeHeight, false);
  }
  Node->StateBits &= ~(nfInitialized | nfChecking | nfClipMarked | nfDeleting | nfExpanded | nfHasChildren |
                       nfHeightMeasured);
  MarkCacheStale();
  if (!IsUpdating())
    RequestCacheValidation();
  RepaintNode(Node);
}

PLazyNode TBaseLazyTree::NodeAtOffset(int Y, bool Relative, int* NodeTopOut)
{
  AdoptFinishedCache();
  if (Y < 0)
    Y = 0;
  if (Relative)
    Y -= FOffsetY;
  std::int64_t sum = 0;
  PLazyNode node;
  if (FStates.Contains(tsUseCache) && !FPositionCache.empty()) {
    auto it = std::upper_bound(FPositionCache.begin(), FPositionCache.end(), Y,
                               [](int y, const TCacheEntry& e) { return std::int64_t(y) < std::int64_t(e.AbsoluteTop); });
    if (it != FPositionCache.begin())
      --it;
    node = it->Node;
    sum = it->AbsoluteTop;
  } else {
    node = FirstVisibleNodeRaw();
  }
  while (node && node != FRoot) {
    if (node->Has(nfVisible) && Y < sum + std::int64_t(node->SubtreeHeight)) {
      std::int64_t h = NodeHeightOf(node);
      if (Y < sum + h || !node->FirstChildNode || !node->Has(nfExpanded))
        break;
      sum += h;
      node = node->FirstChildNode;
      continue;
    }
    if (node->Has(nfVisible))
      sum += node->SubtreeHeight;
    // On to the next sibling, climbing where a level ends.
    PLazyNode next = nullptr;
    for (PLazyNode n = node; !next;) {
      if (n->FollowingSibling) {
        next = n->FollowingSibling;
        break;
      }
      n = n->ParentNode;
      if (n == FRoot)
        break;
    }
    node = next;
  }
  if (node == FRoot)
    node = nullptr;
  if (NodeTopOut)
    *NodeTopOut = int(sum) + (Relative ? FOffsetY : 0);
  return node;
}

PLazyNode TBaseLazyTree::NodeAtPoint(int, int Y)
{
  return NodeAtOffset(Y, true);
}

int TBaseLazyTree::NodeTopWithoutCache(PLazyNode Node) const
{
  // The rows above a node are its shown prior siblings' subtrees and, on each
  // level up, the parent's own row.
  std::int64_t top = 0;
  for (PLazyNode n = Node; n != FRoot; n = n->ParentNode) {
    for (PLazyNode s = n->PriorSibling; s; s = s->PriorSibling)
      if (s->Has(nfVisible))
        top += s->SubtreeHeight;
    if (n->ParentNode != FRoot)
      top += n->ParentNode->NodeHeight;
  }
  return int(top);
}

int TBaseLazyTree::NodeTop(PLazyNode Node)
{
  AdoptFinishedCache();
  if (!FStates.Contains(tsUseCache) || FPositionCache.empty())
    return NodeTopWithoutCache(Node);
  // The last entry that does not come after the node, then the rows between.
  std::size_t lo = 0, hi = FPositionCache.size();
  while (hi - lo > 1) {
    std::size_t mid = (lo + hi) / 2;
    if (CompareNodePositions(FPositionCache[mid].Node, Node) <= 0)
      lo = mid;
    else
      hi = mid;
  }
  if (CompareNodePositions(FPositionCache[lo].Node, Node) > 0)
    return NodeTopWithoutCache(Node);
  std::int64_t top = FPositionCache[lo].AbsoluteTop;
  for (PLazyNode n = FPositionCache[lo].Node; n && n != Node; n = lt::NextShownWithin(n, FRoot))
    top += n->NodeHeight;
  return int(top);
}

int TBaseLazyTree::ImagesWidth(PLazyNode Node, bool WithCheck, TColumnIndex Column)
{
  int width = 0;
  bool ghosted;
  if (WithCheck && HasMiscOption(toCheckSupport) && CheckImages() && Node->CheckKind != ctNone)
    width += CheckImages()->Width() + 2;
  if (FStateImages && DoGetImageIndex(Node, ikState, Column, ghosted) >= 0)
    width += FStateImages->Width() + 2;
  if (FImages && DoGetImageIndex(Node, ikNormal, Column, ghosted) >= 0)
    width += FImages->Width() + 2;
  return width;
}

TRect TBaseLazyTree::NodeDisplayRect(PLazyNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped)
{
  LT_ASSERT(Node, "Node must not be nil.");
  LT_ASSERT(Node != FRoot, "Node must not be the hidden root node.");
  if (!Node->Has(nfInitialized))
    InitializeNode(Node);
  const TLazyTreeColumns& columns = FHeader->Columns();
  bool inColumn = UseColumns() && columns.IsValidColumn(Column);
  bool treeColumn = Column <= NoColumn || Column == MainColumn();
  int indent = 0;
  for (PLazyNode n = Node; n != FRoot; n = n->ParentNode) {
    if (!n->Has(nfVisible) || !n->ParentNode->Has(nfExpanded))
      return TRect();
    if (treeColumn && n->ParentNode != FRoot)
      indent += int(FIndent);
  }
  int top = NodeTop(Node);
  int width = std::max<int>(HasWindow() ? ClientWidth() : Width(), FRangeX);
  TRect r(0, top, width, top + int(NodeHeightOf(Node)));
  bool rtl = FBiDiMode != bdLeftToRight;
  TAlignment alignment = FAlignment;
  if (inColumn) {
    // The cell: the column's span on screen, its right edge left to the grid line.
    const TLazyTreeColumn* column = columns.Item(Column);
    r.Left = FOffsetX + column->Left();
    r.Right = r.Left + column->Width() - 1;
    OffsetRect(&r, 0, FOffsetY);
    rtl = column->BiDiMode() != bdLeftToRight;
    alignment = column->Alignment();
  } else {
    OffsetRect(&r, FOffsetX, FOffsetY);
  }
  if (TextOnly) {
    int start = FMargin + indent;
    if (treeColumn && HasPaintOption(toShowRoot))
      start += int(FIndent);
    start += ImagesWidth(Node, treeColumn, Column);
    int textWidth = DoGetNodeWidth(Node, Column, Canvas());
    if (rtl) {
      r.Right -= start;
      if (alignment == taLeftJustify)
        alignment = taRightJustify;
      else if (alignment == taRightJustify)
        alignment = taLeftJustify;
    } else {
      r.Left += start;
    }
    if (Unclipped || textWidth < r.Width()) {
      switch (alignment) {
        case taLeftJustify: r.Right = r.Left + textWidth; break;
        case taRightJustify: r.Left = r.Right - textWidth; break;
        default: {
          int left = r.Left + (r.Width() - textWidth) / 2;
          r.Left = left;
          r.Right = left + textWidth;
          break;
        }
      }
    }
  }
  return r;
}

bool TBaseLazyTree::BringNodeIntoView(PLazyNode Node, bool Center, bool Horizontally)
{
  if (!Node || Node == FRoot)
    return false;
  for (PLazyNode p = Node->ParentNode; p != FRoot; p = p->ParentNode)
    if (!p->Has(nfExpanded))
      ToggleExpansion(p);
  TRect r = NodeDisplayRect(Node, NoColumn, !HasMiscOption(toGridExtensions));
  int clientHeight = HasWindow() ? ClientHeight() : Height();
  int clientWidth = HasWindow() ? ClientWidth() : Width();
  bool scrolled = false;
  int newY = FOffsetY;
  if (r.Top < 0) {
    newY = FOffsetY - r.Top + (Center ? clientHeight / 2 : 0);
    scrolled = true;
  } else if (r.Bottom > clientHeight || Center) {
    int target = Center ? clientHeight / 2 : clientHeight;
    int bottom = Center ? (r.Top + r.Bottom) / 2 : r.Bottom;
    newY = FOffsetY + (target - bottom);
    scrolled = true;
  }
  int newX = FOffsetX;
  if (Horizontally && (r.Left < 0 || r.Right > clientWidth)) {
    newX = FOffsetX + clientWidth / 2 - (r.Left + r.Right) / 2;
    scrolled = true;
  }
  if (scrolled)
    SetOffsetXY(newX, newY);
  return scrolled;
}

void TBaseLazyTree::ScrollNodeToTop(PLazyNode Node)
{
  if (!Node || Node == FRoot)
    return;
  for (PLazyNode p = Node->ParentNode; p != FRoot; p = p->ParentNode)
    if (!p->Has(nfExpanded))
      ToggleExpansion(p);
  TRect r = NodeDisplayRect(Node, NoColumn, true);
  SetOffsetY(FOffsetY - r.Top);
}

void TBaseLazyTree::RepaintNode(PLazyNode Node)
{
  if (IsUpdating() || !HasWindow() || !Node || Node == FRoot)
    return;
  if (!IsNodeFullyVisible(Node))
    return;
  TRect r = NodeDisplayRect(Node, NoColumn, false);
  InvalidateRect(Handle(), &r, FALSE);
}

void TBaseLazyTree::RepaintFromNode(PLazyNode Node)
{
  if (IsUpdating() || !HasWindow())
    return;
  if (!Node || Node == FRoot) {
    Invalidate();
    return;
  }
  if (!Node->Has(nfInitialized) || !IsNodeFullyVisible(Node))
    return;
  TRect r = NodeDisplayRect(Node, NoColumn, false);
  if (r.Top < ClientHeight()) {
    TRect area(0, std::max<int>(r.Top, 0), ClientWidth(), ClientHeight());
    InvalidateRect(Handle(), &area, FALSE);
  }
}

void TBaseLazyTree::SetOffsetXY(int X, int Y)
{
  DoSetOffsetXY(TPoint(X, Y), suoAll);
}

// Without columns the range is the widest row in view.
int TBaseLazyTree::WidestRowInView()
{
  int widest = 0;
  int y = 0;
  int top = 0;
  PLazyNode n = NodeAtOffset(0, true, &top);
  y = top;
  while (n && y < ClientHeight()) {
    int offset = int(NodeLevel(n) + (HasPaintOption(toShowRoot) ? 1 : 0)) * int(FIndent) + ImagesWidth(n, true, NoColumn);
    widest = std::max(widest, offset + DoGetNodeWidth(n, NoColumn, Canvas()));
    y += int(NodeHeightOf(n));
    n = NextVisibleNodeRaw(n);
  }
  return widest + 2 * FMargin;
}

void TBaseLazyTree::UpdateScrollBars(bool DoRepaint)
{
  if (!HasWindow())
    return;
  if (UseColumns()) {
    FRangeX = FHeader->Columns().TotalWidth();
  } else {
    FRangeX = WidestRowInView();
  }
  if (FRoot->SubtreeHeight < FDefaultNodeHeight)
    FRoot->SubtreeHeight = FDefaultNodeHeight;
  TScrollStyle bars = FScrollBarOptions->ScrollBars();
  auto apply = [&](int bar, bool wanted, int range, int page, int offset) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (wanted && (page < range || FScrollBarOptions->AlwaysVisible())) {
      info.nMin = 0;
      info.nMax = range;
      info.nPage = UINT(std::max(0, page + 1));
      info.nPos = -offset;
      if (FScrollBarOptions->AlwaysVisible())
        info.fMask |= SIF_DISABLENOSCROLL;
      ShowScrollBar(Handle(), bar, TRUE);
      SetScrollInfo(Handle(), bar, &info, DoRepaint);
    } else {
      ShowScrollBar(Handle(), bar, FALSE);
    }
  };
  apply(SB_HORZ, bars == ssHorizontal || bars == ssBoth, FRangeX, ClientWidth(), FOffsetX);
  apply(SB_VERT, bars == ssVertical || bars == ssBoth, RangeY(), ClientHeight(), FOffsetY);
}
