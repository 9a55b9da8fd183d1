// Dragging nodes with the mouse on the headless display: between two trees
// and within one, the suggested effects, the drop modes, auto-expand, and
// the nodes that a move leaves in place.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "ClipboardTestSupport.h"
#include "controls/vtree/LazyTreeDragImage.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/stdctrls/Panel.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/ole/OleClipboard.h"
#include "platform/win/win.h"
#include "platform/win/window/Clipboard.h"

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
  // Selects the nodes, presses on the first and moves past the drag
  // threshold; Script runs step by step inside the drag loop.
  void RunDrag(TBaseLazyTree* From, std::vector<int> Ids, std::vector<std::function<void()>> Script)
  {
    From->ClearSelection();
    for (int i : Ids)
      From->SetNodeSelected(Node(From, i), true);
    TPoint start = LabelOf(From, Ids[0]);
    Display->MoveMouse(start.x, start.y);
    Display->Press();
    Pump();
    Steps.assign(Script.begin(), Script.end());
    Display->MoveMouse(start.x + 10, start.y + 10);
    Pump();
  }
  // Drags the nodes to the target point, holding Shift or Ctrl at the drop
  // when asked.
  void Drag(TBaseLazyTree* From, std::vector<int> Ids, TPoint To, BYTE Key = 0)
  {
    std::vector<std::function<void()>> script = {[=, this] { Display->MoveMouse(To.x, To.y - 1); }};
    if (Key)
      script.push_back([=, this] { Display->KeyDown(Key); });
    script.push_back([=, this] { Display->MoveMouse(To.x, To.y); });
    script.push_back([=, this] { Display->Release(); });
    RunDrag(From, Ids, script);
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

// The tree's drag picture is the area of DragWidth x DragHeight around the
// pointer, keyed to the tree colour: the selected row under the pointer shows,
// unselected rows and the empty area are see-through.
TEST_F(DragDropTest, TheDragPictureIsTheAreaAroundThePointerKeyedToTheTreeColour)
{
  TBaseLazyTree* tree = Left.get();
  TLTDragImage* image = tree->DragImage();
  EXPECT_EQ(image->Transparency, 200);
  EXPECT_TRUE(image->Fade);
  EXPECT_EQ(tree->DragWidth(), 200);
  EXPECT_EQ(tree->DragHeight(), 350);
  tree->SetDragWidth(120);
  tree->SetDragHeight(80);
  tree->SetColor(TColor(0x00E0F0));
  tree->SetNodeSelected(Node(tree, 2), true);
  TRect row = tree->NodeDisplayRect(Node(tree, 2), NoColumn, true);
  TPoint spot(row.Left + 6, (row.Top + row.Bottom) / 2);
  ASSERT_LT(spot.x, 59);
  tree->PrepareDragImage(spot, nullptr);
  image->ShowDragImage();
  TPoint screen = tree->ClientToScreen(spot);
  EXPECT_EQ(image->GetDragImageRect(), TRect(screen.x - 60, screen.y - 40, screen.x + 60, screen.y + 40));
  EXPECT_EQ(image->ColorKey, tree->Color());
  EXPECT_GT(image->AlphaAt(60, 40), 0) << "the selected row under the pointer";
  int rowHeight = row.Height();
  EXPECT_EQ(image->AlphaAt(60, 40 + rowHeight), 0) << "an unselected row";
  EXPECT_EQ(image->AlphaAt(60 - spot.x - 1, 40), 0) << "left of the tree: never painted";
  image->EndDrag();
}

// A striped picture, so that a strip put back in the wrong place shows.
HBITMAP StripedPicture(int Width, int Height)
{
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, Width, Height);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      SetPixel(dc, x, y, RGB((x * 7) & 255, (y * 11) & 255, ((x + y) % 3) * 100));
  SelectObject(dc, old);
  DeleteDC(dc);
  return picture;
}

