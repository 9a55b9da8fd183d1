// A block's box in pixels is a set shared by the blocks with equal values:
// a write changes its own block only, a set goes with its last holder, and
// a conversation's blocks hold a handful of sets however long it grows. The
// box values as the style gave them are shared the same way, a cell's
// sections sit in a list that keeps its first one inside, and a block whose
// layout drops a section lists its content anew.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "ChatDocument.h"
#include "RenderSupport.h"
#include "controls/html/builder/HtmlBuilder.h"
#include "controls/html/document/Block.h"
#include "controls/html/document/BlockBox.h"
#include "controls/html/document/SectionList.h"
#include "controls/html/document/SmallOwnerList.h"
#include "controls/html/styles/BoxValues.h"
#include "platform/base/Exception.h"

namespace {

// A section with nothing to show whose layout fails while Fail is set.
class TFailingSection : public TSectionBase {
public:
  TFailingSection(TSectionList* ADocument, const bool& AFail) : TSectionBase(ADocument), Fail(AFail) {}
  int LayOut(int X, int& Pos, int& MaxWidth, IndentManager& IMgr, int AvailHeight, int Width, int Y) override
  {
    if (Fail)
      throw Exception("no room");
    return TSectionBase::LayOut(X, Pos, MaxWidth, IMgr, AvailHeight, Width, Y);
  }
  const bool& Fail;
};

TMarginArray SampleBox()
{
  TMarginArray M{};
  M[piBackgroundColor] = 0x00FF00;
  M[piMarginTop] = 8;
  M[piMarginBottom] = 12;
  M[piMarginLeft] = IntNull;
  M[piWidth] = Auto;
  M[piBorderTopStyle] = 1;
  M[piLeft] = -40;
  return M;
}

// Every value of the box, by property index.
std::vector<int> ValuesOf(const TBlockBox& Box)
{
  std::vector<int> V;
  for (std::size_t I = FirstBoxProp; I <= LastBoxProp; ++I)
    V.push_back(Box[I]);
  return V;
}

TEST(BlockBoxTest, AWriteChangesItsOwnBlockOnlyAndEqualBoxesShareOneSet)
{
  TBlockBoxPool Pool;
  {
    TBlockBox A(Pool), B(Pool);
    EXPECT_EQ(A.Set(), B.Set());
    EXPECT_EQ(A[piMarginTop], 0);
    const TMarginArray M = SampleBox();
    A.Take(M);
    B.Take(M);
    EXPECT_EQ(A.Set(), B.Set());
    EXPECT_EQ(Pool.Count(), 1u) << "the empty box went with its last holder";
    const std::vector<int> Shared = ValuesOf(B);
    EXPECT_EQ(Shared.front(), 0x00FF00);
    EXPECT_EQ(Shared.back(), -40);

    const struct {
      std::size_t Index;
      int Value;
    } Writes[] = {{piMarginTop, 0}, {piMarginBottom, -3}, {piWidth, 250}, {piBackgroundColor, int(clNone)},
                  {piLeft, IntNull}, {piMarginLeft, Auto}};
    for (const auto& W : Writes) {
      std::vector<int> Expected = ValuesOf(A);
      Expected[W.Index - FirstBoxProp] = W.Value;
      A[W.Index] = W.Value;
      EXPECT_EQ(ValuesOf(A), Expected) << W.Index;
      EXPECT_EQ(ValuesOf(B), Shared) << "the other block keeps its box: " << W.Index;
      EXPECT_NE(A.Set(), B.Set());
      EXPECT_EQ(Pool.Count(), 2u) << "the set A left had no other holder: " << W.Index;
    }
    // Writing B's values back finds B's set again.
    for (std::size_t I = FirstBoxProp; I <= LastBoxProp; ++I)
      A[I] = B[I];
    EXPECT_EQ(A.Set(), B.Set());
    EXPECT_EQ(Pool.Count(), 1u);

    // A chained write gives both the value; a step adds to the value.
    A[piMarginLeft] = A[piMarginRight] = 7;
    A[piMarginLeft] += 5;
    EXPECT_EQ(A[piMarginRight], 7);
    EXPECT_EQ(A[piMarginLeft], 12);
    EXPECT_EQ(B[piMarginLeft], IntNull);
    // A write of the value already there keeps the set.
    const TBlockBoxSet* Before = A.Set();
    A[piMarginRight] = 7;
    EXPECT_EQ(A.Set(), Before);
  }
  EXPECT_EQ(Pool.Count(), 0u) << "the sets went with their blocks";
}

TEST(BlockBoxTest, ABoxOutlivingItsPoolKeepsItsValuesAndTakesWrites)
{
  auto Pool = std::make_unique<TBlockBoxPool>();
  TBlockBox A(*Pool), B(*Pool);
  A.Take(SampleBox());
  B.Take(SampleBox());
  Pool.reset();
  EXPECT_EQ(A[piMarginBottom], 12);
  A[piMarginBottom] = 30;
  EXPECT_EQ(A[piMarginBottom], 30);
  EXPECT_EQ(B[piMarginBottom], 12);
  EXPECT_EQ(B[piLeft], -40);
}

TEST(BlockBoxTest, StyleValuesSharedByBlocksOutliveTheirPoolsClear)
{
  TVMarginArray VM;
  VM[piPaddingLeft] = "2em";
  VM[piWidth] = "50%";
  TBoxValuePool Pool;
  TBoxValues A;
  A.Assign(VM, Pool);
  TBoxValues B = A;
  TBoxValues C;
  C = B;
  Pool.Clear();
  EXPECT_EQ(Pool.Count(), 0u);
  C.Set(piPaddingLeft, TPropValue("1px"));
  const TBoxBases Bases{400, 300, 16, 8, 96};
  TMarginArray MA{}, MB{}, MC{};
  int Autos = 0;
  A.Convert(Bases, MA, Autos);
  B.Convert(Bases, MB, Autos);
  C.Convert(Bases, MC, Autos);
  EXPECT_EQ(MA[piPaddingLeft], 32);
  EXPECT_EQ(MB[piPaddingLeft], 32);
  EXPECT_EQ(MC[piPaddingLeft], 1);
  EXPECT_EQ(MA[piWidth], 200);
  EXPECT_EQ(MC[piWidth], 200);
  const TBoxValues& Same = A;
  A = Same;  // holding the set held already keeps it
  A.Convert(Bases, MA, Autos);
  EXPECT_EQ(MA[piPaddingLeft], 32);
}

TEST(BlockBoxTest, AConversationsBlocksHoldAHandfulOfBoxesAndFreeThemWithTheDocument)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections(ChatDocument(120), *Doc);
  Render(*Doc, 400);
  std::set<const TBlockBoxSet*> Sets;
  std::size_t Blocks = 0;
  for (TBlock* B : BodyBlocks(*Doc)) {
    Sets.insert(B->MargArray.Set());
    ++Blocks;
  }
  ASSERT_GE(Blocks, 240u);
  EXPECT_LE(Sets.size(), 6u);
  EXPECT_LE(Doc->BlockBoxPool.Count(), 8u);
  Doc->Clear();
  EXPECT_EQ(Doc->BlockBoxPool.Count(), 0u);
}

