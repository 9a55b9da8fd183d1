// Plug-ins written carelessly or with ill will: the host logs and goes on.
#include "api/MessageInput.h"
#include "api/OpenChat.h"
#include "platform/win/window/Messages.h"
#include "tests/host/HostHarness.h"

namespace {

const char* const Slots[] = {"Configure",       "Connect",          "Disconnect",     "Start",
                             "BuildGroupMenu",  "BuildContactMenu", "GetStatus",      "GetName",
                             "GetAuthor",       "GetVersion",       "GetContactCount", "GetGroupCount",
                             "GetContactName",  "GetGroupName",     "GetContactStatus", "SendToContact",
                             "SetStatus",       "SetIndex",         "SetModule",      "AddressToUserID"};

class HostilePlugIn : public THostHarness {
public:
  // Everything a running host does with its networks, through its own paths
  // and through the chat library's interface.
  void DriveEveryPath()
  {
    THostCore& host = Host();
    host.RefreshStatus();
    host.RefreshContacts();
    host.ReceiveMessage(UserID("0;0;0"), 45000, "salut", mkText);
    host.OpenContact(UserID("0;0;0"));
    if (IMessageInput* input = Chat()->Host()) {
      UserID key("0;0;0");
      ShortString result;
      input->SendToContact(&key, "réponse");
      input->GetContactName(&result, &key);
      input->GetNetworkName(&result, &key);
      input->ShowOwnMessage(&key, "moi");
    }
    OpenChatRequest request;
    request.Network = ShortString(host.NetworkNames().empty() ? "" : host.NetworkNames()[0]);
    request.Address = ShortString("quelqu'un");
    COPYDATASTRUCT data;
    data.dwData = OpenChatRequestTag;
    data.cbData = sizeof request;
    data.lpData = &request;
    host.HandleCopyData(data);
  }

  // The host still works for a well-behaved network beside the hostile one.
  void ExpectStillWorking()
  {
    Debug.Lines.clear();
    Chat()->ClearJournal();
    Host().SetDirectDisplay(true);
    Host().ReceiveMessage(UserID("1;0;0"), 45000, "toujours là", mkText);
    const std::vector<std::string> open = Chat()->OpenWindows();
    EXPECT_NE(std::find(open.begin(), open.end(), "1;0;0"), open.end());
    Host().Shutdown();
    EXPECT_TRUE(Logged("Déchargement terminé", 0));
  }
};

}  // namespace

TEST_F(HostilePlugIn, ThrowingFromEverySlot)
{
  PutChatLibrary();
  Put("testnet_leaky.net", "a.net");
  Put("testnet.net", "b.net");
  Net("b.net")->SetModel(OneGroup("Sage", {"Bob"}));
  ITestNetworkControl* hostile = Net("a.net");
  hostile->SetModel(OneGroup("Hostile", {"X"}));
  Started();
  ASSERT_EQ(Host().NetworkCount(), 2);
  hostile->SetFailingAll(true);
  DriveEveryPath();
  EXPECT_TRUE(Logged("RefreshStatus : Échec simulé de GetStatus", 1));
  EXPECT_TRUE(Logged("RefreshContacts : Échec simulé de GetGroupCount", 1));
  EXPECT_TRUE(Logged("SendToContact : Échec simulé de SendToContact", 1));
  EXPECT_TRUE(Logged("AddressToUserID : Échec simulé de AddressToUserID", 1));
  ExpectStillWorking();
  EXPECT_EQ(hostile->LiveObjects(), 0);
}

TEST_F(HostilePlugIn, EmptyAndHugeTexts)
{
  PutChatLibrary();
  Put("testnet.net", "a.net");
  Put("testnet.net", "b.net");
  Put("testnet.net", "c.net");
  Net("b.net")->SetModel(OneGroup("Sage", {"Bob"}));
  const std::string huge(65536, 'n');
  TTestNetworkModel big = OneGroup(huge, {huge});
  big.Author = huge;
  big.Groups[0].Name = huge;
  Net("a.net")->SetModel(big);
  TTestNetworkModel empty = OneGroup("", {""});
  empty.NullTexts = true;
  Net("c.net")->SetModel(empty);
  Started();
  ASSERT_EQ(Host().NetworkCount(), 3);
  EXPECT_EQ(Host().NetworkNames()[0], huge);
  EXPECT_EQ(Host().NetworkNames()[2], "");
  EXPECT_EQ(Window.Menus[0].second, huge);
  ShortString result;
  UserID key("0;0;0");
  Chat()->Host()->GetNetworkName(&result, &key);
  EXPECT_EQ(result.str(), std::string(255, 'n'));
  key = UserID("2;0;0");
  Chat()->Host()->GetContactName(&result, &key);
  EXPECT_EQ(result.str(), "");
  DriveEveryPath();
  // The request named network 0 by a 64 KiB name, which no request can carry.
  const auto errors = LogTexts("corvane.exe", 1);
  EXPECT_NE(std::find(errors.begin(), errors.end(), ("ProtocolIndex(" + std::string(255, 'n')).substr(0, 255)),
            errors.end());
  key = UserID("1;0;0");
  Host().ReceiveMessage(key, 1, std::string(65536, 'm').c_str(), mkText);
  ExpectStillWorking();
}

TEST_F(HostilePlugIn, CallingBackIntoTheHostFromEverySlot)
{
  PutChatLibrary();
  Put("testnet.net", "a.net");
  Put("testnet.net", "b.net");
  Put("testmp.mp");
  Net("b.net")->SetModel(OneGroup("Sage", {"Bob"}));
  ITestNetworkControl* hostile = Net("a.net");
  hostile->SetModel(OneGroup("Rappels", {"X", "Y"}));
  const TTestHostCall calls[] = {
      {TTestHostCall::ReceiveMessage, "0;0;1", "rappel"},
      {TTestHostCall::AddLog, "", "journal"},
      {TTestHostCall::RefreshStatus},
      {TTestHostCall::RefreshContacts},
      {TTestHostCall::UpdateNick, "0;0;1", "X2"},
      {TTestHostCall::AddNetworkMenuItem, "", "article"},
      {TTestHostCall::AddPopupItem, "", "surgissant"},
  };
  for (const char* slot : Slots)
    for (const TTestHostCall& call : calls)
      hostile->OnSlot(slot, call);
  Started();
  ASSERT_EQ(Host().NetworkCount(), 2);
  Window.ProcessorLines[0].second = true;
  DriveEveryPath();
  // Nesting is bounded: a plug-in cannot drive the host into endless recursion.
  EXPECT_TRUE(Logged("RefreshContacts : appel refusé, trop d'appels imbriqués", 1) ||
              Logged("ReceiveMessage : appel refusé, trop d'appels imbriqués", 1));
  EXPECT_GT(Host().MessageList().Count(UserID("0;0;1")), 0);
  ExpectStillWorking();
}
