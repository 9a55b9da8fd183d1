#include <sys/shm.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <future>
#include <thread>

#include "tests/support/PeerProcess.h"
#include "WindowTestSupport.h"
#include "api/DEbugger.h"

namespace {

// The stand-in console, started as another process; its output is read line by line.
class TReceiver : public TPeerProcess {
public:
  explicit TReceiver(std::vector<std::string> args) : TPeerProcess("cdebug_receiver", std::move(args)) {}
};

class DebugLogTest : public TWindowFixture {
protected:
  void SetUp() override
  {
    TWindowFixture::SetUp();
    // A loaded machine may be slow to answer; only the hung-console test
    // wants the limit short.
    SetCrossProcessTimeout(5000);
  }
  void TearDown() override
  {
    SetCrossProcessTimeout(250);
    TWindowFixture::TearDown();
  }

  // A line that finds no console, then a console of another process started:
  // the next line reaches it.
  static void ExpectAConsoleStartedNowGetsTheNextLine()
  {
    DebugLog("main", 0, "personne");
    TReceiver receiver({});
    ASSERT_EQ(receiver.ReadLine(), "ready");
    DebugLog("main", 0, "là");
    EXPECT_EQ(receiver.ReadLine(), "main\t0\tlà");
    receiver.Kill();
  }
};

TEST_F(DebugLogTest, WithoutAConsoleNothingIsSent)
{
  ASSERT_EQ(FindWindow(nullptr, "CDebug"), nullptr);
  HWND other = Make(WS_POPUP, 0, 0, 10, 10, nullptr, 0, "CDebugger");  // not the title asked for
  DebugLog("main", 0, "rien");
  Pump();
  EXPECT_TRUE(Take({WM_COPYDATA}).empty());
  (void)other;
}

TEST_F(DebugLogTest, TheRecordReachesAConsoleOfThisProcessWithItsLayout)
{
  HWND console = Make(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0, "CDebug");
  std::vector<BYTE> bytes;
  COPYDATASTRUCT seen{};
  WPARAM sender = 1;
  On(WM_COPYDATA, [&](HWND, UINT, WPARAM w, LPARAM l, LRESULT& r) {
    seen = *reinterpret_cast<COPYDATASTRUCT*>(l);
    sender = w;
    bytes.assign(static_cast<BYTE*>(seen.lpData), static_cast<BYTE*>(seen.lpData) + seen.cbData);
    r = 1;
    return true;
  });
  DebugLog("MessageList", 3, std::string(300, 'x'));
  EXPECT_EQ(seen.dwData, 1u);
  ASSERT_EQ(seen.cbData, 513u);
  EXPECT_EQ(sender, 0u);
  EXPECT_EQ(bytes[0], 11);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&bytes[1]), 11), "MessageList");
  EXPECT_EQ(bytes[256], 255);
  EXPECT_EQ(bytes[256 + 255], 'x');
  EXPECT_EQ(bytes[512], 3);
  (void)console;
}

TEST_F(DebugLogTest, AConsoleInAnotherProcessGetsTextsCutTo255Bytes)
{
  TReceiver receiver({});
  ASSERT_EQ(receiver.ReadLine(), "ready");
  std::string accents = "a";
  for (int i = 0; i < 150; ++i)
    accents += "\xC3\xA9";  // é: a cut must not split one
  struct TCase {
    std::string Source;
    BYTE Level;
    std::string Text;
    std::string Arrives;
  } cases[] = {
      {"corvane.exe", 1, std::string(300, 'z'), std::string(255, 'z')},
      {"UpdateNick", 0, accents, accents.substr(0, 255)},
      {"main", 3, "Réseau chargé", "Réseau chargé"},
  };
  for (auto& c : cases) {
    DebugLog(c.Source, c.Level, c.Text);
    EXPECT_EQ(receiver.ReadLine(), c.Source + "\t" + std::to_string(c.Level) + "\t" + c.Arrives);
  }
}

// Lookups keep what they read of the cross-process folder while it is
// unchanged: a console that starts, or dies, between two lookups must still be
// seen by the second one, however close together they come.
TEST_F(DebugLogTest, AConsoleStartedOrKilledBetweenTwoLookupsIsSeenByTheSecond)
{
  for (int round = 0; round < 5; ++round) {
    EXPECT_EQ(FindWindow(nullptr, "CDebug"), nullptr);
    TReceiver receiver({});
    ASSERT_EQ(receiver.ReadLine(), "ready");
    EXPECT_NE(FindWindow(nullptr, "CDebug"), nullptr);
    EXPECT_NE(FindWindow(nullptr, "CDebug"), nullptr);
    receiver.Kill();
  }
}

