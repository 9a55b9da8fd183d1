// The string tree: cell text, the width cache, painting of normal and static
// text with the owner's colours, and the caption chunk of the tree stream.
#include "TreeTestSupport.h"

#include <cstring>

#include "HostLikeTree.h"

#include "controls/vtree/LazyDrawTree.h"
#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "controls/vtree/TreeViewQuery.h"
#include "platform/base/MemoryStream.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/forms/Form.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/gdi/Screenshot.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"
#include "tests/support/GoldenImage.h"

namespace {

// The contact list's owner, which also keeps the texts the stream brings back.
struct TContactOwner : TContactTexts {
  std::vector<std::string> NewTexts;
  void NewText(TBaseLazyTree*, PLazyNode Node, TColumnIndex, WideString Text)
  {
    NewTexts.push_back(TTreeOwner::Name(Node) + "=" + UTF8Encode(Text));
  }
};

class StringTreeTest : public TreeFixture {
protected:
  void SetUp() override
  {
    TreeFixture::SetUp();
    Strings = std::make_unique<TLazyStringTree>(nullptr);
    Strings->SetBounds(0, 0, 180, 150);
    Strings->SetButtonFillMode(fmTransparent);
    States = NewStatusImages();
    Strings->SetStateImages(States.get());
  }
  void TearDown() override
  {
    Strings.reset();
    TreeFixture::TearDown();
  }
  void Bind()
  {
    Contacts.Bind(Strings.get());
    Strings->OnNewText = TLSTNewTextEvent(&Contacts, &TContactOwner::NewText);
  }
  void BuildContacts() { BuildContactList(Strings.get()); }
  TPixelImage Paint()
  {
    return PaintToPicture(Strings.get(), 180, 150, ppBackground | ppColumnColor | ppFocusRect | ppSelection | ppDropMark | ppGridLines);
  }
  static int CountPixels(const TPixelImage& P, TRect R, std::uint32_t Rgb)
  {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        n += P.Pixels[std::size_t(y * P.Width + x)] == Rgb;
    return n;
  }
  int WidthWithCanvas(PLazyNode Node)
  {
    HDC dc = CreateCompatibleDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(dc);
    int w = Strings->DoGetNodeWidth(Node, NoColumn, &canvas);
    canvas.SetHandle(nullptr);
    DeleteDC(dc);
    return w;
  }

  TContactOwner Contacts;
  std::unique_ptr<TLazyStringTree> Strings;
  std::unique_ptr<TCustomImageList> States;
};

}  // namespace

TEST_F(StringTreeTest, WithoutAHandlerEveryCellSaysNode)
{
  Strings->SetRootNodeCount(2);
  EXPECT_EQ(Strings->Text(Strings->HiddenRoot()->FirstChildNode, NoColumn), u"Node");
  EXPECT_EQ(Strings->Text(Strings->HiddenRoot()->LastChildNode, 3), u"Node");
  EXPECT_THROW(Strings->Text(nullptr, NoColumn), ELazyTreeError);
}

// Screen tools read a node's name through the tree-view item query.
TEST_F(StringTreeTest, TheTreeViewItemQueryReadsTheNodeText)
{
  Bind();
  BuildContacts();
  PLazyNode contact = Strings->HiddenRoot()->FirstChildNode->FirstChildNode->FirstChildNode;
  char buffer[16];
  std::memset(buffer, '#', sizeof(buffer));
  TTreeViewItemA item{};
  item.mask = TVIF_HANDLE | TVIF_TEXT;
  item.hItem = contact;
  item.pszText = buffer;
  item.cchTextMax = int(sizeof(buffer));
  ASSERT_EQ(Strings->Perform(TVM_GETITEMA, 0, LPARAM(&item)), 1);
  EXPECT_STREQ(buffer, "Contact 1");
  std::memset(buffer, '#', sizeof(buffer));
  item.cchTextMax = 4;
  ASSERT_EQ(Strings->Perform(TVM_GETITEMA, 0, LPARAM(&item)), 1);
  EXPECT_STREQ(buffer, "Con");
  EXPECT_EQ(buffer[4], '#');
}

TEST_F(StringTreeTest, TheMainColumnWidthIsCachedUntilTheFontIsSetOrTheNodeReinitialised)
{
  Bind();
  Strings->SetRootNodeCount(1);
  PLazyNode node = Strings->HiddenRoot()->FirstChildNode;
  int plain = WidthWithCanvas(node);
  EXPECT_GT(plain, 2 * Strings->TextMargin());
  int calls = Contacts.GetTextCalls;
  EXPECT_EQ(WidthWithCanvas(node), plain);
  EXPECT_EQ(Contacts.GetTextCalls, calls) << "the cached width answers without asking again";
  // Setting the font forgets the cached width: the text is asked for again.
  Strings->Perform(WM_SETFONT, 0, 0);
  EXPECT_EQ(WidthWithCanvas(node), plain);
  EXPECT_GT(Contacts.GetTextCalls, calls);
  calls = Contacts.GetTextCalls;
  Strings->ReinitializeNode(node, false);
  EXPECT_EQ(WidthWithCanvas(node), plain);
  EXPECT_GT(Contacts.GetTextCalls, calls);
}

