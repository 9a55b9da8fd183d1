// The navigation family: tree order (a node, then its children) and display
// order (only shown nodes inside expanded parents). The Raw variants only
// follow links; the others initialise what they touch.
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/NodeWalk.h"

namespace {

constexpr const char* kNotRoot = "Node must not be the hidden root node.";

}  // namespace

PLazyNode TBaseLazyTree::FirstTopLevelNode()
{
  return FirstChildOf(nullptr);
}

PLazyNode TBaseLazyTree::FirstChildOf(PLazyNode Node)
{
  if (!Node)
    Node = FRoot;
  if (Node != FRoot) {
    if (!Node->Has(nfInitialized))
      InitializeNode(Node);
    if (!Node->Has(nfHasChildren))
      return nullptr;
    if (Node->ChildCount == 0)
      InitializeChildren(Node);
  }
  PLazyNode result = Node->FirstChildNode;
  if (result && !result->Has(nfInitialized))
    InitializeNode(result);
  return result;
}

PLazyNode TBaseLazyTree::FirstInitializedNode() const
{
  PLazyNode n = FRoot->FirstChildNode;
  while (n && !n->Has(nfInitialized))
    n = NextNodeRaw(n);
  return n;
}

PLazyNode TBaseLazyTree::FirstSelectedNode()
{
  return NextSelectedNode(nullptr);
}

PLazyNode TBaseLazyTree::NextSelectedNode(PLazyNode Node)
{
  if (FSelectionCount == 0)
    return nullptr;
  PLazyNode n = Node ? NextNodeRaw(Node) : FRoot->FirstChildNode;
  while (n && !n->Has(nfSelected))
    n = NextNodeRaw(n);
  if (n && !n->Has(nfInitialized))
    InitializeNode(n);
  return n;
}

PLazyNode TBaseLazyTree::FirstClipMarkedNode()
{
  return NextClipMarkedNode(nullptr);
}

PLazyNode TBaseLazyTree::NextClipMarkedNode(PLazyNode Node)
{
  if (!FStates.Contains(tsCopyPending) && !FStates.Contains(tsCutPending))
    return nullptr;
  PLazyNode n = Node ? NextNodeRaw(Node) : FRoot->FirstChildNode;
  while (n && !n->Has(nfClipMarked))
    n = NextNodeRaw(n);
  if (n && !n->Has(nfInitialized))
    InitializeNode(n);
  return n;
}

PLazyNode TBaseLazyTree::FirstVisibleNode()
{
  PLazyNode n = FirstVisibleNodeRaw();
  if (n && !n->Has(nfInitialized))
    InitializeNode(n);
  return n;
}

PLazyNode TBaseLazyTree::FirstVisibleNodeRaw() const
{
  return lt::FirstShownChild(FRoot);
}

PLazyNode TBaseLazyTree::FirstVisibleChildOf(PLazyNode Node)
{
  PLazyNode n = FirstChildOf(Node);
  if (n && !n->Has(nfVisible))
    n = NextVisibleSiblingNode(n);
  return n;
}

PLazyNode TBaseLazyTree::LastChildOf(PLazyNode Node)
{
  if (!Node)
    Node = FRoot;
  if (Node != FRoot) {
    if (!Node->Has(nfInitialized))
      InitializeNode(Node);
    if (Node->Has(nfHasChildren) && Node->ChildCount == 0)
      InitializeChildren(Node);
  }
  PLazyNode result = Node->LastChildNode;
  if (result && !result->Has(nfInitialized))
    InitializeNode(result);
  return result;
}

PLazyNode TBaseLazyTree::LastChildOfRaw(PLazyNode Node) const
{
  return (Node ? Node : FRoot)->LastChildNode;
}

PLazyNode TBaseLazyTree::LastDescendantOf(PLazyNode Node)
{
  PLazyNode result = LastChildOf(Node);
  if (!result)
    return nullptr;
  while (PLazyNode deeper = LastChildOf(result))
    result = deeper;
  return result;
}

PLazyNode TBaseLazyTree::LastDescendantOfRaw(PLazyNode Node) const
{
  PLazyNode result = LastChildOfRaw(Node);
  if (!result)
    return nullptr;
  while (result->LastChildNode)
    result = result->LastChildNode;
  return result;
}