TEST_F(DebugLogTest, AConsoleThatNeverAnswersCostsAtMostTheTimeLimit)
{
  TReceiver receiver({"--hang"});
  ASSERT_EQ(receiver.ReadLine(), "ready");
  SetCrossProcessTimeout(100);
  // Generous watchdog: the point is that the call comes back at all.
  auto call = std::async(std::launch::async, [] { DebugLog("main", 1, "bloqué ?"); });
  EXPECT_EQ(call.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  call.wait();
}

TEST_F(DebugLogTest, AConsoleThatVanishedIsNoLongerAWindow)
{
  TReceiver receiver({"--title", "Console"});
  ASSERT_EQ(receiver.ReadLine(), "ready");
  HWND found = FindWindow(nullptr, "console");  // titles match whatever their case
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(IsWindow(found));
  receiver.Kill();
  EXPECT_FALSE(IsWindow(found));
  LogRecord record;
  COPYDATASTRUCT cds{1, sizeof record, &record};
  DWORD_PTR result = 5;
  EXPECT_EQ(SendMessageTimeout(found, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_BLOCK, 1000, &result), 0);
  EXPECT_EQ(FindWindow(nullptr, "Console"), nullptr);
}

// The answer "no console" is kept between lines: a console of this process
// that appears, is renamed or goes must change where the very next line goes.
TEST_F(DebugLogTest, ALineGoesToTheConsoleThatIsThereWhenItIsSent)
{
  std::vector<std::string> received;
  On(WM_COPYDATA, [&](HWND, UINT, WPARAM, LPARAM l, LRESULT& r) {
    auto* cds = reinterpret_cast<COPYDATASTRUCT*>(l);
    auto* record = static_cast<LogRecord*>(cds->lpData);
    received.push_back(record->Text.str());
    r = 1;
    return true;
  });
  DebugLog("main", 0, "personne");
  HWND console = Make(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0, "CDebug");
  DebugLog("main", 0, "créée");
  SetWindowText(console, "Autre");
  DebugLog("main", 0, "renommée");
  SetWindowText(console, "CDebug");
  DebugLog("main", 0, "revenue");
  DestroyWindow(console);
  DebugLog("main", 0, "détruite");
  HWND again = Make(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0, "CDebug");
  DebugLog("main", 0, "refaite");
  EXPECT_EQ(received, (std::vector<std::string>{"créée", "revenue", "refaite"}));
  (void)again;
}

// The same for a console of another process, started right after a line
// that found none, then killed without a word and started again.
TEST_F(DebugLogTest, AConsoleOfAnotherProcessGetsTheLineRightAfterItStarted)
{
  for (int round = 0; round < 3; ++round) {
    ExpectAConsoleStartedNowGetsTheNextLine();
    DebugLog("main", 0, "partie");
  }
}

// The counter the processes share is memory any program of the user can
// remove or scribble on: no reader faults, and once the key is asked again
// (a second later) a console started afterwards gets the next line.
TEST_F(DebugLogTest, ARemovedOrScribbledSharedCounterNeitherCrashesNorHidesAConsoleForLong)
{
  const key_t key = ftok(CrossProcessFolder().c_str(), 'W');
  ASSERT_NE(key, key_t(-1));
  const std::vector<std::function<void(int)>> tamperings = {
      [](int Id) { shmctl(Id, IPC_RMID, nullptr); },
      [](int Id) {
        void* at = shmat(Id, nullptr, 0);
        ASSERT_NE(at, reinterpret_cast<void*>(-1));
        std::memset(at, 0x5A, 64);
        shmdt(at);
      },
  };
  for (const auto& tamper : tamperings) {
    DebugLog("main", 0, "personne");
    const int id = shmget(key, 0, 0);
    if (id < 0)
      GTEST_SKIP() << "no shared memory on this machine: every lookup is done again";
    tamper(id);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    ExpectAConsoleStartedNowGetsTheNextLine();
  }
  // What was scribbled on is no counter of ours: a new one is made.
  shmctl(shmget(key, 0, 0), IPC_RMID, nullptr);
}

TEST_F(DebugLogTest, CopyDataFromAnotherProcessCarriesTheSizeReallySent)
{
  // The console answers what it saw; a record of another size is told apart.
  TReceiver receiver({});
  ASSERT_EQ(receiver.ReadLine(), "ready");
  HWND console = FindWindow(nullptr, "CDebug");
  ASSERT_NE(console, nullptr);
  char data[40] = "court";
  COPYDATASTRUCT cds{9, sizeof data, data};
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeout(console, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_BLOCK, 2000, &result), 0);
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(receiver.ReadLine(), "unexpected\t9\t40");
}

}  // namespace