// A section dropped and one added in the same pass leave as many sections as
// were listed: the content is still listed anew, without the dropped one.
TEST(BlockBoxTest, ASectionDroppedByLayoutLeavesTheBlocksPaintList)
{
  auto Doc = MakeDocument();
  ParseHtmlIntoSections("<BODY><DIV><DIV style=\"position:relative; z-index:2\">haut</DIV><DIV>bas</DIV></DIV>", *Doc);
  const auto Outer = BodyBlocks(*Doc);
  ASSERT_EQ(Outer.size(), 1u);
  TBlock& Block = *Outer[0];
  bool Fail = false;
  const bool Never = false;
  Block.MyCell->Sections.push_back(std::make_unique<TFailingSection>(Doc.get(), Fail));
  Render(*Doc, 300);
  ASSERT_EQ(Block.MyCell->Sections.size(), 3u);
  ASSERT_EQ(Block.PaintCount(), 3u);
  EXPECT_EQ(Block.PaintAt(2), Block.MyCell->Sections[0].get()) << "z-index 2 is painted last";

  Block.MyCell->Sections.push_back(std::make_unique<TFailingSection>(Doc.get(), Never));
  Fail = true;
  Render(*Doc, 300);
  EXPECT_EQ(Doc->LayoutFaults, 1);
  ASSERT_EQ(Block.MyCell->Sections.size(), 3u);
  ASSERT_EQ(Block.PaintCount(), 3u);
  std::set<const TSectionBase*> Painted;
  for (std::size_t I = 0; I < Block.PaintCount(); ++I)
    Painted.insert(Block.PaintAt(I));
  std::set<const TSectionBase*> InCell;
  for (const auto& S : Block.MyCell->Sections)
    InCell.insert(S.get());
  EXPECT_EQ(Painted, InCell);
  EXPECT_EQ(Block.PaintAt(2), Block.MyCell->Sections[0].get());
}

TEST(BlockBoxTest, ACellsListGrowsAsAskedFromItsInsideRoomAndErasesInOrder)
{
  const struct {
    int Count;        // objects pushed
    bool GrowByQuarter;  // reserve as a long flow does before each push
    int EraseEvery;   // erase_if takes the values divisible by it (0: none)
  } Cases[] = {{0, true, 2}, {1, true, 0}, {1, false, 1}, {2, true, 2}, {5, true, 2}, {40, true, 3}, {40, false, 1}, {7, false, 0}};
  for (const auto& Case : Cases) {
    TSmallOwnerList<int> List;
    std::vector<int> Expected;
    for (int I = 0; I < Case.Count; ++I) {
      if (Case.GrowByQuarter && List.size() == List.capacity()) {
        List.reserve(List.size() + List.size() / 4 + 1);
        EXPECT_EQ(List.capacity(), Expected.size() + Expected.size() / 4 + 1);
      }
      List.push_back(std::make_unique<int>(I));
      Expected.push_back(I);
    }
    std::vector<int> Backwards;
    for (auto It = List.rbegin(); It != List.rend(); ++It)
      Backwards.push_back(**It);
    EXPECT_EQ(Backwards, std::vector<int>(Expected.rbegin(), Expected.rend())) << Case.Count;
    std::size_t Erased = 0;
    if (Case.EraseEvery) {
      Erased = erase_if(List, [&](const std::unique_ptr<int>& V) { return *V % Case.EraseEvery == 0; });
      std::erase_if(Expected, [&](int V) { return V % Case.EraseEvery == 0; });
    }
    EXPECT_EQ(Erased, std::size_t(Case.Count) - Expected.size());
    std::vector<int> Seen;
    for (const auto& V : List)
      Seen.push_back(*V);
    EXPECT_EQ(Seen, Expected) << Case.Count << " " << Case.EraseEvery;
    List.reserve(1);  // never less room than there is
    EXPECT_GE(List.capacity(), List.size());
  }
}

}  // namespace