TEST_F(DragDropTest, TheDragImageMovedByStripsLeavesTheScreenAsIfDrawnOnceAtItsLastPlace)
{
  // Rows of text, some selected, under the picture: a strip of the screen
  // put back or kept in the wrong place shows.
  for (int i = 6; i <= 12; ++i)
    Names.Add(Left.get(), nullptr, i);
  for (int i = 1; i <= 12; ++i)
    Names.Cells[i] = {u"W" + UTF8Decode(std::to_string(i * 1234567)) + u" Mg|/\\_" + UTF8Decode(std::to_string(i)), u""};
  for (int i : {2, 5, 6})
    Left->SetNodeSelected(Node(Left.get(), i), true);
  Left->Invalidate();
  Pump();
  const TPoint origin = Form->ClientToScreen(TPoint(0, 0));
  const TRect area(origin.x, origin.y, origin.x + 420, origin.y + 200);
  const std::vector<uint32_t> before = Display->ScreenImage(area);
  HBITMAP picture = StripedPicture(40, 30);
  TPoint start = Form->ClientToScreen(TPoint(24, 20));
  // Small steps in every direction (strips), a jump past the picture's size
  // (whole places), and back.
  const std::vector<TPoint> steps = {{3, 2}, {-5, 1}, {0, -7}, {12, 0}, {-1, -1}, {45, 3}, {-2, 31}, {-39, -29}, {6, 0}};
  TPoint pointer = start;
  TLTDragImage moved(Left.get());
  moved.PrepareDrag(picture, start, start, nullptr);
  moved.ShowDragImage();
  for (TPoint step : steps) {
    pointer = TPoint(pointer.x + step.x, pointer.y + step.y);
    ASSERT_TRUE(moved.DragTo(pointer, false));
  }
  const std::vector<uint32_t> afterMoves = Display->ScreenImage(area);
  EXPECT_NE(afterMoves, before);
  TPoint last = moved.ImagePosition();
  moved.EndDrag();
  EXPECT_EQ(Display->ScreenImage(area), before) << "hiding gives every pixel back";

  TLTDragImage once(Left.get());
  once.PrepareDrag(picture, last, last, nullptr);
  once.ShowDragImage();
  EXPECT_EQ(afterMoves, Display->ScreenImage(area)) << "the moves end as one picture drawn at the last place";
  once.EndDrag();
  DeleteObject(picture);
}

