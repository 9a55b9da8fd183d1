// Hints: the animation loop on the virtual clock, the tooltip for cut-off
// text, the final picture of every animation kind, and the desktop clamp.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/LazyTreeHintWindow.h"
#include "controls/vtree/LazyStringTree.h"
#include "platform/base/Utf.h"
#include "platform/base/Clock.h"
#include "platform/classes/Messages.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

// A tree whose nodes all show the same text of a fixed width.
class THintTree : public TBaseLazyTree {
public:
  using TBaseLazyTree::TBaseLazyTree;
  std::string Text = "Jean-Baptiste";
  int TextWidth = 60;
  std::string QueryNodeText(PLazyNode) override { return Text; }
  int DoGetNodeWidth(PLazyNode, TColumnIndex, TCanvas*) override { return TextWidth; }
};

class HintTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 300, 200);
    Tree = new THintTree(nullptr);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 300, 200);
    Tree->SetShowHint(true);
    Tree->SetRootNodeCount(3);
    Form->Show();
    Application()->ProcessMessages();
    Tree->SetFocus();
    Application()->ProcessMessages();
  }
  void TearDown() override
  {
    if (Tree) {
      Tree->SetParent(nullptr);
      delete Tree;
    }
    Form->Free();
    Application()->ProcessMessages();
  }
  PLazyNode First() { return Tree->HiddenRoot()->FirstChildNode; }
  // The tree's answer to the hint request at a client point (0 shows).
  LRESULT RequestHint(TPoint P, THintInfo& Info)
  {
    Info.CursorPos = P;
    return Tree->Perform(CM_HINTSHOW, 0, LPARAM(&Info));
  }

  TCustomForm* Form = nullptr;
  THintTree* Tree = nullptr;
};

TEST_F(HintTest, AnimationSpreadsTheStepsOverTheDurationAndEndsWithAFinalCall)
{
  std::vector<std::pair<int, int>> calls;
  ULONGLONG start = GetTickCount64();
  Tree->Animate(255, 400, [&](int step, int size) {
    calls.emplace_back(step, size);
    return true;
  });
  ASSERT_GE(calls.size(), 200u);
  EXPECT_EQ(calls.front(), std::make_pair(0, 1));
  EXPECT_EQ(calls.back(), std::make_pair(0, 0));
  for (std::size_t i = 1; i + 1 < calls.size(); ++i)
    EXPECT_GT(calls[i].first, calls[i - 1].first);
  EXPECT_LE(GetTickCount64() - start, 401u);
  EXPECT_GE(GetTickCount64() - start, 390u);
  EXPECT_FALSE(Tree->TreeStates().Contains(tsInAnimation));
}

TEST_F(HintTest, NoAnimationForZeroDurationOrWhileOneRuns)
{
  int calls = 0;
  Tree->Animate(10, 0, [&](int, int) { return ++calls, true; });
  EXPECT_EQ(calls, 0);
  Tree->Animate(10, 100, [&](int, int) {
    Tree->Animate(10, 100, [&](int, int) { return ++calls, true; });
    return false;
  });
  EXPECT_EQ(calls, 0);
}

TEST_F(HintTest, AnimationStateIsLeftWhenTheStepThrows)
{
  Tree->ChangeStates({tsCancelHintAnimation}, {});
  EXPECT_THROW(Tree->Animate(10, 100, [](int, int) -> bool { throw std::runtime_error("step"); }),
               std::runtime_error);
  EXPECT_FALSE(Tree->TreeStates().Contains(tsInAnimation));
  EXPECT_FALSE(Tree->TreeStates().Contains(tsCancelHintAnimation));
}

TEST_F(HintTest, ATreeDestroyedDuringAnimationIsNotTouchedAgain)
{
  int calls = 0;
  THintTree* tree = Tree;
  tree->Animate(20, 100, [&](int, int) {
    ++calls;
    Tree->SetParent(nullptr);
    delete Tree;
    Tree = nullptr;
    return true;
  });
  EXPECT_EQ(calls, 1);  // no further step and no final call on the freed tree
}

