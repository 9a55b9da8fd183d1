// The tree driven by synthetic input on the headless display: clicks,
// double clicks, the wheel, keys and the incremental search, and the window
// messages that screen tools and dialogs send.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HostLikeTree.h"
#include "TreeTestSupport.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/TreeViewQuery.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/forms/Screen.h"
#include "platform/classes/menus/PopupMenu.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

const char* const kSearchNames[] = {"bar", "baz", "cat"};

// What the owner saw; its handlers are bound as methods.
struct TRecorder {
  TBaseLazyTree* Tree = nullptr;
  PLazyNode FocusAtMouseDown = reinterpret_cast<PLazyNode>(1);
  PLazyNode FocusAtClick = nullptr;
  int DblClicks = 0;
  bool ExpandedAtDblClick = true;
  int Checked = 0;
  int Scrolls = 0;
  void MouseDown(TObject*, TMouseButton, TShiftState, int, int) { FocusAtMouseDown = Tree->FocusedNode(); }
  void Click(TObject*) { FocusAtClick = Tree->FocusedNode(); }
  void DblClick(TObject*)
  {
    ++DblClicks;
    ExpandedAtDblClick = Tree->HiddenRoot()->FirstChildNode->Has(nfExpanded);
  }
  void NodeChecked(TBaseLazyTree*, PLazyNode) { ++Checked; }
  void Scroll(TBaseLazyTree*, int, int) { ++Scrolls; }
  void Search(TBaseLazyTree*, PLazyNode n, const std::string& text, int& result)
  {
    result = std::string(kSearchNames[n->SiblingIndex]).rfind(text, 0) == 0 ? 0 : 1;
  }
};

class InputTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Tree = std::make_unique<THostLikeTree>(nullptr);
    Stage.Open(TRect(0, 0, 300, 200), Tree.get(), TRect(0, 0, 300, 200));
    Display = Stage.Display;
    Form = Stage.Form;
    Form->Show();
    Application()->ProcessMessages();
    Rec.Tree = Tree.get();
  }
  void TearDown() override
  {
    Stage.Close(Tree.get());
    Tree.reset();
  }
  void Pump() { Application()->ProcessMessages(); }
  void Advance(unsigned ms)
  {
    THeadlessDisplay::Advance(ms);
    Pump();
  }
  PLazyNode Top(unsigned i)
  {
    PLazyNode n = Tree->HiddenRoot()->FirstChildNode;
    while (n && n->SiblingIndex != i)
      n = n->FollowingSibling;
    return n;
  }
  TPoint Screen(TPoint client) { return Tree->ClientToScreen(client); }
  TPoint LabelCentre(PLazyNode n)
  {
    TRect r = Tree->NodeDisplayRect(n, NoColumn, true);
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  TPoint ButtonCentre(PLazyNode n)
  {
    TRect r = Tree->NodeDisplayRect(n, NoColumn, false);
    int level = int(Tree->NodeLevel(n));
    return TPoint(level * int(Tree->Indent()) + int(Tree->Indent()) / 2, (r.Top + r.Bottom) / 2);
  }
  void ClickAt(TPoint client)
  {
    TPoint s = Screen(client);
    Display->Click(s.x, s.y);
    Pump();
  }
  void Key(BYTE vk, DWORD ch = 0)
  {
    Display->PressKey(vk, ch);
    Pump();
  }

  TInputStage Stage;
  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  std::unique_ptr<THostLikeTree> Tree;
  TRecorder Rec;
};

TEST_F(InputTest, AClickFocusesAndSelectsAfterTheOwnersMouseDown)
{
  Tree->SetRootNodeCount(3);
  Tree->OnMouseDown = TMouseEvent(&Rec, &TRecorder::MouseDown);
  Tree->OnClick = TNotifyEvent(&Rec, &TRecorder::Click);
  ClickAt(LabelCentre(Top(1)));
  EXPECT_EQ(Rec.FocusAtMouseDown, nullptr);
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
  EXPECT_EQ(Rec.FocusAtClick, Top(1));
  EXPECT_TRUE(Top(1)->Has(nfSelected));
  EXPECT_EQ(Tree->SelectedCount(), 1u);
  EXPECT_TRUE(Tree->Focused());
}

TEST_F(InputTest, AButtonClickTogglesWithoutMovingFocusOrSelection)
{
  Tree->SetRootNodeCount(2);
  Tree->SetNodeChildCount(Top(0), 2);
  ClickAt(LabelCentre(Top(1)));
  ClickAt(ButtonCentre(Top(0)));
  EXPECT_TRUE(Top(0)->Has(nfExpanded));
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
  EXPECT_FALSE(Top(0)->Has(nfSelected));
}

