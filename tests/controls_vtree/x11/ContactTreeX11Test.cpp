// The contact list in a real X11 window: the screen shows the headless golden
// picture, and clicks, keys and the wheel given through XTest focus, move,
// collapse and scroll as they do on the headless display.
#include "X11TestSupport.h"

#include <X11/keysym.h>

#include <memory>

#include "HostLikeTree.h"
#include "controls/vtree/LazyTreeHintWindow.h"
#include "platform/classes/classes.h"
#include "platform/win/gdi/Text.h"
#include "tests/support/GoldenImage.h"

namespace {

class ContactTreeX11Test : public X11Fixture {
protected:
  // The size of the golden picture, which the tree's client area takes.
  static constexpr int ClientW = 180, ClientH = 150;

  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    Application()->Initialize();
    SetBuiltinFontOnly(true);
    Form = TCustomForm::Create<TForm>(Application());
    Form->SetPosition(poDesigned);
    Form->SetBounds(120, 90, 260, 240);
    Tree = new TLazyStringTree(Form);
    Tree->SetParent(Form);
    Tree->SetButtonFillMode(fmTransparent);
    States = NewStatusImages();
    Tree->SetStateImages(States.get());
    Texts.Bind(Tree);
    BuildContactList(Tree);
    // Border and scroll bar outside the client area of the golden's size.
    Tree->SetBounds(0, 0, ClientW, ClientH);
    Tree->SetBounds(0, 0, 2 * ClientW - Tree->ClientWidth(), 2 * ClientH - Tree->ClientHeight());
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Viewable(XOf(Form->Handle())); }));
    ASSERT_EQ(Tree->ClientWidth(), ClientW);
    ASSERT_EQ(Tree->ClientHeight(), ClientH);
  }
  void TearDown() override
  {
    if (Form)
      Form->Free();
    SetBuiltinFontOnly(false);
    X11Fixture::TearDown();
  }

  // The tree's client area as the server shows it.
  std::vector<uint32_t> ShownClient()
  {
    TRect frame;
    GetWindowRect(Form->Handle(), &frame);
    TPoint origin = Tree->ClientToScreen(TPoint(0, 0));
    int dx = origin.x - frame.Left, dy = origin.y - frame.Top;
    int width = dx + ClientW;
    std::vector<uint32_t> all = ServerPixels(XOf(Form->Handle()), width, dy + ClientH);
    std::vector<uint32_t> client;
    if (all.empty())
      return client;
    for (int y = dy; y < dy + ClientH; ++y)
      client.insert(client.end(), all.begin() + y * width + dx, all.begin() + y * width + dx + ClientW);
    return client;
  }
  TPoint OnScreen(PLazyNode Node, bool Label)
  {
    TRect r = Tree->NodeDisplayRect(Node, NoColumn, Label);
    int x = Label ? (r.Left + r.Right) / 2
                  : int(Tree->NodeLevel(Node)) * int(Tree->Indent()) + int(Tree->Indent()) / 2;
    return Tree->ClientToScreen(TPoint(x, (r.Top + r.Bottom) / 2));
  }
  PLazyNode Node(unsigned Network, unsigned Group, int Contact = -1)
  {
    PLazyNode n = Tree->HiddenRoot()->FirstChildNode;
    for (unsigned i = 0; i < Network; ++i)
      n = n->FollowingSibling;
    n = n->FirstChildNode;
    for (unsigned i = 0; i < Group; ++i)
      n = n->FollowingSibling;
    for (PLazyNode c = n->FirstChildNode; Contact >= 0 && c; c = c->FollowingSibling)
      if (c->SiblingIndex == unsigned(Contact))
        return c;
    return n;
  }

  TCustomForm* Form = nullptr;
  TLazyStringTree* Tree = nullptr;
  std::unique_ptr<TCustomImageList> States;
  TContactTexts Texts;
};

}  // namespace