TEST_F(HintTest, TooltipOnlyForCutTextCoveringItWithAFrame)
{
  Tree->SetHintMode(hmTooltip);
  TRect text = Tree->NodeDisplayRect(First(), NoColumn, true);
  TPoint inside((text.Left + text.Right) / 2, (text.Top + text.Bottom) / 2);
  THintInfo info;
  EXPECT_EQ(RequestHint(inside, info), 1);  // the text fits
  EXPECT_FALSE(Tree->TreeStates().Contains(tsHint));

  Tree->TextWidth = 400;
  text = Tree->NodeDisplayRect(First(), NoColumn, true, true);
  ASSERT_GT(text.Right, Tree->ClientWidth());
  THintInfo cut;
  ASSERT_EQ(RequestHint(inside, cut), 0);
  EXPECT_TRUE(Tree->TreeStates().Contains(tsHint));
  EXPECT_EQ(cut.CursorRect, text);
  EXPECT_EQ(cut.HintPos, Tree->ClientToScreen(TPoint(text.Left, text.Top)));
  ASSERT_NE(cut.HintData, nullptr);
  EXPECT_EQ(Tree->HintValidRect(), text);
  // Within the valid rectangle no new hint is asked for.
  THintInfo again;
  EXPECT_EQ(RequestHint(TPoint(inside.x + 1, inside.y), again), 1);

  int pause = 500;
  Tree->Perform(CM_HINTSHOWPAUSE, 0, LPARAM(&pause));
  EXPECT_EQ(pause, 0);

  TLazyTreeHintWindow window(nullptr);
  TRect r = window.CalcHintRect(300, " ", cut.HintData);
  EXPECT_EQ(r, TRect(-1, -1, text.Width() + 1, text.Height() + 1));
  EXPECT_EQ(window.HintData().HintText, "Jean-Baptiste");
}

// Every animation kind leaves the whole hint on the window: a fade ends
// fully opaque, not at 254/255 or blank.
TEST_F(HintTest, EveryAnimationEndsWithTheWholeHint)
{
  for (THintAnimationType kind : {hatNone, hatFade, hatSlide}) {
    SCOPED_TRACE(kind);
    Tree->SetHintAnimation(kind);
    Tree->SetHintMode(hmHint);
    Tree->HintData().Tree = Tree;
    Tree->HintData().Node = nullptr;
    Tree->HintData().DefaultHint = "Absent";
    TLazyTreeHintWindow window(nullptr);
    TRect r = window.CalcHintRect(200, " ", &Tree->HintData());
    ASSERT_FALSE(IsRectEmpty(&r));
    OffsetRect(&r, 50, 50);
    window.ActivateHint(r, " ");
    Application()->ProcessMessages();
    HDC dc = GetDC(window.Handle());
    EXPECT_EQ(GetPixel(dc, 1, 1), ColorToRGB(clInfoBk));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));  // the frame
    EXPECT_EQ(GetPixel(dc, r.Width() - 2, r.Height() - 2), ColorToRGB(clInfoBk));
    ReleaseDC(window.Handle(), dc);
    EXPECT_FALSE(Tree->TreeStates().Contains(tsInAnimation));
  }
}

// The tooltip of a contact's cut-off name, as the screen shows it: the whole
// text on the info colour inside a black frame, over the cut text.
TEST_F(HintTest, TheTooltipOfACutTextLooksLikeItsGolden)
{
  SetBuiltinFontOnly(true);
  Tree->Text = "Jean-Baptiste Poquelin (en ligne depuis le matin)";
  HDC dc = CreateCompatibleDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(Tree->Font());
  Tree->TextWidth = canvas.TextWidth(Tree->Text) + 2 * Tree->TextMargin();  // a node's width holds its margins
  canvas.SetHandle(nullptr);
  DeleteDC(dc);
  Tree->SetHintMode(hmTooltip);
  Tree->SetHintAnimation(hatNone);
  TRect text = Tree->NodeDisplayRect(First(), NoColumn, true, true);
  ASSERT_GT(text.Right, Tree->ClientWidth());
  THintInfo cut;
  ASSERT_EQ(RequestHint(TPoint(text.Left + 10, (text.Top + text.Bottom) / 2), cut), 0);
  TLazyTreeHintWindow window(nullptr);
  TRect r = window.CalcHintRect(Screen()->Width(), " ", cut.HintData);
  OffsetRect(&r, cut.HintPos.x, cut.HintPos.y);
  window.ActivateHint(r, " ");
  Application()->ProcessMessages();
  TRect shown;
  GetWindowRect(window.Handle(), &shown);
  EXPECT_EQ(shown, r);
  TPixelImage picture{shown.Width(), shown.Height(), THeadlessDisplay::Current()->ScreenImage(shown)};
  std::string message;
  EXPECT_TRUE(MatchesGolden(picture, std::string(VTREE_GOLDEN_DIR) + "/hint-tooltip.png", &message)) << message;
  SetBuiltinFontOnly(false);
}

// The owner of a text tree: every node is the same long name; OnGetHint
// records what it was asked and answers a hint of its own.
struct TNameAndHintOwner {
  std::vector<std::string> HintRequests;
  void GetText(TBaseLazyTree*, PLazyNode, TColumnIndex, TLSTTextType, WideString& Text)
  {
    Text = u"Jean-Baptiste Poquelin";
  }
  void GetHint(TBaseLazyTree*, PLazyNode, TColumnIndex Column, TLSTTextType Type, WideString& Text)
  {
    HintRequests.push_back(std::to_string(Column) + (Type == ttNormal ? " normal '" : " static '") +
                           UTF8Encode(Text) + "'");
    Text = u"Dernier message : hier";
  }
};

