// Walks over linked nodes that need no tree: shown siblings and the display
// order. The position cache's worker thread uses these too, so they read only
// links, StateBits and heights.
#pragma once

#include "controls/vtree/LazyTreeTypes.h"

namespace lt {

// The hidden root is the one node whose sibling links point to itself.
inline bool IsHiddenRoot(const TLazyNode* Node) { return Node->FollowingSibling == Node; }

inline PLazyNode NextShownSibling(PLazyNode Node)
{
  if (IsHiddenRoot(Node))
    return nullptr;
  PLazyNode n = Node->FollowingSibling;
  while (n && !(n->StateBits & nfVisible))
    n = n->FollowingSibling;
  return n;
}

inline PLazyNode PriorShownSibling(PLazyNode Node)
{
  if (IsHiddenRoot(Node))
    return nullptr;
  PLazyNode n = Node->PriorSibling;
  while (n && !(n->StateBits & nfVisible))
    n = n->PriorSibling;
  return n;
}

inline PLazyNode FirstShownChild(PLazyNode Node)
{
  PLazyNode n = Node->FirstChildNode;
  while (n && !(n->StateBits & nfVisible))
    n = n->FollowingSibling;
  return n;
}

inline PLazyNode LastShownChild(PLazyNode Node)
{
  PLazyNode n = Node->LastChildNode;
  while (n && !(n->StateBits & nfVisible))
    n = n->PriorSibling;
  return n;
}

// The next node in display order after a shown node, staying inside the
// subtree of Stop (the hidden root for the whole tree); nil at its end.
inline PLazyNode NextShownWithin(PLazyNode Node, PLazyNode Stop)
{
  if (Node->StateBits & nfExpanded)
    if (PLazyNode child = FirstShownChild(Node))
      return child;
  while (Node != Stop && !IsHiddenRoot(Node)) {
    if (PLazyNode s = NextShownSibling(Node))
      return s;
    Node = Node->ParentNode;
  }
  return nullptr;
}

// Shown descendants of a node: children with nfVisible, with their own shown
// descendants when expanded; 0 for a collapsed node.
inline unsigned CountShownDescendants(PLazyNode Node)
{
  if (!(Node->StateBits & nfExpanded))
    return 0;
  unsigned count = 0;
  PLazyNode n = FirstShownChild(Node);
  while (n) {
    ++count;
    n = NextShownWithin(n, Node);
  }
  return count;
}

}  // namespace lt