TEST_F(StringTreeTest, TheContactListPaintsEachTextInTheColourOfItsStatus)
{
  Bind();
  BuildContacts();
  TPixelImage p = Paint();
  std::string message;
  EXPECT_TRUE(MatchesGolden(p, std::string(VTREE_GOLDEN_DIR) + "/string-contacts.png", &message)) << message;
  // Row 2 is "Contact 1" (green), row 3 "Contact 2" (red); networks and groups black.
  int rowHeight = int(Strings->DefaultNodeHeight());
  TRect row2(0, 2 * rowHeight, 180, 3 * rowHeight), row3(0, 3 * rowHeight, 180, 4 * rowHeight);
  EXPECT_GT(CountPixels(p, row2, 0x008000), 10);
  EXPECT_EQ(CountPixels(p, row2, 0xC00000), 0);
  EXPECT_GT(CountPixels(p, row3, 0xC00000), 10);
  EXPECT_GT(CountPixels(p, TRect(0, 0, 180, rowHeight), 0), 10);
}

TEST_F(StringTreeTest, StaticTextFollowsOnlyWhenSwitchedOnAndNotCentred)
{
  Bind();
  Contacts.Static = u"(absent)";
  Strings->SetRootNodeCount(1);
  TRect row(0, 0, 180, int(Strings->DefaultNodeHeight()));
  EXPECT_EQ(CountPixels(Paint(), row, 0x0080FF), 0);
  Strings->SetStringOptions(Strings->StringOptions() + toShowStaticText);
  EXPECT_GT(CountPixels(Paint(), row, 0x0080FF), 10);
  Strings->SetAlignment(taCenter);
  EXPECT_EQ(CountPixels(Paint(), row, 0x0080FF), 0);
  Strings->SetAlignment(taLeftJustify);
  Strings->HiddenRoot()->FirstChildNode->StateBits |= nfMultiline;
  EXPECT_EQ(CountPixels(Paint(), row, 0x0080FF), 0);
}

TEST_F(StringTreeTest, CaptionsTravelInTheStreamAndComeBackThroughOnNewText)
{
  Bind();
  Strings->SetRootNodeCount(2);
  Strings->TreeOptions()->SetMiscOptions(Strings->TreeOptions()->MiscOptions() - toInitOnSave);
  Strings->SetNodeChildCount(Strings->HiddenRoot()->FirstChildNode, 1);
  Strings->InitializeNode(Strings->HiddenRoot()->FirstChildNode);
  Strings->InitializeNode(Strings->HiddenRoot()->FirstChildNode->FirstChildNode);
  // The second top-level node stays uninitialised: no caption for it. A
  // node's caption follows its children.
  TMemoryStream stream;
  Strings->WriteTreeStream(&stream);
  stream.SetPosition(0);
  TLazyStringTree reader(nullptr);
  reader.OnNewText = TLSTNewTextEvent(&Contacts, &TContactOwner::NewText);
  reader.ReadTreeStream(&stream);
  EXPECT_EQ(Contacts.NewTexts, (std::vector<std::string>{"0.0=Groupe 1", "0=Reseau 1"}));
  EXPECT_EQ(reader.RootNodeCount(), 2u);

  // Without toSaveCaptions nothing is written.
  Contacts.NewTexts.clear();
  Strings->SetStringOptions({});
  TMemoryStream bare;
  Strings->WriteTreeStream(&bare);
  bare.SetPosition(0);
  TLazyStringTree reader2(nullptr);
  reader2.OnNewText = TLSTNewTextEvent(&Contacts, &TContactOwner::NewText);
  reader2.ReadTreeStream(&bare);
  EXPECT_TRUE(Contacts.NewTexts.empty());
  EXPECT_LT(bare.Size(), stream.Size());
}

TEST_F(StringTreeTest, SearchMatchesAnExactPrefix)
{
  Bind();
  Strings->SetRootNodeCount(1);
  PLazyNode node = Strings->HiddenRoot()->FirstChildNode;
  struct Case { const char16_t* Text; int Result; };
  for (Case c : {Case{u"Res", 0}, Case{u"Reseau 1", 0}, Case{u"", 0}, Case{u"res", 1}, Case{u"Reseau 12", 1}})
    EXPECT_EQ(Strings->CompareForSearch(node, c.Text), c.Result) << UTF8Encode(c.Text);
}

