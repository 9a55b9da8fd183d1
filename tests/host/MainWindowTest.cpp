// The main window as the program makes it: its start-up console lines, the
// open-chat request delivered as WM_COPYDATA, its View and Debug commands, the
// style menu, the closing order, and a picture of it.
#include <cstring>

#include "api/OpenChat.h"
#include "controls/themes/TBWAlignmentPanel.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWLabel.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/XTBItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/toolbar/TBPopupMenu.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "platform/win/window/Messages.h"
#include "tests/host/MainWindowHarness.h"

namespace {

class MainWindow : public TMainWindowHarness {
protected:
  // A chat library, one network with the contact "bob" at 0;0;1, one processor.
  void PutProgram()
  {
    PutChatLibrary();
    Put("testnet.net");
    Put("testmp.mp");
    TTestNetworkModel model = OneGroup("TestNet", {"alice", "bob"});
    model.Addresses["bob"] = "0;0;1";
    Net()->SetModel(model);
  }
  static LRESULT SendOpenChat(HWND Window, const std::string& Network, const std::string& Address,
                              ULONG_PTR Tag = OpenChatRequestTag, DWORD Size = sizeof(OpenChatRequest))
  {
    OpenChatRequest request;
    request.Network = ShortString(Network);
    request.Address = ShortString(Address);
    COPYDATASTRUCT data{Tag, Size, &request};
    return SendMessage(Window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  std::vector<std::string> ItemCaptions(TTBCustomItem* Parent)
  {
    std::vector<std::string> captions;
    for (int i = 0; i < Parent->Count(); ++i)
      captions.push_back(Parent->Items(i)->Caption());
    return captions;
  }
};

TEST_F(MainWindow, StartUpWritesItsConsoleLinesInOrderAndFillsThePanels)
{
  PutProgram();
  TcorvaneMain& main = Open();
  EXPECT_EQ(main.Caption(), "Corvane 2.1");
  EXPECT_EQ(main.Width(), 564);
  EXPECT_EQ(main.Height(), 408);
  EXPECT_EQ(ConsoleLines(), (std::vector<std::string>{
                                "Windows XP détecté... Utilisations des packs d'images XP possible",
                                "Connexion avec le gestionnaire de fenêtre...",
                                "Chargement des plug-ins Réseaux...",
                                "Chargement des plug-ins Messages...",
                            }));
  EXPECT_EQ(Chat()->Journal().front(), "InitManager");
  EXPECT_EQ(main.Core().NetworkCount(), 1);
  ASSERT_EQ(main.lstMsgProc()->Items()->Count(), 1);
  EXPECT_EQ(main.lstMsgProc()->Items()->Strings(0), "Préfixe de test");
  EXPECT_FALSE(main.lstMsgProc()->ItemChecked(0)) << "a processor starts unticked";

  // The last step: the style menu under the switcher's theme.
  EXPECT_EQ(main.mnuStyle()->Caption(), u"Default");
  EXPECT_EQ(ItemCaptions(main.mnuStyle()), (std::vector<std::string>{"Default", "OfficeXP", "Stripes"}));
  EXPECT_EQ(main.mnuPacks()->Caption(), u"Classique");
  EXPECT_EQ(main.TrayIcon()->IconIndex(), -1) << "no tray image before the window shows";
  main.Show();
  EXPECT_EQ(main.TrayIcon()->IconIndex(), 0);
}

TEST_F(MainWindow, MenuBarHoldsTheFormsItems)
{
  PutProgram();
  TcorvaneMain& main = Open();
  TTBCustomItem* bar = main.MenuBar()->Items();
  EXPECT_EQ(ItemCaptions(bar), (std::vector<std::string>{"Corvane", "Affichage", "Aide", "Debug"}));
  EXPECT_EQ(ItemCaptions(bar->Items(0)), (std::vector<std::string>{"Se Connecter", "Se Déconnecter", "", "Quitter"}));
  EXPECT_EQ(ItemCaptions(bar->Items(1)),
            (std::vector<std::string>{"Réseaux", "Console", "Plug-Ins", "Afficher directement les messages"}));
  EXPECT_EQ(ItemCaptions(bar->Items(2)), (std::vector<std::string>{"Aide", "A Propos..."}));
  EXPECT_EQ(ItemCaptions(bar->Items(3)), (std::vector<std::string>{"tessel.dll", "Refresh", "TrayIcon"}));
  for (const char* checked : {"mnuNetWorks", "mnuConsole", "mnuPlugIns", "mnuGestMsg"})
    EXPECT_TRUE(main.MenuItem(checked)->Checked()) << checked;
  EXPECT_FALSE(main.MenuItem("chkDirect")->Checked());
  EXPECT_EQ(main.ConsolePanel()->Caption(), "Console");
  EXPECT_EQ(main.PluginPanel()->Caption(), "Plug-ins");
  EXPECT_EQ(main.DisplayPanel()->Caption(), "Affichage");
  EXPECT_EQ(main.TbNetWorks()->Caption(), "Réseaux");
}

// The record any process may send: only a whole open-chat record naming a
// loaded network exactly opens a window.
TEST_F(MainWindow, OpenChatRecordThroughCopyDataOpensTheRightWindow)
{
  PutProgram();
  IFakeTesselControl* chat = Chat();
  TcorvaneMain& main = Open();
  struct TCase {
    const char* Network;
    const char* Address;
    ULONG_PTR Tag;
    DWORD Size;
    LRESULT Result;
    std::vector<std::string> Windows;
  } cases[] = {
      {"TestNet", "bob", OpenChatRequestTag, sizeof(OpenChatRequest), 1, {"0;0;1"}},
      {"testnet", "bob", OpenChatRequestTag, sizeof(OpenChatRequest), 0, {}},
      {"TestNet", "bob", 1, sizeof(OpenChatRequest), 1, {"0;0;1"}},
      {"TestNet", "bob", OpenChatRequestTag, sizeof(OpenChatRequest) - 1, 0, {}},
      {"Autre", "bob", OpenChatRequestTag, sizeof(OpenChatRequest), 0, {}},
  };
  for (const TCase& c : cases) {
    chat->Reset();
    EXPECT_EQ(SendOpenChat(main.Handle(), c.Network, c.Address, c.Tag, c.Size), c.Result) << c.Network;
    EXPECT_EQ(chat->OpenWindows(), c.Windows) << c.Network << " " << c.Tag << " " << c.Size;
  }
  EXPECT_TRUE(Logged("ProtocolIndex(Autre) : aucun réseau chargé de ce nom", 1));
}

TEST_F(MainWindow, ClosingUnloadsInReverseOrderThenTheWindowGoes)
{
  PutProgram();
  ITestNetworkControl* net = Net();
  ITestProcessorControl* mp = Mp();
  IFakeTesselControl* chat = Chat();
  TcorvaneMain& main = Open();
  main.Show();
  Debug.Lines.clear();
  main.Close();
  FreeWindow();
  std::vector<TCDebugLine> expected = ShutdownLog(1);
  expected.push_back({"corvane.exe", 0, "Destruction de la feuille"});
  EXPECT_EQ(Debug.Lines, expected);
  EXPECT_EQ(net->LiveObjects(), 0);
  EXPECT_EQ(mp->LiveObjects(), 0);
  EXPECT_EQ(chat->Journal().back(), "EndManager");
}

TEST_F(MainWindow, ViewItemsAndCloseButtonsShowAndHideTheirParts)
{
  PutProgram();
  TcorvaneMain& main = Open();
  main.Show();
  struct TCase {
    const char* Item;
    TControl* Part;
  } cases[] = {{"mnuNetWorks", main.TbNetWorks()},
               {"mnuConsole", main.ConsolePanel()},
               {"mnuPlugIns", main.PluginPanel()}};
  for (const TCase& c : cases) {
    TTBCustomItem* item = main.MenuItem(c.Item);
    item->Click();
    EXPECT_FALSE(item->Checked()) << c.Item;
    EXPECT_FALSE(c.Part->Visible()) << c.Item;
    item->Click();
    EXPECT_TRUE(item->Checked()) << c.Item;
    EXPECT_TRUE(c.Part->Visible()) << c.Item;
    static_cast<TTBCustomDockableWindow*>(c.Part)->RequestClose();
    THeadlessDisplay::PumpMessages();
    EXPECT_FALSE(item->Checked()) << c.Item << ": its own close button unchecks it";
    EXPECT_FALSE(c.Part->Visible()) << c.Item;
    item->Click();
    EXPECT_TRUE(c.Part->Visible()) << c.Item;
  }
  main.MenuItem("chkDirect")->Click();
  EXPECT_TRUE(main.Core().DirectDisplay());
  main.MenuItem("chkDirect")->Click();
  EXPECT_FALSE(main.Core().DirectDisplay());
}

TEST_F(MainWindow, DebugItemsRebindTheLibraryAndShowTheBalloon)
{
  PutProgram();
  IFakeTesselControl* chat = Chat();
  TcorvaneMain& main = Open();
  TTBCustomItem* library = main.MenuItem("mnuGestMsg");
  chat->ClearJournal();
  library->Click();
  EXPECT_FALSE(library->Checked());
  EXPECT_FALSE(main.Core().ChatLibraryBound());
  library->Click();
  EXPECT_TRUE(library->Checked());
  EXPECT_TRUE(main.Core().ChatLibraryBound());
  EXPECT_EQ(chat->Journal(), (std::vector<std::string>{"EndManager", "InitManager"}));

  main.MenuItem("mnuTrayIcon")->Click();
  const NOTIFYICONDATA& shown = main.TrayIcon()->NotifyData();
  EXPECT_STREQ(shown.szInfoTitle, "Corvane");
  EXPECT_STREQ(shown.szInfo, "Vous avez recu un nouveau message");
  EXPECT_EQ(shown.dwInfoFlags, DWORD(NIIF_INFO));
}

TEST_F(MainWindow, ProcessorHintIsTheDescriptionOfTheLineUnderTheMouse)
{
  PutProgram();
  TcorvaneMain& main = Open();
  main.Show();
  HWND list = main.lstMsgProc()->Handle();
  SendMessage(list, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
  EXPECT_EQ(main.lstMsgProc()->Hint(), "Met un préfixe devant chaque message");
  SendMessage(list, WM_MOUSEMOVE, 0, MAKELPARAM(20, main.lstMsgProc()->ClientHeight() - 2));
  EXPECT_EQ(main.lstMsgProc()->Hint(), "") << "below the last line";
}

TEST_F(MainWindow, StyleMenuSwitchesTheTheme)
{
  PutProgram();
  TcorvaneMain& main = Open();
  main.mnuStyle()->Items(2)->Click();
  EXPECT_EQ(CurrentThemeName(), "Stripes");
  EXPECT_EQ(main.mnuStyle()->Caption(), u"Stripes");
}

// A picture for a person to look at: build/<preset>/bin/main-window.png.
TEST_F(MainWindow, RendersHeadlessToAPicture)
{
  PutProgram();
  TcorvaneMain& main = Open();
  main.Show();
  THeadlessDisplay::PumpMessages();
  ASSERT_TRUE(Display->Screenshot(main.Handle(), BuiltFolder() + "main-window.png"));
  main.mnuStyle()->Items(1)->Click();
  THeadlessDisplay::PumpMessages();
  ASSERT_TRUE(Display->Screenshot(main.Handle(), BuiltFolder() + "main-window-officexp.png"));
}

}  // namespace

namespace {

// "Se Connecter" reaches every network; the network a person tries the
// program with answers with a message, shown at once with direct display.
TEST_F(MainWindow, ConnectAllReachesTheNetworksAndTheirMessagesArrive)
{
  PutChatLibrary();
  Put("testnet_try.net", "testnet.net");
  IFakeTesselControl* chat = Chat();
  TcorvaneMain& main = Open();
  main.MenuItem("chkDirect")->Click();
  chat->ClearJournal();
  main.MenuItem("mnuConnectAll")->Click();
  EXPECT_EQ(main.Core().Network(0)->GetStatus(), psOnline);
  ASSERT_EQ(chat->OpenWindows(), (std::vector<std::string>{"0;0;1"}));
  const std::vector<std::string> journal = chat->Journal();
  EXPECT_TRUE(std::any_of(journal.begin(), journal.end(), [](const std::string& line) {
    return line.starts_with("NewMessage(0;0;1,") && line.ends_with(",Bonjour ! Tu me réponds ? :),0)");
  }));
  main.MenuItem("mnuDisconnectAll")->Click();
  EXPECT_EQ(main.Core().Network(0)->GetStatus(), psOffline);
}

}  // namespace

TEST_F(MainWindow, TheDisplayPanelsLabelsAndTheTrayPopupCarryTheirTexts)
{
  PutProgram();
  TcorvaneMain& main = Open();
  main.Show();
  // The themed labels, each over its submenu's bar, inside the layout panel.
  TWinControl* panel = main.DisplayPanel();
  ASSERT_EQ(panel->ControlCount(), 1);
  auto* layout = dynamic_cast<TTBWAlignmentPanel*>(panel->Controls(0));
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(layout->Align(), alClient);
  std::vector<std::string> labels;
  for (int i = 0; i < layout->ControlCount(); ++i)
    if (auto* label = dynamic_cast<TTBWLabel*>(layout->Controls(i))) {
      labels.push_back(label->Caption());
      ASSERT_LT(i + 1, layout->ControlCount());
      auto* bar = dynamic_cast<TXTBToolbar*>(layout->Controls(i + 1));
      ASSERT_NE(bar, nullptr) << label->Caption();
      EXPECT_GE(bar->Top(), label->Top() + label->Height()) << label->Caption();
      EXPECT_GT(label->Height(), 0);
    }
  EXPECT_EQ(labels, (std::vector<std::string>{"Style des fenêtres", "Images:"}));
  EXPECT_EQ(main.mnuStyle()->Parent(), dynamic_cast<TXTBToolbar*>(layout->Controls(1))->Items());
  EXPECT_EQ(main.mnuPacks()->Parent(), dynamic_cast<TXTBToolbar*>(layout->Controls(3))->Items());

  auto* tray = dynamic_cast<TTBPopupMenu*>(main.TrayIcon()->PopupMenu());
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(ItemCaptions(tray->Items()), std::vector<std::string>{"Restaurer"});
}