TEST_F(InputTest, TheOwnersDoubleClickRunsBeforeTheToggle)
{
  Tree->SetRootNodeCount(2);
  Tree->SetNodeChildCount(Top(0), 2);
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toToggleOnDblClick);
  Tree->OnDblClick = TNotifyEvent(&Rec, &TRecorder::DblClick);
  TPoint p = LabelCentre(Top(0));
  ClickAt(p);
  ClickAt(p);
  ASSERT_EQ(Rec.DblClicks, 1);
  EXPECT_FALSE(Rec.ExpandedAtDblClick);
  EXPECT_TRUE(Top(0)->Has(nfExpanded));
}

TEST_F(InputTest, ACheckClickCompletesOnlyOnTheSameRow)
{
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toCheckSupport);
  Tree->SetRootNodeCount(2);
  Top(0)->CheckKind = ctCheckBox;
  Tree->OnChecked = TLTChangeEvent(&Rec, &TRecorder::NodeChecked);
  int& checked = Rec.Checked;
  TLTHitInfo hit;
  // Find the check box of the first node by hit testing along its row.
  TPoint box(-1, LabelCentre(Top(0)).y);
  for (int x = 0; x < 120 && box.x < 0; ++x) {
    Tree->HitTestAt(x, box.y, true, hit);
    if (hit.HitPositions.Contains(hpOnCheckBox))
      box.x = x;
  }
  ASSERT_GE(box.x, 0);
  TPoint s = Screen(box), other = Screen(LabelCentre(Top(1)));
  Display->MoveMouse(s.x, s.y);
  Display->Press();
  Pump();
  EXPECT_EQ(Top(0)->NodeCheckState, csUncheckedPressed);
  Display->MoveMouse(other.x, other.y);
  Display->Release();
  Pump();
  EXPECT_EQ(Top(0)->NodeCheckState, csUncheckedNormal);
  EXPECT_EQ(checked, 0);
  ClickAt(box);
  EXPECT_EQ(Top(0)->NodeCheckState, csCheckedNormal);
  EXPECT_EQ(checked, 1);
}

TEST_F(InputTest, TheWheelScrollsByTheSystemsLineCount)
{
  Tree->SetRootNodeCount(100);
  Tree->SetOffsetY(-500);
  TPoint s = Screen(TPoint(50, 50));
  Display->MoveMouse(s.x, s.y);
  Display->Wheel(120);
  Pump();
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  EXPECT_EQ(Tree->OffsetY(), -500 + int(lines) * 18);
}

TEST_F(InputTest, RightExpandsThenMovesToTheFirstChildAndLeftComesBack)
{
  Tree->SetRootNodeCount(2);
  Tree->SetNodeChildCount(Top(0), 2);
  ClickAt(LabelCentre(Top(0)));
  Key(VK_RIGHT);
  EXPECT_TRUE(Top(0)->Has(nfExpanded));
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  Key(VK_RIGHT);
  EXPECT_EQ(Tree->FocusedNode(), Top(0)->FirstChildNode);
  EXPECT_TRUE(Top(0)->FirstChildNode->Has(nfSelected));
  EXPECT_EQ(Tree->SelectedCount(), 1u);
  Key(VK_LEFT);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  Key(VK_LEFT);
  EXPECT_FALSE(Top(0)->Has(nfExpanded));
}

TEST_F(InputTest, CtrlPageDownScrollsAPageWithoutMovingTheFocus)
{
  Tree->SetRootNodeCount(100);
  ClickAt(LabelCentre(Top(0)));
  Display->KeyDown(VK_CONTROL);
  Key(VK_NEXT);
  Display->KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(Tree->OffsetY(), -Tree->ClientHeight());
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
}

TEST_F(InputTest, ShiftDownAboveTheAnchorShrinksTheSelection)
{
  Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() + toMultiSelect);
  Tree->SetRootNodeCount(5);
  ClickAt(LabelCentre(Top(3)));
  Display->KeyDown(VK_SHIFT);
  Key(VK_UP);
  Key(VK_UP);
  EXPECT_EQ(Tree->SelectedCount(), 3u);
  Key(VK_DOWN);
  Display->KeyUp(VK_SHIFT);
  Pump();
  EXPECT_EQ(Tree->FocusedNode(), Top(2));
  EXPECT_FALSE(Top(1)->Has(nfSelected));
  EXPECT_TRUE(Top(2)->Has(nfSelected));
  EXPECT_TRUE(Top(3)->Has(nfSelected));
}

