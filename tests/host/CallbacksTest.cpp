#include <cstring>
#include <thread>

#include "api/MessageInput.h"
#include "api/OpenChat.h"
#include "platform/base/Format.h"
#include "platform/base/SysConsts.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/window/Messages.h"
#include "tests/host/HostHarness.h"

namespace {

// Two networks and the chat library, whose IMessageInput plays the chat
// window's calls.
class Callbacks : public THostHarness {
public:
  Callbacks()
  {
    PutChatLibrary();
    Put("testnet.net", "a.net");
    Put("testnet.net", "b.net");
    Chat()->Reset();
    TTestNetworkModel a = OneGroup("Alpha", {});
    a.Groups[0].Contacts.resize(301, {"quelqu'un", psOnline});
    a.Groups[0].Contacts[300].Name = "Trois cents";
    a.Addresses["bob@alpha"] = "0;0;300";
    Net("a.net")->SetModel(a);
    Net("b.net")->SetModel(OneGroup("Beta", {"Bob"}));
    Started();
    Net("a.net")->ClearJournal();
    Chat()->ClearJournal();
  }
  IMessageInput& Input() { return *Chat()->Host(); }
  std::string Result(void (IMessageInput::*Slot)(ShortString*, const UserID*), const char* Key)
  {
    ShortString result("inchangé");
    UserID key(Key);
    (Input().*Slot)(&result, &key);
    return result.str();
  }
};

}  // namespace

TEST_F(Callbacks, MessageInputReachesTheNetworkOfTheKey)
{
  // Indexes are 32-bit all the way: contact 300 is not contact 44.
  EXPECT_EQ(Result(&IMessageInput::GetContactName, "0;0;300"), "Trois cents");
  UserID key("0;;0;300");  // runs of ";" count as one
  Input().SendToContact(&key, "salut");
  EXPECT_EQ(Net("a.net")->Journal(),
            (std::vector<std::string>{"GetContactName(0,300)", "SendToContact(0,300,salut)"}));
  // The network's name comes from the first field alone; the others may be anything.
  for (const char* key : {"1;9;9", "0;x;y", "1", "0;;"})
    EXPECT_EQ(Result(&IMessageInput::GetNetworkName, key), key[0] == '1' ? "Beta" : "Alpha") << key;
}