TEST_F(ContactTreeX11Test, LooksLikeTheHeadlessGoldenAndAnswersClicksKeysAndTheWheel)
{
  TPixelImage golden;
  ASSERT_TRUE(ReadPng(std::string(VTREE_GOLDEN_DIR) + "/string-contacts.png", golden));
  ASSERT_EQ(golden.Width, ClientW);
  ASSERT_EQ(golden.Height, ClientH);
  EXPECT_TRUE(PumpUntil([&] { return ShownClient() == golden.Pixels; }))
      << "the screen does not show the headless golden picture";

  // The wheel scrolls by the system's lines, as far as the tree reaches, and back.
  TPoint middle = Tree->ClientToScreen(TPoint(ClientW / 2, ClientH / 2));
  MoveTo(middle.x, middle.y);
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  int range = int(Tree->HiddenRoot()->SubtreeHeight - Tree->HiddenRoot()->NodeHeight) - ClientH;
  ASSERT_GT(range, 0);
  const int down = -std::min(range, int(lines) * int(Tree->DefaultNodeHeight()));
  Click(middle.x, middle.y, 5);
  EXPECT_TRUE(PumpUntil([&] { return Tree->OffsetY() == down; })) << Tree->OffsetY();
  Click(middle.x, middle.y, 4);
  EXPECT_TRUE(PumpUntil([&] { return Tree->OffsetY() == 0; })) << Tree->OffsetY();
  EXPECT_TRUE(PumpUntil([&] { return ShownClient() == golden.Pixels; })) << "scrolled back, the picture is the same";

  // A click on a contact focuses and selects it; Down moves to the next one.
  PLazyNode second = Node(0, 0, 1);
  TPoint at = OnScreen(second, true);
  Click(at.x, at.y);
  ASSERT_TRUE(PumpUntil([&] { return Tree->Focused() && Tree->FocusedNode() == second; }));
  EXPECT_TRUE(second->Has(nfSelected));
  TypeKeySym(XK_Down);
  PLazyNode third = Node(0, 0, 2);
  EXPECT_TRUE(PumpUntil([&] { return Tree->FocusedNode() == third; }));
  EXPECT_TRUE(third->Has(nfSelected));
  EXPECT_FALSE(second->Has(nfSelected));

  // Left goes up to the group, Left again collapses it.
  PLazyNode group = Node(0, 0);
  TypeKeySym(XK_Left);
  EXPECT_TRUE(PumpUntil([&] { return Tree->FocusedNode() == group; }));
  TypeKeySym(XK_Left);
  EXPECT_TRUE(PumpUntil([&] { return !group->Has(nfExpanded); }));

  // A click on its button expands it again, leaving the focus where it is.
  at = OnScreen(group, false);
  Click(at.x, at.y);
  EXPECT_TRUE(PumpUntil([&] { return group->Has(nfExpanded); }));
  EXPECT_EQ(Tree->FocusedNode(), group);
}

// With hints on, a contact whose name the narrowed list cuts off shows its
// whole name in a tooltip when the mouse rests on it.
TEST_F(ContactTreeX11Test, HoveringACutContactShowsItsName)
{
  Tree->SetShowHint(true);
  Tree->SetHintMode(hmTooltip);
  Tree->SetHintAnimation(hatNone);
  Tree->SetBounds(0, 0, 115, 2 * ClientH - Tree->ClientHeight());
  PLazyNode contact = Node(0, 0, 2);
  TRect text = Tree->NodeDisplayRect(contact, NoColumn, true, true);
  ASSERT_GT(text.Right, Tree->ClientWidth()) << "the name must be cut for a tooltip";
  ASSERT_LT(text.Left + 3, Tree->ClientWidth());
  TPoint at = Tree->ClientToScreen(TPoint(text.Left + 3, (text.Top + text.Bottom) / 2));
  Click(at.x, at.y);
  ASSERT_TRUE(PumpUntil([&] { return Tree->Focused() && Tree->FocusedNode() == contact; }));
  MoveTo(at.x + 1, at.y);
  TLazyTreeHintWindow* hint = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    hint = dynamic_cast<TLazyTreeHintWindow*>(Application()->HintWindow());
    return hint && hint->HandleAllocated() && IsWindowVisible(hint->Handle());
  })) << "no tooltip shown";
  EXPECT_EQ(hint->HintData().HintText, "Contact 3");
  TRect shown;
  GetWindowRect(hint->Handle(), &shown);
  EXPECT_EQ(shown.Left, Tree->ClientToScreen(TPoint(text.Left - 1, 0)).x);
  EXPECT_EQ(shown.Width(), text.Width() + 2);
  std::vector<uint32_t> pixels = ServerPixels(XOf(hint->Handle()), shown.Width(), shown.Height());
  ASSERT_FALSE(pixels.empty());
  COLORREF info = ColorToRGB(clInfoBk);
  uint32_t infoRgb = (GetRValue(info) << 16) | (GetGValue(info) << 8) | GetBValue(info);
  EXPECT_TRUE(PumpUntil([&] {
    pixels = ServerPixels(XOf(hint->Handle()), shown.Width(), shown.Height());
    return !pixels.empty() && pixels[std::size_t(shown.Width() + 1)] == infoRgb;
  })) << "the tooltip is not on the screen";
}
