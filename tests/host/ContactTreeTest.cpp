// The contact list bound to a real lazy string tree on a headless form:
// levels, texts, colours and images from the plug-in and the pending list,
// the double click that replays pending messages, the popup per level, and
// the refreshes plug-ins ask for.
#include "HostControls.h"
#include "controls/toolbar/TBPopupMenu.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"

namespace {

class ContactTree : public THostControls {
public:
  ContactTree()
  {
    PutChatLibrary();
    Put("testnet.net");
    Chat()->Reset();
    Net()->SetModel(TwoGroups());
    BoundStarted();
    ExpandAll();
    Chat()->ClearJournal();
    Net()->ClearJournal();
  }
  void Receive(const std::string& Key, TDateTime Time, const std::string& Text)
  {
    TTestHostCall call;
    call.Kind = TTestHostCall::ReceiveMessage;
    call.Key = Key;
    call.Time = Time;
    call.Text = Text;
    ASSERT_TRUE(Net()->CallHost(call));
    Pump();
  }
  // The colour the tree's text of Node is painted in (from clWindowText).
  TColor TextColorOf(PLazyNode Node)
  {
    TBitmap bitmap;
    bitmap.SetWidth(4);
    bitmap.SetHeight(4);
    bitmap.Canvas()->Font()->SetColor(clWindowText);
    Tree->DoPaintText(Node, bitmap.Canvas(), NoColumn, ttNormal);
    return bitmap.Canvas()->Font()->Color();
  }
};

}  // namespace

TEST_F(ContactTree, ShowsTheNetworksGroupsAndContactsWithTheirStatuses)
{
  EXPECT_EQ(Tree->RootNodeCount(), 1u);
  struct Row {
    const char* path;
    const char* text;
    int image;
    TColor color;
  } rows[] = {
      {"0", "Réseau Test", psOnline, 0x008000},  {"0.0", "Amis", GroupImage, clWindowText},
      {"0.0.0", "Alice", psOnline, 0x008000},    {"0.0.1", "Bruno", psAway, 0x002400},
      {"0.0.2", "Chloé", psOffline, 0x0000FF},   {"0.1", "Travail", GroupImage, clWindowText},
      {"0.1.0", "Denis", psDoNotDisturb, 0x808000},
  };
  for (const Row& row : rows) {
    PLazyNode node = Node(row.path);
    ASSERT_NE(node, nullptr) << row.path;
    EXPECT_EQ(TextOf(node), row.text) << row.path;
    EXPECT_EQ(ImageOf(node), row.image) << row.path;
    EXPECT_EQ(TextColorOf(node), row.color) << row.path;
  }
  EXPECT_EQ(Node("0")->ChildCount, 2u);
  EXPECT_EQ(Binding->Node2UserID(Node("0.1.0")).str(), "0;1;0");
}

TEST_F(ContactTree, TextColoursFollowTheStatusAndAnUnknownOneLeavesTheFont)
{
  const TColor expected[] = {0x0000FF, 0x008000, 0x002400, 0x000000, 0x800080, 0x808000, clWindowText};
  for (int status = 0; status <= 6; ++status) {
    TTestNetworkModel model = TwoGroups();
    model.Groups[0].Contacts[0].Status = PresenceStatus(status);
    Net()->SetModel(model);
    EXPECT_EQ(TextColorOf(Node("0.0.0")), expected[status]) << status;
  }
}

