// The program's choice of display (platform/startup): x11 when the display
// DISPLAY names answers, headless otherwise or when a test asks, and the
// class library's application start keeps the choice. The choice belongs to
// the process, so each case runs in a process of its own.
#include "X11TestSupport.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/classes/forms/Application.h"
#include "platform/display/x11/X11Display.h"
#include "platform/startup/DisplayStartup.h"

namespace {

// In the child: starts the display under the given DISPLAY, initialises the
// application and says which back end runs.
[[noreturn]] void StartAndReport(const char* display, TDisplayStart start)
{
  if (display)
    setenv("DISPLAY", display, 1);
  else
    unsetenv("DISPLAY");
  TDisplayBackend* chosen = StartDisplay(start);
  Application()->Initialize();
  TDisplayBackend* running = CurrentDisplayBackend();
  std::string name = running && running == chosen ? running->Name() : "none or changed";
  if (TX11Display* x11 = TX11Display::Current(); x11 && !x11->Connected())
    name += " without a connection";
  std::fprintf(stderr, "display: %s\n", name.c_str());
  std::exit(0);
}

TEST(DisplayStartup, X11WhenTheDisplayAnswersHeadlessOtherwiseOrWhenATestAsks)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* real = std::getenv("DISPLAY");
  // Held while the cases run, as a desktop's other programs are: a server
  // whose last client leaves resets and refuses connections for a moment.
  Display* held = OpenTestDisplay();
  const bool answers = held != nullptr;
  struct TCase {
    const char* Name;
    const char* Display;
    TDisplayStart Start;
    const char* Expected;
    bool NeedsServer;
  };
  const TCase cases[] = {
      {"no DISPLAY", nullptr, TDisplayStart::Automatic, "headless", false},
      {"a DISPLAY nobody answers", ":4711", TDisplayStart::Automatic, "headless", false},
      {"the display answers", real, TDisplayStart::Automatic, "x11", true},
      {"a test asks for headless", real, TDisplayStart::Headless, "headless", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    if (c.NeedsServer && !answers)
      continue;
    EXPECT_EXIT(StartAndReport(c.Display, c.Start), ::testing::ExitedWithCode(0),
                std::string("display: ") + c.Expected + "\n");
  }
  if (held)
    XCloseDisplay(held);
  if (!answers)
    GTEST_SKIP() << "no X display: the x11 cases did not run";
}

}  // namespace