// The class library's own drag of nodes (dtLib) with the mouse: the events
// in order, the nodes moved by the handlers, and a cancel.
class LibDragTest : public DragDropTest {
protected:
  void SetUp() override
  {
    DragDropTest::SetUp();
    for (TLazyStringTree* tree : {Left.get(), Right.get()}) {
      tree->SetDragType(dtLib);
      tree->OnDragOver = TLTDragOverEvent(this, &LibDragTest::TreeOver);
      tree->OnDragDrop = TLTDragDropEvent(this, &LibDragTest::TreeDrop);
      tree->OnEndDrag = TEndDragEvent(this, &LibDragTest::Ended);
    }
  }
  std::string NameOf(TObject* Object)
  {
    if (Object == Left.get())
      return "Left";
    if (Object == Right.get())
      return "Right";
    if (auto* component = dynamic_cast<TComponent*>(Object))
      return component->Name();
    return Object ? "?" : "none";
  }
  void TreeOver(TBaseLazyTree* Sender, TObject* Source, TShiftState, TDragState State, TPoint, TDropMode,
                DWORD& Effect, bool& Accept)
  {
    static const char* const kState[] = {"enter", "leave", "move"};
    std::string entry = NameOf(Sender) + "." + kState[State] + "(" + NameOf(Source) + ")";
    if (Log.empty() || Log.back() != entry)  // repeated moves count once
      Log.push_back(entry);
    Accept = Effect != DROPEFFECT_NONE;
  }
  void TreeDrop(TBaseLazyTree* Sender, TObject* Source, IDataObject* Data, const TFormatArray& Formats, TShiftState,
                TPoint, DWORD& Effect, TDropMode Mode)
  {
    Log.push_back(NameOf(Sender) + ".drop(" + NameOf(Source) + ")");
    EXPECT_EQ(Data, nullptr);
    EXPECT_TRUE(Formats.empty());
    DropEffect = Effect;
    auto* from = dynamic_cast<TBaseLazyTree*>(Source);
    PLazyNode target = Sender->DropTargetNode();
    ASSERT_TRUE(from && target);
    ASSERT_EQ(Mode, dmOnNode);
    for (PLazyNode n : from->SortedSelection(true))
      from->MoveNodeTo(n, target, amAddChildLast, false);
  }
  void Ended(TObject* Sender, TObject* Target, int, int) { Log.push_back(NameOf(Sender) + ".end(" + NameOf(Target) + ")"); }
  std::vector<int> Ids(TBaseLazyTree* Tree, PLazyNode Parent)
  {
    std::vector<int> ids;
    for (PLazyNode n = Parent ? Parent->FirstChildNode : Tree->FirstTopLevelNode(); n; n = n->FollowingSibling)
      ids.push_back(TNamedNodes::Id(Tree, n));
    return ids;
  }
  // Presses on the first node (selecting the others first) and moves off it.
  void PressAndLeave(std::vector<int> Selected)
  {
    Left->ClearSelection();
    for (int i : Selected)
      Left->SetNodeSelected(Node(Left.get(), i), true);
    TPoint start = LabelOf(Left.get(), Selected[0]);
    Display->MoveMouse(start.x, start.y);
    Display->Press();
    Pump();
    Display->MoveMouse(start.x + 2, start.y + 12);
    Pump();
  }
  void ExpectNoDragLeft()
  {
    EXPECT_FALSE(Left->Dragging());
    TLazyTreeStates states = Left->TreeStates();
    for (TLazyTreeState s : {tsLibDragging, tsLibDragPending, tsUserDragObject, tsLeftButtonDown})
      EXPECT_FALSE(states.Contains(s)) << int(s);
    EXPECT_FALSE(Right->TreeStates().Contains(tsLibDragging));
    EXPECT_EQ(Right->DropTargetNode(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  std::vector<std::string> Log;
  DWORD DropEffect = 0;
};

TEST_F(LibDragTest, NodesDraggedOntoAnotherTreeMoveThereWithTheEventsInOrder)
{
  PressAndLeave({2, 4});
  EXPECT_TRUE(Left->Dragging());
  TPoint onto = LabelOf(Right.get(), 20);
  Display->MoveMouse(onto.x, onto.y - 1);
  Display->MoveMouse(onto.x, onto.y);
  Pump();
  EXPECT_EQ(Right->DropTargetNode(), Node(Right.get(), 20));
  EXPECT_TRUE(Right->TreeStates().Contains(tsLibDragging));
  Display->Release();
  Pump();
  EXPECT_EQ(Log, (std::vector<std::string>{"Left.enter(Left)", "Left.move(Left)", "Left.leave(Left)",
                                            "Right.enter(Left)", "Right.move(Left)", "Right.drop(Left)",
                                            "Left.end(Right)"}));
  EXPECT_EQ(DropEffect, DWORD(DROPEFFECT_COPY)) << "from another control copy is suggested";
  EXPECT_EQ(Ids(Left.get(), nullptr), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(Ids(Right.get(), Node(Right.get(), 20)), (std::vector<int>{2, 4}));
  ExpectNoDragLeft();
}

TEST_F(LibDragTest, APlainControlTakesTheDraggedTreeAndAnEscapeCancels)
{
  Form->SetBounds(0, 0, 420, 300);
  auto* panel = new TPanel(Form);
  panel->SetName("Panel");
  panel->SetParent(Form);
  panel->SetBounds(0, 205, 420, 30);
  struct TPanelDrop {
    std::vector<std::string>* Log;
    void Over(TObject*, TObject* Source, int, int, TDragState State, bool& Accept)
    {
      Log->push_back("Panel.over" + std::to_string(int(State)));
      Accept = dynamic_cast<TBaseLazyTree*>(Source) != nullptr;
    }
    void Drop(TObject*, TObject* Source, int, int)
    {
      Log->push_back("Panel.drop");
      auto* tree = static_cast<TBaseLazyTree*>(Source);
      for (PLazyNode n : tree->SortedSelection(true))
        tree->RemoveNode(n);
    }
  } panelDrop{&Log};
  panel->OnDragOver = TDragOverEvent(&panelDrop, &TPanelDrop::Over);
  panel->OnDragDrop = TDragDropEvent(&panelDrop, &TPanelDrop::Drop);
  Pump();
  TPoint onPanel = panel->ClientToScreen(TPoint(100, 15));

  // Escape over the panel: a leave, no drop, nothing changed.
  PressAndLeave({1});
  Display->MoveMouse(onPanel.x, onPanel.y);
  Pump();
  Display->KeyDown(VK_ESCAPE);
  Pump();
  Display->KeyUp(VK_ESCAPE);
  Display->Release();
  Pump();
  EXPECT_EQ(Log, (std::vector<std::string>{"Left.enter(Left)", "Left.move(Left)", "Left.leave(Left)", "Panel.over0",
                                            "Panel.over2", "Panel.over1", "Left.end(none)"}));
  EXPECT_EQ(Ids(Left.get(), nullptr), (std::vector<int>{1, 2, 3, 4, 5}));
  ExpectNoDragLeft();

  // Dropped on the panel: the panel's handler takes the nodes away.
  Log.clear();
  PressAndLeave({3, 5});
  Display->MoveMouse(onPanel.x, onPanel.y);
  Display->Release();
  Pump();
  EXPECT_EQ(Log.back(), "Left.end(Panel)");
  EXPECT_EQ(Log[Log.size() - 2], "Panel.drop");
  EXPECT_EQ(Ids(Left.get(), nullptr), (std::vector<int>{1, 2, 4}));
  ExpectNoDragLeft();
}

// Drags whose steps run while the drag loop holds the mouse: nodes freed
// in the middle of a drag, auto-scroll on the display's clock, and the
// clipboard messages.
class DragScriptTest : public DragDropTest {
protected:
  void SetAuto(TBaseLazyTree* Tree, TLTAutoOption Option)
  {
    Tree->TreeOptions()->SetAutoOptions(Tree->TreeOptions()->AutoOptions() + Option);
  }
};

TEST_F(DragScriptTest, NodesFreedDuringADragAreLeftAloneAtTheDropAndTheRestMoves)
{
  // 1 2 3(31 32) 4 5: 2, 31 and 4 are dragged; 2 and the parent of 31 go
  // while the drag runs.
  auto build = [this] {
    Left->ClearTree();
    for (int i = 1; i <= 5; ++i) {
      PLazyNode n = Names.Add(Left.get(), nullptr, i);
      if (i == 3)
        for (int c : {31, 32})
          Names.Add(Left.get(), n, c);
    }
    Left->ExpandSubtree(nullptr);
    Pump();
  };
  auto freeSome = [this] {
    Left->RemoveNode(Node(Left.get(), 2));
    Left->RemoveNode(Node(Left.get(), 3));
  };
  struct TCase {
    const char* Name;
    TBaseLazyTree* Onto;
    BYTE Key;
    const char* Left;
    const char* Right;
  } cases[] = {{"within the tree", Left.get(), 0, "1 5 .4 ", "10 .11 20 "},
               {"to the other tree", Right.get(), VK_SHIFT, "1 5 ", "10 .11 20 .4 "}};
  SetAuto(Left.get(), toAutoDeleteMovedNodes);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    build();
    Last = TDrop();
    TBaseLazyTree* onto = c.Onto;
    int target = onto == Left.get() ? 5 : 20;
    std::vector<std::function<void()>> script = {freeSome, [=, this] {
                                                   TPoint p = LabelOf(onto, target);
                                                   Display->MoveMouse(p.x, p.y - 1);
                                                 }};
    if (c.Key)
      script.push_back([=, this] { Display->KeyDown(c.Key); });
    script.push_back([=, this] {
      TPoint p = LabelOf(onto, target);
      Display->MoveMouse(p.x, p.y);
    });
    script.push_back([this] { Display->Release(); });
    RunDrag(Left.get(), {2, 31, 4}, script);
    if (c.Key) {
      Display->KeyUp(c.Key);
      Pump();
    }
    EXPECT_EQ(Last.Count, 1);
    EXPECT_EQ(Last.Effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(TNamedNodes::Shape(Left.get()), c.Left);
    EXPECT_EQ(TNamedNodes::Shape(Right.get()), c.Right);
    Right->ClearTree();
    PLazyNode group = Names.Add(Right.get(), nullptr, 10);
    Names.Add(Right.get(), group, 11);
    Names.Add(Right.get(), nullptr, 20);
    Pump();
  }
}

TEST_F(DragScriptTest, HoveringNearAnEdgeScrollsByIncrementsAfterTheDelayAndStopsOutsideTheZone)
{
  for (int i = 6; i <= 40; ++i)
    Names.Add(Left.get(), nullptr, i);
  SetAuto(Left.get(), toAutoScroll);
  Pump();
  const int increment = Left->ScrollBarOptions()->VerticalIncrement();
  const TPoint nearBottom = Left->ClientToScreen(TPoint(60, Left->ClientHeight() - 3));
  const TPoint middle = Left->ClientToScreen(TPoint(60, Left->ClientHeight() / 2));
  std::vector<int> offsets;  // the vertical offset after each step
  auto record = [&, this] { offsets.push_back(Left->OffsetY()); };
  // The clock moves in one step; the timers it makes due run before the next.
  auto wait = [](unsigned Ms) { return [Ms] { THeadlessDisplay::Advance(Ms); }; };
  RunDrag(Left.get(), {1},
          {[&, this] { Display->MoveMouse(nearBottom.x, nearBottom.y); }, record, wait(900), record, wait(200),
           record, wait(50), record, wait(50), record, [&, this] { Display->MoveMouse(middle.x, middle.y); }, record,
           wait(500), record, [this] { Display->PressKey(VK_ESCAPE); }});
  Display->Release();
  Pump();
  ASSERT_EQ(offsets.size(), 7u);
  EXPECT_EQ(offsets[0], 0);
  EXPECT_EQ(offsets[1], 0) << "nothing moves before the delay";
  EXPECT_LT(offsets[2], 0) << "the delay has passed";
  EXPECT_EQ(offsets[2] % increment, 0);
  EXPECT_EQ(offsets[3], offsets[2] - increment) << "one increment per repeated drag-over";
  EXPECT_EQ(offsets[4], offsets[3] - increment);
  EXPECT_EQ(offsets[6], offsets[5]) << "outside the zone the tree stays";
  EXPECT_EQ(Last.Count, 0);
}

TEST_F(DragScriptTest, CutCopyAndPasteMessagesGoThroughTheClipboard)
{
  Right->SetFocusedNode(nullptr);
  auto select = [this](std::vector<int> Ids) {
    Left->ClearSelection();
    for (int i : Ids)
      Left->SetNodeSelected(Node(Left.get(), i), true);
  };
  select({2, 4});
  SendMessage(Left->Handle(), WM_COPY, 0, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE text = GetClipboardData(CF_TEXT);
  std::string copied = text ? static_cast<const char*>(GlobalLock(text)) : "";
  if (text)
    GlobalUnlock(text);
  CloseClipboard();
  EXPECT_EQ(copied, Left->ContentToText(tstCutCopySet, '\t'));
  EXPECT_NE(copied.find("N4"), std::string::npos);
  SendMessage(Right->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(TNamedNodes::Shape(Right.get()), "10 .11 20 2 4 ");
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "1 2 3 4 5 ");

  // A cut keeps the nodes until they are pasted, then they leave.
  select({3, 5});
  SendMessage(Left->Handle(), WM_CUT, 0, 0);
  EXPECT_TRUE(Left->TreeStates().Contains(tsCutPending));
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "1 2 3 4 5 ");
  SendMessage(Right->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(TNamedNodes::Shape(Right.get()), "10 .11 20 2 4 3 5 ");
  EXPECT_EQ(TNamedNodes::Shape(Left.get()), "1 2 4 ");
  OleSetClipboard(nullptr);
}

}  // namespace

namespace {

// Paints a solid rectangle straight onto the screen, as another window would.
void PaintOnScreen(const TRect& R, COLORREF Colour)
{
  HDC screen = GetDC(nullptr);
  HBRUSH brush = CreateSolidBrush(Colour);
  FillRect(screen, &R, brush);
  DeleteObject(brush);
  ReleaseDC(nullptr, screen);
}

TEST_F(DragDropTest, AJumpFartherThanThePictureGivesTheOldPlaceBackAndTakesTheNewPlaceAsItIsThen)
{
  const TPoint origin = Form->ClientToScreen(TPoint(0, 0));
  const TRect area(origin.x, origin.y, origin.x + 420, origin.y + 200);
  const TPoint start(origin.x + 30, origin.y + 40);
  HBITMAP picture = StripedPicture(40, 30);
  // Width and height are 40 and 30: each jump reaches one of them on one axis.
  const TPoint jumps[] = {{100, 0}, {0, 30}, {-30, 45}, {40, -5}};
  for (TPoint jump : jumps) {
    SCOPED_TRACE(std::to_string(jump.x) + "," + std::to_string(jump.y));
    Form->Invalidate();
    Left->Invalidate();
    Right->Invalidate();
    Pump();
    std::vector<uint32_t> expected = Display->ScreenImage(area);
    TLTDragImage image(Left.get());
    image.PrepareDrag(picture, start, start, nullptr);
    image.ShowDragImage();
    // The screen where the picture lands changes while it is elsewhere.
    const TPoint to(start.x + jump.x, start.y + jump.y);
    const TRect landing(to.x, to.y, to.x + 40, to.y + 30);
    PaintOnScreen(landing, RGB(200, 30, 160));
    const uint32_t mark = Display->ScreenImage(TRect(to.x, to.y, to.x + 1, to.y + 1))[0];
    for (int y = landing.Top; y < landing.Bottom; ++y)
      for (int x = landing.Left; x < landing.Right; ++x)
        expected[std::size_t(y - area.Top) * 420 + std::size_t(x - area.Left)] = mark;
    ASSERT_TRUE(image.DragTo(to, false));
    const std::vector<uint32_t> afterJump = Display->ScreenImage(area);
    image.EndDrag();
    EXPECT_EQ(Display->ScreenImage(area), expected) << "both places show the screen without the picture";
    TLTDragImage once(Left.get());
    once.PrepareDrag(picture, to, to, nullptr);
    once.ShowDragImage();
    EXPECT_EQ(Display->ScreenImage(area), afterJump) << "the picture was blended over the changed screen";
    once.EndDrag();
  }
  DeleteObject(picture);
}

TEST_F(DragDropTest, RecapturingFromTheWindowPrintsItsClientAndFrameUnderThePicture)
{
  ASSERT_EQ(Left->BorderStyle(), bsSingle);
  for (int i = 1; i <= 5; ++i)
    Names.Cells[i] = {u"Contact " + UTF8Decode(std::to_string(i)) + u" Mg|", u""};
  Left->SetNodeSelected(Node(Left.get(), 2), true);
  Left->Invalidate();
  Pump();
  TRect window;
  GetWindowRect(Left->Handle(), &window);
  // The picture lies across the tree's right edge: client, frame and the
  // form beside it.
  const TPoint at(window.Right - 30, window.Top + 10);
  const TRect pictureRect(at.x, at.y, at.x + 40, at.y + 30);
  const TRect inWindow(at.x, at.y, window.Right, at.y + 30);
  const std::vector<uint32_t> truth = Display->ScreenImage(inWindow);
  // The screen under the picture is spoiled before the picture takes it.
  PaintOnScreen(pictureRect, RGB(0, 200, 0));
  const std::vector<uint32_t> spoiled = Display->ScreenImage(pictureRect);
  HBITMAP picture = StripedPicture(40, 30);
  TLTDragImage image(Left.get());
  image.PrepareDrag(picture, at, at, nullptr);
  image.ShowDragImage();
  const TPoint client = Left->ClientToScreen(TPoint(0, 0));
  const TRect wholeWindow(window.Left - client.x, window.Top - client.y, window.Right - client.x,
                          window.Bottom - client.y);
  image.RecaptureBackground(Left.get(), wholeWindow, nullptr, true, true);
  image.EndDrag();
  EXPECT_EQ(Display->ScreenImage(inWindow), truth) << "the tree's own pixels, frame included, came back";
  EXPECT_EQ(Display->ScreenImage(TRect(window.Right, at.y, pictureRect.Right, at.y + 30)),
            std::vector<uint32_t>(std::size_t(pictureRect.Right - window.Right) * 30, spoiled[39]))
      << "outside the tree the kept screen stays";
  DeleteObject(picture);
}

}  // namespace