PLazyNode TBaseLazyTree::LastVisibleChildOfRaw(PLazyNode Node) const
{
  if (!Node)
    Node = FRoot;
  if (Node != FRoot && (!Node->Has(nfExpanded) || !IsNodeFullyVisible(Node)))
    return nullptr;
  return lt::LastShownChild(Node);
}

PLazyNode TBaseLazyTree::LastVisibleChildOf(PLazyNode Node)
{
  if (Node && Node != FRoot && !Node->Has(nfInitialized))
    InitializeNode(Node);
  PLazyNode n = LastVisibleChildOfRaw(Node);
  if (n && !n->Has(nfInitialized))
    InitializeNode(n);
  return n;
}

PLazyNode TBaseLazyTree::LastVisibleDescendantOfRaw(PLazyNode Node) const
{
  PLazyNode result = LastVisibleChildOfRaw(Node);
  while (result) {
    PLazyNode deeper = LastVisibleChildOfRaw(result);
    if (!deeper)
      break;
    result = deeper;
  }
  return result;
}

PLazyNode TBaseLazyTree::LastVisibleDescendantOf(PLazyNode Node)
{
  PLazyNode result = LastVisibleChildOf(Node);
  while (result) {
    PLazyNode deeper = LastVisibleChildOf(result);
    if (!deeper)
      break;
    result = deeper;
  }
  return result;
}

PLazyNode TBaseLazyTree::NextNodeRaw(PLazyNode Node) const
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  if (Node->FirstChildNode)
    return Node->FirstChildNode;
  while (Node != FRoot) {
    if (Node->FollowingSibling)
      return Node->FollowingSibling;
    Node = Node->ParentNode;
  }
  return nullptr;
}

PLazyNode TBaseLazyTree::NextNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  if (!Node->Has(nfInitialized))
    InitializeNode(Node);
  if (Node->Has(nfHasChildren) && Node->ChildCount == 0)
    InitializeChildren(Node);
  PLazyNode result = NextNodeRaw(Node);
  if (result && !result->Has(nfInitialized))
    InitializeNode(result);
  return result;
}

PLazyNode TBaseLazyTree::NextInitializedNode(PLazyNode Node) const
{
  PLazyNode n = NextNodeRaw(Node);
  while (n && !n->Has(nfInitialized))
    n = NextNodeRaw(n);
  return n;
}

PLazyNode TBaseLazyTree::NextSiblingNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  PLazyNode result = Node->FollowingSibling;
  if (result && !result->Has(nfInitialized))
    InitializeNode(result);
  return result;
}

PLazyNode TBaseLazyTree::NextVisibleSiblingNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  PLazyNode n = Node->FollowingSibling;
  for (; n; n = n->FollowingSibling) {
    if (!n->Has(nfInitialized))
      InitializeNode(n);
    if (n->Has(nfVisible))
      break;
  }
  return n;
}

PLazyNode TBaseLazyTree::NextVisibleNodeRaw(PLazyNode Node) const
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  if (!IsNodeFullyVisible(Node))
    return NextAfterHidden(Node);
  return lt::NextShownWithin(Node, FRoot);
}

// For a node whose row is not shown: the first shown node after the hidden
// (or collapsed) part of the tree that holds it.
PLazyNode TBaseLazyTree::NextAfterHidden(PLazyNode Node) const
{
  PLazyNode start = HiddenBoundary(Node);
  for (PLazyNode n = start; n != FRoot; n = n->ParentNode)
    if (PLazyNode s = lt::NextShownSibling(n))
      return s;
  return nullptr;
}

// The outermost node of the part that hides Node: its collapsed shown
// ancestor, or the hidden ancestor right below the deepest shown one.
PLazyNode TBaseLazyTree::HiddenBoundary(PLazyNode Node) const
{
  PLazyNode shown = NearestVisibleAncestor(Node);
  if (shown != FRoot && !shown->Has(nfExpanded))
    return shown;
  PLazyNode start = Node;
  while (start->ParentNode != shown)
    start = start->ParentNode;
  return start;
}

