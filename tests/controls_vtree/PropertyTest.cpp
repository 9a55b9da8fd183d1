// Random sequences of structure operations, each followed by a check of every
// bookkeeping field against a recomputation from the links alone.
#include <chrono>
#include <random>
#include <thread>

#include "TreeTestSupport.h"

#include "controls/vtree/LazyTreeErrors.h"

namespace {

struct TRecount {
  unsigned Count = 0;
  unsigned Height = 0;
};

// Recomputes a subtree and compares each node's stored fields.
TRecount Check(PLazyNode Node, bool IsRoot, unsigned DefaultHeight, std::string& Problem)
{
  TRecount r{1, IsRoot ? DefaultHeight : Node->NodeHeight};
  std::uint32_t index = 0;
  unsigned children = 0;
  PLazyNode prior = nullptr;
  bool anyShown = false;
  for (PLazyNode c = Node->FirstChildNode; c; c = c->FollowingSibling) {
    if (c->ParentNode != Node || c->PriorSibling != prior || c->SiblingIndex != index)
      Problem += "links or index of " + TTreeOwner::Name(c) + "; ";
    TRecount sub = Check(c, false, DefaultHeight, Problem);
    r.Count += sub.Count;
    if ((Node->StateBits & nfExpanded) && (c->StateBits & nfVisible))
      r.Height += sub.Height;
    anyShown |= (c->StateBits & nfVisible) != 0;
    prior = c;
    ++index;
    ++children;
  }
  if (Node->LastChildNode != prior)
    Problem += "last child of " + TTreeOwner::Name(Node) + "; ";
  if (Node->ChildCount != children)
    Problem += "child count of " + TTreeOwner::Name(Node) + "; ";
  if (Node->SubtreeCount != r.Count)
    Problem += "subtree count of " + TTreeOwner::Name(Node) + "; ";
  if (Node->SubtreeHeight != r.Height)
    Problem += "subtree height of " + TTreeOwner::Name(Node) + " " + std::to_string(Node->SubtreeHeight) + " vs " +
               std::to_string(r.Height) + "; ";
  if (!IsRoot && children && ((Node->StateBits & nfChildrenHidden) != 0) == anyShown)
    Problem += "hidden-children flag of " + TTreeOwner::Name(Node) + "; ";
  return r;
}

class PropertyTest : public TreeFixture, public ::testing::WithParamInterface<bool> {
protected:
  std::vector<PLazyNode> AllNodes()
  {
    std::vector<PLazyNode> nodes;
    for (PLazyNode n = Tree->FirstTopLevelNodeRaw(); n; n = Tree->NextNodeRaw(n))
      nodes.push_back(n);
    return nodes;
  }

  // Display order by hand: shown rows with their tops.
  std::vector<std::pair<PLazyNode, int>> Rows()
  {
    std::vector<std::pair<PLazyNode, int>> rows;
    int top = 0;
    std::function<void(PLazyNode)> walk = [&](PLazyNode parent) {
      for (PLazyNode c = parent->FirstChildNode; c; c = c->FollowingSibling) {
        if (!(c->StateBits & nfVisible))
          continue;
        rows.push_back({c, top});
        top += c->NodeHeight;
        if (c->StateBits & nfExpanded)
          walk(c);
      }
    };
    walk(Tree->HiddenRoot());
    return rows;
  }

