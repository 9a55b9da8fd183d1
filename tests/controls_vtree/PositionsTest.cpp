#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "TreeTestSupport.h"

#include "controls/vtree/PositionCache.h"

namespace {

class PositionsTest : public TreeFixture {
protected:
  bool WaitForCache(TBaseLazyTree* T)
  {
    for (int i = 0; i < 2000; ++i) {
      if (T->UseCache())
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  // Rows of 18 and 30 pixels, a hidden node and a collapsed parent:
  // 0 (18), 1 (30, expanded: 1.0 (18), 1.1 hidden), 2 (18, collapsed with children), 3 (18).
  void BuildFixture(TBaseLazyTree* T, Cardinal Padding = 0)
  {
    T->SetNodeChildCount(nullptr, 4 + Padding);
    T->SetNodeHeight(At("1", T), 30);
    T->SetNodeChildCount(At("1", T), 2);
    T->SetExpanded(At("1", T), true);
    T->SetNodeVisible(At("1.1", T), false);
    T->SetNodeChildCount(At("2", T), 3);
  }
};

}  // namespace

TEST_F(PositionsTest, NodeAtOffsetWithAndWithoutTheCache)
{
  struct TCase {
    int Y;
    const char* Node;
    int Top;
  } cases[] = {{-5, "0", 0}, {0, "0", 0}, {17, "0", 0}, {18, "1", 18}, {47, "1", 18},
               {48, "1.0", 48}, {65, "1.0", 48}, {66, "2", 66}, {84, "3", 84}};
  TBaseLazyTree* cached = NewTree();
  BuildFixture(Tree);
  BuildFixture(cached, 2100);  // the same first rows, followed by enough for a cache
  ASSERT_TRUE(WaitForCache(cached));
  for (TBaseLazyTree* t : {Tree, cached}) {
    for (const TCase& c : cases) {
      int top = -1;
      EXPECT_EQ(TTreeOwner::Name(t->NodeAtOffset(c.Y, false, &top)), c.Node) << c.Y;
      EXPECT_EQ(top, c.Top) << c.Y;
      EXPECT_EQ(t->NodeAtPoint(500, c.Y), t->NodeAtPoint(0, c.Y)) << "X plays no part";
    }
  }
  EXPECT_EQ(Tree->NodeAtOffset(102, false), nullptr) << "below the last row";
}

TEST_F(PositionsTest, TheCacheHoldsOneEntryPerTwoThousandShownNodes)
{
  struct TCase {
    Cardinal Count;
    std::size_t Entries;
  } cases[] = {{2000, 0}, {2001, 2}, {4001, 3}};
  for (const TCase& c : cases) {
    TBaseLazyTree* t = NewTree();
    t->SetNodeChildCount(nullptr, c.Count);
    if (c.Entries == 0) {
      EXPECT_FALSE(t->UseCache());
      continue;
    }
    ASSERT_TRUE(WaitForCache(t));
    const auto& cache = t->PositionCache();
    ASSERT_EQ(cache.size(), c.Entries) << c.Count;
    EXPECT_EQ(cache[0].Node, At("0", t));
    EXPECT_EQ(cache[0].AbsoluteTop, 0u);
    EXPECT_EQ(cache[1].Node, At("2000", t));
    EXPECT_EQ(cache[1].AbsoluteTop, 36000u);
  }
}

TEST_F(PositionsTest, ExpandingANodeWithoutChildrenClearsItsFlag)
{
  Tree->SetNodeChildCount(nullptr, 1);
  PLazyNode n = At("0");
  Owner.InitStates[n] = {ivsHasChildren};
  Tree->FirstTopLevelNode();
  Owner.Clear();
  Tree->ToggleExpansion(n);
  EXPECT_FALSE(n->Has(nfHasChildren));
  EXPECT_FALSE(n->Has(nfExpanded));
  EXPECT_EQ(Owner.Count("expanded"), 0);
}

TEST_F(PositionsTest, CollapsingWithAutoFreeAsksForTheChildrenAgain)
{
  Tree->TreeOptions()->SetAutoOptions(Tree->TreeOptions()->AutoOptions() + toAutoFreeOnCollapse);
  Tree->SetNodeChildCount(nullptr, 1);
  PLazyNode n = At("0");
  Owner.InitStates[n] = {ivsHasChildren};
  Owner.ChildCounts[n] = 3;
  Tree->FirstTopLevelNode();
  Tree->ToggleExpansion(n);
  Tree->NextVisibleNode(n);  // initialises the first child
  EXPECT_EQ(Owner.InitChildrenCount, 1);
  int freed = Owner.FreeCount;
  Tree->ToggleExpansion(n);
  EXPECT_EQ(n->ChildCount, 0u);
  EXPECT_TRUE(n->Has(nfHasChildren));
  EXPECT_EQ(Owner.FreeCount - freed, 1) << "only the initialised child goes through the owner";
  Tree->ToggleExpansion(n);
  EXPECT_EQ(Owner.InitChildrenCount, 2);
  EXPECT_EQ(Tree->VisibleNodeCount(), 4u);
}

TEST_F(PositionsTest, HeightsAreClampedToSixteenBits)
{
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->SetNodeHeight(At("0"), -40);
  EXPECT_EQ(At("0")->NodeHeight, 1);
  Tree->SetNodeHeight(At("1"), 70000);
  EXPECT_EQ(At("1")->NodeHeight, 65535);
  EXPECT_EQ(Tree->RangeY(), 1 + 65535);
}

TEST_F(PositionsTest, BringingANodeIntoViewExpandsItsParents)
{
  Tree->SetBounds(0, 0, 200, 100);
  Tree->SetNodeChildCount(nullptr, 10);
  Tree->SetNodeChildCount(At("8"), 2);
  Tree->SetNodeChildCount(At("8.1"), 2);
  PLazyNode target = At("8.1.1");
  EXPECT_TRUE(Tree->BringNodeIntoView(target, false, false));
  EXPECT_TRUE(At("8")->Has(nfExpanded));
  EXPECT_TRUE(At("8.1")->Has(nfExpanded));
  TRect r = Tree->NodeDisplayRect(target, NoColumn, false);
  EXPECT_EQ(r.Bottom, 100) << "the row ends at the bottom of the client area";
  EXPECT_TRUE(Tree->BringNodeIntoView(At("0"), true, false));
  r = Tree->NodeDisplayRect(At("0"), NoColumn, false);
  EXPECT_EQ(r.Top, 0) << "no offset past the top";
}

// A rebuild racing with changes: every lookup must equal the walk without
// the cache, and (under the thread sanitizer) nothing may race.
TEST_F(PositionsTest, WorkerStressNeverServesAStaleCache)
{
  TBaseLazyTree* plain = NewTree();
  for (TBaseLazyTree* t : {Tree, plain}) {
    t->SetNodeChildCount(nullptr, 500);
    for (PLazyNode n = t->FirstTopLevelNodeRaw(); n; n = n->FollowingSibling)
      t->SetNodeChildCount(n, 20);
  }
  std::mt19937 random(7);
  for (int step = 0; step < 200; ++step) {
    unsigned index = unsigned(random() % 500);
    std::string path = std::to_string(index);
    int op = int(random() % 4);
    for (TBaseLazyTree* t : {Tree, plain}) {
      PLazyNode n = At(path, t);
      switch (op) {
        case 0:
        case 1: t->ToggleExpansion(n); break;
        case 2: t->SetNodeChildCount(n, Cardinal(10 + step % 15)); break;
        default: t->SetNodeHeight(n, 10 + step % 30); break;
      }
    }
    if (step % 10 == 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    for (int i = 0; i < 20; ++i) {
      int y = int(random() % unsigned(std::max(1, Tree->RangeY())));
      int topA = -1, topB = -2;
      PLazyNode a = Tree->NodeAtOffset(y, false, &topA);
      PLazyNode b = plain->NodeAtOffset(y, false, &topB);
      ASSERT_EQ(TTreeOwner::Name(a), TTreeOwner::Name(b)) << "step " << step << " y " << y;
      ASSERT_EQ(topA, topB);
    }
  }
  EXPECT_TRUE(WaitForCache(Tree));
}

TEST_F(PositionsTest, ATreeDestroyedWhileValidatingWaitsForTheWorker)
{
  for (int i = 0; i < 20; ++i) {
    TBaseLazyTree* t = NewTree();
    t->SetNodeChildCount(nullptr, 200000);
    Trees.pop_back();  // destroyed at once, its rebuild queued or running
  }
  EXPECT_TRUE(TLtWorkerThread::Running());
}

// exit() with a tree still alive (its rebuild under way) stops and joins the
// worker instead of ending the process with an abort.
TEST(PositionsDeathTest, TheProcessEndsCleanlyWithATreeAlive)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        auto* tree = new TBaseLazyTree(nullptr);
        tree->SetNodeChildCount(nullptr, 200000);
        tree->RequestCacheValidation();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}
