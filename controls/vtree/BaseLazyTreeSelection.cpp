// The selection: nfSelected on each node plus an array sorted by address,
// click selection with modifiers and the rubber band.
#include <algorithm>
#include <cstdint>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/NodeWalk.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/graphics/CustomImageList.h"

namespace {

std::uintptr_t Key(PLazyNode n)
{
  return reinterpret_cast<std::uintptr_t>(n);
}

bool Marked(PLazyNode n)
{
  return (Key(n) & 1) != 0;
}

PLazyNode Unmarked(PLazyNode n)
{
  return reinterpret_cast<PLazyNode>(Key(n) & ~std::uintptr_t(1));
}

}  // namespace

int TBaseLazyTree::FindInSelection(PLazyNode Node) const
{
  auto it = std::lower_bound(FSelection.begin(), FSelection.end(), Node,
                             [](PLazyNode a, PLazyNode b) { return Key(a) < Key(b); });
  if (it != FSelection.end() && Unmarked(*it) == Node)
    return int(it - FSelection.begin());
  return -1;
}

void TBaseLazyTree::AddToSelection(PLazyNode Node)
{
  LT_ASSERT(Node, "Node must not be nil!");
  if (Node->Has(nfSelected))
    return;
  TWorkerPause pause(this);
  Node->StateBits |= nfSelected;
  auto it = std::lower_bound(FSelection.begin(), FSelection.end(), Node,
                             [](PLazyNode a, PLazyNode b) { return Key(a) < Key(b); });
  if (it != FSelection.end() && Unmarked(*it) == Node)
    *it = Node;  // taken out earlier in this update: back in place
  else
    FSelection.insert(it, Node);
  ++FSelectionCount;
}

void TBaseLazyTree::AddToSelection(const std::vector<PLazyNode>& Nodes)
{
  for (PLazyNode n : Nodes)
    AddToSelection(n);
}

void TBaseLazyTree::RemoveFromSelection(PLazyNode Node)
{
  if (!Node->Has(nfSelected))
    return;
  TWorkerPause pause(this);
  Node->StateBits &= ~nfSelected;
  int index = FindInSelection(Node);
  if (index >= 0) {
    if (IsUpdating())
      FSelection[std::size_t(index)] = reinterpret_cast<PLazyNode>(Key(Node) | 1);
    else
      FSelection.erase(FSelection.begin() + index);
  }
  --FSelectionCount;
  if (FSelectionCount == 0) {
    FSelectionAnchor = FFocusedNode;
    FLastSelectionLevel = -1;
  }
}

void TBaseLazyTree::InternalClearSelection()
{
  TWorkerPause pause(this);
  for (PLazyNode n : FSelection)
    if (!Marked(n))
      n->StateBits &= ~nfSelected;
  FSelection.clear();
  FSelectionCount = 0;
}

int TBaseLazyTree::CompactSelection(std::vector<PLazyNode>& Array, int Count)
{
  if (Count == 0)
    return -1;
  int kept = 0;
  for (int i = 0; i < Count; ++i)
    if (!Marked(Array[std::size_t(i)]))
      Array[std::size_t(kept++)] = Array[std::size_t(i)];
  Array.resize(std::size_t(kept));
  return kept;
}

void TBaseLazyTree::CompactOwnSelection()
{
  CompactSelection(FSelection, int(FSelection.size()));
  FSelectionCount = int(FSelection.size());
}

void TBaseLazyTree::SetNodeSelected(PLazyNode Node, bool Value)
{
  if (!Node || Node == FRoot || Node->Has(nfSelected) == Value)
    return;
  if (Value) {
    if (FSelectionCount == 0)
      FSelectionAnchor = Node;
    else if (!HasSelectionOption(toMultiSelect))
      ClearSelection();
    AddToSelection(Node);
    Change(Node);
    if (!FSelectionAnchor)
      FSelectionAnchor = Node;
  } else {
    RemoveFromSelection(Node);
    Change(Node);
  }
  if (IsNodeFullyVisible(Node))
    RepaintNode(Node);
}

