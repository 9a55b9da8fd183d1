// The networks' submenus on a real themed toolbar: the fixed items and what
// they do, the plug-in items and their procedures, connect-all and
// disconnect-all, and the submenus freed at shut-down.
#include "HostControls.h"

namespace {

class NetworkMenus : public THostControls {
public:
  NetworkMenus()
  {
    PutChatLibrary();
    Put("testnet.net", "a.net");
    Put("testnet.net", "b.net");
    Chat()->Reset();
    TTestNetworkModel first = TwoGroups("Net", psOnline);
    first.Author = "Me";
    Net("a.net")->SetModel(first);
    // The first network adds its own item while it starts.
    TTestHostCall item;
    item.Kind = TTestHostCall::AddNetworkMenuItem;
    item.Text = "Mon item";
    Net("a.net")->OnSlot("Start", item);
    Net("b.net")->SetModel(TwoGroups("Autre", psOnline));
    BoundStarted();
    Net("a.net")->ClearJournal();
    Net("b.net")->ClearJournal();
    Window.TrayIndexes.clear();
  }
  TTBCustomItem* Item(int Network, const std::string& Caption)
  {
    TTBCustomItem* menu = Menus->NetworkMenu(Network);
    for (int i = 0; menu && i < menu->Count(); ++i)
      if (menu->Items(i)->Caption() == Caption)
        return menu->Items(i);
    return nullptr;
  }
  void Click(int Network, const std::string& Caption)
  {
    TTBCustomItem* item = Item(Network, Caption);
    ASSERT_NE(item, nullptr) << Caption;
    item->Click();
  }
  void SetStatus(const char* File, PresenceStatus Status)
  {
    TTestNetworkModel model = Net(File)->Model();
    model.Status = Status;
    Net(File)->SetModel(model);
  }
};

}  // namespace

TEST_F(NetworkMenus, EachNetworkHasItsSubmenuWithTheFixedItemsThenConfigureThenItsOwn)
{
  ASSERT_EQ(Toolbar->Items()->Count(), 2);
  TTBCustomItem* menu = Toolbar->Items()->Items(0);
  EXPECT_EQ(menu->Caption(), "Net");
  EXPECT_EQ(menu->Tag(), 0);
  EXPECT_EQ(Toolbar->Items()->Items(1)->Caption(), "Autre");
  EXPECT_EQ(Toolbar->Items()->Items(1)->Tag(), 1);
  EXPECT_EQ(menu->DisplayMode(), nbdmImageAndText);
  struct Expected {
    const char* caption;
    int image;
    long tag;
  } items[] = {{"Déconnecter", 0, -1}, {"Connecter", 1, -1},       {"Loin", 2, -1}, {"Très loin", 3, -1},
               {"Ne pas déranger", 5, -1}, {"Invisible", 4, -1}, {"", -1, -1},   {"Infos...", 6, -1},
               {"Configurer...", 7, -1}, {"Mon item", -1, -2}};
  ASSERT_EQ(menu->Count(), int(std::size(items)));
  for (int i = 0; i < menu->Count(); ++i) {
    EXPECT_EQ(menu->Items(i)->Caption(), items[i].caption) << i;
    EXPECT_EQ(menu->Items(i)->ImageIndex(), items[i].image) << i;
    EXPECT_EQ(menu->Items(i)->Tag(), items[i].tag) << i;
  }
  EXPECT_NE(dynamic_cast<TTBSeparatorItem*>(menu->Items(6)), nullptr);
  EXPECT_TRUE(Logged("Creation du menu de Net", 0));
  EXPECT_TRUE(Logged("affichage du menu", 0));
}

