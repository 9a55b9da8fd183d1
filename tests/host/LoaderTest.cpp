#include <algorithm>
#include <functional>

#include "tests/host/HostHarness.h"

using Loader = THostHarness;

TEST_F(Loader, LoadsANetworkInTheOrderItsSlotsExpect)
{
  Put("testnet.net");
  ITestNetworkControl* net = Net();
  net->SetModel(OneGroup("Réseau test", {"Bob"}));
  THostCore& host = Started();

  ASSERT_EQ(host.NetworkCount(), 1);
  EXPECT_EQ(host.NetworkNames(), std::vector<std::string>{"Réseau test"});
  EXPECT_EQ(net->Journal(), (std::vector<std::string>{"CreateNetwork", "GetName", "GetName", "SetIndex(0)",
                                                      "SetModule(own)", "Start"}));
  EXPECT_EQ(Window.MenuCalls, (std::vector<std::string>{"AddNetworkMenu(0)", "AddConfigureItem(0)"}));
  ASSERT_EQ(Window.Menus.size(), 1u);
  EXPECT_EQ(Window.Menus[0].second, "Réseau test");
  EXPECT_EQ(Window.RootCount, 1);
  EXPECT_EQ(Window.Console, (std::vector<std::string>{"Windows XP détecté... Utilisations des packs d'images XP possible",
                                                      "Connexion avec le gestionnaire de fenêtre...",
                                                      "Chargement des plug-ins Réseaux...",
                                                      "Chargement des plug-ins Messages..."}));
  EXPECT_TRUE(Logged("Chargement des plug-in réseaux", 0));
  EXPECT_TRUE(Logged("Chargement des plug-ins messages", 0));
}

// Each broken plug-in costs console lines, word for word, and nothing else:
// the good plug-in beside it still loads, and nothing of the broken one stays.
TEST_F(Loader, RefusesEachBrokenPlugInWithItsText)
{
  struct Case {
    const char* name;
    std::function<void(Loader&)> put;
    std::vector<std::string> lines;
  } cases[] = {
      {"not a module", [](Loader& t) { t.PutFile("abimé.net", "ceci n'est pas un module"); },
       {"Erreur avec le fichier abimé.net", "Impossible de charger la DLL"}},
      {"no entry", [](Loader& t) { t.Put("testnet_nocreate.net"); },
       {"Erreur avec le fichier testnet_nocreate.net", "Ce n'est pas un plugin Réseaux Corvane 2.1"}},
      {"entry gives nothing",
       [](Loader& t) {
         t.Put("testnet.net", "vide.net");
         t.Net("vide.net")->SetFailing("CreateNetwork", true);
       },
       {"Erreur avec le fichier vide.net", "Le plug-in n'a pas pu être initialisé"}},
      {"failure let out of GetName",
       [](Loader& t) {
         t.Put("testnet_leaky.net", "nom.net");
         t.Net("nom.net")->SetFailing("GetName", true);
       },
       {"Erreur avec le fichier nom.net", "Échec simulé de GetName"}},
      {"failure let out of Start",
       [](Loader& t) {
         t.Put("testnet_leaky.net", "start.net");
         t.Net("start.net")->SetFailing("Start", true);
       },
       {"Erreur avec le fichier start.net", "Échec simulé de Start"}},
      {"processor not a module", [](Loader& t) { t.PutFile("abimé.mp", "rien"); },
       {"Plug-in Message impossible à charger"}},
      {"processor without entry", [](Loader& t) { t.Put("testmp_nocreate.mp"); },
       {"Plug-in Message impossible à charger"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // A fresh host and folder per case.
    Core.reset();
    Window = TWindowRecorder();
    for (auto& entry : std::filesystem::directory_iterator(Folder))
      std::filesystem::remove(entry.path());
    Put("testnet.net", "zz_bon.net");
    Put("testmp.mp", "zz_bon.mp");
    c.put(*this);
    THostCore& host = Started();

    // From the network plug-ins' heading on (the lines before it say how
    // the start-up went).
    const std::string heading = "Chargement des plug-ins Réseaux...";
    std::vector<std::string> plugInLines(std::find(Window.Console.begin(), Window.Console.end(), heading),
                                         Window.Console.end());
    std::vector<std::string> expected{heading};
    const bool network = c.lines.size() == 2;
    if (network) {
      expected.insert(expected.end(), c.lines.begin(), c.lines.end());
      expected.push_back("Chargement des plug-ins Messages...");
    } else {
      expected.push_back("Chargement des plug-ins Messages...");
      expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    }
    EXPECT_EQ(plugInLines, expected);
    // The good ones still load, and the refused network left no submenu,
    // name or list entry behind: indexes stay parallel.
    EXPECT_EQ(host.NetworkCount(), 1);
    EXPECT_EQ(host.NetworkNames().size(), 1u);
    EXPECT_EQ(Window.Menus.size(), 1u);
    EXPECT_EQ(Window.Menus[0].first, 0);
    EXPECT_EQ(Window.RootCount, 1);
    EXPECT_EQ(host.ProcessorCount(), 1);
    EXPECT_EQ(Window.ProcessorLines.size(), 1u);
  }
}

TEST_F(Loader, ARefusedNetworkIsReleasedAndTheNextTakesItsIndex)
{
  Put("testnet_leaky.net", "a.net");
  Put("testnet.net", "b.net");
  ITestNetworkControl* broken = Net("a.net");
  ITestNetworkControl* good = Net("b.net");
  broken->SetFailing("Start", true);
  Started();

  EXPECT_EQ(broken->LiveObjects(), 0);
  EXPECT_EQ(Window.MenuCalls, (std::vector<std::string>{"AddNetworkMenu(0)", "AddConfigureItem(0)",
                                                        "RemoveNetworkMenu(0)", "AddNetworkMenu(0)",
                                                        "AddConfigureItem(0)"}));
  std::vector<std::string> journal = good->Journal();
  EXPECT_NE(std::find(journal.begin(), journal.end(), "SetIndex(0)"), journal.end());
}

TEST_F(Loader, AStartFailingInsideThePlugInKeepsTheNetwork)
{
  Put("testnet_startfails.net");
  THostCore& host = Started();
  EXPECT_EQ(host.NetworkCount(), 1);
  EXPECT_TRUE(Logged("Start : Échec simulé de Start", 1));
}

TEST_F(Loader, ProcessorsGetUntickedLinesInSearchOrder)
{
  Put("testmp.mp", "a.mp");
  Put("testmp.mp", "b.mp");
  THostCore& host = Started();
  ASSERT_EQ(host.ProcessorCount(), 2);
  EXPECT_EQ(Window.ProcessorLines,
            (std::vector<std::pair<std::string, bool>>{{"Préfixe de test", false}, {"Préfixe de test", false}}));
}
