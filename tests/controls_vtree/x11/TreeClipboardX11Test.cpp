// Nodes copied in a tree in a real X11 window are read by another program as
// text and as text/html; text another program copies pastes into a tree as
// the text it is (no tree data: nothing is inserted, nothing breaks), and
// into the tree's editor with Ctrl+V.
#include "X11TestSupport.h"

#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "ClipboardTestSupport.h"
#include "controls/vtree/StringEditLink.h"
#include "platform/classes/classes.h"

namespace {

class TreeClipboardX11Test : public X11Fixture {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetPosition(poDesigned);
    Form->SetBounds(100, 80, 300, 200);
    Tree = new TLazyStringTree(Form);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 280, 180);
    Names.Bind(Tree);
    Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() + toMultiSelect);
    Names.Cells = {{1, {u"Amis <proches>", u"en ligne"}}, {2, {u"Léa & \"Zoé\"", u"absente"}}};
    PLazyNode group = Names.Add(Tree, nullptr, 1);
    Names.Add(Tree, group, 2);
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(Form->Handle())); }));
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    X11Fixture::TearDown();
  }

  // The tree renders a format when it is asked for it: the reader runs beside
  // the message loop, which answers it.
  std::string ReadClipboard(const std::string& Target)
  {
    std::string file = "/tmp/vtree-x11-" + std::to_string(getpid()) + ".out";
    Run("rm -f " + file + "; (timeout 10 xclip -o -selection clipboard" + (Target.empty() ? "" : " -t " + Target) +
        " > " + file + ".part 2>/dev/null; mv " + file + ".part " + file + ") >/dev/null 2>&1 </dev/null &");
    std::string text;
    PumpUntil([&] {
      std::ifstream in(file, std::ios::binary);
      if (!in)
        return false;
      text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      return true;
    });
    std::remove(file.c_str());
    return text;
  }

  TCustomForm* Form = nullptr;
  TLazyStringTree* Tree = nullptr;
  TNamedNodes Names;
};

}  // namespace

TEST_F(TreeClipboardX11Test, CopiedNodesReachAnotherProgramAsTextAndHtml)
{
  Tree->SelectAllNodes(false);
  Tree->CopySelection();
  ASSERT_TRUE(Tree->TreeStates().Contains(tsCopyPending));
  std::string text = ReadClipboard("");
  EXPECT_NE(text.find("Amis <proches>"), std::string::npos) << text;
  EXPECT_NE(text.find("\tLéa & \"Zoé\""), std::string::npos) << text;
  std::string html = ReadClipboard("text/html");
  EXPECT_NE(html.find(">Amis &lt;proches&gt;</td>"), std::string::npos) << html;
  EXPECT_NE(html.find("<!--StartFragment-->"), std::string::npos) << html;
}

TEST_F(TreeClipboardX11Test, TextFromAnotherProgramPastesWithoutTreeData)
{
  Run("printf 'hors arbre' | xclip -i -selection clipboard >/dev/null 2>&1");
  bool pasted = true;
  EXPECT_TRUE(PumpUntil([&] {
    pasted = Tree->PasteClipboard();
    return true;
  }));
  EXPECT_FALSE(pasted);
  EXPECT_EQ(Tree->HiddenRoot()->SubtreeCount, 3u);
}

TEST_F(TreeClipboardX11Test, TextFromAnotherProgramPastesIntoTheEditor)
{
  Tree->TreeOptions()->SetMiscOptions(Tree->TreeOptions()->MiscOptions() + toEditable);
  Run("printf 'Zoé collée' | xclip -i -selection clipboard >/dev/null 2>&1");
  PLazyNode group = Tree->HiddenRoot()->FirstChildNode;
  TRect label = Tree->NodeDisplayRect(group, NoColumn, true);
  TPoint at = Tree->ClientToScreen(TPoint((label.Left + label.Right) / 2, (label.Top + label.Bottom) / 2));
  Click(at.x, at.y);
  ASSERT_TRUE(PumpUntil([&] { return Tree->Focused() && Tree->FocusedNode() == group; }));
  TypeKeySym(XK_F2);
  ASSERT_TRUE(PumpUntil([&] { return Tree->IsEditing(); }));
  Key(XK_Control_L, true);
  TypeKeySym(XK_v);
  Key(XK_Control_L, false);
  TLTEdit* editor = static_cast<TStringEditLink*>(Tree->EditLink())->Edit();
  EXPECT_TRUE(PumpUntil([&] { return editor->Text().find("Zoé collée") != std::string::npos; })) << editor->Text();
  TypeKeySym(XK_Return);
  ASSERT_TRUE(PumpUntil([&] { return !Tree->IsEditing(); }));
  EXPECT_EQ(UTF8Encode(Names.Cells[1].first), "Zoé collée");
  EXPECT_EQ(UTF8Encode(Tree->Text(group, NoColumn)), "Zoé collée");
}