TEST_F(InputTest, ThePlusCharacterExpandsLikeTheNumericPad)
{
  Tree->SetRootNodeCount(1);
  Tree->SetNodeChildCount(Top(0), 2);
  ClickAt(LabelCentre(Top(0)));
  // Shift with the main keyboard's plus-equals key.
  Display->KeyDown(VK_SHIFT);
  Key(VK_OEM_PLUS, '+');
  Display->KeyUp(VK_SHIFT);
  Pump();
  EXPECT_TRUE(Top(0)->Has(nfExpanded));
}

// A begins-with search over bar, baz, cat.
class SearchTest : public InputTest {
protected:
  void SetUp() override
  {
    InputTest::SetUp();
    Tree->SetRootNodeCount(3);
    Tree->OnIncrementalSearch = TLTIncrementalSearchEvent(&Rec, &TRecorder::Search);
    Tree->SetIncrementalSearch(isAll);
    ClickAt(LabelCentre(Top(2)));
  }
  void Type(const std::string& text)
  {
    Display->TypeText(text);
    Pump();
  }
};

TEST_F(SearchTest, TypingStepsThroughMatches)
{
  Type("b");
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  Type("b");
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
  EXPECT_EQ(Tree->SearchText(), "b");
}

TEST_F(SearchTest, ASecondLetterNarrowsAndKeepsTheText)
{
  Type("ba");
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  EXPECT_EQ(Tree->SearchText(), "ba");
  EXPECT_EQ(Tree->SelectedCount(), 1u);
}

TEST_F(SearchTest, TheTimeoutEndsTheSearch)
{
  Type("b");
  Advance(1001);
  EXPECT_EQ(Tree->SearchText(), "");
  EXPECT_FALSE(Tree->TreeStates().Contains(tsIncrementalSearching));
  Type("c");
  EXPECT_EQ(Tree->FocusedNode(), Top(2));
}

TEST_F(SearchTest, NoSearchModeChangesNothing)
{
  Tree->SetIncrementalSearch(isNone);
  Type("b");
  EXPECT_EQ(Tree->FocusedNode(), Top(2));
  EXPECT_FALSE(Tree->TreeStates().Contains(tsIncrementalSearching));
}

TEST_F(SearchTest, AMissBeepsAndKeepsTheFocus)
{
  int beeps = MessageBeepCount();
  Type("x");
  EXPECT_EQ(Tree->FocusedNode(), Top(2));
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
}

TEST_F(SearchTest, ABackspaceAfterOneLetterOnlyRestartsTheTimer)
{
  Type("b");
  Advance(600);
  Key(VK_BACK, 8);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  EXPECT_EQ(Tree->SearchText(), "b");
  Advance(600);  // 1200 ms after the letter, 600 after the backspace
  EXPECT_EQ(Tree->SearchText(), "b") << "the backspace restarted the timer";
  Advance(500);
  EXPECT_EQ(Tree->SearchText(), "");
}

TEST_F(InputTest, SpaceOnACheckBoxThenAClickElsewhereBeforeTheReleaseChecksNothing)
{
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toCheckSupport);
  Tree->SetRootNodeCount(2);
  Top(0)->CheckKind = ctCheckBox;
  Tree->OnChecked = TLTChangeEvent(&Rec, &TRecorder::NodeChecked);
  ClickAt(LabelCentre(Top(0)));
  Display->KeyDown(VK_SPACE, ' ');
  Pump();
  EXPECT_EQ(Top(0)->NodeCheckState, csUncheckedPressed);
  ClickAt(LabelCentre(Top(1)));
  Display->KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(Top(0)->NodeCheckState, csUncheckedNormal);
  EXPECT_EQ(Rec.Checked, 0);
  // Pressed and released on the focused node, the space checks the box.
  ClickAt(LabelCentre(Top(0)));
  Key(VK_SPACE, ' ');
  EXPECT_EQ(Top(0)->NodeCheckState, csCheckedNormal);
  EXPECT_EQ(Rec.Checked, 1);
}

// The text that screen tools read.
class TextTree : public THostLikeTree {
public:
  using THostLikeTree::THostLikeTree;
  std::string QueryNodeText(PLazyNode) override { return "Contact"; }
};

