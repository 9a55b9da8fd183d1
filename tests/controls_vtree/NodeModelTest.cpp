#include "TreeTestSupport.h"

#include "controls/vtree/LazyTreeErrors.h"

using NodeModelTest = TreeFixture;

TEST_F(NodeModelTest, ChildCountOnAnEmptyTreeMakesDenseUninitialisedNodes)
{
  Tree->SetNodeChildCount(nullptr, 3);
  PLazyNode root = Tree->HiddenRoot();
  EXPECT_EQ(root->StateBits, 0x00E1);
  EXPECT_EQ(root->SubtreeCount, 4u);
  EXPECT_EQ(Tree->VisibleNodeCount(), 3u);
  EXPECT_EQ(root->SubtreeHeight, 18u + 3 * 18);
  EXPECT_EQ(Tree->RangeY(), 54);
  std::uint32_t index = 0;
  for (PLazyNode n = root->FirstChildNode; n; n = n->FollowingSibling) {
    EXPECT_EQ(n->SiblingIndex, index++);
    EXPECT_EQ(n->StateBits, nfVisible);
    EXPECT_EQ(n->LineAlignment, 50);
  }
  EXPECT_EQ(Owner.InitCount, 0) << "no event before a node is touched";
}

TEST_F(NodeModelTest, LoweringACountDeletesFromTheEndAndReportsDeletions)
{
  Tree->SetNodeChildCount(nullptr, 5);
  for (PLazyNode n = Tree->FirstTopLevelNode(); n; n = Tree->NextSiblingNode(n)) {
  }
  Owner.Clear();
  PLazyNode kept = At("1");
  Tree->SetNodeChildCount(nullptr, 2);
  EXPECT_EQ(Tree->RootNodeCount(), 2u);
  EXPECT_EQ(At("1"), kept);
  // The last child goes first.
  EXPECT_EQ(Owner.FreedNames, (std::vector<std::string>{"4", "3", "2"}));
  // Each deleted node reports its parent; the count that dropped is reported
  // as a deletion as well, never as an addition.
  EXPECT_EQ(Owner.Journal, (std::vector<std::string>{"structure - 3", "structure - 3", "structure - 3",
                                                      "structure - 3"}));
  EXPECT_EQ(Tree->VisibleNodeCount(), 2u);
  EXPECT_EQ(Tree->HiddenRoot()->SubtreeHeight, 18u * 3);
}

TEST_F(NodeModelTest, LevelsAncestorsAndTreeOrder)
{
  Tree->SetNodeChildCount(nullptr, 6);
  Tree->SetNodeChildCount(At("0"), 2);
  PLazyNode parent = At("0"), child = At("0.1");
  EXPECT_EQ(Tree->NodeLevel(parent), 0u);
  EXPECT_EQ(Tree->NodeLevel(child), 1u);
  EXPECT_EQ(Tree->NodeLevel(nullptr), 0u);
  EXPECT_TRUE(Tree->HasAncestor(child, parent));
  EXPECT_TRUE(Tree->HasAncestor(child, Tree->HiddenRoot()));
  EXPECT_FALSE(Tree->HasAncestor(child, child));
  EXPECT_EQ(Tree->CompareNodePositions(parent, child), -1);
  EXPECT_EQ(Tree->CompareNodePositions(child, parent), 1);
  EXPECT_EQ(Tree->CompareNodePositions(At("2"), At("5")), -3);
  EXPECT_EQ(Tree->CompareNodePositions(child, At("3")), -3);
  EXPECT_THROW(Tree->CompareNodePositions(nullptr, child), EAssertionFailed);
  EXPECT_EQ(TBaseLazyTree::TreeOfNode(child), Tree);
}

TEST_F(NodeModelTest, InitialisationAsksTheOwnerOnceAndCanExpand)
{
  Tree->SetNodeChildCount(nullptr, 1);
  PLazyNode n = At("0");
  Owner.InitStates[n] = {ivsHasChildren, ivsExpanded};
  Owner.ChildCounts[n] = 4;
  EXPECT_EQ(Tree->FirstTopLevelNode(), n);
  EXPECT_EQ(Owner.InitCount, 1);
  EXPECT_TRUE(n->Has(nfExpanded));
  EXPECT_EQ(n->ChildCount, 4u);
  EXPECT_EQ(Owner.InitChildrenCount, 1);
  EXPECT_EQ(Tree->VisibleNodeCount(), 5u);
  Tree->FirstTopLevelNode();
  EXPECT_EQ(Owner.InitCount, 1) << "an initialised node is not asked again";
}

