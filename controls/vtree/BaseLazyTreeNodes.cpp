// The node model: allocation, child counts, lazy initialisation, linking,
// unlinking, deletion and the count and height bookkeeping.
#include <cstdlib>
#include <new>

#include "controls/vtree/BaseLazyTree.h"
#include "platform/win/ole/OleClipboard.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/NodeWalk.h"
#include "platform/base/ScopeGuard.h"

PLazyNode TBaseLazyTree::AllocateNode()
{
  if (FNodeDataSize == -1) {
    FNodeDataSize = DoGetNodeDataSize();
    if (FNodeDataSize < 0)
      FNodeDataSize = 0;
  }
  std::size_t size = UserDataOffset() + std::size_t(FNodeDataSize);
  auto* node = static_cast<PLazyNode>(std::calloc(1, size));
  if (!node)
    throw std::bad_alloc();
  node->SubtreeCount = 1;
  node->NodeHeight = std::uint16_t(FDefaultNodeHeight);
  node->SubtreeHeight = FDefaultNodeHeight;
  node->StateBits = nfVisible;
  node->LineAlignment = 50;
  return node;
}

std::size_t TBaseLazyTree::ReserveInternalData(std::size_t Size)
{
  LT_ASSERT(FRoot->ChildCount == 0 && !FRoot->FirstChildNode,
            "Internal data allocation must be done before any node is created.");
  std::size_t offset = sizeof(TLazyNode) + FTotalInternalDataSize;
  FTotalInternalDataSize += (Size + 3) & ~std::size_t(3);
  // The hidden root grows with the internal areas (it carries no user data).
  auto* root = static_cast<PLazyNode>(std::realloc(FRoot, sizeof(TLazyNode) + FTotalInternalDataSize));
  if (!root)
    throw std::bad_alloc();
  FRoot = root;
  FRoot->PriorSibling = FRoot->FollowingSibling = FRoot;
  return offset;
}

void TBaseLazyTree::AdjustTotalCount(PLazyNode Node, std::int64_t Value, bool Relative)
{
  std::int64_t change = Relative ? Value : Value - std::int64_t(Node->SubtreeCount);
  if (change == 0)
    return;
  for (;;) {
    Node->SubtreeCount = std::uint32_t(std::int64_t(Node->SubtreeCount) + change);
    if (Node == FRoot)
      break;
    Node = Node->ParentNode;
  }
}

void TBaseLazyTree::AdjustTotalHeight(PLazyNode Node, std::int64_t Value, bool Relative)
{
  std::int64_t change = Relative ? Value : Value - std::int64_t(Node->SubtreeHeight);
  if (change == 0)
    return;
  Node->SubtreeHeight = std::uint32_t(std::int64_t(Node->SubtreeHeight) + change);
  while (Node != FRoot && Node->Has(nfVisible) && Node->ParentNode->Has(nfExpanded)) {
    Node = Node->ParentNode;
    Node->SubtreeHeight = std::uint32_t(std::int64_t(Node->SubtreeHeight) + change);
  }
}

Cardinal TBaseLazyTree::CountVisibleChildren(PLazyNode Node) const
{
  return lt::CountShownDescendants(Node);
}

void TBaseLazyTree::SetRootNodeCount(Cardinal Value)
{
  if (ComponentState().Contains(csLoading)) {
    FRoot->ChildCount = Value;
    ChangeStates({tsNeedRootCountUpdate}, {});
    return;
  }
  if (Value == FRoot->ChildCount)
    return;
  BeginUpdate();
  auto done = ScopeExit([&] { EndUpdate(); });
  HaltCacheValidation();
  SetNodeChildCount(FRoot, Value);
}