TEST_F(ContactTree, PaintsTheTestNetwork)
{
  Receive("0;0;1", 45000.25, "coucou");
  TPixelImage picture = TreePicture();
  const std::string path = BuiltFolder() + "host-contact-tree.png";
  ASSERT_TRUE(WritePng(path, picture));
  // The form with the network toolbar above the tree, for a person to look at.
  EXPECT_TRUE(Display->Screenshot(Form->Handle(), BuiltFolder() + "host-contact-form.png"));
  // Bruno's row shows the waiting image, Alice's her status image.
  auto colorAt = [&](TPoint p) { return picture.Pixels[std::size_t(p.y * picture.Width + p.x)]; };
  auto rgb = [](COLORREF c) { return (std::uint32_t(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
  EXPECT_EQ(colorAt(ImagePoint(Node("0.0.1"))), rgb(ClassicColors[WaitingImage]));
  EXPECT_EQ(colorAt(ImagePoint(Node("0.0.0"))), rgb(ClassicColors[psOnline]));
  EXPECT_EQ(colorAt(ImagePoint(Node("0.1"))), rgb(ClassicColors[GroupImage]));
}

TEST_F(ContactTree, ADoubleClickOnTheWaitingImageReplaysThatContactsMessagesInOrder)
{
  Receive("0;0;1", 45000.25, "premier");
  Receive("0;0;1", 45000.5, "second");
  ASSERT_EQ(ImageOf(Node("0.0.1")), WaitingImage);
  // Another contact had the focus: the press on Bruno's image must move it.
  ClickAt(TextPoint(Node("0.0.0")));
  ASSERT_EQ(Tree->FocusedNode(), Node("0.0.0"));
  Chat()->ClearJournal();
  DoubleClickAt(ImagePoint(Node("0.0.1")));
  EXPECT_EQ(Chat()->Journal(), (std::vector<std::string>{
                                   "NewMessage(0;0;1,45000.25,premier,0)", "MessageIsOpen(0;0;1)",
                                   "NewMessage(0;0;1,45000.5,second,0)", "MessageIsOpen(0;0;1)"}));
  EXPECT_TRUE(Logged("Node2UserID: 0;0;1", 0));
  EXPECT_EQ(ImageOf(Node("0.0.1")), psAway);
  EXPECT_EQ(Window.TrayIndexes.back(), 2);
}

TEST_F(ContactTree, ADoubleClickWithoutPendingMessagesOpensAnEmptyChatForThatContact)
{
  ClickAt(TextPoint(Node("0.0.0")));
  Chat()->ClearJournal();
  DoubleClickAt(ImagePoint(Node("0.1.0")));
  EXPECT_EQ(Chat()->Journal(), (std::vector<std::string>{"NewMessageFromMe(0;1;0)"}));
}

TEST_F(ContactTree, ADoubleClickOnAGroupANetworkOrNoNodeOpensNothing)
{
  DoubleClickAt(TextPoint(Node("0.0")));
  DoubleClickAt(TextPoint(Node("0")));
  // Nor one on empty space while a contact has the focus.
  ClickAt(TextPoint(Node("0.0.0")));
  DoubleClickAt(TPoint(20, Tree->ClientHeight() - 5));
  EXPECT_TRUE(Chat()->Journal().empty());
}

TEST_F(ContactTree, TheRightButtonPreparesThePopupOfTheLevelUnderTheMouse)
{
  TTestHostCall item;
  item.Kind = TTestHostCall::AddVisiblePopupItem;
  item.Text = "Profil";
  Net()->OnSlot("BuildContactMenu", item);

  RightPressAt(TPoint(20, Tree->ClientHeight() - 5), [&] {
    EXPECT_EQ(Tree->PopupMenu(), nullptr) << "empty space";
    EXPECT_EQ(Popup->LinkSubitems(), nullptr);
  });
  RightPressAt(TextPoint(Node("0")), [&] {
    EXPECT_EQ(Tree->PopupMenu(), Popup);
    EXPECT_EQ(Popup->LinkSubitems(), Menus->NetworkMenu(0)) << "a network shows its submenu";
  });
  RightPressAt(TextPoint(Node("0.1")), [&] {
    EXPECT_EQ(Tree->PopupMenu(), nullptr) << "a group the plug-in adds nothing to";
    EXPECT_EQ(Popup->LinkSubitems(), nullptr);
  });
  RightPressAt(ImagePoint(Node("0.0.2")), [&] {
    EXPECT_EQ(Tree->PopupMenu(), Popup);
    ASSERT_EQ(Popup->Items()->Count(), 1);
    EXPECT_EQ(Popup->Items()->Items(0)->Caption(), "Profil");
    EXPECT_EQ(Tree->FocusedNode(), Node("0.0.2"));
    Popup->Items()->Items(0)->Click();
  });
  std::vector<std::string> menuCalls;
  for (const std::string& line : Net()->Journal())
    if (line.rfind("Get", 0) != 0)
      menuCalls.push_back(line);
  EXPECT_EQ(menuCalls, (std::vector<std::string>{"BuildGroupMenu(1)", "BuildContactMenu(0,2)", "TestProc"}));
  // The next press frees the previous node's items.
  RightPressAt(TextPoint(Node("0.1")), [&] { EXPECT_EQ(Popup->Items()->Count(), 0); });
}

TEST_F(ContactTree, ContactsAndStatusesAreAskedAgainWhenThePlugInSaysSo)
{
  TTestNetworkModel model = TwoGroups("Réseau Test", psOffline);
  model.Groups[1].Contacts.push_back({"Émile", psInvisible});
  model.Groups.push_back({"Famille", {}});
  Net()->SetModel(model);
  TTestHostCall refresh;
  refresh.Kind = TTestHostCall::RefreshContacts;
  ASSERT_TRUE(Net()->CallHost(refresh));
  EXPECT_EQ(Node("0")->ChildCount, 3u);
  refresh.Kind = TTestHostCall::RefreshStatus;
  ASSERT_TRUE(Net()->CallHost(refresh));
  // The tree is asked again at the next turn of the loop.
  Pump();
  Tree->SetExpanded(Node("0.1"), true);
  EXPECT_EQ(TextOf(Node("0.1.1")), "Émile");
  EXPECT_EQ(ImageOf(Node("0.1.1")), psInvisible);
  EXPECT_EQ(ImageOf(Node("0")), psOffline);
  // The network's submenu shows offline too.
  EXPECT_EQ(Menus->NetworkMenu(0)->ImageIndex(), psOffline);
}

// Refreshes asked many times in one turn of the loop are done once: what the
// tree shows then is the plug-in's last state, and a refresh asked in a later
// turn is done again.
TEST_F(ContactTree, ManyRefreshesInOneTurnShowThePlugInsLastState)
{
  struct TTurn {
    std::vector<int> ContactsOfTravail;  // one model per refresh of the turn
    std::vector<std::string> ShownUnderTravail;
  } turns[] = {
      {{2, 0, 3}, {"Denis", "Contact 1", "Contact 2"}},
      {{1, 4, 2}, {"Denis", "Contact 1"}},
      {{0}, {}},
  };
  TTestHostCall refresh;
  refresh.Kind = TTestHostCall::RefreshStatus;
  for (const TTurn& turn : turns) {
    for (int contacts : turn.ContactsOfTravail) {
      TTestNetworkModel model = TwoGroups("Réseau Test", psAway);
      model.Groups[1].Contacts.clear();
      for (int c = 0; c < contacts; ++c)
        model.Groups[1].Contacts.push_back({c == 0 ? "Denis" : "Contact " + std::to_string(c), psOnline});
      Net()->SetModel(model);
      ASSERT_TRUE(Net()->CallHost(refresh));
    }
    Pump();
    std::vector<std::string> shown;
    for (PLazyNode node = Node("0.1")->FirstChildNode; node; node = node->FollowingSibling)
      shown.push_back(TextOf(node));
    EXPECT_EQ(shown, turn.ShownUnderTravail);
    EXPECT_EQ(ImageOf(Node("0")), psAway);
  }
}

// A plug-in that asks for a refresh while the tree asks it for its counts
// gets no refresh of its own: otherwise each refresh would ask for the next
// and the loop would never be idle again.
TEST_F(ContactTree, ARefreshAskedDuringTheRefreshDoesNotComeBack)
{
  TTestHostCall refresh;
  refresh.Kind = TTestHostCall::RefreshStatus;
  Net()->OnSlot("GetGroupCount", refresh);
  ASSERT_TRUE(Net()->CallHost(refresh));
  int handled = 0;
  MSG msg;
  while (handled < 100 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessage(&msg);
    ++handled;
  }
  ASSERT_LT(handled, 100);
  Net()->ClearJournal();
  Pump();
  for (const std::string& line : Net()->Journal())
    EXPECT_NE(line, "GetGroupCount");
}

// A plug-in whose every slot throws out of its module.
class ContactTreeHostile : public THostControls {
public:
  ContactTreeHostile()
  {
    Put("testnet_leaky.net");
    Net("testnet_leaky.net")->SetModel(TwoGroups());
    BoundStarted();
    ExpandAll();
  }
};

TEST_F(ContactTreeHostile, APlugInThatFailsLeavesTheTreeUsable)
{
  Net("testnet_leaky.net")->SetFailingAll(true);
  Tree->ReinitializeNode(Tree->HiddenRoot(), true);
  TreePicture();
  ClickAt(TextPoint(Node("0.0")), 1);
  EXPECT_EQ(TextOf(Node("0")), "Node");
  EXPECT_EQ(ImageOf(Node("0")), -1);
  EXPECT_TRUE(Logged("GetText : Échec simulé de GetName", 1));
  EXPECT_TRUE(Logged("MouseDown : Échec simulé de BuildGroupMenu", 1));
  Net("testnet_leaky.net")->SetFailingAll(false);
}

TEST_F(ContactTree, ADoubleClickThatFailsSaysSoWithTheContactsKey)
{
  Receive("0;0;1", 45000.25, "premier");
  Window.FailTray = true;
  Debug.Lines.clear();
  DoubleClickAt(ImagePoint(Node("0.0.1")));
  Window.FailTray = false;
  const std::vector<TCDebugLine> failure = {{"corvane.exe", 1, "Double click sur la liste"},
                                            {"corvane.exe", 1, "UserID : 0;0;1"}};
  EXPECT_NE(std::search(Debug.Lines.begin(), Debug.Lines.end(), failure.begin(), failure.end()), Debug.Lines.end());
}
