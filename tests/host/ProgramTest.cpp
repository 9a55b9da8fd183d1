// The program whole, headless and drawn in its own faces: the main window
// with the program's bindings, the real chat library "tessel.so", the smiley
// processor "Quenbyfx.mp" over the newsreader's table, and the network a
// person tries the program with. Start-up, a message waiting then opened by a
// double click with its smiley, the reply, the icon-pack and style menus, the
// open-chat record from another process, and the shut-down.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "HostControls.h"
#include "controls/html/viewer/HtmlView.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/XTBToolbars.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/utility/controls/UtCheckListBox.h"
#include "controls/utility/tray/UtTrayIcon.h"
#include "host/ProgramBindings.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/Icon.h"
#include "platform/classes/stdctrls/Button.h"
#include "platform/classes/stdctrls/CheckBox.h"
#include "platform/classes/stdctrls/Memo.h"
#include "tests/host/MainWindowHarness.h"
#include "tests/support/FindChild.h"

extern char** environ;

namespace {

class Program : public TMainWindowHarness {
protected:
  Program()
  {
    // The program's pictures show what a person sees: its windows draw with
    // the faces their forms ask for, not the other tests' fixed font.
    SetBuiltinFontOnly(false);
    Put("tessel.so");
    Put("Quenbyfx.mp");
    Put("testnet_try.net", "testnet.net");
    std::filesystem::copy(CORVANE_NEWSREADER_FIXTURE, Folder + "MesNews", std::filesystem::copy_options::recursive);
    WriteRegistry("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews]\n\"EmplacementData\"=\"" + Folder +
                  "MesNews/\"\n\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews\\init]\n"
                  "\"FichierSmileys\"=\"smileys.txt\"\n");
  }

  // The program's window, shown, with its tree expanded; the smiley
  // processor ticked when asked.
  TcorvaneMain& Run(bool Smileys = true)
  {
    TcorvaneMain& main = Open(ProgramBindings());
    main.Show();
    if (Smileys)
      main.lstMsgProc()->SetItemChecked(0, true);
    Tree()->TreeOptions()->SetAnimationOptions({});
    for (PLazyNode n = Tree()->FirstTopLevelNode(); n; n = Tree()->NextNode(n))
      if (Tree()->NodeLevel(n) < 2)
        Tree()->SetExpanded(n, true);
    Pump();
    return main;
  }
  TLazyStringTree* Tree() const { return Main->lstPlugContact(); }
  static void Pump() { THeadlessDisplay::PumpMessages(); }

