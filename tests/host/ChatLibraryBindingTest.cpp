#include <algorithm>

#include "host/DlgsManager.h"
#include "tests/host/HostHarness.h"

using ChatLibraryBinding = THostHarness;

TEST_F(ChatLibraryBinding, RefusesAnIncompleteLibraryWithItsTextAndUnloadsIt)
{
  struct Case {
    const char* built;  // nullptr: no file at all
    std::string text;
  } cases[] = {
      {nullptr, "Impossible de charger la Gestionnaire\r\nLe fichier tessel.so est manquant !"},
      {"faketessel_noupdatenick.so", "Impossible de charger la Gestionnaire\r\nLa procedure UpdateNick n'existe pas"},
      // Two entries missing: the first looked up is named.
      {"faketessel_noend.so", "Impossible de charger la Gestionnaire\r\nLa procedure EndManager n'existe pas"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::filesystem::remove(Folder + "tessel.so");
    if (c.built)
      PutChatLibrary(c.built);
    try {
      TDlgsManager manager(ChatLibraryFileName);
      ADD_FAILURE() << "bound";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.text);
    }
    EXPECT_EQ(GetModuleHandle((Folder + "tessel.so").c_str()), nullptr);
  }
}

TEST_F(ChatLibraryBinding, AFailingInitManagerLeavesNothingLoaded)
{
  PutChatLibrary();
  IFakeTesselControl* chat = Chat();
  chat->SetFailing("InitManager", true);
  HMODULE module = GetModuleHandle((Folder + "tessel.so").c_str());
  const int loads = GetModuleLoadCount(module);
  EXPECT_THROW(TDlgsManager manager(ChatLibraryFileName), Exception);
  EXPECT_EQ(GetModuleLoadCount(module), loads);
}

TEST_F(ChatLibraryBinding, AFailedStartUpLeavesAUsableHost)
{
  Put("testnet.net");
  THostCore& host = Started();
  const std::string text = "Impossible de charger la Gestionnaire\r\nLe fichier tessel.so est manquant !";
  EXPECT_EQ(Window.Warnings, std::vector<std::string>{text});
  EXPECT_TRUE(Logged(text, 1));
  EXPECT_EQ(std::count(Window.Console.begin(), Window.Console.end(), text), 0) << "not a console line";
  EXPECT_FALSE(host.ChatLibraryBound());
  // The rest of the start-up ran, and messages wait instead of being lost.
  EXPECT_EQ(host.NetworkCount(), 1);
  host.ReceiveMessage(UserID("0;0;0"), 45000.0, "salut", mkText);
  EXPECT_EQ(host.MessageList().Count(UserID("0;0;0")), 1);
  // Opening a contact or a nick change without a library is a log line.
  EXPECT_EQ(host.OpenContact(UserID("0;0;0")), 0);
  host.UpdateNick(UserID("0;0;0"), ShortString("Bob"));
  EXPECT_TRUE(Logged("Gestionnaire de fenêtre non chargé : 0;0;0", 1));
}

TEST_F(ChatLibraryBinding, UnbindingAndRebindingRestartsTheManager)
{
  PutChatLibrary();
  IFakeTesselControl* chat = Chat();
  THostCore& host = Started();
  ASSERT_TRUE(host.ChatLibraryBound());
  EXPECT_NE(chat->Host(), nullptr);
  host.UnbindChatLibrary();
  EXPECT_FALSE(host.ChatLibraryBound());
  EXPECT_EQ(chat->Host(), nullptr);
  std::string failure;
  EXPECT_TRUE(host.BindChatLibrary(failure));
  EXPECT_EQ(chat->Journal(), (std::vector<std::string>{"InitManager", "EndManager", "InitManager"}));
  EXPECT_TRUE(Logged("Déchargement du gestionnaire de fenêtre", 0));
}

TEST_F(ChatLibraryBinding, AFailingEndManagerIsLoggedAndTheLibraryStillGoes)
{
  PutChatLibrary();
  IFakeTesselControl* chat = Chat();
  THostCore& host = Started();
  chat->SetFailing("EndManager", true);
  HMODULE module = GetModuleHandle((Folder + "tessel.so").c_str());
  host.UnbindChatLibrary();
  EXPECT_EQ(GetModuleLoadCount(module), 1);  // only the test's own load remains
  auto errors = LogTexts("corvane.exe", 1);
  ASSERT_GE(errors.size(), 2u);
  EXPECT_EQ(errors[errors.size() - 2], "Gestionnaire de fenêtre - Unload");
  EXPECT_EQ(errors.back(), "Échec simulé de EndManager");
}