TEST_F(Callbacks, ABadKeyIsLoggedAndAnswersNothing)
{
  const std::string outside = "GetNetworkName : " + Format(SListIndexError, 5);
  struct Case {
    const char* key;
    std::string log;
  } cases[] = {
      {"x;1;2", "GetNetworkName : "},
      {"5;0;0", outside},
      {"", "GetNetworkName : "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Debug.Lines.clear();
    EXPECT_EQ(Result(&IMessageInput::GetNetworkName, c.key), "inchangé");
    auto errors = LogTexts("corvane.exe", 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind(c.log, 0), 0u) << errors[0];
  }
}

TEST_F(Callbacks, EachExportCallGivesAnObjectOfItsOwn)
{
  TMessageInput first;
  TMessageInput second;
  EXPECT_NE(first.HostInput.Get(), second.HostInput.Get());
  first.HostInput.Reset();
  second.HostInput->AddLog("encore là");
  EXPECT_EQ(Window.Console.back(), "encore là");
}

TEST_F(Callbacks, NickChangesAreRelayedToTheLibrary)
{
  Net("b.net")->CallHost({TTestHostCall::UpdateNick, "1;0;0", "Bobby"});
  EXPECT_EQ(LogTexts("UpdateNick"), (std::vector<std::string>{"Corvane -> Main / Bobby", "main -> tessel / Bobby"}));
  EXPECT_EQ(Chat()->Journal(), std::vector<std::string>{"UpdateNick(1;0;0,Bobby)"});
}

TEST_F(Callbacks, PlugInMenuItemsGoToTheirNetworkOrReportAnError)
{
  ITestNetworkControl* b = Net("b.net");
  TTestHostCall call{TTestHostCall::AddNetworkMenuItem, "", "Mon article"};
  ASSERT_TRUE(b->CallHost(call));
  call.Tag = 7;
  ASSERT_TRUE(b->CallHost(call));
  call.Kind = TTestHostCall::AddVisiblePopupItem;
  call.ProcName = "Inexistante";
  ASSERT_TRUE(b->CallHost(call));

  ASSERT_EQ(Window.Items.size(), 2u);
  EXPECT_EQ(Window.Items[0].Menu, 1);
  EXPECT_EQ(Window.Items[0].Caption, "Mon article");
  ASSERT_NE(Window.Items[0].Proc, nullptr);
  // The item calls the plug-in's exported procedure with what the host gives it.
  Window.Items[0].Proc(nullptr, nullptr);
  EXPECT_EQ(b->Journal().back(), "TestProc");
  EXPECT_EQ(Window.Console.back(), "Erreur de creation de menu");
  EXPECT_EQ(Window.Items[1].Menu, -1);
  EXPECT_EQ(Window.Items[1].Proc, nullptr);
  EXPECT_TRUE(Window.Items[1].Visible);
}

TEST_F(Callbacks, OpenChatReadsAWholeRequestWhateverItsTag)
{
  OpenChatRequest request;
  request.Network = ShortString("Alpha");
  request.Address = ShortString("bob@alpha");
  struct Case {
    const char* name;
    ULONG_PTR tag;
    DWORD size;
    const char* network;
    bool handled;
  } cases[] = {
      {"whole request", OpenChatRequestTag, sizeof request, "Alpha", true},
      {"any other tag", 1, sizeof request, "Alpha", true},
      {"no tag", 0, sizeof request, "Alpha", true},
      {"short record", OpenChatRequestTag, sizeof request - 1, "Alpha", false},
      {"name differing in case", OpenChatRequestTag, sizeof request, "alpha", false},
      {"unknown network", OpenChatRequestTag, sizeof request, "Gamma", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Chat()->ClearJournal();
    request.Network = ShortString(c.network);
    COPYDATASTRUCT data;
    data.dwData = c.tag;
    data.cbData = c.size;
    data.lpData = &request;
    EXPECT_EQ(Host().HandleCopyData(data), c.handled);
    EXPECT_EQ(Chat()->Journal(), c.handled ? std::vector<std::string>{"NewMessageFromMe(0;0;300)"}
                                           : std::vector<std::string>{});
  }
  EXPECT_TRUE(Logged("ProtocolIndex(Gamma) : aucun réseau chargé de ce nom", 1));
}

// A plug-in that calls the host from a thread of its own: nothing of the
// host runs on that thread (no window is made there); the calls run on the
// GUI thread in their order once it pumps, and calls whose answer is read at
// once are refused with a log line.
TEST_F(Callbacks, CallsFromAPlugInsOwnThreadRunOnTheGuiThread)
{
  TTestHostCall message;
  message.Kind = TTestHostCall::ReceiveMessage;
  message.Key = "0;0;300";
  message.Text = "depuis un fil";
  TTestHostCall line;
  line.Kind = TTestHostCall::AddLog;
  line.Text = "ligne du fil";
  ShortString name("inchangé");
  const std::size_t balloons = Window.Balloons.size();
  std::thread plugin([&] {
    Net("a.net")->CallHost(message);
    Net("a.net")->CallHost(line);
    const UserID key("1;0;0");
    Input().GetNetworkName(&name, &key);
  });
  plugin.join();
  EXPECT_EQ(Host().MessageList().Total(), 0);
  EXPECT_TRUE(Window.Console.empty() || Window.Console.back() != "ligne du fil");
  EXPECT_EQ(name.str(), "");

  THeadlessDisplay::PumpMessages();
  EXPECT_EQ(Host().MessageList().GetText(0, UserID("0;0;300")), "depuis un fil");
  EXPECT_EQ(Window.Balloons.size(), balloons + 1);
  EXPECT_EQ(Window.Console.back(), "ligne du fil");
  EXPECT_TRUE(Logged("GetNetworkName : appel refusé hors du fil principal", 1));
}