  // The node "network.group.contact" of the tree.
  PLazyNode Node(int Network, int Group, int Contact)
  {
    PLazyNode node = Tree()->FirstTopLevelNode();
    for (int i = 0; node && i < Network; ++i)
      node = Tree()->NextSiblingNode(node);
    node = node ? Tree()->FirstChildOf(node) : nullptr;
    for (int i = 0; node && i < Group; ++i)
      node = Tree()->NextSiblingNode(node);
    node = node ? Tree()->FirstChildOf(node) : nullptr;
    for (int i = 0; node && i < Contact; ++i)
      node = Tree()->NextSiblingNode(node);
    return node;
  }
  std::string TextOf(PLazyNode Node) { return UTF8Encode(Tree()->Text(Node, NoColumn)); }
  int ImageOf(PLazyNode Node)
  {
    bool ghosted = false;
    return Tree()->DoGetImageIndex(Node, ikState, NoColumn, ghosted);
  }
  // Screen point of a node's status image.
  TPoint ImagePoint(PLazyNode Node)
  {
    TRect row = Tree()->NodeDisplayRect(Node, NoColumn, false);
    TRect text = Tree()->NodeDisplayRect(Node, NoColumn, true);
    return Tree()->ClientToScreen(TPoint(text.Left - 10, (row.Top + row.Bottom) / 2));
  }
  void DoubleClick(PLazyNode Node)
  {
    TRect text = Tree()->NodeDisplayRect(Node, NoColumn, true);
    TPoint p = Tree()->ClientToScreen(TPoint(text.Left + 6, (text.Top + text.Bottom) / 2));
    Display->Click(p.x, p.y);
    Pump();
    Display->Click(p.x, p.y);
    Pump();
  }
  // A plug-in item of a network's submenu, by caption.
  TTBCustomItem* NetworkItem(int Network, const std::string& Caption)
  {
    TTBCustomItem* submenu = Main->TbNetWorks()->Items()->Items(Network);
    for (int i = 0; i < submenu->Count(); ++i)
      if (submenu->Items(i)->Caption() == Caption)
        return submenu->Items(i);
    return nullptr;
  }
  static TWinControl* ChatWindow(const std::string& Contact)
  {
    HWND hwnd = FindWindow(nullptr, ("Messages avec " + Contact).c_str());
    return hwnd ? dynamic_cast<TWinControl*>(FindControl(hwnd)) : nullptr;
  }
  static std::string Shown(TWinControl* Chat)
  {
    THtmlView* viewer = FindChild<THtmlView>(Chat);
    viewer->SelectAll();
    return UTF8Encode(viewer->SelText());
  }
  std::vector<std::string> ConsoleFrom(std::size_t First) const
  {
    std::vector<std::string> lines = ConsoleLines();
    return {lines.begin() + std::ptrdiff_t(std::min(First, lines.size())), lines.end()};
  }
  std::vector<std::string> LogOf(std::initializer_list<const char*> Sources) const
  {
    std::vector<std::string> lines;
    for (const TCDebugLine& line : Debug.Lines)
      for (const char* source : Sources)
        if (line.Source == source)
          lines.push_back(line.Source + ": " + line.Text);
    return lines;
  }
  // A region of the screen, as a person sees it.
  std::vector<uint32_t> Picture(TControl* Control)
  {
    TPoint origin = Control->ClientToScreen(TPoint(0, 0));
    return Display->ScreenImage(TRect(origin.x, origin.y, origin.x + Control->Width(), origin.y + Control->Height()));
  }
};

TEST_F(Program, StartsWithItsModulesAndShowsTheContacts)
{
  TcorvaneMain& main = Run(false);
  EXPECT_EQ(ConsoleLines(), (std::vector<std::string>{
                                "Windows XP détecté... Utilisations des packs d'images XP possible",
                                "Connexion avec le gestionnaire de fenêtre...",
                                "Chargement des plug-ins Réseaux...",
                                "Chargement des plug-ins Messages...",
                                "Quenby - Chargement des Smileys...",
                                "Quenby - Ouverture du fichier smileys.txt",
                                "Quenbys - Chargement des smileys terminé :)",
                            }));
  EXPECT_TRUE(main.Core().ChatLibraryBound());
  ASSERT_EQ(main.lstMsgProc()->Items()->Count(), 1);
  EXPECT_EQ(main.lstMsgProc()->Items()->Strings(0), "Smileys MesNews");
  EXPECT_EQ(main.TbNetWorks()->Items()->Items(0)->Caption(), "TestNet");

  // The tree carries the contact list's settings and shows the plug-in's contacts.
  EXPECT_TRUE(Tree()->TreeOptions()->MiscOptions().Contains(toToggleOnDblClick));
  EXPECT_TRUE(Tree()->TreeOptions()->PaintOptions().Contains(toShowTreeLines));
  EXPECT_EQ(Tree()->StateImages(), static_cast<TCustomImageList*>(main.imgStatus()));
  EXPECT_EQ(TextOf(Tree()->FirstTopLevelNode()), "TestNet");
  EXPECT_EQ(TextOf(Node(0, 0, 1)), "bob");
  EXPECT_EQ(TextOf(Node(0, 1, 1)), "eliane");
  EXPECT_EQ(ImageOf(Node(0, 0, 1)), psAway);
}

// The message a person sees first: it waits (tray, balloon, the contact's
// image), a double click replays it with the next one in order, the smiley
// shows as a picture, and the reply reaches the network.
TEST_F(Program, AWaitingMessageOpensOnADoubleClickWithItsSmileyAndTheReplyGoesOut)
{
  TcorvaneMain& main = Run();
  main.MenuItem("mnuConnectAll")->Click();
  NetworkItem(0, "Recevoir un message de test")->Click();
  Pump();
  EXPECT_EQ(main.TrayIcon()->IconIndex(), 3) << "messages wait";
  EXPECT_EQ(ChatWindow("bob"), nullptr);
  PLazyNode bob = Node(0, 0, 1);
  EXPECT_EQ(ImageOf(bob), WaitingImage);
  EXPECT_EQ(main.Core().MessageList().Count(UserID("0;0;1")), 2);

  DoubleClick(bob);
  TWinControl* chat = ChatWindow("bob");
  ASSERT_NE(chat, nullptr);
  EXPECT_EQ(main.TrayIcon()->IconIndex(), 2) << "nothing waits any more";
  EXPECT_EQ(ImageOf(Node(0, 0, 1)), psAway);
  THtmlView* viewer = FindChild<THtmlView>(chat);
  const std::string& source = viewer->DocumentSource();
  const std::size_t first = source.find("Bonjour ! Tu me réponds ? ");
  ASSERT_NE(first, std::string::npos) << source;
  EXPECT_NE(source.find("Bonjour ! Tu me réponds ? ", first + 1), std::string::npos) << "both, in order";
  EXPECT_NE(source.find("sourire.gif"), std::string::npos) << "the smiley is a picture";
  EXPECT_EQ(source.find(":)"), std::string::npos);

  auto* memo = FindChild<TMemo>(chat);
  memo->SetText("Oui, je suis là");
  ITestNetworkControl* net = Net();
  net->ClearJournal();
  FindChild<TButton>(chat)->Click();
  Pump();
  const std::vector<std::string> journal = net->Journal();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "SendToContact(0,1,Oui, je suis là)"), journal.end());
  EXPECT_NE(Shown(chat).find("Oui, je suis là"), std::string::npos);
  EXPECT_EQ(memo->Text(), "");

  // The check box's caption fits beside its 13-pixel box and 4-pixel gap, in
  // the face the form asks for.
  auto* save = FindChild<TCheckBox>(chat);
  HDC dc = GetDC(save->Handle());
  SelectObject(dc, save->Font()->Handle());
  const std::string caption = save->Caption();
  TSize extent{};
  GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &extent);
  ReleaseDC(save->Handle(), dc);
  EXPECT_LE(extent.cx, save->Width() - 13 - 4) << caption;

  ASSERT_TRUE(Display->Screenshot(main.Handle(), BuiltFolder() + "program-main-window.png"));
  ASSERT_TRUE(Display->Screenshot(chat->Handle(), BuiltFolder() + "program-chat-window.png"));
  std::printf("pictures: %sprogram-main-window.png %sprogram-chat-window.png\n", BuiltFolder().c_str(),
              BuiltFolder().c_str());
}

