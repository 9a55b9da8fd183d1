// The network side of the contract, against the test network plug-in loaded
// through the module loader. Slots are called by their number in the
// interface table, as a separately built host would reach them.
#include <gtest/gtest.h>

#include "api/NetworkInput.h"
#include "api/Protocols.h"
#include "api/detail/PluginModule.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "tests/api/FakeHost.h"
#include "tests/fixtures/cdebug/CDebugWindow.h"
#include "tests/fixtures/testnet/TestNetworkControl.h"

namespace {

template <class R = void, class... A>
R CallSlot(INetwork* network, int slot, A... args)
{
  using Slot = R (*)(INetwork*, A...);
  void** table = *reinterpret_cast<void***>(network);
  return reinterpret_cast<Slot>(table[slot])(network, args...);
}

ITestNetworkControl* NetworkControlOf(HMODULE module)
{
  auto entry = reinterpret_cast<TTestNetworkControlEntry>(GetProcAddress(module, "TestNetworkControl"));
  return entry ? entry() : nullptr;
}

TTestNetworkModel Model()
{
  TTestNetworkModel model;
  model.Name = "Réseau de test";
  model.Author = "Quelqu'un";
  model.Version = 7;
  model.Status = psAway;
  model.Groups = {{"Amis", {{"Alice", psOnline}}}, {"Travail", {{"Bob", psDoNotDisturb}, {"Carole", psInvisible}}}};
  model.Addresses = {{"bob@example.org", "4;1;0"}};
  return model;
}

class NetworkContract : public testing::Test {
protected:
  void SetUp() override
  {
    FHolder = std::make_unique<TNetwork>("testnet.net");
    FControl = NetworkControlOf(FHolder->Module);
    ASSERT_NE(FControl, nullptr);
    FControl->Reset();
    FControl->SetModel(Model());
    fake_host::Calls().clear();
  }
  void TearDown() override
  {
    if (FControl)
      FControl->Reset();
  }

  INetwork* Network() { return FHolder->Network.Get(); }

  std::unique_ptr<TNetwork> FHolder;
  ITestNetworkControl* FControl = nullptr;
};

}  // namespace

TEST_F(NetworkContract, EverySlotInItsPlaceWithItsArguments)
{
  INetwork* n = Network();
  CallSlot(n, 3);
  CallSlot(n, 4);
  CallSlot(n, 5);
  CallSlot(n, 6);
  CallSlot(n, 7, std::int32_t(300));  // indexes are 32-bit: nothing is cut to a byte
  CallSlot(n, 8, std::int32_t(1), std::int32_t(70000));
  EXPECT_EQ(CallSlot<PresenceStatus>(n, 9), psAway);
  EXPECT_STREQ(CallSlot<const char*>(n, 10), "Réseau de test");
  EXPECT_STREQ(CallSlot<const char*>(n, 11), "Quelqu'un");
  EXPECT_EQ(CallSlot<std::int32_t>(n, 12), 7);
  EXPECT_EQ(CallSlot<std::int32_t>(n, 13, std::int32_t(1)), 2);
  EXPECT_EQ(CallSlot<std::int32_t>(n, 14), 2);
  EXPECT_STREQ(CallSlot<const char*>(n, 15, std::int32_t(1), std::int32_t(1)), "Carole");
  EXPECT_STREQ(CallSlot<const char*>(n, 16, std::int32_t(1)), "Travail");
  EXPECT_EQ(CallSlot<PresenceStatus>(n, 17, std::int32_t(1), std::int32_t(0)), psDoNotDisturb);
  CallSlot(n, 18, std::int32_t(1), std::int32_t(300), "bonjour");
  CallSlot(n, 19, std::int32_t(3));
  CallSlot(n, 20, std::int32_t(4));
  CallSlot(n, 21, FHolder->Module);
  // The result area is the first argument after the interface.
  UserID result("ancienne valeur");
  const ShortString address("bob@example.org");
  CallSlot(n, 22, &result, &address);
  EXPECT_EQ(result.str(), "4;1;0");

  EXPECT_EQ(FControl->Journal(),
            (std::vector<std::string>{"Configure", "Connect", "Disconnect", "Start", "BuildGroupMenu(300)",
                                      "BuildContactMenu(1,70000)", "GetStatus", "GetName", "GetAuthor",
                                      "GetVersion", "GetContactCount(1)", "GetGroupCount", "GetContactName(1,1)",
                                      "GetGroupName(1)", "GetContactStatus(1,0)", "SendToContact(1,300,bonjour)",
                                      "SetStatus(3)", "SetIndex(4)", "SetModule(own)",
                                      "AddressToUserID(bob@example.org)"}));
}

TEST_F(NetworkContract, AReturnedTextDiesAtTheNextCall)
{
  const char* name = Network()->GetName();
  ASSERT_STREQ(name, "Réseau de test");
  EXPECT_TRUE(FControl->IsLiveAnswer(name));
  Network()->GetStatus();
  // Freed now (reading it is what the sanitizer reports).
  EXPECT_FALSE(FControl->IsLiveAnswer(name));
}