void TBaseLazyTree::SetNodeChildCount(PLazyNode Node, Cardinal Count)
{
  if (ReadOnly())
    return;
  if (!Node)
    Node = FRoot;
  if (Count == 0) {
    RemoveChildren(Node, false);
    return;
  }
  if (Count == Node->ChildCount)
    return;
  HaltCacheValidation();
  bool removed = Count < Node->ChildCount;
  if (removed) {
    while (Node->ChildCount > Count)
      RemoveNode(Node->LastChildNode, true);
  } else {
    Cardinal added = Count - Node->ChildCount;
    std::uint32_t index = 0;
    if (Node->LastChildNode)
      index = Node->LastChildNode->SiblingIndex + 1;
    else
      Node->StateBits |= nfHasChildren;
    if (Node != FRoot)
      Node->StateBits &= ~nfChildrenHidden;  // the new children are shown
    std::int64_t heights = 0;
    PLazyNode firstNew = nullptr;
    for (Cardinal i = 0; i < added; ++i) {
      PLazyNode child = AllocateNode();
      child->SiblingIndex = index++;
      child->ParentNode = Node;
      child->PriorSibling = Node->LastChildNode;
      if (Node->LastChildNode)
        Node->LastChildNode->FollowingSibling = child;
      else
        Node->FirstChildNode = child;
      Node->LastChildNode = child;
      Node->ChildCount++;
      heights += child->NodeHeight;
      if (!firstNew)
        firstNew = child;
    }
    if (Node->Has(nfExpanded)) {
      AdjustTotalHeight(Node, heights, true);
      if (IsNodeFullyVisible(Node))
        FVisibleCount += added;
    }
    AdjustTotalCount(Node, added, true);
    // Measured heights go through SetNodeHeight once the new rows are counted.
    if (HasMiscOption(toVariableNodeHeight))
      for (PLazyNode child = firstNew; child; child = child->FollowingSibling)
        NodeHeightOf(child);
    if (!IsUpdating() && HasAutoOption(toAutoSort))
      SortChildren(Node, NoColumn, sdAscending, false);
  }
  AfterStructureChange();
  // A count that dropped reports a deletion, not an addition.
  StructureChange(Node == FRoot ? nullptr : Node, removed ? crChildDeleted : crChildAdded);
}

void TBaseLazyTree::InitializeNode(PLazyNode Node)
{
  TWorkerPause pause(this);
  Node->StateBits |= nfInitialized;
  TLazyNodeInitStates states;
  DoInitNode(Node->ParentNode == FRoot ? nullptr : Node->ParentNode, Node, states);
  if (states.Contains(ivsDisabled))
    Node->StateBits |= nfDisabled;
  if (states.Contains(ivsHasChildren))
    Node->StateBits |= nfHasChildren;
  if (states.Contains(ivsSelected))
    AddToSelection(Node);
  if (states.Contains(ivsMultiline))
    Node->StateBits |= nfMultiline;
  if (states.Contains(ivsExpanded) != Node->Has(nfExpanded)) {
    if (states.Contains(ivsExpanded))
      ToggleExpansion(Node);
    else if (Node->Has(nfHasChildren))
      InitializeChildren(Node);
  }
}

void TBaseLazyTree::InitializeChildren(PLazyNode Node)
{
  if (!Node || Node == FRoot || !Node->Has(nfHasChildren))
    return;
  Cardinal count = Node->ChildCount;
  DoInitChildren(Node, count);
  if (count > 0) {
    SetNodeChildCount(Node, count);
  } else {
    RemoveChildren(Node, false);
    TWorkerPause pause(this);
    Node->StateBits &= ~nfHasChildren;
  }
}

void TBaseLazyTree::ReinitializeNode(PLazyNode Node, bool Recursive)
{
  // The hidden root is never initialised through events: refreshing it
  // refreshes its children.
  if (!Node || Node == FRoot) {
    if (Recursive)
      ReinitializeChildren(FRoot, true);
    return;
  }
  {
    TWorkerPause pause(this);
    Node->StateBits &= ~(nfChecking | nfClipMarked | nfDeleting | nfHeightMeasured);
  }
  InitializeNode(Node);
  if (Recursive)
    ReinitializeChildren(Node, true);
}