TEST_F(Program, APackChosenFromThePackMenuChangesTheTreesImages)
{
  std::filesystem::create_directories(Folder + "glyphs/Bleu");
  std::unique_ptr<TCustomImageList> blue = NewStatusList(std::vector<COLORREF>(10, RGB(0, 0, 255)));
  for (int i = 0; i < 10; ++i) {
    TIcon icon;
    icon.SetHandle(ImageList_GetIcon(blue->Handle(), i, ILD_NORMAL));
    icon.SaveToFile(Folder + "glyphs/Bleu/" + std::to_string(i) + ".ico");
  }
  TcorvaneMain& main = Run(false);
  ASSERT_EQ(main.mnuPacks()->Count(), 1);
  const TPoint bob = ImagePoint(Node(0, 0, 1));
  const uint32_t before = Display->ScreenPixel(bob.x, bob.y);
  main.mnuPacks()->Items(0)->Click();
  Pump();
  EXPECT_EQ(main.mnuPacks()->Caption(), u"Bleu");
  EXPECT_NE(before, 0x0000FFu);
  EXPECT_EQ(Display->ScreenPixel(bob.x, bob.y), 0x0000FFu) << "repainted without being asked";
}

TEST_F(Program, AThemeChosenFromTheStyleMenuRepaintsTheWindow)
{
  TcorvaneMain& main = Run(false);
  TControl* parts[] = {main.MenuBar(), main.TbNetWorks(), main.ConsolePanel(), main.PluginPanel()};
  std::vector<std::vector<uint32_t>> before;
  for (TControl* part : parts)
    before.push_back(Picture(part));
  main.mnuStyle()->Items(1)->Click();
  Pump();
  EXPECT_EQ(CurrentThemeName(), "OfficeXP");
  EXPECT_EQ(main.mnuStyle()->Caption(), u"OfficeXP");
  for (std::size_t i = 0; i < std::size(parts); ++i)
    EXPECT_NE(Picture(parts[i]), before[i]) << parts[i]->Name() << " is drawn in the new theme";
}