TEST_F(NetworkContract, AFailingSlotAnswersNothingAndLogsAtItsBoundary)
{
  TCDebugWindow console;
  ASSERT_TRUE(console.Valid());
  FControl->SetFailing("GetName", true);
  FControl->SetFailing("GetContactCount", true);
  FControl->SetFailing("AddressToUserID", true);
  EXPECT_EQ(Network()->GetName(), nullptr);
  EXPECT_EQ(Network()->GetContactCount(1), 0);
  UserID result("inchangé");
  const ShortString address("bob@example.org");
  Network()->AddressToUserID(&result, &address);
  EXPECT_EQ(result.str(), "inchangé");
  EXPECT_EQ(console.Lines, (std::vector<TCDebugLine>{
                               {"testnet.net", 1, "GetName : Échec simulé de GetName"},
                               {"testnet.net", 1, "GetContactCount : Échec simulé de GetContactCount"},
                               {"testnet.net", 1, "AddressToUserID : Échec simulé de AddressToUserID"},
                           }));
}

TEST_F(NetworkContract, ThePlugInCallsTheHostThroughItsInput)
{
  HMODULE program = GetModuleHandle(nullptr);
  const int programLoads = GetModuleLoadCount(program);
  Network()->SetIndex(3);
  Network()->SetModule(FHolder->Module);
  Network()->Start();
  EXPECT_EQ(fake_host::LiveObjects(), 1);
  EXPECT_EQ(GetModuleLoadCount(program), programLoads + 1);

  TTestHostCall receive;
  receive.Kind = TTestHostCall::ReceiveMessage;
  receive.Key = "0;1;2";
  receive.Time = 45000.5;
  receive.Text = "salut";
  receive.Message = mkRtf;
  EXPECT_TRUE(FControl->CallHost(receive));
  TTestHostCall item;
  item.Kind = TTestHostCall::AddNetworkMenuItem;
  item.Text = "Mon menu";
  EXPECT_TRUE(FControl->CallHost(item));
  TTestHostCall popup;
  popup.Kind = TTestHostCall::AddVisiblePopupItem;
  popup.Tag = 0;
  popup.Text = "Profil";
  FControl->OnSlot("BuildContactMenu", popup);
  Network()->BuildContactMenu(0, 1);
  EXPECT_EQ(fake_host::Calls(), (std::vector<std::string>{"ReceiveMessage(0;1;2,45000.5,salut,1)",
                                                          "AddNetworkMenuItem(3,TestProc,Mon menu)",
                                                          "AddVisiblePopupItem(0,TestProc,Profil)"}));

  // The item's procedure is an export of the plug-in's own module.
  auto proc = reinterpret_cast<TPlugItemProc>(GetProcAddress(FHolder->Module, "TestProc"));
  ASSERT_NE(proc, nullptr);
  proc(nullptr, nullptr);
  EXPECT_EQ(FControl->Journal().back(), "TestProc");

  // Releasing the network gives back the host's interface and module.
  FHolder.reset();
  EXPECT_EQ(fake_host::LiveObjects(), 0);
  EXPECT_EQ(GetModuleLoadCount(program), programLoads);
  FControl = nullptr;
}

TEST(NetworkHolder, RefusesWhatIsNoNetworkPlugIn)
{
  EXPECT_EQ(fake_host::FailureOf([] { TNetwork("absent.net"); }), "Impossible de charger la DLL");

  // Keep the module loaded meanwhile, so its load count can be read.
  HMODULE module = LoadLibrary("testnet_nocreate.net");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(fake_host::FailureOf([] { TNetwork("testnet_nocreate.net"); }), "Ce n'est pas un plugin Réseaux Corvane 2.1");
  EXPECT_EQ(GetModuleLoadCount(module), 1);
  FreeLibrary(module);

  module = LoadLibrary("testnet.net");
  ITestNetworkControl* control = NetworkControlOf(module);
  control->Reset();
  control->SetFailing("CreateNetwork", true);
  EXPECT_EQ(fake_host::FailureOf([] { TNetwork("testnet.net"); }), SPluginNotCreated);
  EXPECT_EQ(GetModuleLoadCount(module), 1);
  EXPECT_EQ(control->LiveObjects(), 0);
  control->Reset();
  FreeLibrary(module);
}

TEST(NetworkHolder, VariantsBuiltFromTheSameSource)
{
  TCDebugWindow console;
  TNetwork failing("testnet_startfails.net");
  failing.Network->Start();
  EXPECT_EQ(console.Lines, (std::vector<TCDebugLine>{{"testnet_startfails.net", 1, "Start : Échec simulé de Start"}}));

  // Two files, one name: two networks that know nothing of each other.
  TNetwork first("testnet.net");
  TNetwork second("testnet_samename.net");
  EXPECT_STREQ(first.Network->GetName(), "TestNet");
  EXPECT_STREQ(second.Network->GetName(), "TestNet");
  NetworkControlOf(first.Module)->ClearJournal();
  NetworkControlOf(second.Module)->ClearJournal();
  second.Network->SetIndex(1);
  EXPECT_TRUE(NetworkControlOf(first.Module)->Journal().empty());
  EXPECT_EQ(NetworkControlOf(second.Module)->Journal(), std::vector<std::string>{"SetIndex(1)"});
}
