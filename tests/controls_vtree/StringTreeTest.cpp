// The string tree: cell text, the width cache, painting of normal and static
// text with the owner's colours, and the caption chunk of the tree stream.
#include "TreeTestSupport.h"

#include "HostLikeTree.h"

#include "controls/vtree/LazyStringTree.h"
#include "controls/vtree/LazyTreeErrors.h"
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
