// The step loop of the tree's animations on the virtual clock, and the rows
// sliding under a node that is expanded or collapsed: each wait for the next
// step lets the display's idle script run, which looks at the window and
// moves the clock on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "controls/vtree/StepAnimation.h"
#include "platform/base/VirtualClock.h"
#include "TreeTestSupport.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

struct TStepCall {
  int Step, Size;
};

// Runs the loop with every wait moving the clock on by Tick milliseconds.
std::vector<TStepCall> RunWithTicks(THeadlessDisplay* Display, int Steps, unsigned Duration, unsigned Tick)
{
  std::vector<TStepCall> calls;
  Display->SetIdleScript([&] {
    THeadlessDisplay::Advance(Tick);
    return true;
  });
  RunStepAnimation(Steps, Duration, [&](int Step, int Size) {
    calls.push_back({Step, Size});
    return true;
  }, [] { return false; });
  Display->SetIdleScript(nullptr);
  return calls;
}

// Odd rows red, even rows blue, so that rows moved by a step can be told
// from the tree colour filled in behind them.
void ColourRows(TBaseLazyTree*, TCanvas*, PLazyNode Node, TRect, TColor& Color, TItemEraseAction& Action)
{
  Color = Node->SiblingIndex % 2 ? clRed : clBlue;
  Action = eaColor;
}

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

}  // namespace

class StepAnimationTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
  }
  THeadlessDisplay* Display = nullptr;
};

TEST_F(StepAnimationTest, OnTimeEveryStepRunsOnceThenTheFinalCall)
{
  ULONGLONG start = GetTickCount64();
  auto calls = RunWithTicks(Display, 255, 400, 1);
  ASSERT_EQ(calls.size(), 256u);
  for (int i = 0; i < 255; ++i) {
    EXPECT_EQ(calls[std::size_t(i)].Step, i);
    EXPECT_EQ(calls[std::size_t(i)].Size, 1);
  }
  EXPECT_EQ(calls.back().Step, 0);
  EXPECT_EQ(calls.back().Size, 0);
  EXPECT_EQ(GetTickCount64() - start, 400u) << "on time, the last step takes what is left";
}

TEST_F(StepAnimationTest, ALateClockGrowsTheStepsAndKeepsToTheDuration)
{
  ULONGLONG start = GetTickCount64();
  auto calls = RunWithTicks(Display, 255, 400, 5);
  ASSERT_GE(calls.size(), 2u);
  int covered = 0, lastSize = 1;
  for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
    EXPECT_GE(calls[i].Size, lastSize) << "step " << i;
    EXPECT_EQ(calls[i].Step, covered) << "each step starts where the one before ended";
    lastSize = calls[i].Size;
    covered += calls[i].Size;
  }
  EXPECT_GT(lastSize, 1) << "the steps never grew";
  EXPECT_LE(covered, 255);
  EXPECT_LE(GetTickCount64() - start, 400u);
  EXPECT_EQ(calls.back().Size, 0);
}

TEST_F(StepAnimationTest, ManyStepsInLittleTimeStartWithBiggerSteps)
{
  // 5 steps a millisecond: steps of 5, 100 of them.
  auto calls = RunWithTicks(Display, 500, 100, 1);
  ASSERT_EQ(calls.size(), 101u);
  EXPECT_EQ(calls[0].Size, 5);
  EXPECT_EQ(calls[1].Step, 5);
}

TEST_F(StepAnimationTest, NoDurationOrAStalledClockEndsWithoutHanging)
{
  EXPECT_TRUE(RunWithTicks(Display, 10, 0, 1).empty());
  // Nobody moves the virtual clock: the loop gives up after its real-time
  // limit and still makes the final call.
  auto calls = RunWithTicks(Display, 10, 100, 0);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls.back().Size, 0);
}

