// In-place editing of the text tree through synthetic input: starting by F2
// and by a click on the focused node, Enter, Escape, focus loss with and
// without accepting the change, every character kept, the editor's bounds
// and its width following the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TreeTestSupport.h"
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/StringEditLink.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/stdctrls/Edit.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

struct TEditRecorder {
  std::vector<std::string> Events;
  void GetText(TBaseLazyTree*, PLazyNode Node, TColumnIndex, TLSTTextType Type, WideString& Text)
  {
    if (Type == ttNormal)
      Text = UTF8Decode("Contact " + std::to_string(Node->SiblingIndex));
  }
  void NewText(TBaseLazyTree*, PLazyNode, TColumnIndex, WideString Text)
  {
    Events.push_back("new text " + UTF8Encode(Text));
  }
  void Edited(TBaseLazyTree*, PLazyNode, TColumnIndex) { Events.push_back("edited"); }
  void Cancelled(TBaseLazyTree*, TColumnIndex) { Events.push_back("cancelled"); }
};

class EditingTest : public ::testing::Test {
protected:
  void SetUp() override
  {
    Tree = std::make_unique<TLazyStringTree>(nullptr);
    Stage.Open(TRect(40, 40, 360, 280), Tree.get(), TRect(0, 0, 300, 160));
    Display = Stage.Display;
    Form = Stage.Form;
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(0, 170, 100, 22);
    Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toEditable);
    Tree->OnGetText = TLSTGetTextEvent(&Rec, &TEditRecorder::GetText);
    Tree->OnNewText = TLSTNewTextEvent(&Rec, &TEditRecorder::NewText);
    Tree->OnEdited = TLTEditChangeEvent(&Rec, &TEditRecorder::Edited);
    Tree->OnEditCancelled = TLTEditCancelEvent(&Rec, &TEditRecorder::Cancelled);
    Tree->SetRootNodeCount(3);
    Form->Show();
    Pump();
  }
  void TearDown() override
  {
    Stage.Close(Tree.get());
    Tree.reset();
  }
  void Pump() { Application()->ProcessMessages(); }
  PLazyNode Node(unsigned I)
  {
    PLazyNode n = Tree->HiddenRoot()->FirstChildNode;
    while (n && n->SiblingIndex != I)
      n = n->FollowingSibling;
    return n;
  }
  void ClickAt(TPoint Client)
  {
    THeadlessDisplay::Advance(1000);
    TPoint s = Tree->ClientToScreen(Client);
    Display->Click(s.x, s.y);
    Pump();
  }
  TPoint LabelOf(PLazyNode N)
  {
    TRect r = Tree->NodeDisplayRect(N, NoColumn, true);
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Key(BYTE Vk)
  {
    Display->PressKey(Vk);
    Pump();
  }
  TLTEdit* Editor() { return static_cast<TStringEditLink*>(Tree->EditLink())->Edit(); }
  // Focuses the second node and starts editing it with F2.
  void StartByF2()
  {
    ClickAt(LabelOf(Node(1)));
    Key(VK_F2);
    ASSERT_TRUE(Tree->IsEditing());
  }

  TInputStage Stage;
  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  std::unique_ptr<TLazyStringTree> Tree;
  TEdit* Other = nullptr;
  TEditRecorder Rec;
};

}  // namespace

TEST_F(EditingTest, F2OpensTheEditorOverTheTextAndEnterCommitsEveryCharacter)
{
  StartByF2();
  TLTEdit* editor = Editor();
  EXPECT_TRUE(editor->Visible());
  EXPECT_EQ(editor->Text(), "Contact 1");
  EXPECT_TRUE(editor->Focused());
  // Over the node's text, as high as its row, the whole text selected.
  TRect text = Tree->NodeDisplayRect(Node(1), NoColumn, true, true);
  EXPECT_EQ(editor->BoundsRect(), TRect(text.Left, text.Top, std::max(text.Right, text.Left + 30), text.Bottom));
  TRect area = Form->BoundsRect();
  TPixelImage shot{area.Width(), area.Height(), Display->ScreenImage(area)};
  std::string message;
  EXPECT_TRUE(MatchesGolden(shot, std::string(VTREE_GOLDEN_DIR) + "/editing.png", &message)) << message;

  Display->TypeText("Zoé 中文");
  Pump();
  Key(VK_RETURN);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Rec.Events, (std::vector<std::string>{"new text Zoé 中文", "edited"}));
  EXPECT_TRUE(Tree->Focused());
}

TEST_F(EditingTest, EscapeAndAnUnchangedEnterGiveNoNewText)
{
  StartByF2();
  Display->TypeText("x");
  Pump();
  Key(VK_ESCAPE);
  EXPECT_FALSE(Tree->IsEditing());
  EXPECT_EQ(Rec.Events, (std::vector<std::string>{"cancelled"}));
  Rec.Events.clear();
  Key(VK_F2);
  ASSERT_TRUE(Tree->IsEditing());
  Key(VK_RETURN);
  EXPECT_EQ(Rec.Events, (std::vector<std::string>{"edited"}));
}

