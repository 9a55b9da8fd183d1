// The program whole as a person meets it on a real X server: corvane started
// from a program folder filled as scripts/run fills it, with the network a
// person tries the program with, played from this process through XTest. A
// tray of the test's own takes the tray icon; the network journals into a
// file what it receives.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TopLevelWindows.h"
#include "UtTrayPlayer.h"
#include "X11ScreenPeek.h"
#include "X11TestSupport.h"

namespace {

// The scenario runs on a bare X server and again under a window manager,
// which frames the program's windows and decides what is raised.
enum class TDesktop { Bare, WithWindowManager };

class ProgramOnX11 : public X11Fixture, public testing::WithParamInterface<TDesktop> {
protected:
  void SetUp() override
  {
    X11Fixture::SetUp();
    if (IsSkipped())
      return;
    if (GetParam() == TDesktop::WithWindowManager && !StartWindowManager())
      GTEST_SKIP() << "no window manager to test with (scripts/setup installs openbox)";
    char pattern[] = "/tmp/corvane-x11-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Folder = std::string(pattern) + "/run";
    Run("'" CORVANE_SOURCE_DIR "/scripts/run-folder' '" + BinFolder() + "' '" + Folder + "' --with-test-network");
    ASSERT_TRUE(std::ifstream(Folder + "/testnet.net").good()) << "program folder not filled";
  }

  void TearDown() override
  {
    if (Pid > 0) {
      // A person closes the window; the program ends on its own. The time
      // it takes is printed (a chat window is open then): about 20 ms.
      const auto closing = std::chrono::steady_clock::now();
      if (XWin main = TopLevel("Corvane 2.1"))
        SendWindowManagerDelete(main);
      int status = 0;
      const bool ended = WaitUntil([&] { return waitpid(Pid, &status, WNOHANG) == Pid; }, 5000);
      const auto quitMs =
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - closing).count();
      std::printf("quit: %lld ms\n", static_cast<long long>(quitMs));
      if (!ended) {
        kill(Pid, SIGKILL);
        waitpid(Pid, &status, 0);
      }
      EXPECT_TRUE(ended) << "the program did not end when its window was closed";
    }
    X11Fixture::TearDown();
  }

  static std::string BinFolder()
  {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe(path, n > 0 ? std::size_t(n) : 0);
    return exe.substr(0, exe.rfind('/'));
  }

  // Starts ./corvane in the folder as scripts/run does.
  void StartProgram()
  {
    Pid = fork();
    if (Pid == 0) {
      if (chdir(Folder.c_str()) != 0)
        _exit(127);
      setenv("XDG_CONFIG_HOME", (Folder + "/config").c_str(), 1);
      setenv("TESTNET_JOURNAL", (Folder + "/journal.txt").c_str(), 1);
      freopen("program.log", "w", stdout);
      freopen("program.log", "a", stderr);
      execl("./corvane", "./corvane", nullptr);
      _exit(127);
    }
  }

  // A shown top-level window by its title (0 when none).
  static XWin TopLevel(const std::string& Title) { return ShownTopLevel(X, Title); }

  XWin WaitForTopLevel(const std::string& Title)
  {
    XWin found = 0;
    WaitUntil([&] { return (found = TopLevel(Title)) != 0; }, 10000);
    return found;
  }

  std::vector<std::string> Journal() const
  {
    std::vector<std::string> lines;
    std::ifstream in(Folder + "/journal.txt");
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }
  bool Journalled(const std::string& Line) const
  {
    const std::vector<std::string> lines = Journal();
    return std::find(lines.begin(), lines.end(), Line) != lines.end();
  }

  // Writes what the screen shows of a window; answers the file's path.
  std::string Screenshot(XWin Window, const std::string& Name)
  {
    const std::string path = Folder + "/" + Name;
    EXPECT_TRUE(WritePng(path, ScreenArea(X, ScreenRectOf(X, Window))));
    std::printf("screenshot: %s\n", path.c_str());
    return path;
  }

  std::string Folder;
  pid_t Pid = -1;
};