TEST_F(NodeModelTest, HiddenNodesTakeNoRoomAndAreSkipped)
{
  Tree->SetNodeChildCount(nullptr, 3);
  PLazyNode middle = At("1");
  Tree->SetNodeChildCount(middle, 2);
  Tree->SetExpanded(middle, true);
  ASSERT_EQ(Tree->VisibleNodeCount(), 5u);
  Tree->SetNodeVisible(middle, false);
  EXPECT_EQ(Tree->VisibleNodeCount(), 2u);
  EXPECT_EQ(Tree->RangeY(), 36);
  EXPECT_EQ(Tree->NextVisibleNodeRaw(At("0")), At("2"));
  EXPECT_EQ(Tree->NextVisibleNode(At("0")), At("2"));
  EXPECT_EQ(Tree->PreviousVisibleNodeRaw(At("2")), At("0"));
  // A node inside the hidden one continues after it.
  EXPECT_EQ(Tree->NextVisibleNodeRaw(At("1.0")), At("2"));
  Tree->SetNodeVisible(middle, true);
  EXPECT_EQ(Tree->VisibleNodeCount(), 5u);
}

TEST_F(NodeModelTest, InternalDataMustBeReservedBeforeTheFirstNode)
{
  std::size_t offset = Tree->ReserveInternalData(6);
  EXPECT_EQ(offset, sizeof(TLazyNode));
  EXPECT_EQ(Tree->ReserveInternalData(4), sizeof(TLazyNode) + 8);
  Tree->SetNodeChildCount(nullptr, 1);
  EXPECT_THROW(Tree->ReserveInternalData(4), EAssertionFailed);
}

TEST_F(NodeModelTest, ReinitialisingTheHiddenRootRefreshesEveryNodeAndKeepsExpansion)
{
  Tree->SetNodeChildCount(nullptr, 2);
  PLazyNode a = At("0");
  Owner.InitStates[a] = {ivsHasChildren};
  Owner.ChildCounts[a] = 3;
  Tree->FirstTopLevelNode();
  Tree->SetExpanded(a, true);
  Tree->NextVisibleNode(a);
  int before = Owner.InitCount;
  Tree->ReinitializeNode(Tree->HiddenRoot(), true);
  EXPECT_EQ(Owner.InitCount - before, 5);
  EXPECT_TRUE(a->Has(nfExpanded));
  EXPECT_EQ(Tree->VisibleNodeCount(), 5u);
}

TEST_F(NodeModelTest, CheckStatesPropagateBetweenTriStateParentsAndTheirBoxes)
{
  Tree->SetNodeChildCount(nullptr, 1);
  PLazyNode parent = At("0");
  Tree->SetNodeChildCount(parent, 2);
  Tree->FirstTopLevelNode();
  parent->CheckKind = ctTriStateCheckBox;
  PLazyNode c0 = At("0.0"), c1 = At("0.1");
  c0->StateBits |= nfInitialized;
  c1->StateBits |= nfInitialized;
  c0->CheckKind = c1->CheckKind = ctCheckBox;
  EXPECT_TRUE(Tree->SetNodeCheckState(c0, csCheckedNormal));
  EXPECT_EQ(parent->NodeCheckState, csMixedNormal);
  Tree->SetNodeCheckState(c1, csCheckedNormal);
  EXPECT_EQ(parent->NodeCheckState, csCheckedNormal);
  // Unchecking the parent unchecks its boxes.
  Tree->SetNodeCheckState(parent, csUncheckedNormal);
  EXPECT_EQ(c0->NodeCheckState, csUncheckedNormal);
  EXPECT_EQ(c1->NodeCheckState, csUncheckedNormal);
  // Radio buttons exclude their siblings.
  c0->CheckKind = c1->CheckKind = ctRadioButton;
  Tree->SetNodeCheckState(c0, csCheckedNormal);
  Tree->SetNodeCheckState(c1, csCheckedNormal);
  EXPECT_EQ(c0->NodeCheckState, csUncheckedNormal);
  EXPECT_EQ(c1->NodeCheckState, csCheckedNormal);
}

TEST_F(NodeModelTest, ReadOnlyBlocksEveryStructureChange)
{
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toReadOnly);
  Tree->SetNodeChildCount(nullptr, 5);
  Tree->RemoveNode(At("0"));
  Tree->ClearTree();
  Tree->SetNodeHeight(At("1"), 40);
  EXPECT_EQ(Tree->RootNodeCount(), 2u);
  EXPECT_EQ(At("1")->NodeHeight, 18);
}

TEST_F(NodeModelTest, DeletingDuringIterationFailsItsAssertion)
{
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->ChangeStates({tsIterating}, {});
  EXPECT_THROW(Tree->RemoveNode(At("0")), EAssertionFailed);
  Tree->ChangeStates({}, {tsIterating});
  EXPECT_EQ(Tree->RootNodeCount(), 2u);
}
