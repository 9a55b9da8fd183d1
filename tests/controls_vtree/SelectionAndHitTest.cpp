#include "TreeTestSupport.h"

#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/SharedResources.h"
#include "platform/classes/graphics/CustomImageList.h"

namespace {

// A tree whose every node is 40 pixels of text wide and shows state image 0.
class TWideTextTree : public TBaseLazyTree {
public:
  using TBaseLazyTree::TBaseLazyTree;
  int DoGetNodeWidth(PLazyNode, TColumnIndex, TCanvas*) override { return 40; }
  int DoGetImageIndex(PLazyNode, TLTImageKind Kind, TColumnIndex, bool& Ghosted) override
  {
    Ghosted = false;
    return Kind == ikState ? 0 : -1;
  }
};

using SelectionTest = TreeFixture;

std::string Positions(const TLTHitPositions& P)
{
  static const char* names[] = {"Above", "Below", "Nowhere", "OnItem", "OnButton", "OnCheckBox", "?", "OnLabel",
                                "LeftOfLabel", "RightOfLabel", "OnNormalIcon", "OnStateIcon", "ToLeft", "ToRight"};
  std::string out;
  for (int i = 0; i <= hpToRight; ++i)
    if (P.Contains(TLTHitPosition(i)))
      out += std::string(out.empty() ? "" : " ") + names[i];
  return out;
}

}  // namespace

TEST_F(SelectionTest, ASecondNodeReplacesTheFirstWithoutMultiSelect)
{
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->SetNodeSelected(At("0"), true);
  Owner.Clear();
  Tree->SetNodeSelected(At("1"), true);
  EXPECT_EQ(Owner.Journal, (std::vector<std::string>{"change -", "change 1"}));
  EXPECT_FALSE(At("0")->Has(nfSelected));
  EXPECT_EQ(Tree->FirstSelectedNode(), At("1"));
  EXPECT_EQ(Tree->SelectedCount(), 1u);
}

TEST_F(SelectionTest, SelectingAllTakesShownNodesOrEveryNode)
{
  Tree->TreeOptions()->SetSelectionOptions({toMultiSelect});
  Tree->SetNodeChildCount(nullptr, 3);
  Tree->SetNodeChildCount(At("1"), 4);
  Tree->SelectAllNodes(true);
  EXPECT_EQ(Tree->SelectedCount(), 3u);
  Tree->ClearSelection();
  int before = Owner.InitCount;
  Tree->SelectAllNodes(false);
  EXPECT_EQ(Tree->SelectedCount(), 7u);
  EXPECT_EQ(Owner.InitCount - before, 4) << "the collapsed children are initialised on the way";
  auto resolved = Tree->SortedSelection(true);
  EXPECT_EQ(resolved.size(), 3u) << "a selected parent stands for its selected children";
  EXPECT_EQ(Tree->SortedSelection(false).size(), 7u);
}

TEST_F(SelectionTest, ShiftClickWithoutAnAnchorStartsAtTheFirstNode)
{
  Tree->TreeOptions()->SetSelectionOptions({toMultiSelect});
  Tree->SetNodeChildCount(nullptr, 5);
  Tree->HandleClickSelection(nullptr, At("2"), 0x01, false);
  EXPECT_EQ(Tree->SelectedCount(), 3u);
  EXPECT_TRUE(At("0")->Has(nfSelected));
  EXPECT_FALSE(At("3")->Has(nfSelected));
  // Ctrl toggles one node.
  Tree->HandleClickSelection(nullptr, At("1"), 0x04, false);
  EXPECT_FALSE(At("1")->Has(nfSelected));
}

TEST_F(SelectionTest, CompactingDropsMarkedEntries)
{
  alignas(8) static TLazyNode a, b, c, d;
  auto mark = [](TLazyNode* n) { return reinterpret_cast<PLazyNode>(reinterpret_cast<std::uintptr_t>(n) | 1); };
  std::vector<PLazyNode> v = {&a, mark(&b), mark(&c), &d};
  EXPECT_EQ(TBaseLazyTree::CompactSelection(v, 4), 2);
  EXPECT_EQ(v, (std::vector<PLazyNode>{&a, &d}));
  std::vector<PLazyNode> none;
  EXPECT_EQ(TBaseLazyTree::CompactSelection(none, 0), -1);
}

TEST_F(SelectionTest, TheBandSelectsAndReleasesWhatItCrosses)
{
  Tree->TreeOptions()->SetSelectionOptions({toMultiSelect, toSimpleDrawSelection});
  Tree->SetNodeChildCount(nullptr, 4);
  Tree->ChangeStates({tsDrawSelecting}, {});
  Tree->SetBand(TRect(5, 2, 5, 2), TRect(5, 2, 50, 40), false);  // from a point over rows 0 to 2
  EXPECT_TRUE(Tree->HandleBandSelection());
  EXPECT_EQ(Tree->SelectedCount(), 3u);
  Tree->SetBand(TRect(5, 2, 50, 40), TRect(5, 2, 50, 10), false);  // back to row 0
  EXPECT_TRUE(Tree->HandleBandSelection());
  EXPECT_EQ(Tree->SelectedCount(), 1u);
  // With Ctrl every crossing flips the node.
  Tree->SetBand(TRect(5, 2, 50, 10), TRect(5, 2, 50, 25), true);
  Tree->HandleBandSelection();
  EXPECT_TRUE(At("1")->Has(nfSelected));
  Tree->SetBand(TRect(5, 2, 50, 25), TRect(5, 2, 50, 10), true);
  Tree->HandleBandSelection();
  EXPECT_FALSE(At("1")->Has(nfSelected));
  Tree->ChangeStates({}, {tsDrawSelecting});
}

