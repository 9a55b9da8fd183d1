// Sorting siblings through the owner's comparison, and moving nodes within a
// tree or into another one (through the tree stream).
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "platform/base/MemoryStream.h"
#include "platform/base/ScopeGuard.h"

// A stable top-down merge sort of a sibling list linked by FollowingSibling;
// equal nodes keep their order.
PLazyNode TBaseLazyTree::MergeSort(PLazyNode First, Cardinal Count, TColumnIndex Column, TSortDirection Direction)
{
  if (Count <= 1) {
    if (First)
      First->FollowingSibling = nullptr;
    return First;
  }
  Cardinal half = Count / 2;
  PLazyNode second = First;
  for (Cardinal i = 0; i < half; ++i)
    second = second->FollowingSibling;
  PLazyNode a = MergeSort(First, half, Column, Direction);
  PLazyNode b = MergeSort(second, Count - half, Column, Direction);
  PLazyNode head = nullptr, *tail = &head;
  while (a && b) {
    int c = DoCompare(a, b, Column);
    bool takeSecond = Direction == sdAscending ? c > 0 : c < 0;
    if (takeSecond) {
      *tail = b;
      b = b->FollowingSibling;
    } else {
      *tail = a;
      a = a->FollowingSibling;
    }
    tail = &(*tail)->FollowingSibling;
  }
  *tail = a ? a : b;
  return head;
}

void TBaseLazyTree::SortChildren(PLazyNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit)
{
  HaltCacheValidation();
  if (!Node)
    Node = FRoot;
  if (!Node->Has(nfHasChildren))
    return;
  if (DoInit) {
    if (Node->ChildCount == 0)
      InitializeChildren(Node);
    for (PLazyNode c = Node->FirstChildNode; c; c = c->FollowingSibling)
      if (!c->Has(nfInitialized))
        InitializeNode(c);
  }
  if (Node->ChildCount > 1) {
    HaltCacheValidation();
    PLazyNode head = MergeSort(Node->FirstChildNode, Node->ChildCount, Column, Direction);
    PLazyNode prior = nullptr;
    std::uint32_t index = 0;
    for (PLazyNode n = head; n; n = n->FollowingSibling) {
      n->PriorSibling = prior;
      n->SiblingIndex = index++;
      prior = n;
    }
    Node->FirstChildNode = head;
    Node->LastChildNode = prior;
    MarkCacheStale();
    if (!IsUpdating()) {
      RequestCacheValidation();
      if (HasWindow())
        Invalidate();
    }
  }
}

void TBaseLazyTree::SortWholeTree(TColumnIndex Column, TSortDirection Direction, bool DoInit)
{
  if (Column < NoColumn)
    return;
  {
    ++FUpdateCount;
    auto release = ScopeExit([&] {
      --FUpdateCount;
      MarkCacheStale();
      if (!IsUpdating()) {
        RequestCacheValidation();
        if (HasWindow())
          Invalidate();
      }
    });
    SortChildren(FRoot, Column, Direction, DoInit);
    for (PLazyNode n = FRoot->FirstChildNode; n; n = NextNodeRaw(n)) {
      if (DoInit && !n->Has(nfInitialized))
        InitializeNode(n);
      if (n->Has(nfInitialized))
        SortChildren(n, Column, Direction, DoInit);
    }
  }
}

void TBaseLazyTree::MoveNodeTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly)
{
  if (!Source || Source == FRoot || Mode == amNoWhere || HasMiscOption(toReadOnly))
    return;
  LT_ASSERT(TreeOfNode(Source) == this, "The source tree must contain the source node.");
  if (Target == Source && !(ChildrenOnly && (Mode == amInsertBefore || Mode == amInsertAfter)))
    return;
  TBaseLazyTree* targetTree = this;
  if (!Target) {
    Target = FRoot;
    Mode = amAddChildFirst;
  } else {
    targetTree = TreeOfNode(Target);
  }
  if (Target == targetTree->FRoot) {
    if (Mode == amInsertBefore)
      Mode = amAddChildFirst;
    else if (Mode == amInsertAfter)
      Mode = amAddChildLast;
  }
  PLazyNode reported = Source;
  bool allowed = DoNodeMoving(Source, Target == targetTree->FRoot ? nullptr : Target);
  if (allowed) {
    // The moved nodes keep their order: the first lands where Mode says and
    // each next one goes right after it.
    if (targetTree == this) {
      if (HasAncestor(Target, Source))
        RaiseTreeError(hcTFWrongMoveError);
      HaltCacheValidation();
      std::vector<PLazyNode> moving;
      if (ChildrenOnly)
        for (PLazyNode c = Source->FirstChildNode; c; c = c->FollowingSibling)
          moving.push_back(c);
      else
        moving.push_back(Source);
      PLazyNode previous = nullptr;
      for (PLazyNode n : moving) {
        InternalDisconnectNode(n, true, !ChildrenOnly);
        if (previous)
          InternalConnectNode(n, previous, this, amInsertAfter);
        else
          InternalConnectNode(n, Target, this, Mode);
        previous = n;
        DoNodeMoved(n);
      }
      if (ChildrenOnly)
        DetermineHiddenChildrenFlag(Source);
    } else {
      TMemoryStream stream;
      if (ChildrenOnly)
        for (PLazyNode c = Source->FirstChildNode; c; c = c->FollowingSibling)
          WriteNodeChunk(&stream, c);
      else
        WriteNodeChunk(&stream, Source);
      std::int64_t size = stream.Size();
      stream.Seek(std::int64_t(0), soBeginning);
      {
        targetTree->BeginUpdate();
        auto done = ScopeExit([&] { targetTree->EndUpdate(); });
        PLazyNode previous = nullptr;
        while (stream.Position() < size) {
          PLazyNode node = targetTree->AllocateNode();
          if (previous)
            targetTree->InternalConnectNode(node, previous, targetTree, amInsertAfter);
          else
            targetTree->InternalConnectNode(node, Target, targetTree, Mode);
          previous = node;
          targetTree->AddNodesFromStream(&stream, 2, node, size);
          DoNodeMoved(node);
        }
      }
      BeginUpdate();
      auto done = ScopeExit([&] { EndUpdate(); });
      if (ChildrenOnly) {
        RemoveChildren(Source, true);
      } else {
        // Source is freed: its former parent is what changed here.
        reported = Source->ParentNode == FRoot ? nullptr : Source->ParentNode;
        RemoveNode(Source, true);
      }
    }
  }
  MarkCacheStale();
  if (!IsUpdating() && allowed) {
    RequestCacheValidation();
    UpdateScrollBars(true);
    if (HasWindow())
      Invalidate();
    if (targetTree != this && targetTree->HasWindow())
      targetTree->Invalidate();
  }
  StructureChange(reported, crNodeMoved);
}