void TBaseLazyTree::ClearSelection()
{
  if (FSelectionCount == 0 || FDestroying)
    return;
  if (!IsUpdating() && HasWindow())
    for (PLazyNode n : FSelection)
      if (!Marked(n) && IsNodeFullyVisible(n))
        RepaintNode(n);
  if (IsUpdating())
    CompactOwnSelection();
  InternalClearSelection();
  Change(nullptr);
}

void TBaseLazyTree::SelectAllNodes(bool VisibleOnly)
{
  if (!HasSelectionOption(toMultiSelect))
    return;
  std::vector<PLazyNode> list;
  PLazyNode n = VisibleOnly ? FirstVisibleNode() : FirstTopLevelNode();
  while (n) {
    if (!n->Has(nfSelected))
      list.push_back(n);
    n = VisibleOnly ? NextVisibleNode(n) : NextNode(n);
  }
  if (list.empty())
    return;
  AddToSelection(list);
  Change(list.size() == 1 ? list.front() : nullptr);
  if (HasWindow())
    Invalidate();
}

std::vector<PLazyNode> TBaseLazyTree::NodesWith(std::uint16_t Bit, bool Resolve) const
{
  std::vector<PLazyNode> result;
  PLazyNode n = FRoot->FirstChildNode;
  while (n) {
    if (n->Has(Bit)) {
      result.push_back(n);
      if (Resolve) {
        // Skip the subtree: its marked nodes go with their ancestor.
        while (n != FRoot && !n->FollowingSibling)
          n = n->ParentNode;
        n = n == FRoot ? nullptr : n->FollowingSibling;
        continue;
      }
    }
    n = NextNodeRaw(n);
  }
  return result;
}

std::vector<PLazyNode> TBaseLazyTree::SortedSelection(bool Resolve)
{
  if (FSelectionCount == 0)
    return {};
  return NodesWith(nfSelected, Resolve);
}

std::vector<PLazyNode> TBaseLazyTree::SortedClipMarked(bool Resolve)
{
  if (!FStates.Contains(tsCopyPending) && !FStates.Contains(tsCutPending))
    return {};
  return NodesWith(nfClipMarked, Resolve);
}

void TBaseLazyTree::SelectNodes(PLazyNode StartNode, PLazyNode EndNode, bool AddOnly)
{
  if (CompareNodePositions(StartNode, EndNode) > 0)
    std::swap(StartNode, EndNode);
  if (!AddOnly) {
    InternalClearSelection();
  }
  for (PLazyNode n = StartNode; n; n = NextVisibleNode(n)) {
    AddToSelection(n);
    if (n == EndNode)
      break;
  }
  Change(nullptr);
}

void TBaseLazyTree::HandleClickSelection(PLazyNode LastFocused, PLazyNode NewNode, unsigned Shift, bool DragPending)
{
  (void)LastFocused;
  bool shift = (Shift & 0x01) != 0, ctrl = (Shift & 0x04) != 0;
  if (!NewNode)
    return;
  if (ctrl && shift) {
    if (!FSelectionAnchor)
      FSelectionAnchor = NewNode;
    SelectNodes(FSelectionAnchor, NewNode, true);
    if (HasWindow())
      Invalidate();
  } else if (ctrl) {
    if (!HasSelectionOption(toSiblingSelectConstraint))
      FSelectionAnchor = NewNode;
    if (DragPending) {
      ChangeStates({tsToggleFocusedSelection}, {});
    } else if (NewNode->Has(nfSelected)) {
      RemoveFromSelection(NewNode);
      Change(NewNode);
      RepaintNode(NewNode);
    } else {
      AddToSelection(NewNode);
      Change(NewNode);
      RepaintNode(NewNode);
    }
  } else if (shift) {
    if (!FSelectionAnchor)
      FSelectionAnchor = FirstTopLevelNode();
    if (FSelectionAnchor)
      SelectNodes(FSelectionAnchor, NewNode, false);
    if (HasWindow())
      Invalidate();
  } else {
    if (!NewNode->Has(nfSelected)) {
      AddToSelection(NewNode);
      Change(NewNode);
      RepaintNode(NewNode);
    }
    FSelectionAnchor = NewNode;
  }
}