TEST_F(InputTest, TreeViewItemQueriesGuardTheirArguments)
{
  TextTree tree(nullptr);
  tree.SetRootNodeCount(2);
  PLazyNode node = tree.HiddenRoot()->FirstChildNode;
  char buffer[8];
  std::memset(buffer, '#', sizeof(buffer));
  TTreeViewItemA item{};
  item.mask = 0x1;  // text without the handle flag
  item.hItem = node;
  item.pszText = buffer;
  item.cchTextMax = 4;
  EXPECT_EQ(tree.Perform(0x110C, 0, LPARAM(&item)), 0);
  EXPECT_EQ(buffer[0], '#');
  item.mask = 0x11;
  EXPECT_EQ(tree.Perform(0x110C, 0, LPARAM(&item)), 1);
  EXPECT_STREQ(std::string(buffer, 4).c_str(), "Con");
  EXPECT_EQ(buffer[4], '#');
  // A buffer without room and a handle that is no node of this tree.
  std::memset(buffer, '#', sizeof(buffer));
  item.cchTextMax = 0;
  EXPECT_EQ(tree.Perform(0x110C, 0, LPARAM(&item)), 1);
  EXPECT_EQ(buffer[0], '#');
  int notANode[16] = {};
  item.hItem = reinterpret_cast<PLazyNode>(notANode);
  item.cchTextMax = 4;
  EXPECT_EQ(tree.Perform(0x110C, 0, LPARAM(&item)), 0);
  EXPECT_EQ(buffer[0], '#');
}

// A release in the column of the press is a column click; a press in one
// column released in another is none; a double click names its column. The
// focus goes to the clicked cell only under the extended focus, else to the
// main column.
TEST_F(InputTest, ColumnClicksAndTheColumnThatTakesTheFocus)
{
  struct TColumnRecorder {
    std::vector<std::string> Seen;
    void Click(TBaseLazyTree*, TColumnIndex Column, TShiftState Shift)
    {
      Seen.push_back("click " + std::to_string(Column) + (Shift.Contains(ssCtrl) ? " ctrl" : ""));
    }
    void DblClick(TBaseLazyTree*, TColumnIndex Column, TShiftState)
    {
      Seen.push_back("double " + std::to_string(Column));
    }
  } columns;
  for (int i = 0; i < 3; ++i)
    Tree->Header().Columns().Add()->SetWidth(90);
  Tree->Header().SetMainColumn(1);
  Tree->SetRootNodeCount(3);
  Tree->OnColumnClick = TLTColumnClickEvent(&columns, &TColumnRecorder::Click);
  Tree->OnColumnDblClick = TLTColumnDblClickEvent(&columns, &TColumnRecorder::DblClick);
  int row = LabelCentre(Top(1)).y;
  ClickAt(TPoint(220, row));
  EXPECT_EQ(columns.Seen, std::vector<std::string>{"click 2"});
  EXPECT_EQ(Tree->FocusedColumn(), 1) << "without the extended focus the main column has the focus";

  columns.Seen.clear();
  TPoint from = Screen(TPoint(40, row)), to = Screen(TPoint(130, row));
  Display->MoveMouse(from.x, from.y);
  Display->Press();
  Display->MoveMouse(to.x, to.y);
  Display->Release();
  Pump();
  EXPECT_TRUE(columns.Seen.empty()) << "released in another column";

  Advance(1000);  // no double click with the press before
  Display->KeyDown(VK_CONTROL);
  ClickAt(TPoint(40, row));
  Display->KeyUp(VK_CONTROL);
  ClickAt(TPoint(40, row));
  EXPECT_EQ(columns.Seen, (std::vector<std::string>{"click 0 ctrl", "double 0", "click 0"}));

  Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() + toExtendedFocus);
  Advance(1000);
  ClickAt(TPoint(220, row));
  EXPECT_EQ(Tree->FocusedColumn(), 2);
}

TEST_F(InputTest, TreeViewNextItemCodes)
{
  Tree->SetRootNodeCount(2);
  Tree->SetNodeChildCount(Top(0), 1);
  Tree->SetExpanded(Top(0), true);
  PLazyNode child = Top(0)->FirstChildNode;
  auto next = [&](int code, PLazyNode n) { return PLazyNode(Tree->Perform(0x110A, WPARAM(code), LPARAM(n))); };
  EXPECT_EQ(next(0, nullptr), Top(0));
  EXPECT_EQ(next(1, Top(0)), Top(1));
  EXPECT_EQ(next(2, Top(1)), Top(0));
  EXPECT_EQ(next(3, Top(0)), nullptr);
  EXPECT_EQ(next(3, child), Top(0));
  EXPECT_EQ(next(4, Top(0)), child);
  EXPECT_EQ(next(5, nullptr), Top(0));
  EXPECT_EQ(next(6, Top(0)), child);
  EXPECT_EQ(next(7, Top(1)), child);
  EXPECT_EQ(next(10, nullptr), Top(1));
  EXPECT_EQ(next(11, Top(0)), nullptr);
}