class ToggleAnimationTest : public TreeFixture {
protected:
  void SetUp() override
  {
    TreeFixture::SetUp();
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 400, 300);  // room for the whole tree inside the frame
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 300, 200);
    Tree->SetBorderStyle(bsNone);  // window pixels are client pixels
    Tree->OnBeforeItemErase = &ColourRows;
    Form->Show();
    Tree->SetNodeChildCount(nullptr, 3);
    Tree->SetNodeChildCount(At("0"), 20);
    Tree->SetAnimationDuration(100);
    Application()->ProcessMessages();
  }
  void TearDown() override
  {
    Display->SetIdleScript(nullptr);
    Tree->SetParent(nullptr);
    Trees.clear();
    Form->Free();
    Application()->ProcessMessages();
  }
  std::uint32_t Pixel(int Y) const { return Display->Pixel(Tree->Handle(), 50, Y); }
  // Toggles node 0 with the idle script moving the clock 1 ms at each wait;
  // First runs at the first wait, after the first step has been drawn.
  // Answers the milliseconds waited.
  int Toggle(const std::function<void()>& First)
  {
    int steps = 0;
    Display->SetIdleScript([&] {
      if (steps++ == 0)
        First();
      EXPECT_EQ(Owner.Count("expanded") + Owner.Count("collapsed"), 0) << "the state changed before the slide ended";
      EXPECT_EQ(Owner.Count("change"), 0) << "a message was handled during the animation";
      THeadlessDisplay::Advance(1);
      return true;
    });
    Owner.Clear();
    // A pending change notice: its timer is due during the animation.
    Tree->SetChangeDelay(5);
    Tree->SetNodeSelected(At("2"), true);
    Tree->ToggleExpansion(At("0"));
    Display->SetIdleScript(nullptr);
    return steps;
  }
  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
};

TEST_F(ToggleAnimationTest, ExpandingSlidesTheRowsBelowDownOverTheTreeColour)
{
  const std::uint32_t tree = Pixel(199);
  ASSERT_EQ(Pixel(20), kRed);
  // 183 pixels (client height - row bottom + 1) over 100 ms: 91 steps of 2.
  int waited = Toggle([&] {
    EXPECT_EQ(Pixel(18), tree);
    EXPECT_EQ(Pixel(19), tree);
    EXPECT_EQ(Pixel(20), kRed);
    EXPECT_EQ(Pixel(37), kRed);
    EXPECT_EQ(Pixel(38), kBlue);
  });
  EXPECT_EQ(waited, 100);
  for (int y = 18; y < 200; ++y)
    ASSERT_EQ(Pixel(y), tree) << "row " << y;
  EXPECT_TRUE(At("0")->Has(nfExpanded));
  EXPECT_EQ(Owner.Count("expanded 0"), 1);
  Application()->ProcessMessages();
  EXPECT_EQ(Owner.Count("change"), 1);
  EXPECT_EQ(Pixel(40), kRed) << "child 0.1 painted after the slide";
}

TEST_F(ToggleAnimationTest, CollapsingSlidesTheRowsBelowUpOverTheTreeColour)
{
  Tree->SetAnimationDuration(0);
  Tree->ToggleExpansion(At("0"));
  Tree->SetAnimationDuration(100);
  Application()->ProcessMessages();
  ASSERT_EQ(Pixel(36), kRed);
  std::uint32_t below = 0;
  int waited = Toggle([&] {
    below = Pixel(198);
    EXPECT_EQ(Pixel(34), kRed);
    EXPECT_EQ(Pixel(51), kRed);
    EXPECT_EQ(Pixel(52), kBlue);
  });
  EXPECT_EQ(waited, 100);
  EXPECT_NE(below, kRed);
  EXPECT_NE(below, kBlue);
  for (int y = 18; y < 200; ++y)
    ASSERT_EQ(Pixel(y), below) << "row " << y;
  EXPECT_FALSE(At("0")->Has(nfExpanded));
  EXPECT_EQ(Owner.Count("collapsed 0"), 1);
}

TEST_F(ToggleAnimationTest, NoSlideInsideAnUpdateOrWithoutTheOption)
{
  struct {
    bool Update, Option;
  } cases[] = {{true, true}, {false, false}};
  for (auto c : cases) {
    Tree->SetAnimationDuration(c.Option ? 100 : 0);
    if (c.Update)
      Tree->BeginUpdate();
    int steps = Toggle([] {});
    if (c.Update)
      Tree->EndUpdate();
    EXPECT_EQ(steps, 0) << "update " << c.Update << " option " << c.Option;
    Tree->SetAnimationDuration(0);
    Tree->ToggleExpansion(At("0"));  // back
    Application()->ProcessMessages();
  }
}