// Typed letters find nodes by their cell text when the owner gives no
// compare of its own.
TEST_F(StringTreeTest, TypingSearchesTheCellTextsWithoutAHandler)
{
  TInputStage stage;
  stage.Open(TRect(0, 0, 300, 200), Strings.get(), TRect(0, 0, 180, 150));
  stage.Form->Show();
  Application()->ProcessMessages();
  Bind();
  BuildContacts();
  Strings->SetIncrementalSearch(isAll);
  Strings->SetFocus();
  Strings->SetFocusedNode(At("0", Strings.get()));
  ASSERT_TRUE(Strings->Focused());
  auto type = [&](const char* text) {
    stage.Display->TypeText(text);
    Application()->ProcessMessages();
  };
  type("c");  // compared exactly: "Contact" does not begin with "c"
  EXPECT_EQ(Strings->FocusedNode(), At("0", Strings.get()));
  type("C");
  EXPECT_EQ(Strings->FocusedNode(), At("0.0.0", Strings.get()));
  type("C");  // the same letter again steps to the next contact
  EXPECT_EQ(Strings->FocusedNode(), At("0.0.1", Strings.get()));
  type("x");  // no text begins with "Cx": nothing moves
  EXPECT_EQ(Strings->FocusedNode(), At("0.0.1", Strings.get()));
  EXPECT_EQ(Strings->SearchText(), "C");
  stage.Close(Strings.get());
}

// A multi-line node needs as many lines as its text breaks into at the
// cell's width; other nodes keep their height.
TEST_F(StringTreeTest, AMultiLineNodeIsAsHighAsItsBrokenText)
{
  struct TLongText {
    void GetText(TBaseLazyTree*, PLazyNode, TColumnIndex, TLSTTextType, WideString& Text)
    {
      Text = u"Jean-Baptiste Poquelin est en ligne depuis ce matin";
    }
  } owner;
  Strings->OnGetText = TLSTGetTextEvent(&owner, &TLongText::GetText);
  Strings->SetRootNodeCount(2);
  PLazyNode multi = Strings->HiddenRoot()->FirstChildNode, single = multi->FollowingSibling;
  multi->StateBits |= nfMultiline;
  HDC dc = CreateCompatibleDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(Strings->Font());
  int line = canvas.TextHeight("Wy");
  int height = Strings->ComputeNodeHeight(&canvas, multi, NoColumn);
  EXPECT_GE(height, 2 * line) << "the text breaks into several lines in 180 pixels";
  EXPECT_EQ(height % line, 0);
  Strings->SetBounds(0, 0, 1000, 150);
  EXPECT_EQ(Strings->ComputeNodeHeight(&canvas, multi, NoColumn), line) << "one line when it fits";
  EXPECT_EQ(Strings->ComputeNodeHeight(&canvas, single, NoColumn), int(single->NodeHeight));
  canvas.SetHandle(nullptr);
  DeleteDC(dc);
}

// The owner-drawn tree leaves every cell and hint to its owner.
TEST_F(StringTreeTest, TheOwnerDrawnTreeAsksItsOwnerForCellsWidthsAndHints)
{
  struct TDrawer {
    std::vector<std::string> Seen;
    void DrawNode(TBaseLazyTree*, const TLtPaintInfo& Info)
    {
      Seen.push_back("draw " + TTreeOwner::Name(Info.Node));
    }
    void Width(TBaseLazyTree*, TCanvas*, PLazyNode Node, TColumnIndex, int& NodeWidth)
    {
      if (Node->SiblingIndex == 1)
        NodeWidth = 70;
    }
    void HintSize(TBaseLazyTree*, PLazyNode Node, TColumnIndex, TRect& R)
    {
      if (Node->SiblingIndex == 1)
        R = TRect(0, 0, 40, 20);
    }
  } drawer;
  TLazyDrawTree tree(nullptr);
  tree.SetBounds(0, 0, 180, 150);
  tree.OnDrawNode = TLTDrawNodeEvent(&drawer, &TDrawer::DrawNode);
  tree.OnGetNodeWidth = TLTGetNodeWidthEvent(&drawer, &TDrawer::Width);
  tree.OnGetHintSize = TLTGetHintSizeEvent(&drawer, &TDrawer::HintSize);
  tree.SetRootNodeCount(2);
  PLazyNode first = tree.HiddenRoot()->FirstChildNode, second = first->FollowingSibling;
  EXPECT_EQ(tree.DoGetNodeWidth(first, NoColumn, nullptr), 2 * tree.TextMargin());
  EXPECT_EQ(tree.DoGetNodeWidth(second, NoColumn, nullptr), 70);
  PaintToPicture(&tree, 180, 150, ppBackground | ppSelection);
  EXPECT_EQ(drawer.Seen, (std::vector<std::string>{"draw 0", "draw 1"}));
  EXPECT_TRUE(tree.OwnerDrawsHints());
  TRect none = tree.DoGetHintSize(first, NoColumn);
  EXPECT_TRUE(IsRectEmpty(&none));
  EXPECT_EQ(tree.DoGetHintSize(second, NoColumn), TRect(0, 0, 40, 20));
}