TEST_P(ProgramOnX11, AMessageWaitsInTheTrayOpensInAChatWindowAndTheReplyGoesOut)
{
  const TRect screen = ScreenRect(X);
  TTrayPlayer tray(screen.Right - 200, screen.Bottom - 40);
  ASSERT_TRUE(tray.Started());
  StartProgram();
  const XWin main = WaitForTopLevel("Corvane 2.1");
  ASSERT_NE(main, 0u) << "the main window never showed";
  ASSERT_TRUE(WaitUntil([&] { return tray.Docked(); }, 10000)) << "the tray icon never docked";
  EXPECT_EQ(tray.IconWidth(), 22) << "the tray icon asked for no size";
  const TRect at = ScreenRectOf(X, main);
  auto trayPicture = [&] {
    return ScreenArea(X, TRect(tray.IconCenterX() - 12, tray.IconCenterY() - 12, tray.IconCenterX() + 12,
                               tray.IconCenterY() + 12));
  };
  // The waiting image is the only one with an envelope (paper 0xFAF5DC).
  auto trayWaits = [&] {
    const TPixelImage picture = trayPicture();
    return std::count(picture.Pixels.begin(), picture.Pixels.end(), 0xFAF5DCu) > 10;
  };
  EXPECT_FALSE(trayWaits());

  // "Corvane > Se Connecter": the network connects and bob's message comes.
  const std::vector<XWin> shown = ShownOverrideRedirect(X, {});
  Click(at.Left + 45, at.Top + 33);
  std::vector<XWin> popups;
  ASSERT_TRUE(WaitUntil([&] { return !(popups = ShownOverrideRedirect(X, shown)).empty(); }, 5000));
  WaitUntil([] { return false; }, 100);
  const TRect menu = ScreenRectOf(X, popups[0]);
  Click(menu.Left + 40, menu.Top + 12);
  ASSERT_TRUE(WaitUntil([&] { return Journalled("Connect"); }, 5000));
  // bob's message waits: no chat window, the tray shows the waiting image.
  EXPECT_TRUE(WaitUntil(trayWaits, 5000)) << "the tray does not show that a message waits";
  EXPECT_EQ(TopLevel("Messages avec bob"), 0u);

  // The tree opened by keys down to bob (TestNet > Amis > alice, bob).
  Click(at.Left + 60, at.Top + 84);
  for (unsigned long key : {XK_Right, XK_Down, XK_Right, XK_Down, XK_Down})
    TypeKeySym(key);
  WaitUntil([] { return false; }, 300);
  Screenshot(main, "main-window.png");
  // Rows are 18 pixels; bob is the fourth.
  const int bobY = at.Top + 84 + 3 * 18;
  Click(at.Left + 80, bobY);
  Click(at.Left + 80, bobY);
  const XWin chat = WaitForTopLevel("Messages avec bob");
  ASSERT_NE(chat, 0u) << "no chat window for bob";
  EXPECT_TRUE(WaitUntil([&] { return !trayWaits(); }, 5000)) << "nothing waits any more";

  // The reply, typed where the window puts the caret and sent with Ctrl+Enter.
  WaitUntil([] { return false; }, 300);
  TypeText("Oui, je suis là");
  Key(XK_Control_L, true);
  TypeKeySym(XK_Return);
  Key(XK_Control_L, false);
  EXPECT_TRUE(WaitUntil([&] { return Journalled("SendToContact(0,1,Oui, je suis là)"); }, 5000))
      << "the reply never reached the network";
  WaitUntil([] { return false; }, 300);
  Screenshot(chat, "chat-window.png");

  // Minimised from the desktop and brought back, the window shows the same:
  // what it holds while out of sight is given back and drawn again.
  if (GetParam() == TDesktop::WithWindowManager) {
    const TPixelImage shown = ScreenArea(X, ScreenRectOf(X, chat));
    IconifyTopLevel(X, chat);
    ASSERT_TRUE(WaitUntil([&] { return !Viewable(chat); }, 5000)) << "the chat window was not minimised";
    WaitUntil([] { return false; }, 300);
    ActivateTopLevel(X, chat);
    ASSERT_TRUE(WaitUntil([&] { return Viewable(chat); }, 5000)) << "the chat window did not come back";
    EXPECT_TRUE(WaitUntil([&] { return ScreenArea(X, ScreenRectOf(X, chat)).Pixels == shown.Pixels; }, 5000))
        << "the chat window came back drawn otherwise";
  }

  // The tray icon's menu opens on a right click; "Restaurer" closes it.
  const std::vector<XWin> before = ShownOverrideRedirect(X, {});
  Click(tray.IconCenterX(), tray.IconCenterY(), 3);
  std::vector<XWin> menus;
  ASSERT_TRUE(WaitUntil([&] { return !(menus = ShownOverrideRedirect(X, before)).empty(); }, 10000))
      << "no menu on the tray icon";
  WaitUntil([] { return false; }, 200);
  Screenshot(menus[0], "tray-menu.png");
  const TRect trayMenu = ScreenRectOf(X, menus[0]);
  Click(trayMenu.Left + 30, trayMenu.Top + trayMenu.Height() / 2);
  EXPECT_TRUE(WaitUntil([&] { return ShownOverrideRedirect(X, before).empty(); }, 10000))
      << "the menu stayed open after \"Restaurer\"";
}

INSTANTIATE_TEST_SUITE_P(Desktops, ProgramOnX11, testing::Values(TDesktop::Bare, TDesktop::WithWindowManager),
                         [](const testing::TestParamInfo<TDesktop>& Info) {
                           return Info.param == TDesktop::Bare ? std::string("BareServer")
                                                               : std::string("WindowManager");
                         });

}  // namespace