TEST_F(InputTest, DialogCodeStateMessageAndErase)
{
  EXPECT_EQ(Tree->Perform(WM_GETDLGCODE, 0, 0), 129);
  Tree->SetWantTabs(true);
  EXPECT_EQ(Tree->Perform(WM_GETDLGCODE, 0, 0), 131);
  Tree->Perform(WM_CHANGESTATE, 4, 0);
  EXPECT_TRUE(Tree->TreeStates().Contains(tsValidating));
  Tree->Perform(WM_CHANGESTATE, 2, 4);
  EXPECT_TRUE(Tree->TreeStates().Contains(tsUseCache));
  EXPECT_FALSE(Tree->TreeStates().Contains(tsValidating));
  EXPECT_EQ(Tree->Perform(WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(InputTest, OffsetsClampAndAnUnchangedOffsetFiresNoScroll)
{
  Tree->SetRootNodeCount(100);
  Tree->OnScroll = TLTScrollEvent(&Rec, &TRecorder::Scroll);
  int& scrolls = Rec.Scrolls;
  EXPECT_TRUE(Tree->DoSetOffsetXY(TPoint(50, -100000), suoAll));
  EXPECT_EQ(Tree->OffsetX(), 0);
  EXPECT_EQ(Tree->OffsetY(), Tree->ClientHeight() - Tree->RangeY());
  EXPECT_FALSE(Tree->DoSetOffsetXY(TPoint(Tree->OffsetX(), Tree->OffsetY()), suoAll));
  EXPECT_EQ(scrolls, 1);
}

TEST_F(InputTest, ScrollBarCodes)
{
  Tree->SetRootNodeCount(100);
  struct Case { WORD code; int expected; } cases[] = {
      {SB_LINEDOWN, -20}, {SB_PAGEDOWN, -20 - Tree->ClientHeight()}, {SB_LINEUP, -Tree->ClientHeight()},
      {SB_TOP, 0}, {SB_BOTTOM, Tree->ClientHeight() - Tree->RangeY()}, {SB_PAGEUP, 2 * Tree->ClientHeight() - Tree->RangeY()}};
  for (const Case& c : cases) {
    EXPECT_EQ(Tree->Perform(WM_VSCROLL, c.code, 0), 0);
    EXPECT_EQ(Tree->OffsetY(), c.expected) << c.code;
  }
}

TEST_F(InputTest, PanningDeadZoneAndCursorNames)
{
  Tree->SetRootNodeCount(100);  // taller, not wider
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toWheelPanning);
  Tree->StartWheelPanning(TPoint(100, 100));
  EXPECT_EQ(Tree->AutoScrollSidesAt(TPoint(108, 92)), 0u);
  EXPECT_EQ(Tree->AutoScrollSidesAt(TPoint(100, 80)), asUp);
  EXPECT_EQ(Tree->AutoScrollSidesAt(TPoint(109, 109)), asRight | asDown);
  EXPECT_STREQ(Tree->PanningCursorName(TPoint(105, 105)), "LT_MOVENS");
  EXPECT_STREQ(Tree->PanningCursorName(TPoint(100, 120)), "LT_MOVES");
  EXPECT_STREQ(Tree->PanningCursorName(TPoint(91, 91)), "LT_MOVEN");
  Tree->StopWheelPanning();
  EXPECT_FALSE(Tree->TreeStates().Contains(tsWheelPanning));
}

TEST_F(InputTest, PanningScrollsTowardTheMouseEachTick)
{
  Tree->SetRootNodeCount(100);
  Tree->SetOffsetY(-400);
  Tree->StartWheelPanning(TPoint(100, 100));
  TPoint s = Screen(TPoint(100, 80));
  SetCursorPos(s.x, s.y);
  Tree->AutoScrollSidesAt(TPoint(100, 80));
  Tree->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(100, 80));
  Advance(20);
  EXPECT_EQ(Tree->OffsetY(), -400 + 12);
  Tree->StopWheelPanning();
}

// The presenter of popup menus in these tests: records where a menu opened.
std::vector<TPoint> gMenusShown;
TMenuItem* RecordMenu(TPopupMenu*, int X, int Y, UINT)
{
  gMenusShown.emplace_back(X, Y);
  return nullptr;
}

TEST_F(InputTest, ARightClickShowsThePopupMenuOnceThroughTheContextMenuMessage)
{
  Tree->SetRootNodeCount(3);
  TPopupMenu menu(nullptr);
  Tree->SetPopupMenu(&menu);
  TPopupMenuPresenter saved = TPopupMenu::Presenter();
  TPopupMenu::SetPresenter(&RecordMenu);
  gMenusShown.clear();
  TPoint p = LabelCentre(Top(1));
  ClickAt(p);
  Display->Click(Screen(p).x, Screen(p).y, 1);
  Pump();
  ASSERT_EQ(gMenusShown.size(), 1u);
  EXPECT_EQ(gMenusShown[0], Screen(p));
  // The message itself drops the pending clear and edit before the menu.
  Tree->ChangeStates({tsClearPending, tsEditPending}, {});
  Tree->Perform(WM_CONTEXTMENU, WPARAM(Tree->Handle()), MAKELPARAM(Screen(p).x, Screen(p).y));
  EXPECT_EQ(gMenusShown.size(), 2u);
  EXPECT_FALSE(Tree->TreeStates().Contains(tsClearPending));
  EXPECT_FALSE(Tree->TreeStates().Contains(tsEditPending));
  TPopupMenu::SetPresenter(saved);
  Tree->SetPopupMenu(nullptr);
}

TEST_F(InputTest, TheCursorIsTheHotCursorOverAHotNodeAsTheOwnerLeavesIt)
{
  Tree->SetRootNodeCount(3);
  TLTPaintOptions paint = Tree->TreeOptions()->PaintOptions();
  paint += toHotTrack;
  Tree->TreeOptions()->SetPaintOptions(paint);
  Tree->SetHotCursor(crHandPoint);
  Tree->SetCursor(crIBeam);
  struct TOwner {
    TCursor Seen = crNone;
    TCursor Give = crNone;
    void GetCursor(TBaseLazyTree*, TCursor& c)
    {
      Seen = c;
      if (Give != crNone)
        c = Give;
    }
  } owner;
  Tree->OnGetCursor = Method<void(TBaseLazyTree*, TCursor&)>(&owner, &TOwner::GetCursor);
  auto setCursor = [&] { return Tree->Perform(WM_SETCURSOR, WPARAM(Tree->Handle()), HTCLIENT); };

  TPoint p = Screen(LabelCentre(Top(1)));
  Display->MoveMouse(p.x, p.y);
  Pump();
  ASSERT_EQ(Tree->HotNode(), Top(1));
  EXPECT_EQ(setCursor(), 1);
  EXPECT_EQ(owner.Seen, crHandPoint);
  EXPECT_EQ(GetCursor(), ::Screen()->Cursors(crHandPoint));

  // Without hot tracking the control's own cursor is offered.
  paint -= toHotTrack;
  Tree->TreeOptions()->SetPaintOptions(paint);
  owner.Give = crCross;
  EXPECT_EQ(setCursor(), 1);
  EXPECT_EQ(owner.Seen, crIBeam);
  EXPECT_EQ(GetCursor(), ::Screen()->Cursors(crCross));
  Tree->OnGetCursor = {};
}

TEST_F(InputTest, PrintingAHiddenTreeWithTheVisibilityCheckDrawsNothing)
{
  Tree->SetRootNodeCount(3);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 300, 200};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  Tree->Hide();
  Pump();
  Tree->Perform(WM_PRINT, WPARAM(dc), PRF_CHECKVISIBLE | PRF_CLIENT);
  EXPECT_EQ(GetPixel(dc, 150, 100), RGB(255, 0, 0));
  Tree->Show();
  Pump();
  Tree->Perform(WM_PRINT, WPARAM(dc), PRF_CHECKVISIBLE | PRF_CLIENT);
  EXPECT_NE(GetPixel(dc, 150, 100), RGB(255, 0, 0));  // the tree's background
  SelectObject(dc, old);
  DeleteObject(red);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// The key table on one fixed tree: 30 top-level nodes; node 0 has 0.0 and
// 0.1, and 0.0 has 0.0.0 and 0.0.1. Multi-selection is on and a typed
// character searches (every node matches, so a step goes to the next node).
class KeyTableTest : public InputTest {
protected:
  struct TOwner {
    THostLikeTree* Tree = nullptr;
    std::string Asked;
    TPopupMenu* Menu = nullptr;
    void Popup(TBaseLazyTree*, PLazyNode Node, TColumnIndex, TPoint, bool& AskParent, TPopupMenu*& PopupMenu)
    {
      Asked += " popup " + TTreeOwner::Name(Node);
      AskParent = false;
      PopupMenu = Menu;
    }
    void Help(TBaseLazyTree*, PLazyNode Node, TColumnIndex, int& Context)
    {
      Asked += " help " + TTreeOwner::Name(Node);
      Context = Node->ParentNode == Tree->HiddenRoot() ? 7 : 0;
    }
  };

  void Build(const std::string& Expanded)
  {
    Tree->ClearTree();
    Tree->SetRootNodeCount(30);
    Tree->SetNodeChildCount(Path("0"), 2);
    Tree->SetNodeChildCount(Path("0.0"), 2);
    for (std::size_t from = 0; from < Expanded.size();) {
      std::size_t comma = Expanded.find(',', from);
      std::string one = Expanded.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
      if (!one.empty())
        Tree->SetExpanded(Path(one), true);
      from = comma == std::string::npos ? Expanded.size() : comma + 1;
    }
  }
  PLazyNode Path(const std::string& P)
  {
    PLazyNode n = Tree->HiddenRoot();
    for (std::size_t from = 0; from < P.size();) {
      std::size_t dot = P.find('.', from);
      unsigned index = unsigned(std::stoul(P.substr(from, dot - from)));
      n = n->FirstChildNode;
      while (n && n->SiblingIndex != index)
        n = n->FollowingSibling;
      from = dot == std::string::npos ? P.size() : dot + 1;
    }
    return n;
  }
  // Focus, expanded nodes, the node at the top of the client area and the
  // number of selected nodes.
  std::string Summary()
  {
    std::string expanded;
    for (PLazyNode n = Tree->FirstTopLevelNodeRaw(); n; n = Tree->NextNodeRaw(n))
      if (n->Has(nfExpanded))
        expanded += (expanded.empty() ? "" : ",") + TTreeOwner::Name(n);
    return "focus " + TTreeOwner::Name(Tree->FocusedNode()) + "; expanded " + (expanded.empty() ? "-" : expanded) +
           "; top " + TTreeOwner::Name(Tree->TopNode()) + "; selected " +
           std::to_string(Tree->SelectedCount());
  }
  // Presses Vk (typing Character) with the modifiers of Mods ("C" Ctrl, "S" Shift).
  void Press(BYTE Vk, DWORD Character, const std::string& Mods)
  {
    for (char m : Mods)
      Display->KeyDown(m == 'C' ? VK_CONTROL : VK_SHIFT);
    Key(Vk, Character);
    for (char m : Mods)
      Display->KeyUp(m == 'C' ? VK_CONTROL : VK_SHIFT);
    Pump();
  }
};

TEST_F(KeyTableTest, EachKeyMovesFocusSelectionExpansionAndOffsetAsItShould)
{
  TOwner owner;
  owner.Tree = Tree.get();
  Tree->OnGetHelpContext = TLTGetHelpContextEvent(&owner, &TOwner::Help);
  Tree->OnGetPopupMenu = TLTPopupEvent(&owner, &TOwner::Popup);
  Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() + toMultiSelect);
  Tree->SetIncrementalSearch(isAll);
  Tree->SetWantTabs(true);
  Tree->SetBorderStyle(bsNone);  // the page keys' offsets below are for a frameless client area
  Pump();
  const int rows = Tree->ClientHeight() / 18;  // whole rows the client area shows
  ASSERT_EQ(rows, 11);
  struct TCase {
    const char* Expanded;  // before the key
    const char* Focus;
    BYTE Vk;
    DWORD Character;
    const char* Mods;
    const char* Expected;
    const char* Asked = "";
  } cases[] = {
      {"", "20", VK_HOME, 0, "", "focus 0; expanded -; top 0; selected 1"},
      {"", "3", VK_END, 0, "", "focus 29; expanded -; top 18; selected 1"},
      // Twelve rows of 18 pixels first reach the client height of 200.
      {"", "25", VK_PRIOR, 0, "", "focus 13; expanded -; top 13; selected 1"},
      {"", "25", VK_HOME, 0, "C", "focus 25; expanded -; top 0; selected 1"},
      {"", "3", VK_END, 0, "C", "focus 3; expanded -; top 18; selected 1"},
      // Shift with Home or End toggles the range from the anchor.
      {"", "5", VK_END, 0, "S", "focus 29; expanded -; top 18; selected 25"},
      {"", "5", VK_HOME, 0, "S", "focus 0; expanded -; top 0; selected 6"},
      {"0", "0", VK_SUBTRACT, '-', "", "focus 0; expanded -; top 0; selected 1"},
      {"", "0", VK_SUBTRACT, '-', "", "focus 0; expanded -; top 0; selected 1"},
      {"0,0.0", "5", VK_SUBTRACT, '-', "CS", "focus 5; expanded -; top 0; selected 1"},
      {"", "0", VK_MULTIPLY, '*', "", "focus 0; expanded 0,0.0; top 0; selected 1"},
      {"", "5", VK_ADD, '+', "CS", "focus 5; expanded 0,0.0; top 0; selected 1"},
      {"0,0.0", "0", VK_DIVIDE, '/', "", "focus 0; expanded -; top 0; selected 1"},
      {"0,0.0", "0.0.1", VK_BACK, 8, "", "focus 0.0; expanded 0,0.0; top 0; selected 1"},
      {"", "3", VK_BACK, 8, "", "focus 3; expanded -; top 0; selected 1"},
      // Without columns there are no cells for Tab to walk.
      {"", "3", VK_TAB, 9, "", "focus 3; expanded -; top 0; selected 1"},
      // Without a check box the space is a search step.
      {"", "3", VK_SPACE, ' ', "", "focus 4; expanded -; top 0; selected 1"},
      {"0,0.0", "0.0.1", VK_F1, 0, "", "focus 0.0.1; expanded 0,0.0; top 0; selected 1", " help 0.0.1 help 0.0 help 0"},
      {"", "3", VK_APPS, 0, "", "focus 3; expanded -; top 0; selected 1", " popup 3"},
  };
  Tree->SetFocus();
  for (const TCase& c : cases) {
    Build(c.Expanded);
    Tree->SetFocusedNode(Path(c.Focus));
    Tree->SetNodeSelected(Path(c.Focus), true);
    owner.Asked.clear();
    Press(c.Vk, c.Character, c.Mods);
    std::string name = std::string(c.Mods) + " key " + std::to_string(c.Vk) + " from " + c.Focus;
    EXPECT_EQ(Summary(), c.Expected) << name;
    EXPECT_EQ(owner.Asked, c.Asked) << name;
    Advance(2000);  // any search ends
  }
  // The context-menu key opens the node's menu half the label right of its
  // left edge, at its middle.
  TPopupMenu menu(nullptr);
  owner.Menu = &menu;
  TPopupMenuPresenter saved = TPopupMenu::Presenter();
  TPopupMenu::SetPresenter(&RecordMenu);
  gMenusShown.clear();
  Tree->SetFocusedNode(Path("3"));
  Press(VK_APPS, 0, "");
  TPopupMenu::SetPresenter(saved);
  ASSERT_EQ(gMenusShown.size(), 1u);
  EXPECT_EQ(gMenusShown[0], Screen(LabelCentre(Path("3"))));
  Tree->OnGetHelpContext = {};
  Tree->OnGetPopupMenu = {};
}