  void Verify(std::mt19937& random, const std::string& step)
  {
    std::string problem;
    Check(Tree->HiddenRoot(), true, Tree->DefaultNodeHeight(), problem);
    auto rows = Rows();
    if (Tree->VisibleNodeCount() != rows.size())
      problem += "visible count " + std::to_string(Tree->VisibleNodeCount()) + " vs " + std::to_string(rows.size());
    ASSERT_EQ(problem, "") << "after " << step;
    // Positions both ways, at the start and end of rows and at random points.
    for (int i = 0; i < 20 && !rows.empty(); ++i) {
      auto& row = rows[std::uniform_int_distribution<std::size_t>(0, rows.size() - 1)(random)];
      int y = row.second + int(random() % row.first->NodeHeight);
      int top = -1;
      ASSERT_EQ(Tree->NodeAtOffset(y, false, &top), row.first) << "after " << step << " at y " << y;
      ASSERT_EQ(top, row.second);
      ASSERT_EQ(Tree->NodeDisplayRect(row.first, NoColumn, false).Top, row.second) << "after " << step;
    }
    int end = 0;
    if (!rows.empty())
      end = rows.back().second + rows.back().first->NodeHeight;
    ASSERT_EQ(Tree->NodeAtOffset(end, false), nullptr);
  }
};

}  // namespace

TEST_P(PropertyTest, EveryInvariantHoldsAfterRandomOperations)
{
  const bool large = GetParam();
  std::mt19937 random(large ? 4242 : 17);
  Tree->SetNodeChildCount(nullptr, large ? 2600 : 12);
  for (int i = 0; i < 6; ++i) {
    Tree->SetNodeChildCount(Tree->HiddenRoot()->FirstChildNode, 3);
    Tree->SetExpanded(Tree->HiddenRoot()->FirstChildNode, true);
  }
  const int steps = large ? 250 : 600;
  bool sawCache = false;
  for (int step = 0; step < steps; ++step) {
    auto nodes = AllNodes();
    if (nodes.empty()) {
      Tree->SetNodeChildCount(nullptr, 5);
      nodes = AllNodes();
    }
    auto pick = [&] { return nodes[std::uniform_int_distribution<std::size_t>(0, nodes.size() - 1)(random)]; };
    PLazyNode node = pick();
    std::string name;
    switch (random() % 9) {
      case 0:
        name = "count";
        if (nodes.size() < (large ? 3500u : 300u))
          Tree->SetNodeChildCount(node, Cardinal(random() % 5));
        break;
      case 1:
        name = "remove";
        if (nodes.size() > 3)
          Tree->RemoveNode(node, true);
        break;
      case 2: {
        name = "move";
        PLazyNode target = pick();
        auto mode = TLTNodeAttachMode(1 + random() % 4);
        bool childrenOnly = random() % 3 == 0;
        try {
          Tree->MoveNodeTo(node, target, mode, childrenOnly);
        } catch (const ELazyTreeError& e) {
          ASSERT_EQ(e.HelpContext(), hcTFWrongMoveError);
          ASSERT_TRUE(Tree->HasAncestor(target, node));
        }
        break;
      }
      case 3:
      case 4:
        name = "toggle";
        Tree->ToggleExpansion(node);
        break;
      case 5:
        name = "height";
        Tree->SetNodeHeight(node, int(random() % 50) - 5);
        break;
      case 6:
        name = "visibility";
        Tree->SetNodeVisible(node, random() % 3 != 0);
        break;
      case 7: {
        name = "bracket";
        Tree->BeginUpdate();
        Tree->SetNodeChildCount(node, Cardinal(random() % 3));
        nodes = AllNodes();  // the count may have freed nodes
        if (!nodes.empty())
          Tree->ToggleExpansion(pick());
        Tree->EndUpdate();
        break;
      }
      default:
        name = "sort";
        Tree->SortChildren(node->ParentNode, NoColumn, sdDescending, false);
        break;
    }
    if (large && step % 25 == 0) {
      // Let the worker finish, so that lookups run through the cache too.
      for (int wait = 0; wait < 400 && Tree->VisibleNodeCount() > 2000 && !Tree->UseCache(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      sawCache |= Tree->UseCache();
    }
    Verify(random, name + " at step " + std::to_string(step));
    if (HasFatalFailure())
      return;
  }
  if (large) {
    EXPECT_TRUE(sawCache) << "the position cache was never in use";
  }
}

INSTANTIATE_TEST_SUITE_P(SmallAndCached, PropertyTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WithCacheAndWorker" : "WithoutCache"; });