bool TBaseLazyTree::HandleBandSelection()
{
  if (FRoot->SubtreeCount <= 1 || !FStates.Contains(tsDrawSelecting))
    return false;
  auto normal = [](TRect r) {
    if (r.Left > r.Right)
      std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
      std::swap(r.Top, r.Bottom);
    return r;
  };
  TRect oldRect = normal(FLastSelRect), newRect = normal(FNewSelRect);
  int right = HasWindow() ? ClientWidth() : Width();
  bool changed = BandSelect(FBiDiMode != bdLeftToRight, oldRect, newRect, 0, right, FAlignment);
  if (changed) {
    CompactOwnSelection();
    Change(nullptr);
  }
  return changed;
}

// One walk for both reading directions: positions are measured from the
// column's reading start.
bool TBaseLazyTree::BandSelect(bool RightToLeft, TRect OldRect, TRect NewRect, int ColumnLeft, int ColumnRight,
                               TAlignment Alignment)
{
  if (OldRect.IsEmpty() && NewRect.IsEmpty())
    return false;
  int top = std::min(OldRect.Top, NewRect.Top);
  int bottom = std::max(OldRect.Bottom, NewRect.Bottom);
  int nodeTop = 0;
  PLazyNode node = NodeAtOffset(top, false, &nodeTop);
  if (!node)
    return false;
  if (RightToLeft) {
    if (Alignment == taLeftJustify)
      Alignment = taRightJustify;
    else if (Alignment == taRightJustify)
      Alignment = taLeftJustify;
  }
  bool changed = false;
  std::vector<PLazyNode> collect;
  while (node && nodeTop < bottom) {
    int height = int(NodeHeightOf(node));
    unsigned level = NodeLevel(node) + (HasPaintOption(toShowRoot) ? 1 : 0);
    int offset = FMargin + int(level * FIndent) + ImagesWidth(node, true, NoColumn);
    TRect row(ColumnLeft, nodeTop, ColumnRight, nodeTop + height);
    TRect extent = row;
    if (!HasSelectionOption(toSimpleDrawSelection)) {
      int width = DoGetNodeWidth(node, NoColumn, Canvas());
      int start, end;
      if (!RightToLeft) {
        start = ColumnLeft + offset;
        end = ColumnRight;
      } else {
        start = ColumnLeft;
        end = ColumnRight - offset;
      }
      if (width >= end - start) {
        extent.Left = start;
        extent.Right = end;
      } else if (Alignment == taLeftJustify) {
        extent.Left = start;
        extent.Right = start + width;
      } else if (Alignment == taRightJustify) {
        extent.Left = end - width;
        extent.Right = end;
      } else {
        extent.Left = start + (end - start - width) / 2;
        extent.Right = extent.Left + width;
      }
    }
    auto inside = [&](const TRect& r) {
      TRect hit;
      return !r.IsEmpty() && IntersectRect(&hit, &extent, &r);
    };
    bool inOld = inside(OldRect), inNew = inside(NewRect);
    if (inOld != inNew) {
      if (FBandToggle) {
        if (node->Has(nfSelected))
          RemoveFromSelection(node);
        else
          collect.push_back(node);
      } else if (inNew) {
        collect.push_back(node);
      } else {
        RemoveFromSelection(node);
      }
      changed = true;
    }
    nodeTop += height;
    node = NextVisibleNode(node);
  }
  AddToSelection(collect);
  return changed;
}

void TBaseLazyTree::MakeSelectionConsistent(PLazyNode Node)
{
  bool multi = HasSelectionOption(toMultiSelect);
  PLazyNode stop = Node;
  for (PLazyNode n = Node; n;) {
    if (n->Has(nfSelected)) {
      if (multi) {
        if (FindInSelection(n) < 0) {
          n->StateBits &= ~nfSelected;
          AddToSelection(n);
        }
      } else if (FindInSelection(n) < 0) {
        n->StateBits &= ~nfSelected;
      }
    }
    // Pre-order walk inside Node's subtree.
    if (n->FirstChildNode) {
      n = n->FirstChildNode;
      continue;
    }
    while (n != stop && !n->FollowingSibling)
      n = n->ParentNode;
    n = n == stop ? nullptr : n->FollowingSibling;
  }
}