TEST_F(SelectionTest, HitPositionsLeftToRightAndRightToLeft)
{
  TWideTextTree tree(nullptr);
  TCustomImageList states(nullptr, 16, 16);
  tree.SetStateImages(&states);
  tree.SetNodeChildCount(nullptr, 1);
  tree.SetNodeChildCount(tree.HiddenRoot()->FirstChildNode, 2);
  tree.SetExpanded(tree.HiddenRoot()->FirstChildNode, true);
  PLazyNode parent = tree.HiddenRoot()->FirstChildNode->LastChildNode;  // level 1, row 2
  tree.SetNodeChildCount(parent, 1);
  PLazyNode leaf = tree.HiddenRoot()->FirstChildNode->FirstChildNode;  // level 1, row 1
  struct TCase {
    bool RightToLeft;
    PLazyNode Node;
    int X;
    const char* Expected;
    TAlignment Alignment = taLeftJustify;
  } cases[] = {
      {false, parent, -1, "ToLeft"},
      {false, parent, 0, "OnItem"},
      {false, parent, 17, "OnItem"},
      {false, parent, 18, "OnItem OnButton"},
      {false, parent, 35, "OnItem OnButton"},
      {false, leaf, 20, "OnItem"},
      {false, parent, 36, "OnItem"},  // the margin is no check box without one
      {false, parent, 39, "OnItem"},
      {false, parent, 40, "OnItem OnStateIcon"},
      {false, parent, 57, "OnItem OnStateIcon"},
      {false, parent, 58, "OnItem OnLabel"},
      {false, parent, 97, "OnItem OnLabel"},
      {false, parent, 98, "OnItem RightOfLabel"},
      {true, parent, 170, "OnItem OnButton"},
      {true, parent, 162, "OnItem"},
      {true, parent, 150, "OnItem OnStateIcon"},
      {true, parent, 120, "OnItem OnLabel"},
      {true, parent, 60, "OnItem LeftOfLabel"},
      // Centred in a cell of odd width: the label starts at (58 + 201 - 40) div 2
      // = 109 (truncated), mirrored at (143 - 40) div 2 = 51.
      {false, parent, 108, "OnItem LeftOfLabel", taCenter},
      {false, parent, 109, "OnItem OnLabel", taCenter},
      {false, parent, 148, "OnItem OnLabel", taCenter},
      {false, parent, 149, "OnItem RightOfLabel", taCenter},
      {true, parent, 50, "OnItem LeftOfLabel", taCenter},
      {true, parent, 51, "OnItem OnLabel", taCenter},
      {true, parent, 90, "OnItem OnLabel", taCenter},
      {true, parent, 91, "OnItem RightOfLabel", taCenter},
  };
  tree.SetBounds(0, 0, 201, 100);
  for (const TCase& c : cases) {
    tree.SetBiDiMode(c.RightToLeft ? bdRightToLeft : bdLeftToRight);
    tree.SetAlignment(c.Alignment);
    int y = tree.NodeDisplayRect(c.Node, NoColumn, false).Top + 5;
    TLTHitInfo hit;
    tree.HitTestAt(c.X, y, true, hit);
    EXPECT_EQ(Positions(hit.HitPositions), c.Expected) << (c.RightToLeft ? "rtl " : "") << c.X;
    EXPECT_EQ(hit.HitNode, c.X < 0 ? nullptr : c.Node);
  }
  // A node that shows a check box owns the margin and the image.
  tree.TreeOptions()->SetMiscOptions(tree.TreeOptions()->MiscOptions() + toCheckSupport);
  parent->CheckKind = ctCheckBox;
  tree.SetBiDiMode(bdLeftToRight);
  TLTHitInfo hit;
  tree.HitTestAt(50, tree.NodeDisplayRect(parent, NoColumn, false).Top + 5, true, hit);
  EXPECT_EQ(Positions(hit.HitPositions), "OnItem OnCheckBox");
  tree.HitTestAt(10, 80, true, hit);
  EXPECT_EQ(Positions(hit.HitPositions), "Nowhere") << "below the rows, inside the client area";
  tree.HitTestAt(10, -3, true, hit);
  EXPECT_EQ(Positions(hit.HitPositions), "Above");

  // In report mode a column other than the main one is only the item: its
  // state image is no target there.
  tree.Header().Columns().Add()->SetWidth(120);
  tree.Header().Columns().Add()->SetWidth(81);
  int y = tree.NodeDisplayRect(parent, NoColumn, false).Top + 5;
  tree.HitTestAt(130, y, true, hit);
  EXPECT_EQ(Positions(hit.HitPositions), "OnItem OnStateIcon");
  EXPECT_EQ(hit.HitColumn, 1);
  tree.TreeOptions()->SetMiscOptions(tree.TreeOptions()->MiscOptions() + toReportMode);
  for (int x : {121, 130, 160, 200}) {
    tree.HitTestAt(x, y, true, hit);
    EXPECT_EQ(Positions(hit.HitPositions), "OnItem") << x;
    EXPECT_EQ(hit.HitNode, parent);
  }
  tree.HitTestAt(40, y, true, hit);
  EXPECT_EQ(Positions(hit.HitPositions), "OnItem OnCheckBox") << "the main column keeps its parts";
}
