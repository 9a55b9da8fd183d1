#include "TreeTestSupport.h"

#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

using UpdateTest = TreeFixture;

struct TStateLog {
  std::vector<std::pair<TLazyTreeStates, TLazyTreeStates>> Calls;
  void Changed(TBaseLazyTree*, TLazyTreeStates Enter, TLazyTreeStates Leave) { Calls.push_back({Enter, Leave}); }
};

}  // namespace

TEST_F(UpdateTest, NestedBracketsReportBeginOnceAndEndOnce)
{
  for (int i = 0; i < 3; ++i)
    Tree->BeginUpdate();
  for (int i = 0; i < 3; ++i)
    Tree->EndUpdate();
  EXPECT_EQ(Owner.Journal, (std::vector<std::string>{"updating 0", "updating 3", "updating 3", "updating 3",
                                                      "updating 3", "updating 4"}));
  Owner.Clear();
  Tree->EndUpdate();  // without a matching begin
  EXPECT_EQ(Tree->UpdateCount(), 0);
  EXPECT_EQ(Owner.Journal, std::vector<std::string>{"updating 4"});
}

TEST_F(UpdateTest, StructureChangesInsideABracketAccumulate)
{
  struct TCase {
    std::vector<TChangeReason> Reasons;
    const char* Delivered;
  } cases[] = {{{crChildAdded}, "structure 0 2"},
               {{crChildAdded, crChildAdded}, "structure 0 1"},
               {{crChildAdded, crChildDeleted, crChildAdded}, "structure 0 1"}};
  Tree->SetNodeChildCount(nullptr, 1);
  for (const TCase& c : cases) {
    Owner.Clear();
    Tree->BeginUpdate();
    for (TChangeReason r : c.Reasons)
      Tree->StructureChange(At("0"), r);
    EXPECT_EQ(Owner.Count("structure"), 0);
    Tree->EndUpdate();
    EXPECT_EQ(Owner.Count("structure"), 1);
    EXPECT_EQ(Owner.Journal[1], c.Delivered);
  }
}

TEST_F(UpdateTest, ChangeStatesReportsOnlyEffectiveChanges)
{
  TStateLog log;
  Tree->OnStateChange = TLTStateChangeEvent(&log, &TStateLog::Changed);
  Tree->ChangeStates({tsScrolling}, {});
  Tree->ChangeStates({tsScrolling}, {tsEditing});  // nothing effective
  EXPECT_EQ(log.Calls.size(), 1u);
  Tree->ChangeStates({tsHint}, {tsHint});  // named in both: left
  EXPECT_FALSE(Tree->TreeStates().Contains(tsHint));
  EXPECT_EQ(log.Calls.size(), 2u);
  EXPECT_TRUE(log.Calls[1].first.Contains(tsHint));
}

TEST_F(UpdateTest, SettersNormaliseTheirValues)
{
  Tree->SetDefaultNodeHeight(0);
  EXPECT_EQ(Tree->DefaultNodeHeight(), 18u);
  Tree->SetNodeDataSize(-5);
  EXPECT_EQ(Tree->NodeDataSize(), -1);
  Tree->SetAnimationDuration(0);
  EXPECT_FALSE(Tree->TreeOptions()->AnimationOptions().Contains(toAnimatedToggle));
  Tree->SetAnimationDuration(150);
  EXPECT_TRUE(Tree->TreeOptions()->AnimationOptions().Contains(toAnimatedToggle));
}

TEST_F(UpdateTest, AssigningATreeCopiesItsSettingsAndRootCountButNoNodes)
{
  TBaseLazyTree* source = NewTree();
  source->SetIndent(24);
  source->SetDefaultNodeHeight(22);
  source->TreeOptions()->SetSelectionOptions({toMultiSelect});
  source->Colors()->SetColor(TreeLineColor, 0x123456);
  source->SetNodeChildCount(nullptr, 3);
  source->SetNodeChildCount(At("0", source), 2);
  Tree->Assign(source);
  EXPECT_EQ(Tree->Indent(), 24u);
  EXPECT_EQ(Tree->DefaultNodeHeight(), 22u);
  EXPECT_TRUE(Tree->HasSelectionOption(toMultiSelect));
  EXPECT_EQ(Tree->Colors()->Color(TreeLineColor), 0x123456);
  EXPECT_EQ(Tree->RootNodeCount(), 3u);
  EXPECT_EQ(At("0")->ChildCount, 0u);
  EXPECT_EQ(At("0")->NodeHeight, 22);
}

TEST_F(UpdateTest, APendingNoticeNeverNamesAFreedNode)
{
  Owner.CheckFreed = true;
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->SetNodeChildCount(At("1"), 2);
  Owner.Clear();
  Tree->BeginUpdate();
  // Deleting the node reports the deletion of its children for it, then
  // frees it: its parent (the root, nil) takes its place.
  Tree->RemoveNode(At("1"));
  Tree->EndUpdate();
  EXPECT_EQ(Owner.Count("structure -"), 1);
}

class WindowedUpdateTest : public TreeFixture {
protected:
  void SetUp() override
  {
    TreeFixture::SetUp();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 300, 200);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 300, 200);
    Form->Show();
    Application()->ProcessMessages();
  }
  void TearDown() override
  {
    Tree->SetParent(nullptr);
    Trees.clear();
    Form->Free();
    Application()->ProcessMessages();
  }
  void Advance(unsigned ms)
  {
    THeadlessDisplay::Advance(ms);
    Application()->ProcessMessages();
  }
  TCustomForm* Form = nullptr;
};