// Runs a helper program of the program folder, pumping this process's
// messages until it ends; answers what it printed.
std::string RunPumping(const std::vector<std::string>& Arguments)
{
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0)
    return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
  std::vector<char*> argv;
  for (const std::string& a : Arguments)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe[1]);
  std::string output;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (spawned == 0 && std::chrono::steady_clock::now() < deadline) {
    THeadlessDisplay::PumpMessages();
    pollfd ready{pipe[0], POLLIN, 0};
    if (::poll(&ready, 1, 5) <= 0)
      continue;
    char buffer[256];
    const ssize_t got = ::read(pipe[0], buffer, sizeof buffer);
    if (got <= 0)
      break;
    output.append(buffer, std::size_t(got));
  }
  ::close(pipe[0]);
  if (spawned == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  return output;
}

TEST_F(Program, TheOpenChatRecordFromAnotherProcessOpensTheRightWindow)
{
  Run(false);
  ITestNetworkControl* net = Net();
  TTestNetworkModel model = net->Model();
  model.Addresses["eliane@travail"] = "0;1;1";
  net->SetModel(model);
  const std::string sender = BuiltFolder() + "openchat_sender";
  EXPECT_EQ(RunPumping({sender, "Autre", "eliane@travail"}), "sent 0\n") << "no network of that name";
  EXPECT_EQ(ChatWindow("eliane"), nullptr);
  EXPECT_EQ(RunPumping({sender, "TestNet", "eliane@travail"}), "sent 1\n");
  EXPECT_NE(ChatWindow("eliane"), nullptr);
  EXPECT_EQ(ChatWindow("bob"), nullptr);
}

TEST_F(Program, ShutDownLogsItsStepsAndUnloadsTheNetworkTheProcessorThenTheLibrary)
{
  TcorvaneMain& main = Run();
  main.MenuItem("mnuConnectAll")->Click();
  DoubleClick(Node(0, 0, 1));
  ASSERT_NE(ChatWindow("bob"), nullptr);
  const std::size_t console = ConsoleLines().size();
  Debug.Lines.clear();
  main.Close();
  EXPECT_EQ(ConsoleFrom(console), (std::vector<std::string>{"Déchargement des plug-ins..."}));
  FreeWindow();
  EXPECT_EQ(ChatWindow("bob"), nullptr);
  // Every load of the modules is given back (the system may keep a module
  // mapped; the loader holds no reference any more).
  for (const char* module : {"testnet.net", "Quenbyfx.mp", "tessel.so"})
    EXPECT_EQ(GetModuleLoadCount(GetModuleHandle((Folder + module).c_str())), 0) << module;
  // The network, then the processor, then the chat library with its windows.
  EXPECT_EQ(LogOf({"corvane.exe", "main", "tessel.dll"}),
            (std::vector<std::string>{
                "corvane.exe: Fermeture de la feuille...",
                "corvane.exe: Liberation des plug-ins réseaux",
                "main: Y a des plugins : 1",
                "main: Effacement du menuItem n°0",
                "main: Liberation du plug-in",
                "main: Libration du Stringlist Protocols1",
                "corvane.exe: Liberation des plug-ins Messages",
                "corvane.exe: Liberation du gestionnaire de message",
                "corvane.exe: (Unload)Liberation du gestionnaire de fenêtre",
                "corvane.exe: Déchargement du gestionnaire de fenêtre",
                "tessel.dll: Déchargement du gestionnaire de fenêtre",
                "tessel.dll: Fermeture de toute les fenêtres",
                "tessel.dll: Déconnexion de Corvane",
                "tessel.dll: Déchargement terminé",
                "corvane.exe: (Free)Liberation du gestionnaire de fenêtre",
                "corvane.exe: Déchargement terminé",
                "corvane.exe: Destruction de la feuille",
            }));
}

}  // namespace