// The text tree answers the hint window with its cell text for a tooltip and
// with OnGetHint for a node hint; without OnGetHint a node hint has nothing to show.
TEST_F(HintTest, TheTextTreeGivesTooltipsItsCellTextAndNodeHintsOnGetHint)
{
  Tree->SetParent(nullptr);
  TNameAndHintOwner owner;
  auto* strings = new TLazyStringTree(Form);
  strings->SetParent(Form);
  strings->SetBounds(0, 0, 70, 120);
  strings->SetShowHint(true);
  strings->SetHintAnimation(hatNone);
  strings->OnGetText = TLSTGetTextEvent(&owner, &TNameAndHintOwner::GetText);
  strings->SetRootNodeCount(2);
  strings->SetFocus();
  Application()->ProcessMessages();
  PLazyNode node = strings->HiddenRoot()->FirstChildNode;
  TRect text = strings->NodeDisplayRect(node, NoColumn, true);
  THintInfo tip;
  tip.CursorPos = TPoint(text.Left + 5, (text.Top + text.Bottom) / 2);

  strings->SetHintMode(hmTooltip);
  ASSERT_EQ(strings->Perform(CM_HINTSHOW, 0, LPARAM(&tip)), 0) << "the name is cut off in a narrow tree";
  TLazyTreeHintWindow tooltip(nullptr);
  TRect r = tooltip.CalcHintRect(300, " ", tip.HintData);
  EXPECT_EQ(tooltip.HintData().HintText, "Jean-Baptiste Poquelin");
  EXPECT_EQ(r.Width(), strings->NodeDisplayRect(node, NoColumn, true, true).Width() + 2);

  strings->SetHintMode(hmHint);
  strings->ForgetHint();
  THintInfo hint;
  hint.CursorPos = tip.CursorPos;
  ASSERT_EQ(strings->Perform(CM_HINTSHOW, 0, LPARAM(&hint)), 0);
  TLazyTreeHintWindow none(nullptr);
  EXPECT_TRUE(none.CalcHintRect(300, " ", hint.HintData).IsEmpty()) << "no OnGetHint, no node hint";
  strings->OnGetHint = TLSTGetTextEvent(&owner, &TNameAndHintOwner::GetHint);
  TLazyTreeHintWindow window(nullptr);
  EXPECT_FALSE(window.CalcHintRect(300, " ", hint.HintData).IsEmpty());
  EXPECT_EQ(window.HintData().HintText, "Dernier message : hier");
  EXPECT_EQ(owner.HintRequests, std::vector<std::string>{"-1 normal ''"});
}

TEST_F(HintTest, AHintNearTheDesktopEdgesIsMovedInside)
{
  Tree->SetHintAnimation(hatNone);
  Tree->HintData().Tree = Tree;
  Tree->HintData().Node = nullptr;
  TLazyTreeHintWindow window(nullptr);
  TRect desktop = Screen()->DesktopRect();
  window.ActivateHint(TRect(desktop.Right - 20, desktop.Bottom - 5, desktop.Right + 60, desktop.Bottom + 15), " ");
  TRect placed;
  GetWindowRect(window.Handle(), &placed);
  EXPECT_EQ(placed, TRect(desktop.Right - 80, desktop.Bottom - 20, desktop.Right, desktop.Bottom));
}

}  // namespace

// Over the header with hoShowHint, a column's own hint shows below the
// header; a column without a hint, or hoShowHint off, shows none.
TEST_F(HintTest, AColumnHintShowsOverTheHeader)
{
  TLTHeader& header = Tree->Header();
  header.Columns().Add()->SetHint(UTF8Decode("Le nom du contact"));
  header.Columns().Add();
  header.SetOptions(header.Options() + hoVisible);
  Application()->ProcessMessages();
  const TPoint overFirst(20, -header.Height() / 2), overSecond(70, -header.Height() / 2);
  THintInfo off;
  off.HintStr = "x";
  RequestHint(overFirst, off);
  EXPECT_EQ(off.HintData, nullptr) << "no column hint without hoShowHint";

  header.SetOptions(header.Options() + hoShowHint);
  THintInfo info;
  ASSERT_EQ(RequestHint(overFirst, info), 0);
  ASSERT_NE(info.HintData, nullptr);
  const TLTHintData& data = *static_cast<TLTHintData*>(info.HintData);
  EXPECT_EQ(data.Node, nullptr);
  EXPECT_EQ(data.Column, 0);
  EXPECT_EQ(data.DefaultHint, "Le nom du contact");
  EXPECT_EQ(info.CursorRect, TRect(0, -header.Height(), Tree->ClientWidth(), 0));
  EXPECT_GE(info.HintPos.y, Tree->ClientToScreen(TPoint(0, 0)).y);
  TLazyTreeHintWindow window(nullptr);
  EXPECT_FALSE(window.CalcHintRect(300, " ", info.HintData).IsEmpty());

  Tree->ForgetHint();
  THintInfo empty;
  EXPECT_EQ(RequestHint(overSecond, empty), 1);
}