TEST_F(EditingTest, AClickOnTheFocusedNodeStartsEditingAfterTheDelay)
{
  Tree->SetEditDelay(500);
  ClickAt(LabelOf(Node(2)));
  EXPECT_FALSE(Tree->IsEditing());
  ClickAt(LabelOf(Node(2)));
  EXPECT_TRUE(Tree->TreeStates().Contains(tsEditPending));
  THeadlessDisplay::Advance(400);
  Pump();
  EXPECT_FALSE(Tree->IsEditing());
  THeadlessDisplay::Advance(200);
  Pump();
  EXPECT_TRUE(Tree->IsEditing());
  EXPECT_EQ(Editor()->Text(), "Contact 2");
}

TEST_F(EditingTest, LeavingTheEditorCommitsOnlyWhenChangesAreAccepted)
{
  struct Case {
    bool Accept;
    std::vector<std::string> Events;
  };
  const Case cases[] = {{true, {"new text y", "edited"}}, {false, {"cancelled"}}};
  for (const Case& c : cases) {
    TLTStringOptions options = Tree->StringOptions();
    Tree->SetStringOptions(c.Accept ? options + toAutoAcceptEditChange : options - toAutoAcceptEditChange);
    Rec.Events.clear();
    StartByF2();
    Display->TypeText("y");
    Pump();
    THeadlessDisplay::Advance(1000);
    TPoint s = Other->ClientToScreen(TPoint(5, 5));
    Display->Click(s.x, s.y);
    Pump();
    EXPECT_FALSE(Tree->IsEditing()) << "accept " << c.Accept;
    EXPECT_EQ(Rec.Events, c.Events) << "accept " << c.Accept;
  }
}

TEST_F(EditingTest, TheEditorKeepsItsBoundsAndFollowsTheText)
{
  StartByF2();
  auto* link = static_cast<TStringEditLink*>(Tree->EditLink());
  TLTEdit* editor = Editor();
  link->SetBounds(TRect(-5, 20, 5, 38));
  EXPECT_EQ(editor->BoundsRect(), TRect(0, 20, 30, 38)) << "no left below 0, at least 30 wide";
  link->SetBounds(TRect(250, 20, 900, 38));
  EXPECT_EQ(editor->BoundsRect(), TRect(250, 20, Tree->ClientWidth(), 38)) << "no further than the client";
  link->SetBounds(TRect(60, 20, 70, 38));
  int narrow = editor->Width();
  Display->TypeText(" avec un nom bien plus long");
  Pump();
  EXPECT_GT(editor->Width(), narrow);
  EXPECT_LE(editor->BoundsRect().Right, Tree->ClientWidth());
  EXPECT_EQ(editor->Left(), 60) << "left-aligned text grows to the right";
}

TEST_F(EditingTest, EndingOrCancellingTwiceAnswersFalseTheSecondTime)
{
  StartByF2();
  std::shared_ptr<TStringEditLink> link = static_cast<TStringEditLink*>(Tree->EditLink())->shared_from_this();
  EXPECT_TRUE(Tree->CancelEditNode());
  EXPECT_TRUE(link->Stopped());
  EXPECT_FALSE(link->CancelEdit());
  EXPECT_FALSE(link->EndEdit());
  EXPECT_FALSE(Tree->IsEditing());
}

TEST_F(EditingTest, AnOwnerThatGivesNoEditorIsAnError)
{
  struct TNoEditor {
    void Create(TBaseLazyTree*, PLazyNode, TColumnIndex, std::shared_ptr<ILTEditLink>&) {}
  } owner;
  Tree->OnCreateEditor = TLTCreateEditorEvent(&owner, &TNoEditor::Create);
  Tree->SetFocusedNode(Node(0));
  EXPECT_THROW(Tree->EditNode(Node(0), NoColumn), ELazyTreeError);
  EXPECT_FALSE(Tree->IsEditing());
}

TEST_F(EditingTest, EnterBreaksTheLineOfAMultiLineNodeAndCtrlEnterCommits)
{
  Node(1)->StateBits |= nfMultiline;
  StartByF2();
  Display->TypeText("x");
  Key(VK_RETURN);
  ASSERT_TRUE(Tree->IsEditing()) << "Enter alone is a line break in a multi-line node";
  Display->TypeText("y");
  Pump();
  Display->KeyDown(VK_CONTROL);
  Key(VK_RETURN);
  Display->KeyUp(VK_CONTROL);
  Pump();
  EXPECT_FALSE(Tree->IsEditing());
  ASSERT_EQ(Rec.Events.size(), 2u);
  EXPECT_NE(Rec.Events[0].find("x\r\ny"), std::string::npos) << Rec.Events[0];
  EXPECT_EQ(Rec.Events[1], "edited");
  EXPECT_TRUE(Tree->Focused());
}