TEST_F(WindowedUpdateTest, DelayedChangesFireOnceAfterTheLastOne)
{
  ASSERT_TRUE(Tree->HandleAllocated());
  Tree->SetNodeChildCount(nullptr, 3);
  Tree->SetChangeDelay(200);
  Owner.Clear();
  Tree->SetNodeSelected(At("0"), true);
  Advance(100);
  Tree->SetNodeSelected(At("1"), true);
  Advance(150);
  EXPECT_EQ(Owner.Count("change"), 0);
  Advance(60);
  EXPECT_EQ(Owner.Journal, std::vector<std::string>{"change 1"});
}

TEST_F(WindowedUpdateTest, ADelayedStructureNoticeOfAFreedNodeNamesItsParent)
{
  Owner.CheckFreed = true;
  Tree->SetNodeChildCount(nullptr, 2);
  Tree->SetNodeChildCount(At("1"), 2);
  Tree->SetNodeChildCount(At("1.0"), 2);
  Tree->SetChangeDelay(100);
  Owner.Clear();
  Tree->RemoveNode(At("1.0"));
  Advance(150);
  EXPECT_EQ(Owner.Journal, std::vector<std::string>{"structure 1 1"});
}

// The tree's own window: WM_PAINT runs the paint pass over the update
// rectangle, WM_SIZE brings the scroll bars up to date.
TEST_F(WindowedUpdateTest, TheWindowPaintsAndSizesThroughTheEngine)
{
  Tree->SetNodeChildCount(nullptr, 4);
  Tree->SetNodeSelected(At("1"), true);
  Tree->TreeOptions()->SetSelectionOptions({toFullRowSelect});
  Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() + toPopupMode);
  RedrawWindow(Tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Application()->ProcessMessages();
  HDC dc = GetDC(Tree->Handle());
  TPixelImage picture = CaptureDC(dc);
  ReleaseDC(Tree->Handle(), dc);
  ASSERT_GT(picture.Width, 100);
  auto at = [&](int x, int y) { return picture.Pixels[std::size_t(y * picture.Width + x)]; };
  COLORREF h = GetSysColor(COLOR_HIGHLIGHT);
  std::uint32_t highlight = (std::uint32_t(GetRValue(h)) << 16) | (std::uint32_t(GetGValue(h)) << 8) | GetBValue(h);
  EXPECT_EQ(at(100, 18 + 9), highlight) << "the selected second row, full width";
  EXPECT_NE(at(100, 9), highlight);

  // Rows beyond the client height need the vertical bar once the window is sized.
  Tree->SetNodeChildCount(nullptr, 40);
  Tree->SetBounds(0, 0, 300, 100);
  Application()->ProcessMessages();
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Tree->Handle(), SB_VERT, &info));
  EXPECT_EQ(info.nMax, 40 * 18);
  EXPECT_EQ(int(info.nPage), Tree->ClientHeight() + 1);
}

TEST_F(UpdateTest, ThePopupLookupClimbsUntilAMenuOrAStop)
{
  struct TMenus {
    std::vector<std::string> Asked;
    PLazyNode GiveAt = nullptr, StopAt = nullptr;
    TPopupMenu* Menu = reinterpret_cast<TPopupMenu*>(0x1000);
    void Get(TBaseLazyTree*, PLazyNode Node, TColumnIndex Column, TPoint, bool& AskParent, TPopupMenu*& PopupMenu)
    {
      Asked.push_back(TTreeOwner::Name(Node) + "/" + std::to_string(Column) + (AskParent ? "+" : ""));
      if (Node && Node == GiveAt)
        PopupMenu = Menu;
      if (Node && Node == StopAt)
        AskParent = false;
    }
  } menus;
  Tree->SetNodeChildCount(nullptr, 1);
  Tree->SetNodeChildCount(At("0"), 1);
  Tree->SetNodeChildCount(At("0.0"), 1);
  Tree->OnGetPopupMenu = TLTPopupEvent(&menus, &TMenus::Get);
  menus.GiveAt = At("0");
  EXPECT_EQ(Tree->DoGetPopupMenu(At("0.0.0"), NoColumn, TPoint()), menus.Menu);
  EXPECT_EQ(menus.Asked, (std::vector<std::string>{"0.0.0/-1+", "0.0/-1+", "0/-1+"}));
  menus.Asked.clear();
  menus.StopAt = At("0.0.0");
  EXPECT_EQ(Tree->DoGetPopupMenu(At("0.0.0"), NoColumn, TPoint()), nullptr);
  EXPECT_EQ(menus.Asked.size(), 1u);
  menus.Asked.clear();
  Tree->DoGetPopupMenu(nullptr, 3, TPoint());
  EXPECT_EQ(menus.Asked, std::vector<std::string>{"-/-1"});
}

TEST_F(UpdateTest, AReadOnlyTreeNeverAsksForACheckChange)
{
  struct TChecks {
    int Asked = 0;
    void Checking(TBaseLazyTree*, PLazyNode, TCheckState&, bool&) { ++Asked; }
  } checks;
  Tree->OnChecking = TLTCheckChangingEvent(&checks, &TChecks::Checking);
  Tree->SetNodeChildCount(nullptr, 1);
  TCheckState state = csCheckedNormal;
  EXPECT_TRUE(Tree->DoChecking(At("0"), state));
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toReadOnly);
  EXPECT_FALSE(Tree->DoChecking(At("0"), state));
  EXPECT_EQ(checks.Asked, 1);
}
