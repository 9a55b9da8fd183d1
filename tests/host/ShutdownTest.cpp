#include "tests/host/HostHarness.h"

using Shutdown = THostHarness;

TEST_F(Shutdown, FreesNetworksLastFirstThenProcessorsThenTheLibrary)
{
  PutChatLibrary();
  for (const char* name : {"a.net", "b.net", "c.net"})
    Put("testnet.net", name);
  Put("testmp.mp");
  IFakeTesselControl* chat = Chat();
  ITestNetworkControl* nets[] = {Net("a.net"), Net("b.net"), Net("c.net")};
  ITestProcessorControl* mp = Mp();
  THostCore& host = Started();
  Debug.Lines.clear();
  host.Shutdown();

  EXPECT_EQ(Debug.Lines, ShutdownLog(3));
  EXPECT_EQ(Window.Console.back(), "Déchargement des plug-ins...");
  for (ITestNetworkControl* net : nets)
    EXPECT_EQ(net->LiveObjects(), 0);
  EXPECT_EQ(mp->LiveObjects(), 0);
  EXPECT_EQ(chat->Journal().back(), "EndManager");
}

// One failing step skips nothing else: every plug-in and the library still go.
TEST_F(Shutdown, AFailingStepSkipsNothingElse)
{
  PutChatLibrary();
  Put("testnet.net", "a.net");
  Put("testnet.net", "b.net");
  IFakeTesselControl* chat = Chat();
  ITestNetworkControl* a = Net("a.net");
  ITestNetworkControl* b = Net("b.net");
  THostCore& host = Started();
  Window.FailRemoving = 1;
  host.Shutdown();
  EXPECT_TRUE(Logged("Erreur lors de la destruction: Échec simulé du menu", 1));
  EXPECT_EQ(a->LiveObjects(), 0);
  EXPECT_EQ(b->LiveObjects(), 0);
  EXPECT_EQ(host.NetworkCount(), 0);
  EXPECT_EQ(chat->Journal().back(), "EndManager");
  EXPECT_TRUE(Logged("Déchargement terminé", 0));
}

TEST_F(Shutdown, AfterTheLibraryWasUnboundItIsNotUnloadedAgain)
{
  PutChatLibrary();
  IFakeTesselControl* chat = Chat();
  THostCore& host = Started();
  host.UnbindChatLibrary();
  chat->ClearJournal();
  Debug.Lines.clear();
  host.Shutdown();
  EXPECT_TRUE(chat->Journal().empty());
  EXPECT_FALSE(Logged("(Unload)Liberation du gestionnaire de fenêtre"));
}
