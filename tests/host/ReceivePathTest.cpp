#include <sstream>

#include "tests/host/HostHarness.h"

namespace {

// A host with the chat library, one network and three processors in load
// order: "[a] ", a processor that fails, "[b] ".
class ReceivePath : public THostHarness {
public:
  ReceivePath()
  {
    PutChatLibrary();
    Put("testnet.net");
    Put("testmp.mp", "1a.mp");
    Put("testmp_leaky.mp", "2fails.mp");
    Put("testmp.mp", "3b.mp");
    Chat()->Reset();
    Mp("1a.mp")->SetPrefix("[a] ");
    Mp("2fails.mp")->SetFailing("Process", true);
    Mp("3b.mp")->SetPrefix("[b] ");
    Net()->SetModel(OneGroup("TestNet", {"Bob", "Alice"}));
    Started();
    Chat()->ClearJournal();
  }
  void Tick(int Index, bool Ticked) { Window.ProcessorLines[std::size_t(Index)].second = Ticked; }
  std::vector<std::string> NewMessages()
  {
    std::vector<std::string> lines;
    for (const std::string& line : Chat()->Journal())
      if (line.rfind("NewMessage(", 0) == 0)
        lines.push_back(line);
    return lines;
  }
};

}  // namespace

TEST_F(ReceivePath, Scenarios)
{
  struct Case {
    const char* name;
    const char* key;
    std::vector<bool> ticked;
    bool windowOpen;
    bool direct;
    bool refuseWindows;
    std::vector<std::string> shown;  // NewMessage calls
    int queued;                      // messages pending for 0;0;1 afterwards
    int tray;                        // last tray index, -1 untouched
  } cases[] = {
      {"no processor, window open", "0;0;1", {false, false, false}, true, false, false,
       {"NewMessage(0;0;1,45000.5,salut,0)"}, 0, 2},
      {"the chain: each on the previous one's output", "0;0;1", {true, false, true}, true, false, false,
       {"NewMessage(0;0;1,45000.5,[b] [a] salut,0)"}, 0, 2},
      {"a failing processor is passed over", "0;0;1", {true, true, true}, true, false, false,
       {"NewMessage(0;0;1,45000.5,[b] [a] salut,0)"}, 0, 2},
      {"own message to an open window", "-0;0;1", {false, false, false}, true, false, false,
       {"NewMessage(-0;0;1,45000.5,salut,0)"}, 0, 2},
      {"window closed: queued", "0;0;1", {true, false, false}, false, false, false, {}, 1, 3},
      {"own message, window closed: queued under the window's key", "-0;0;1", {false, false, false}, false,
       false, false, {}, 1, 3},
      {"direct display opens the window", "0;0;1", {false, false, false}, false, true, false,
       {"NewMessage(0;0;1,45000.5,salut,0)"}, 0, 2},
      {"a window the library failed to open: queued, not lost", "0;0;1", {false, false, false}, false, true, true,
       {"NewMessage(0;0;1,45000.5,salut,0)"}, 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Host().MessageList().Clear();
    Chat()->Reset();
    Window.TrayIndexes.clear();
    Window.Balloons.clear();
    Debug.Lines.clear();
    for (int i = 0; i < 3; ++i)
      Tick(i, c.ticked[std::size_t(i)]);
    if (c.windowOpen)
      Host().OpenContact(UserID("0;0;1"));
    Chat()->SetRefuseWindows(c.refuseWindows);
    Chat()->ClearJournal();
    Host().SetDirectDisplay(c.direct);
    Window.TrayIndexes.clear();

    Host().ReceiveMessage(UserID(c.key), 45000.5, "salut", mkText);

    EXPECT_EQ(NewMessages(), c.shown);
    EXPECT_EQ(Host().MessageList().Count(UserID("0;0;1")), c.queued);
    EXPECT_EQ(Window.IconIndex(), c.tray);
    // The open test always asks for the window's key, without the mark.
    EXPECT_EQ(Chat()->Journal().front(), "MessageIsOpen(0;0;1)");
    if (c.queued) {
      ASSERT_EQ(Window.Balloons.size(), 1u);
      EXPECT_EQ(Window.Balloons[0].Title, "Corvane");
      EXPECT_EQ(Window.Balloons[0].Text, "Vous avez reçu un message.\r\n1 messages en total.");
      EXPECT_EQ(Window.Balloons[0].Type, TTrayBalloon::Info);
      EXPECT_EQ(Window.Balloons[0].Timeout, 50000u);
      EXPECT_TRUE(Window.Balloons[0].Cancel);
    } else {
      EXPECT_TRUE(Window.Balloons.empty());
    }
    EXPECT_EQ(Logged("Receivemessage userID: " + std::string(c.key), 1), c.ticked[1]);
    EXPECT_TRUE(Logged("Message Avant transformation processeur n°2:", 3));
  }
}

TEST_F(ReceivePath, TheBalloonCountsEveryPendingMessage)
{
  Host().ReceiveMessage(UserID("0;0;0"), 1, "un", mkText);
  Host().ReceiveMessage(UserID("0;0;1"), 2, "deux", mkText);
  Host().ReceiveMessage(UserID("0;0;0"), 3, "trois", mkText);
  EXPECT_EQ(Window.Balloons.back().Text, "Vous avez reçu un message.\r\n3 messages en total.");
  // The waiting image stays although the network is online.
  EXPECT_EQ(Window.IconIndex(), 3);
  EXPECT_EQ(Window.Images[0], psOnline);
}

TEST_F(ReceivePath, OpeningAContactReplaysItsMessagesInOrderAndForgetsOnlyWhatWasShown)
{
  Host().ReceiveMessage(UserID("0;0;1"), 45000.25, "un", mkText);
  Host().ShowOwnMessage(UserID("0;0;1"), "moi");
  Host().ReceiveMessage(UserID("0;0;1"), 45000.75, "trois", mkHtml);
  const TDateTime ownTime = Host().MessageList().GetTime(1, UserID("0;0;1"));

  // The library fails to open the window: nothing is forgotten.
  Chat()->SetRefuseWindows(true);
  Chat()->ClearJournal();
  EXPECT_EQ(Host().OpenContact(UserID("0;0;1")), 0);
  EXPECT_EQ(Host().MessageList().Count(UserID("0;0;1")), 3);
  EXPECT_EQ(Window.IconIndex(), 3);

  Chat()->SetRefuseWindows(false);
  Chat()->ClearJournal();
  EXPECT_EQ(Host().OpenContact(UserID("0;0;1")), 3);
  std::ostringstream own;
  own.precision(17);
  own << "NewMessage(-0;0;1," << ownTime << ",moi,0)";
  EXPECT_EQ(NewMessages(), (std::vector<std::string>{"NewMessage(0;0;1,45000.25,un,0)", own.str(),
                                                     "NewMessage(0;0;1,45000.75,trois,2)"}));
  EXPECT_FALSE(Host().MessageList().HasMessages(UserID("0;0;1")));
  EXPECT_EQ(Window.IconIndex(), 2);
  EXPECT_TRUE(Logged("Node2UserID: 0;0;1", 0));
}

TEST_F(ReceivePath, WithNothingPendingOpeningAContactOpensAnEmptyWindow)
{
  EXPECT_EQ(Host().OpenContact(UserID("0;0;1")), 0);
  EXPECT_EQ(Chat()->Journal(), std::vector<std::string>{"NewMessageFromMe(0;0;1)"});
}

TEST_F(ReceivePath, AnOwnMessageIsNeverCutToAnotherKey)
{
  Host().ShowOwnMessage(UserID(std::string(255, '7')), "x");
  EXPECT_TRUE(Host().MessageList().Count() == 0);
  EXPECT_TRUE(Logged("ShowOwnMessage : clé trop longue, message refusé", 1));
  Host().ShowOwnMessage(UserID(std::string(254, '7')), "x");
  EXPECT_EQ(Host().MessageList().Count(UserID(std::string(254, '7'))), 1);
}

// The path's own lines, from the arrival to where the message went: each
// processor's input, the final text, then shown or queued.
TEST_F(ReceivePath, ItsLogLinesSayWhereTheMessageWent)
{
  Tick(0, true);
  auto expected = [](const char* Where) {
    return std::vector<TCDebugLine>{
        {"corvane.exe", 0, "Réception d'un message"},
        {"corvane.exe", 3, "Message Avant transformation processeur n°0:"},
        {"corvane.exe", 3, "salut"},
        {"corvane.exe", 3, "Message Avant transformation processeur n°1:"},
        {"corvane.exe", 3, "[a] salut"},
        {"corvane.exe", 3, "Message Avant transformation processeur n°2:"},
        {"corvane.exe", 3, "[a] salut"},
        {"corvane.exe", 3, "Message final :"},
        {"corvane.exe", 3, "[a] salut"},
        {"corvane.exe", 0, Where},
    };
  };
  auto pathLines = [&] {
    std::vector<TCDebugLine> lines;
    for (const TCDebugLine& line : Debug.Lines)
      if (line.Source == "corvane.exe" && lines.size() < 10)
        lines.push_back(line);
    return lines;
  };

  Debug.Lines.clear();
  Host().ReceiveMessage(UserID("0;0;1"), 45000.5, "salut", mkText);
  EXPECT_EQ(pathLines(), expected("Envoi dans le gestionnaire de message"));

  Host().OpenContact(UserID("0;0;1"));
  Debug.Lines.clear();
  Host().ReceiveMessage(UserID("0;0;1"), 45000.5, "salut", mkText);
  EXPECT_EQ(pathLines(), expected("Envoi directe sur ecran"));
}
