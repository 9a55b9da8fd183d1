// The chat session through the real chat window: "tessel.so" loaded by name
// with this program as its host, a message handed to the entry point
// NewMessage, up to the window painted (the whole document parsed, laid out
// and the screen painted again). The cost of message i is measured with
// i - 1 messages already in the conversation, at i = 10, 100, 1,000 and
// 5,000: every iteration opens a new window, outside the timing, so the
// conversation does not grow from one iteration to the next. The earlier
// messages arrive as one HTML message holding their fragments, so that a
// conversation of 5,000 messages is set up in one reload instead of 5,000.
#include <benchmark/benchmark.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "ChatLibrarySession.h"
#include "api/ChatLibrary.h"
#include "platform/base/DateTime.h"
#include "platform/base/ModuleLoader.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"
#include "tests/chatwin/RecordingHost.h"

namespace {

std::string Text(int I)
{
  switch (I % 3) {
  case 0: return "Salut, tu as vu le match d'hier ? C'\xC3\xA9tait g\xC3\xA9nial !";
  case 1: return "Oui, on en reparle demain & apr\xC3\xA8s-demain <promis>.";
  default: return "Premi\xC3\xA8re ligne\r\nDeuxi\xC3\xA8me ligne";
  }
}

// What I - 1 earlier messages put in the document, as one HTML text.
std::string History(int Count)
{
  std::string html;
  for (int I = 0; I < Count; ++I)
    html += std::string("<BR>\n<DIV class=\"header\">\nAlice, 08/12/2026 23:10:19\n</DIV>\n<DIV class=\"") +
            (I % 2 ? "lui" : "moi") + "\">\n" + Text(I) + "\n</DIV>\n";
  return html;
}

// The chat library with the registry of a user who never changed a setting.
struct TSession : TChatLibrarySession {
  TSession() : TChatLibrarySession("chat-session-bench") {}
};

// The window of Key with the conversation of History in it.
TCustomForm* OpenWithHistory(TSession& Session, const UserID& Key, TDateTime At, const std::string& History)
{
  Session.NewMessage(&Key, At, History.c_str(), 2);
  THeadlessDisplay::PumpMessages();
  return dynamic_cast<TCustomForm*>(FindControl(FindWindow(nullptr, "Messages avec Bob")));
}

void BM_ChatWindowMessage(benchmark::State& State)
{
  const int I = int(State.range(0));
  TSession Session;
  const UserID Key("0;0;1");
  const TDateTime At = Now();
  const std::string Earlier = History(I - 1);
  int N = 0;
  for (auto _ : State) {
    State.PauseTiming();
    TCustomForm* Form = OpenWithHistory(Session, Key, At, Earlier);
    if (!Form) {
      State.SkipWithError("no chat window");
      return;
    }
    State.ResumeTiming();
    // Under callgrind (--instr-atstart=no) only the timed message is counted.
    CALLGRIND_START_INSTRUMENTATION;
    Session.NewMessage(&Key, At, Text(N++).c_str(), 0);
    Form->Update();
    CALLGRIND_STOP_INSTRUMENTATION;
    State.PauseTiming();
    Form->Close();  // the next iteration starts a new conversation
    THeadlessDisplay::PumpMessages();
    State.ResumeTiming();
  }
  State.counters["messages"] = I;
}
BENCHMARK(BM_ChatWindowMessage)->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