// With columns and the extended focus, Tab, Home, End, Left and Right walk
// cells; the owner's refusal skips a cell.
TEST_F(KeyTableTest, KeysWalkTheCellsOfAGrid)
{
  struct TRefuser {
    TColumnIndex Refused = InvalidColumn;
    void FocusChanging(TBaseLazyTree*, PLazyNode, PLazyNode, TColumnIndex, TColumnIndex NewColumn, bool& Allowed)
    {
      Allowed = NewColumn != Refused;
    }
  } refuser;
  Tree->OnFocusChanging = TLTFocusChangingEvent(&refuser, &TRefuser::FocusChanging);
  for (int i = 0; i < 3; ++i)
    Tree->Header().Columns().Add()->SetWidth(90);
  Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() + toExtendedFocus);
  Tree->SetWantTabs(true);  // else the form takes Tab to move between controls
  Build("0");
  Tree->SetFocus();
  Tree->SetFocusedNode(Path("3"));
  Tree->SetFocusedColumn(0);
  auto cell = [&] {
    return TTreeOwner::Name(Tree->FocusedNode()) + " col " + std::to_string(Tree->FocusedColumn()) + " selected " +
           std::to_string(Tree->SelectedCount());
  };
  Press(VK_TAB, 9, "");
  EXPECT_EQ(cell(), "3 col 1 selected 1");
  refuser.Refused = 2;
  Press(VK_TAB, 9, "");
  EXPECT_EQ(cell(), "4 col 0 selected 1") << "the refused cell is skipped";
  Press(VK_TAB, 9, "S");
  EXPECT_EQ(cell(), "3 col 1 selected 1") << "back to the previous node's last allowed cell";
  refuser.Refused = InvalidColumn;
  Tree->SetFocusedNode(Path("29"));
  Tree->SetFocusedColumn(2);
  Press(VK_TAB, 9, "");
  EXPECT_EQ(cell(), "29 col 2 selected 1") << "the walk stops after the last cell";

  // Under the grid extensions Home and End change the column, not the node;
  // with Ctrl they move both.
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toGridExtensions);
  Tree->SetFocusedNode(Path("5"));
  Press(VK_HOME, 0, "");
  EXPECT_EQ(cell(), "5 col 0 selected 1");
  refuser.Refused = 2;
  Press(VK_END, 0, "");
  EXPECT_EQ(cell(), "5 col 1 selected 1");
  refuser.Refused = InvalidColumn;
  Press(VK_END, 0, "C");
  EXPECT_EQ(cell(), "29 col 2 selected 1");
  Press(VK_LEFT, 0, "");
  EXPECT_EQ(cell(), "29 col 1 selected 1");
  Tree->SetFocusedNode(Path("0"));
  Press(VK_RIGHT, 0, "");
  EXPECT_EQ(cell(), "0 col 2 selected 1");
  EXPECT_TRUE(Path("0")->Has(nfExpanded)) << "a column step does not collapse";
  Tree->OnFocusChanging = {};
}

}  // namespace