// Only "Déconnecter" changes the submenu's image; the other status items
// leave it to the plug-in's next refresh.
TEST_F(NetworkMenus, StatusItemsSetTheStatusAndOnlyDisconnectChangesTheSubmenusImage)
{
  const int image = Menus->NetworkMenu(0)->ImageIndex();
  struct Case {
    const char* caption;
    const char* call;
  } cases[] = {{"Connecter", "SetStatus(1)"}, {"Loin", "SetStatus(2)"}, {"Très loin", "SetStatus(3)"},
               {"Ne pas déranger", "SetStatus(5)"}, {"Invisible", "SetStatus(4)"}};
  for (const Case& c : cases) {
    Net("a.net")->ClearJournal();
    Click(0, c.caption);
    std::vector<std::string> journal = Net("a.net")->Journal();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(journal.front(), c.call) << c.caption;
    EXPECT_EQ(Menus->NetworkMenu(0)->ImageIndex(), image) << c.caption;
  }
  ASSERT_NE(Net("a.net")->Model().Status, image) << "the plug-in reports a status the image does not show";
  Click(0, "Déconnecter");
  EXPECT_EQ(Menus->NetworkMenu(0)->ImageIndex(), Net("a.net")->Model().Status);
  EXPECT_TRUE(Logged("Click sur connecter", 0));
  EXPECT_EQ(Window.TrayIndexes, (std::vector<int>{2}));
}

TEST_F(NetworkMenus, ConnectShowsTheWaitingTrayWhileMessagesWait)
{
  TTestHostCall message;
  message.Kind = TTestHostCall::ReceiveMessage;
  message.Key = "0;0;0";
  message.Text = "bonjour";
  ASSERT_TRUE(Net("b.net")->CallHost(message));
  Click(0, "Connecter");
  EXPECT_EQ(Window.TrayIndexes.back(), 3);
}

TEST_F(NetworkMenus, DisconnectShowsOfflineOnlyWhenEveryNetworkIs)
{
  SetStatus("a.net", psOffline);
  Click(0, "Déconnecter");
  EXPECT_EQ(Net("a.net")->Journal().front(), "Disconnect");
  EXPECT_EQ(Menus->NetworkMenu(0)->ImageIndex(), psOffline);
  EXPECT_TRUE(Window.TrayIndexes.empty()) << "the second network is still connected";
  SetStatus("b.net", psOffline);
  Click(1, "Déconnecter");
  EXPECT_EQ(Window.TrayIndexes, (std::vector<int>{0}));
}

TEST_F(NetworkMenus, InfosAndConfigure)
{
  Click(0, "Infos...");
  EXPECT_EQ(Info.Texts, (std::vector<std::string>{"Plugin: Net\r\n\r\nVersion: 3\r\nAuteur: Me"}));
  Click(1, "Configurer...");
  EXPECT_EQ(Net("b.net")->Journal(), (std::vector<std::string>{"Configure"}));
  EXPECT_TRUE(Logged("Click sur Configurer...", 0));
}

TEST_F(NetworkMenus, PlugInItemsCallTheirProcedureAndUnknownTagsOrProceduresAreHandled)
{
  Click(0, "Mon item");
  EXPECT_EQ(Net("a.net")->Journal(), (std::vector<std::string>{"TestProc"}));

  TTestHostCall item;
  item.Kind = TTestHostCall::AddNetworkMenuItem;
  item.Tag = 7;
  item.Text = "Perdu";
  ASSERT_TRUE(Net("b.net")->CallHost(item));
  EXPECT_EQ(Window.Console.back(), "Erreur de creation de menu");

  item.Tag = 1;
  item.ProcName = "NoSuchExport";
  item.Text = "Sans procédure";
  ASSERT_TRUE(Net("b.net")->CallHost(item));
  Click(1, "Sans procédure");  // does nothing
  EXPECT_EQ(Item(1, "Sans procédure")->Tag(), PluginItemTag);
}

TEST_F(NetworkMenus, ShutDownFreesEverySubmenu)
{
  Core->Shutdown();
  EXPECT_EQ(Toolbar->Items()->Count(), 0);
  EXPECT_TRUE(Logged("Effacement du menuItem n°1", 0));
}
