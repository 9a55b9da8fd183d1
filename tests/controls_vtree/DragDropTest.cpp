// Dragging nodes with the mouse on the headless display: between two trees
// and within one, the suggested effects, the drop modes, auto-expand, and
// the nodes that a move leaves in place.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "ClipboardTestSupport.h"
#include "controls/vtree/LazyTreeDragImage.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

struct TDrop {
  TDropMode Mode = dmNowhere;
  DWORD Effect = 0;
  PLazyNode Node = nullptr;
  int Count = 0;
};

class DragDropTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Display = THeadlessDisplay::Use();
    THeadlessDisplay::UseVirtualClock();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetBounds(0, 0, 420, 240);
    for (auto* tree : {&Left, &Right}) {
      *tree = std::make_unique<TLazyStringTree>(nullptr);
      (*tree)->SetParent(Form);
      (*tree)->SetDragMode(dmAutomatic);
      TLTSelectionOptions sel = (*tree)->TreeOptions()->SelectionOptions();
      (*tree)->TreeOptions()->SetSelectionOptions(sel + toMultiSelect);
      Names.Bind(tree->get());
      (*tree)->OnDragOver = TLTDragOverEvent(this, &DragDropTest::DragOver);
      (*tree)->OnDragDrop = TLTDragDropEvent(this, &DragDropTest::DragDrop);
    }
    Left->SetBounds(0, 0, 200, 200);
    Right->SetBounds(210, 0, 200, 200);
    for (int i = 1; i <= 5; ++i)
      Names.Add(Left.get(), nullptr, i);
    PLazyNode group = Names.Add(Right.get(), nullptr, 10);
    Names.Add(Right.get(), group, 11);
    Names.Add(Right.get(), nullptr, 20);
    for (int i : {1, 2, 3, 4, 5, 10, 11, 20})
      Names.Cells[i] = {u"N" + UTF8Decode(std::to_string(i)), u""};
    Form->Show();
    Pump();
    Display->SetIdleScript([this] {
      if (Steps.empty() || !GetCapture())
        return false;
      auto step = Steps.front();
      Steps.pop_front();
      step();
      return true;
    });
  }
  void TearDown() override
  {
    Display->SetIdleScript(nullptr);
    Left.reset();
    Right.reset();
    Form->Free();
    Pump();
  }
  void Pump() { Application()->ProcessMessages(); }

  void DragOver(TBaseLazyTree*, TObject*, TShiftState, TDragState, TPoint, TDropMode, DWORD&, bool& Accept)
  {
    Accept = true;
  }
  void DragDrop(TBaseLazyTree* Sender, TObject* Source, IDataObject* Data, const TFormatArray&, TShiftState, TPoint,
                DWORD& Effect, TDropMode Mode)
  {
    Last.Mode = Mode;
    Last.Effect = Effect;
    Last.Node = Sender->DropTargetNode();
    ++Last.Count;
    static const TLTNodeAttachMode kAttach[] = {amAddChildLast, amInsertBefore, amAddChildLast, amInsertAfter};
    Sender->ProcessTreeData(dynamic_cast<TBaseLazyTree*>(Source), Data, Effect == DROPEFFECT_MOVE, kAttach[Mode],
                            Mode == dmNowhere ? nullptr : Sender->DropTargetNode());
  }

  PLazyNode Node(TBaseLazyTree* Tree, int IdValue)
  {
    for (PLazyNode n = Tree->FirstTopLevelNode(); n; n = Tree->NextNode(n))
      if (TNamedNodes::Id(Tree, n) == IdValue)
        return n;
    return nullptr;
  }
  TPoint LabelOf(TBaseLazyTree* Tree, int IdValue)
  {
    TRect r = Tree->NodeDisplayRect(Node(Tree, IdValue), NoColumn, true);
    return Tree->ClientToScreen(TPoint(r.Left + 4, (r.Top + r.Bottom) / 2));
  }
  // The empty part of a node's row, near its top or its bottom.
  TPoint RowEdge(TBaseLazyTree* Tree, int IdValue, bool Top)
  {
    TRect r = Tree->NodeDisplayRect(Node(Tree, IdValue), NoColumn, false);
    return Tree->ClientToScreen(TPoint(190, Top ? r.Top + 2 : r.Bottom - 3));
  }
  // Selects the nodes, presses on the first and drags to the target point,
  // holding Shift or Ctrl at the drop when asked.
  void Drag(TBaseLazyTree* From, std::vector<int> Ids, TPoint To, BYTE Key = 0)
  {
    From->ClearSelection();
    for (int i : Ids)
      From->SetNodeSelected(Node(From, i), true);
    TPoint start = LabelOf(From, Ids[0]);
    Display->MoveMouse(start.x, start.y);
    Display->Press();
    Pump();
    Steps.push_back([=, this] { Display->MoveMouse(To.x, To.y - 1); });
    if (Key)
      Steps.push_back([=, this] { Display->KeyDown(Key); });
    Steps.push_back([=, this] { Display->MoveMouse(To.x, To.y); });
    Steps.push_back([=, this] { Display->Release(); });
    Display->MoveMouse(start.x + 10, start.y + 10);  // past the drag threshold: the loop runs
    Pump();
    if (Key) {
      Display->KeyUp(Key);
      Pump();
    }
  }

  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  std::unique_ptr<TLazyStringTree> Left, Right;
  TNamedNodes Names;
  std::deque<std::function<void()>> Steps;
  TDrop Last;
};

