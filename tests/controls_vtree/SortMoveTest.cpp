#include "TreeTestSupport.h"

#include "controls/vtree/LazyTreeErrors.h"

namespace {

// Compares nodes by a key kept per node; equal keys keep their order.
struct TKeys {
  std::map<PLazyNode, int> Key;
  void Compare(TBaseLazyTree*, PLazyNode A, PLazyNode B, TColumnIndex, int& Result) { Result = Key[A] - Key[B]; }
};

class SortMoveTest : public TreeFixture {
protected:
  // Children of a node as the names the test gave them.
  std::vector<std::string> Labels(PLazyNode Parent)
  {
    std::vector<std::string> out;
    for (PLazyNode n = Parent->FirstChildNode; n; n = n->FollowingSibling)
      out.push_back(Label.count(n) ? Label[n] : "?");
    return out;
  }
  std::map<PLazyNode, std::string> Label;
};

}  // namespace

TEST_F(SortMoveTest, SortingIsStableInBothDirections)
{
  TKeys keys;
  Tree->OnCompareNodes = TLTCompareEvent(&keys, &TKeys::Compare);
  Tree->SetNodeChildCount(nullptr, 4);
  const char* names[] = {"3", "1", "2", "1'"};
  int values[] = {3, 1, 2, 1};
  for (int i = 0; i < 4; ++i) {
    Label[At(std::to_string(i))] = names[i];
    keys.Key[At(std::to_string(i))] = values[i];
  }
  Tree->SortChildren(nullptr, NoColumn, sdAscending);
  EXPECT_EQ(Labels(Tree->HiddenRoot()), (std::vector<std::string>{"1", "1'", "2", "3"}));
  std::uint32_t index = 0;
  PLazyNode prior = nullptr;
  for (PLazyNode n = Tree->FirstTopLevelNodeRaw(); n; prior = n, n = n->FollowingSibling) {
    EXPECT_EQ(n->SiblingIndex, index++);
    EXPECT_EQ(n->PriorSibling, prior);
  }
  EXPECT_EQ(Tree->HiddenRoot()->LastChildNode, prior);
  Tree->SortChildren(nullptr, NoColumn, sdDescending);
  EXPECT_EQ(Labels(Tree->HiddenRoot()), (std::vector<std::string>{"3", "2", "1", "1'"}));
}

TEST_F(SortMoveTest, MovingANodeBelowItselfFailsAndChangesNothing)
{
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->SetNodeChildCount(At("0"), 2);
  PLazyNode source = At("0"), target = At("0.1");
  try {
    Tree->MoveNodeTo(source, target, amAddChildLast, false);
    FAIL() << "no error";
  } catch (const ELazyTreeError& e) {
    EXPECT_EQ(e.HelpContext(), hcTFWrongMoveError);
  }
  EXPECT_EQ(At("0.1"), target);
  EXPECT_EQ(Tree->HiddenRoot()->SubtreeCount, 5u);
}

// Children moved with ChildrenOnly keep their order, whatever the mode and
// whether they move within the tree or into another one.
TEST_F(SortMoveTest, MovedChildrenKeepTheirOrderInEveryPath)
{
  for (TLTNodeAttachMode mode : {amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast}) {
    for (bool otherTree : {false, true}) {
      SCOPED_TRACE(std::to_string(int(mode)) + (otherTree ? " other tree" : " same tree"));
      TBaseLazyTree* source = NewTree();
      TBaseLazyTree* target = otherTree ? NewTree() : source;
      source->SetNodeChildCount(nullptr, 1);
      source->SetNodeChildCount(At("0", source), 3);
      int h = 20;
      for (PLazyNode c = At("0", source)->FirstChildNode; c; c = c->FollowingSibling)
        source->SetNodeHeight(c, h++);  // heights tell the children apart, also after a copy
      PLazyNode anchorParent;
      if (otherTree) {
        target->SetNodeChildCount(nullptr, 1);
        target->SetNodeChildCount(At("0", target), 2);
        anchorParent = At("0", target);
      } else {
        source->SetNodeChildCount(nullptr, 2);
        source->SetNodeChildCount(At("1", source), 2);
        anchorParent = At("1", source);
      }
      PLazyNode anchor = (mode == amAddChildFirst || mode == amAddChildLast) ? anchorParent
                                                                            : anchorParent->FirstChildNode;
      Owner.Clear();
      source->MoveNodeTo(At("0", source), anchor, mode, true);
      EXPECT_EQ(At("0", source)->ChildCount, 0u);
      EXPECT_EQ(Owner.Count("moved"), 3);
      std::vector<int> heights;
      PLazyNode parent = (mode == amAddChildFirst || mode == amAddChildLast) ? anchor : anchor->ParentNode;
      for (PLazyNode c = parent->FirstChildNode; c; c = c->FollowingSibling)
        if (c->NodeHeight >= 20)
          heights.push_back(c->NodeHeight);
      EXPECT_EQ(heights, (std::vector<int>{20, 21, 22}));
      std::uint32_t index = 0;
      for (PLazyNode c = parent->FirstChildNode; c; c = c->FollowingSibling)
        EXPECT_EQ(c->SiblingIndex, index++);
    }
  }
}

TEST_F(SortMoveTest, AMoveIntoAnotherTreeNeverReportsTheFreedSource)
{
  Owner.CheckFreed = true;
  TBaseLazyTree* other = NewTree();
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->SetNodeChildCount(At("1"), 1);
  other->SetNodeChildCount(nullptr, 1);
  Owner.Clear();
  Tree->MoveNodeTo(At("1.0"), At("0", other), amAddChildLast, false);
  EXPECT_EQ(At("1")->ChildCount, 0u);
  EXPECT_EQ(At("0", other)->ChildCount, 1u);
  EXPECT_EQ(Owner.Journal.back(), "structure 1 6") << "the source's former parent is reported";
}