PLazyNode TBaseLazyTree::NextVisibleNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  if (!Node->Has(nfInitialized))
    InitializeNode(Node);
  if (!IsNodeFullyVisible(Node)) {
    PLazyNode result = NextAfterHidden(Node);
    if (result && !result->Has(nfInitialized))
      InitializeNode(result);
    return result;
  }
  // Children of an expanded node are asked for and initialised on the way.
  if (Node->Has(nfExpanded) && Node->Has(nfHasChildren) && Node->ChildCount == 0)
    InitializeChildren(Node);
  PLazyNode result = nullptr;
  if (Node->Has(nfExpanded))
    for (PLazyNode c = Node->FirstChildNode; c; c = c->FollowingSibling) {
      if (!c->Has(nfInitialized))
        InitializeNode(c);
      if (c->Has(nfVisible)) {
        result = c;
        break;
      }
    }
  for (PLazyNode n = Node; !result && n != FRoot; n = n->ParentNode)
    result = NextVisibleSiblingNode(n);
  return result;
}

PLazyNode TBaseLazyTree::PreviousNodeRaw(PLazyNode Node) const
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  if (Node->PriorSibling) {
    PLazyNode n = Node->PriorSibling;
    while (n->LastChildNode)
      n = n->LastChildNode;
    return n;
  }
  return Node->ParentNode == FRoot ? nullptr : Node->ParentNode;
}

PLazyNode TBaseLazyTree::PreviousNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  LT_ASSERT(Node->Has(nfInitialized), "Node must already be initialized.");
  PLazyNode result = nullptr;
  if (Node->PriorSibling) {
    result = Node->PriorSibling;
    if (!result->Has(nfInitialized))
      InitializeNode(result);
    while (PLazyNode last = LastChildOf(result))
      result = last;
  } else if (Node->ParentNode != FRoot) {
    result = Node->ParentNode;
  }
  if (result && !result->Has(nfInitialized))
    InitializeNode(result);
  return result;
}

PLazyNode TBaseLazyTree::PreviousSiblingNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  PLazyNode result = Node->PriorSibling;
  if (result && !result->Has(nfInitialized))
    InitializeNode(result);
  return result;
}

PLazyNode TBaseLazyTree::PreviousVisibleSiblingNodeRaw(PLazyNode Node) const
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  return lt::PriorShownSibling(Node);
}

PLazyNode TBaseLazyTree::PreviousVisibleSiblingNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  PLazyNode n = Node->PriorSibling;
  for (; n; n = n->PriorSibling) {
    if (!n->Has(nfInitialized))
      InitializeNode(n);
    if (n->Has(nfVisible))
      break;
  }
  return n;
}

PLazyNode TBaseLazyTree::PreviousVisibleNodeRaw(PLazyNode Node) const
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  if (!IsNodeFullyVisible(Node)) {
    PLazyNode boundary = HiddenBoundary(Node);
    if (boundary->Has(nfVisible) && boundary != Node)
      return boundary;  // a collapsed shown ancestor: its row comes right before
    Node = boundary;
  }
  if (PLazyNode prior = lt::PriorShownSibling(Node)) {
    PLazyNode deeper = prior;
    while (deeper && deeper->Has(nfExpanded) && (deeper = lt::LastShownChild(deeper)))
      prior = deeper;
    return prior;
  }
  return Node->ParentNode == FRoot ? nullptr : Node->ParentNode;
}

PLazyNode TBaseLazyTree::PreviousVisibleNode(PLazyNode Node)
{
  if (!Node)
    return nullptr;
  LT_ASSERT(Node != FRoot, kNotRoot);
  LT_ASSERT(Node->Has(nfInitialized), "Node must already be initialized.");
  if (!IsNodeFullyVisible(Node)) {
    PLazyNode boundary = HiddenBoundary(Node);
    if (boundary->Has(nfVisible) && boundary != Node)
      return boundary;
    Node = boundary;
  }
  if (PLazyNode prior = PreviousVisibleSiblingNode(Node)) {
    while (prior->Has(nfExpanded)) {
      PLazyNode last = LastVisibleChildOf(prior);
      if (!last)
        break;
      prior = last;
    }
    return prior;
  }
  return Node->ParentNode == FRoot ? nullptr : Node->ParentNode;
}

// The deepest ancestor whose row is shown (the hidden root when none is): a
// node hidden inside a collapsed parent continues from that parent, so the
// next shown node comes after it in display order.
PLazyNode TBaseLazyTree::NearestVisibleAncestor(PLazyNode Node) const
{
  PLazyNode n = Node->ParentNode;
  while (n != FRoot && !IsNodeFullyVisible(n))
    n = n->ParentNode;
  return n;
}