TEST_F(DragDropTest, ADragToAnotherTreeCopiesTheSelectionInOrderOntoTheNode)
{
  Drag(Left.get(), {2, 4, 5}, LabelOf(Right.get(), 20));
  EXPECT_EQ(Last.Count, 1);
  EXPECT_EQ(Last.Mode, dmOnNode);
  EXPECT_EQ(Last.Effect, DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(TNamedNodes::Shape(Right.get()), "10 .11 20 .2 .4 .5 ");
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "1 2 3 4 5 ");
}

TEST_F(DragDropTest, ShiftMovesBetweenTreesAndEveryDropModeLandsWhereItSays)
{
  Right->TreeOptions()->SetPaintOptions(Right->TreeOptions()->PaintOptions() + toShowDropmark);
  struct TCase {
    int Id;
    bool Top;
    TDropMode Mode;
    const char* Right;
  } cases[] = {{20, true, dmAbove, "10 .11 1 20 "}, {10, false, dmBelow, "10 .11 2 1 20 "}};
  std::string left = "1 2 3 4 5 ";
  for (const TCase& c : cases) {
    int id = c.Mode == dmAbove ? 1 : 2;
    Drag(Left.get(), {id}, RowEdge(Right.get(), c.Id, c.Top), VK_SHIFT);
    EXPECT_EQ(Last.Mode, c.Mode);
    EXPECT_EQ(Last.Effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(TNamedNodes::Shape(Right.get()), c.Right);
  }
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "3 4 5 ");
  // Below every row there is no node.
  Drag(Left.get(), {3}, Right->ClientToScreen(TPoint(50, 190)));
  EXPECT_EQ(Last.Mode, dmNowhere);
  EXPECT_EQ(TNamedNodes::Shape(Right.get()), "10 .11 2 1 20 3 ");
}

TEST_F(DragDropTest, ADragOntoItsOwnTreeMovesTheNodesAndLosesNone)
{
  TLTAutoOptions autoOptions = Left->TreeOptions()->AutoOptions();
  Left->TreeOptions()->SetAutoOptions(autoOptions + toAutoDeleteMovedNodes);
  Drag(Left.get(), {2, 4}, LabelOf(Left.get(), 5));
  EXPECT_EQ(Last.Effect, DWORD(DROPEFFECT_MOVE));
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "1 3 5 .2 .4 ");
  // With Ctrl the same drag copies.
  Drag(Left.get(), {1}, LabelOf(Left.get(), 3), VK_CONTROL);
  EXPECT_EQ(Last.Effect, DWORD(DROPEFFECT_COPY));
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "1 3 .1 5 .2 .4 ");
}

TEST_F(DragDropTest, SuggestedEffectsFollowTheKeysAndWhatTheSourceAllows)
{
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  struct TCase {
    bool Self;
    TShiftState Shift;
    DWORD Allowed, Expected;
  } cases[] = {{true, {}, all, DROPEFFECT_MOVE},
               {true, {ssCtrl}, all, DROPEFFECT_COPY},
               {false, {}, all, DROPEFFECT_COPY},
               {false, {ssShift}, all, DROPEFFECT_MOVE},
               {false, {ssShift}, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_COPY},
               {false, {ssShift}, DROPEFFECT_LINK, DROPEFFECT_LINK},
               {false, {ssCtrl, ssShift}, all, DROPEFFECT_LINK},
               {false, {ssAlt}, DROPEFFECT_COPY, DROPEFFECT_COPY},
               {true, {ssAlt}, all, DROPEFFECT_LINK}};
  for (const TCase& c : cases)
    EXPECT_EQ(Left->SuggestDropEffect(c.Self ? Left.get() : nullptr, c.Shift, TPoint(), c.Allowed), c.Expected);
}

TEST_F(DragDropTest, RestingOnACollapsedNodeWithChildrenExpandsItAfterTheDelay)
{
  Right->TreeOptions()->SetAutoOptions(Right->TreeOptions()->AutoOptions() + toAutoDropExpand);
  PLazyNode group = Node(Right.get(), 10);
  ASSERT_FALSE(group->Has(nfExpanded));
  TPoint over = LabelOf(Right.get(), 10);
  Left->ClearSelection();
  Left->SetNodeSelected(Node(Left.get(), 1), true);
  TPoint start = LabelOf(Left.get(), 1);
  Display->MoveMouse(start.x, start.y);
  Display->Press();
  Pump();
  bool expandedWhileOver = false;
  Steps.push_back([=, this] { Display->MoveMouse(over.x, over.y); });
  Steps.push_back([=, this] { THeadlessDisplay::Advance(1100); });
  Steps.push_back([&, this] { expandedWhileOver = group->Has(nfExpanded); });
  Steps.push_back([=, this] { Display->PressKey(VK_ESCAPE); });  // cancelled
  Display->MoveMouse(start.x + 10, start.y + 10);
  Pump();
  Display->Release();
  Pump();
  EXPECT_TRUE(expandedWhileOver);
  EXPECT_EQ(Last.Count, 0);
}

TEST_F(DragDropTest, TheDragImageFadesFromItsCentreAndHonoursItsRestriction)
{
  TLTDragImage image(Left.get());
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 4, 4);
  ReleaseDC(nullptr, screen);
  image.PrepareDrag(picture, TPoint(300, 300), TPoint(302, 302), nullptr);
  EXPECT_EQ(image.AlphaAt(2, 2), 255);
  EXPECT_EQ(image.AlphaAt(0, 0), 1);
  EXPECT_EQ(image.AlphaAt(3, 3), 15);
  image.ShowDragImage();
  image.MoveRestriction = dmrHorizontalOnly;
  EXPECT_FALSE(image.DragTo(TPoint(302, 340), false));
  EXPECT_TRUE(image.DragTo(TPoint(310, 302), false));
  EXPECT_EQ(image.GetDragImageRect().Left, 308);
  image.EndDrag();
  DeleteObject(picture);
}

}  // namespace