void TBaseLazyTree::ReinitializeChildren(PLazyNode Node, bool Recursive)
{
  if (!Node)
    Node = FRoot;
  InitializeChildren(Node);
  for (PLazyNode child = Node->FirstChildNode; child; child = child->FollowingSibling)
    ReinitializeNode(child, Recursive);
}

void TBaseLazyTree::RemoveChildren(PLazyNode Node, bool ResetHasChildren)
{
  if (!Node)
    Node = FRoot;
  if (!Node->FirstChildNode || ReadOnly())
    return;
  LT_ASSERT(!FStates.Contains(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
  int oldX = FOffsetX, oldY = FOffsetY;
  {
    ++FUpdateCount;
    auto release = ScopeExit([&] { --FUpdateCount; });
    HaltCacheValidation();
    Node->StateBits |= nfClearing;
    bool counted = Node == FRoot || (Node->Has(nfExpanded) && IsNodeFullyVisible(Node));
    PLazyNode child = Node->LastChildNode;
    while (child) {
      PLazyNode prior = child->PriorSibling;
      child->StateBits |= nfDeleting;
      child->PriorSibling = nullptr;
      if (prior)
        prior->FollowingSibling = nullptr;
      if (counted && child->Has(nfVisible))
        --FVisibleCount;
      RemoveNode(child, true);
      child = prior;
    }
    Node->StateBits &= ~nfClearing;
    if (ResetHasChildren)
      Node->StateBits &= ~nfHasChildren;
    if (Node != FRoot)
      Node->StateBits &= ~nfExpanded;
    Node->ChildCount = 0;
    Node->FirstChildNode = Node->LastChildNode = nullptr;
    if (Node == FRoot) {
      FRoot->SubtreeHeight = FDefaultNodeHeight;
      FRoot->SubtreeCount = 1;
    } else if (Node->Has(nfDeleting)) {
      Node->SubtreeHeight = Node->NodeHeight;
      Node->SubtreeCount = 1;
    } else {
      AdjustTotalHeight(Node, Node->NodeHeight, false);
      AdjustTotalCount(Node, 1, false);
    }
    MarkCacheStale();
  }
  if (!IsUpdating()) {
    RequestCacheValidation();
    UpdateScrollBars(true);
    if (oldX == FOffsetX && oldY == FOffsetY)
      RepaintFromNode(Node);
    else if (HasWindow())
      Invalidate();
  }
  StructureChange(Node == FRoot ? nullptr : Node, crChildDeleted);
}

void TBaseLazyTree::RemoveNode(PLazyNode Node, bool Reindex)
{
  if (!Node || Node == FRoot || ReadOnly())
    return;
  LT_ASSERT(!FStates.Contains(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
  HaltCacheValidation();
  PLazyNode parent = Node->ParentNode;
  bool parentClearing = parent->Has(nfClearing);
  if (!parentClearing)
    StructureChange(parent == FRoot ? nullptr : parent, crChildDeleted);
  if (Node->Has(nfSelected)) {
    if (IsUpdating()) {
      RemoveFromSelection(Node);
    } else {
      ChangeStates({tsSynchMode}, {});
      auto leave = ScopeExit([&] { ChangeStates({}, {tsSynchMode}); });
      RemoveFromSelection(Node);
      Change(Node);
    }
  }
  RepaintFromNode(parent);
  RemoveChildren(Node, false);
  InternalDisconnectNode(Node, false, Reindex);
  ForgetPendingNode(Node);
  FreeNode(Node);
  if (!parentClearing) {
    DetermineHiddenChildrenFlag(parent);
    MarkCacheStale();
    if (!IsUpdating()) {
      RequestCacheValidation();
      UpdateScrollBars(true);
    }
  }
}

void TBaseLazyTree::FreeNode(PLazyNode Node)
{
  if (Node == FHotNode)
    FHotNode = nullptr;
  if (Node == FDropTargetNode)
    FDropTargetNode = nullptr;
  if (Node == FLibDropNode)
    FLibDropNode = nullptr;
  ForgetDraggedNode(Node);
  if (Node->Has(nfInitialized) || Node->Has(nfUserDataInit))
    DoFreeNode(Node);
  std::free(Node);
}

// A node about to be freed must not stay behind in a pending notice: its
// parent takes its place (nil for a top-level node).
void TBaseLazyTree::ForgetPendingNode(PLazyNode Node)
{
  PLazyNode parent = Node->ParentNode;
  PLazyNode replacement = (!parent || parent == FRoot) ? nullptr : parent;
  // The parent may itself be on its way out; the walk settles on a live node.
  while (replacement && replacement->Has(nfDeleting) && replacement->ParentNode != FRoot)
    replacement = replacement->ParentNode;
  if (replacement && replacement->Has(nfDeleting))
    replacement = nullptr;
  if (FLastChangedNode == Node)
    FLastChangedNode = replacement;
  if (FLastStructureChangeNode == Node)
    FLastStructureChangeNode = replacement;
  if (FSelectionAnchor == Node)
    FSelectionAnchor = nullptr;
}

void TBaseLazyTree::ClearTree()
{
  if (ReadOnly())
    return;
  // The clipboard is emptied only while it still holds this tree's nodes:
  // whatever the user copied elsewhere since stays.
  if ((FStates.Contains(tsCopyPending) || FStates.Contains(tsCutPending)) && FClipboardObject &&
      OleIsCurrentClipboard(FClipboardObject) == S_OK)
    OleSetClipboard(nullptr);
  ClearClipboardMarks();
  BeginUpdate();
  auto done = ScopeExit([&] { EndUpdate(); });
  HaltCacheValidation();
  ClearSelection();
  FFocusedNode = nullptr;
  FSelectionAnchor = nullptr;
  RemoveChildren(FRoot, true);
  FVisibleCount = 0;
  FOffsetX = FOffsetY = 0;
}

void TBaseLazyTree::DetermineHiddenChildrenFlag(PLazyNode Node)
{
  if (Node == FRoot || Node->Has(nfDeleting))
    return;
  TWorkerPause pause(this);
  if (Node->FirstChildNode && !lt::FirstShownChild(Node))
    Node->StateBits |= nfChildrenHidden;
  else
    Node->StateBits &= ~nfChildrenHidden;
}

void TBaseLazyTree::ConnectNode(PLazyNode Node, PLazyNode Target, TLTNodeAttachMode Mode, TBaseLazyTree* TargetTree)
{
  if (Mode == amNoWhere)
    return;
  (TargetTree ? TargetTree : this)->InternalConnectNode(Node, Target, TargetTree ? TargetTree : this, Mode);
}

void TBaseLazyTree::InternalConnectNode(PLazyNode Node, PLazyNode Destination, TBaseLazyTree*, TLTNodeAttachMode Mode)
{
  if (Mode == amNoWhere)
    return;
  HaltCacheValidation();
  PLazyNode parent = (Mode == amInsertBefore || Mode == amInsertAfter) ? Destination->ParentNode : Destination;
  // Every mode comes down to the siblings the node goes between.
  PLazyNode prior, following;
  switch (Mode) {
    case amInsertBefore:
      prior = Destination->PriorSibling;
      following = Destination;
      break;
    case amInsertAfter:
      prior = Destination;
      following = Destination->FollowingSibling;
      break;
    case amAddChildFirst:
      prior = nullptr;
      following = parent->FirstChildNode;
      break;
    default:  // amAddChildLast
      prior = parent->LastChildNode;
      following = nullptr;
      break;
  }
  Node->PriorSibling = prior;
  Node->FollowingSibling = following;
  if (prior)
    prior->FollowingSibling = Node;
  else
    parent->FirstChildNode = Node;
  if (following)
    following->PriorSibling = Node;
  else
    parent->LastChildNode = Node;
  // Indices stay dense: the node takes the next one and its followers move up.
  Node->SiblingIndex = prior ? prior->SiblingIndex + 1 : 0;
  for (PLazyNode n = Node, next = Node->FollowingSibling; next; n = next, next = next->FollowingSibling)
    next->SiblingIndex = n->SiblingIndex + 1;
  Node->ParentNode = parent;
  parent->ChildCount++;
  parent->StateBits |= nfHasChildren;
  AdjustTotalCount(parent, Node->SubtreeCount, true);
  if (parent->Has(nfExpanded) && Node->Has(nfVisible))
    AdjustTotalHeight(parent, Node->SubtreeHeight, true);
  if (IsNodeFullyVisible(Node))
    FVisibleCount += 1 + CountVisibleChildren(Node);
  Node->StateBits &= 0xF7E9;
  if (parent != FRoot) {
    if (Node->Has(nfVisible))
      parent->StateBits &= ~nfChildrenHidden;
    else if (parent->ChildCount == 1)
      parent->StateBits |= nfChildrenHidden;
  }
}

void TBaseLazyTree::DisconnectNode(PLazyNode Node, bool KeepFocus, bool Reindex)
{
  InternalDisconnectNode(Node, KeepFocus, Reindex);
}

void TBaseLazyTree::InternalDisconnectNode(PLazyNode Node, bool KeepFocus, bool Reindex)
{
  LT_ASSERT(Node && Node != FRoot, "Node must neither be nil nor the root node.");
  HaltCacheValidation();
  if (Node == FFocusedNode && !KeepFocus) {
    FFocusedNode = nullptr;
    DoFocusChange(nullptr, FFocusedColumn);
  }
  if (Node == FSelectionAnchor)
    FSelectionAnchor = FFocusedNode;
  if (Node->Has(nfDeleting))
    return;
  PLazyNode parent = Node->ParentNode;
  Node->StateBits &= ~nfChecking;
  bool fullyVisible = IsNodeFullyVisible(Node);
  bool parentExpanded = parent->Has(nfExpanded);
  parent->ChildCount--;
  if (parent->ChildCount == 0) {
    parent->StateBits &= ~(nfChildrenHidden | nfHasChildren);
    if (parent != FRoot)
      parent->StateBits &= ~nfExpanded;
  }
  AdjustTotalCount(parent, -std::int64_t(Node->SubtreeCount), true);
  // A hidden child's rows were never part of the parent's height.
  if (parentExpanded && Node->Has(nfVisible))
    AdjustTotalHeight(parent, -std::int64_t(Node->SubtreeHeight), true);
  if (fullyVisible)
    FVisibleCount -= 1 + CountVisibleChildren(Node);

  if (Node->PriorSibling)
    Node->PriorSibling->FollowingSibling = Node->FollowingSibling;
  else
    parent->FirstChildNode = Node->FollowingSibling;
  if (Node->FollowingSibling)
    Node->FollowingSibling->PriorSibling = Node->PriorSibling;
  else
    parent->LastChildNode = Node->PriorSibling;
  if (Reindex) {
    // Sequential renumbering keeps the indices dense even after gaps.
    std::uint32_t index = Node->SiblingIndex;
    for (PLazyNode n = Node->FollowingSibling; n; n = n->FollowingSibling)
      n->SiblingIndex = index++;
  }
  Node->PriorSibling = Node->FollowingSibling = nullptr;
  if (!parent->Has(nfDeleting))
    DetermineHiddenChildrenFlag(parent);
}

unsigned TBaseLazyTree::NodeLevel(PLazyNode Node) const
{
  unsigned level = 0;
  if (!Node || Node == FRoot)
    return 0;
  for (PLazyNode n = Node->ParentNode; n && n != FRoot; n = n->ParentNode)
    ++level;
  return level;
}

bool TBaseLazyTree::HasAncestor(PLazyNode Node, PLazyNode Ancestor) const
{
  if (!Node || !Ancestor || Node == Ancestor || Node == FRoot)
    return false;
  for (PLazyNode n = Node->ParentNode; n; n = n->ParentNode) {
    if (n == Ancestor)
      return true;
    if (n == FRoot)
      break;
  }
  return false;
}

int TBaseLazyTree::CompareNodePositions(PLazyNode Node1, PLazyNode Node2) const
{
  LT_ASSERT(Node1 && Node2, "Nodes must never be nil.");
  if (Node1 == Node2)
    return 0;
  if (HasAncestor(Node1, Node2))
    return 1;
  if (HasAncestor(Node2, Node1))
    return -1;
  unsigned l1 = NodeLevel(Node1), l2 = NodeLevel(Node2);
  while (l1 > l2) {
    Node1 = Node1->ParentNode;
    --l1;
  }
  while (l2 > l1) {
    Node2 = Node2->ParentNode;
    --l2;
  }
  while (Node1->ParentNode != Node2->ParentNode) {
    Node1 = Node1->ParentNode;
    Node2 = Node2->ParentNode;
  }
  return int(std::int64_t(Node1->SiblingIndex) - std::int64_t(Node2->SiblingIndex));
}

TBaseLazyTree* TBaseLazyTree::TreeOfNode(PLazyNode Node)
{
  LT_ASSERT(Node, "Node must not be nil.");
  while (!lt::IsHiddenRoot(Node))
    Node = Node->ParentNode;
  return reinterpret_cast<TBaseLazyTree*>(Node->ParentNode);
}

bool TBaseLazyTree::IsNodeVisible(PLazyNode Node)
{
  if (!Node)
    Node = FRoot;
  if (Node != FRoot && !Node->Has(nfInitialized))
    InitializeNode(Node);
  return Node->Has(nfVisible);
}

void TBaseLazyTree::SetNodeVisible(PLazyNode Node, bool Value)
{
  if (!Node || Node == FRoot || Node->Has(nfVisible) == Value)
    return;
  HaltCacheValidation();
  PLazyNode parent = Node->ParentNode;
  if (!Value) {
    if (IsNodeFullyVisible(Node))
      FVisibleCount -= 1 + CountVisibleChildren(Node);
    if (parent->Has(nfExpanded))
      AdjustTotalHeight(parent, -std::int64_t(Node->SubtreeHeight), true);
    Node->StateBits &= ~nfVisible;
  } else {
    Node->StateBits |= nfVisible;
    if (parent->Has(nfExpanded))
      AdjustTotalHeight(parent, Node->SubtreeHeight, true);
    if (IsNodeFullyVisible(Node))
      FVisibleCount += 1 + CountVisibleChildren(Node);
  }
  DetermineHiddenChildrenFlag(parent);
  AfterStructureChange();
}

void TBaseLazyTree::AfterStructureChange()
{
  MarkCacheStale();
  if (!IsUpdating()) {
    RequestCacheValidation();
    UpdateScrollBars(true);
    if (HasWindow())
      Invalidate();
  }
}

bool TBaseLazyTree::IsNodeFullyVisible(PLazyNode Node) const
{
  LT_ASSERT(Node, "Invalid parameter.");
  if (!Node->Has(nfVisible))
    return false;
  for (PLazyNode n = Node; n != FRoot; n = n->ParentNode) {
    if (!n->Has(nfVisible) || !n->ParentNode || !n->ParentNode->Has(nfExpanded))
      return false;
  }
  return true;
}

bool TBaseLazyTree::IsFirstShownChild(PLazyNode Parent, PLazyNode Node) const
{
  return lt::FirstShownChild(Parent ? Parent : FRoot) == Node;
}

bool TBaseLazyTree::IsLastShownChild(PLazyNode Parent, PLazyNode Node) const
{
  return lt::LastShownChild(Parent ? Parent : FRoot) == Node;
}

bool TBaseLazyTree::HasShownFollowingSibling(PLazyNode Node) const
{
  return lt::NextShownSibling(Node) != nullptr;
}

bool TBaseLazyTree::SetNodeCheckState(PLazyNode Node, TCheckState Value)
{
  if (!Node || Node == FRoot || Node->Has(nfChecking))
    return false;
  TWorkerPause pause(this);
  Node->StateBits |= nfChecking;
  if (!Node->Has(nfInitialized))
    InitializeNode(Node);
  ChangeStates({tsCheckPropagation}, {});
  auto done = ScopeExit([&] {
    Node->StateBits &= ~nfChecking;
    ChangeStates({}, {tsCheckPropagation});
  });
  bool tracking = HasAutoOption(toAutoTristateTracking);
  if (Node->CheckKind == ctTriStateCheckBox && tracking && Node->ChildCount > 0 &&
      (Value == csUncheckedNormal || Value == csCheckedNormal)) {
    for (PLazyNode child = Node->FirstChildNode; child; child = child->FollowingSibling)
      if ((child->CheckKind == ctTriStateCheckBox || child->CheckKind == ctCheckBox) &&
          child->NodeCheckState != Value && !child->Has(nfDisabled)) {
        TCheckState state = Value;
        if (DoChecking(child, state))
          DoCheckClick(child, state);
      }
    bool mixed = false, checked = false, unchecked = false;
    for (PLazyNode child = Node->FirstChildNode; child; child = child->FollowingSibling) {
      mixed |= child->NodeCheckState == csMixedNormal;
      checked |= child->NodeCheckState == csCheckedNormal;
      unchecked |= child->NodeCheckState == csUncheckedNormal;
    }
    if (mixed)
      Value = csMixedNormal;
    else if (checked)
      Value = unchecked ? csMixedNormal : csCheckedNormal;
  }
  if (Node->CheckKind == ctRadioButton && Value == csCheckedNormal) {
    for (PLazyNode n = Node->ParentNode->FirstChildNode; n; n = n->FollowingSibling)
      if (n->CheckKind == ctRadioButton)
        n->NodeCheckState = csUncheckedNormal;
    if (HasWindow())
      Invalidate();
  }
  Node->NodeCheckState = Value;
  bool result = true;
  PLazyNode parent = Node->ParentNode;
  if (parent != FRoot && !parent->Has(nfInitialized))
    InitializeNode(parent);
  if (tracking && (Node->CheckKind == ctTriStateCheckBox || Node->CheckKind == ctCheckBox) && parent != FRoot &&
      !parent->Has(nfChecking) && !parent->Has(nfDisabled) && parent->CheckKind == ctTriStateCheckBox) {
    // The parent follows its children: mixed when they disagree.
    bool checked = false, unchecked = false, mixed = false;
    for (PLazyNode child = parent->FirstChildNode; child; child = child->FollowingSibling) {
      if (child->CheckKind != ctTriStateCheckBox && child->CheckKind != ctCheckBox)
        continue;
      checked |= child->NodeCheckState == csCheckedNormal || child->NodeCheckState == csCheckedPressed;
      unchecked |= child->NodeCheckState == csUncheckedNormal || child->NodeCheckState == csUncheckedPressed;
      mixed |= child->NodeCheckState == csMixedNormal || child->NodeCheckState == csMixedPressed;
    }
    TCheckState state = mixed || (checked && unchecked) ? csMixedNormal : checked ? csCheckedNormal : csUncheckedNormal;
    if (state != parent->NodeCheckState) {
      if (DoChecking(parent, state))
        result = SetNodeCheckState(parent, state);
      else
        result = false;
    }
  }
  RepaintNode(Node);
  return result;
}
