// A message for an open chat window, received to painted, as the program
// handles it: the text goes through the smiley processor ("Quenbyfx.mp", its
// smileys from the newsreader fixture) and then to "tessel.so"'s NewMessage,
// loaded by name with this program as the host, and the window is painted.
//
// BM_MessageForAnOpenWindow: the window holds 100, 1,000, 5,000 or 20,000
// messages (received one by one before the timing, as a conversation grows);
// each timed iteration adds one more. "heap_per_message" is the heap the
// window's conversation grew by per message while it was received. The four sizes run in one process, so
// their ratio is measured side by side.
//
// BM_WindowOf100Messages: the heap a chat window holding 100 messages takes
// (window, viewer, document, everything it keeps while shown), less the one
// full-window pixel buffer it needs while shown: "heap_beyond_pixel_buffer".
// A first window of another contact is opened before, so that what the
// process makes once (fonts, stock objects) does not count.
//
// BM_LargeMessage: one message of about 1 MB or 10 MB of plain text (with
// smileys), of nested HTML or of RTF, for a new window; the counter
// "resident_per_byte" is the growth of the resident size over the message's
// size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <fstream>
#include <string>
#include <unistd.h>

#include "ChatLibrarySession.h"
#include "ProcessMemory.h"
#include "api/ChatLibrary.h"
#include "api/MessageProcessor.h"
#include "platform/base/DateTime.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryStore.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"
#include "tests/chatwin/RecordingHost.h"

namespace {

const std::string NewsreaderFolder = CORVANE_NEWSREADER_FIXTURE;

std::string ChatLine(int I)
{
  switch (I % 4) {
  case 0: return "Salut, tu as vu le match d'hier ? C'\xC3\xA9tait g\xC3\xA9nial :)";
  case 1: return "Oui, on en reparle demain & apr\xC3\xA8s-demain <promis> ;-)";
  case 2: return "Premi\xC3\xA8re ligne\r\nDeuxi\xC3\xA8me ligne";
  default: return "D'accord, \xC3\xA0 plus tard.";
  }
}

// The program's receive path for one message: the processor, then the window.
struct TChatSession : TChatLibrarySession {
  HMODULE Smileys = nullptr;
  IMessageProcessor* Processor = nullptr;

  TChatSession()
      : TChatLibrarySession("open-window-bench",
                            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews]\r\n"
                            "\"EmplacementData\"=\"" +
                                NewsreaderFolder +
                                "\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Veltrano\\MesNews\\init]\r\n"
                                "\"FichierSmileys\"=\"smileys.txt\"\r\n")
  {
    char Program[4096] = {};
    GetModuleFileName(nullptr, Program, sizeof Program);
    std::string Folder(Program);
    Folder.erase(Folder.find_last_of('/') + 1);
    Smileys = LoadLibrary((Folder + "Quenbyfx.mp").c_str());
    if (auto Create = reinterpret_cast<TCreateMessageProcessor>(GetProcAddress(Smileys, "CreateMessageProcessor")))
      Create(&Processor);
  }
  // The processor goes before the chat library ends.
  ~TChatSession()
  {
    if (Processor)
      Processor->Release();
    FreeLibrary(Smileys);
  }
  bool Ready() const { return NewMessage && Processor; }

  void Receive(const UserID& Key, TDateTime At, const std::string& Text, MessageKind Kind)
  {
    ProcessedMessage Result{Kind, const_cast<char*>(Text.c_str())};
    Processor->Process(&Result, &Key, Kind, Text.c_str());
    NewMessage(&Key, At, Result.Text, Result.Kind);
  }
};

TCustomForm* ChatWindow()
{
  return dynamic_cast<TCustomForm*>(FindControl(FindWindow(nullptr, "Messages avec Bob")));
}

void BM_MessageForAnOpenWindow(benchmark::State& State)
{
  const int Count = int(State.range(0));
  TChatSession Session;
  if (!Session.Ready()) {
    State.SkipWithError("the chat library or the smiley processor did not load");
    return;
  }
  const UserID Key("0;0;1");
  const TDateTime At = Now();
  // The heap a message costs: taken before the first message of the window
  // (which makes the window) and after the last, less the window's own.
  Session.Receive(Key, At, ChatLine(0), mkText);
  THeadlessDisplay::PumpMessages();
  recording_host::Calls().clear();
  const std::size_t HeapBefore = mallinfo2().uordblks;
  for (int I = 1; I < Count; ++I) {
    Session.Receive(Key, At, ChatLine(I), mkText);
    if (I % 200 == 0) {
      THeadlessDisplay::PumpMessages();
      recording_host::Calls().clear();
    }
  }
  THeadlessDisplay::PumpMessages();
  recording_host::Calls().clear();
  const double HeapPerMessage = Count > 1 ? double(mallinfo2().uordblks - HeapBefore) / (Count - 1) : 0;
  TCustomForm* Form = ChatWindow();
  if (!Form) {
    State.SkipWithError("no chat window");
    return;
  }
  Form->Update();
  int N = Count;
  for (auto _ : State) {
    Session.Receive(Key, At, ChatLine(N++), mkText);
    Form->Update();
  }
  State.counters["messages"] = Count;
  State.counters["heap_per_message"] = HeapPerMessage;
}
BENCHMARK(BM_MessageForAnOpenWindow)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_WindowOf100Messages(benchmark::State& State)
{
  double Beyond = 0;
  for (auto _ : State) {
    TChatSession Session;
    if (!Session.Ready()) {
      State.SkipWithError("the chat library or the smiley processor did not load");
      return;
    }
    const TDateTime At = Now();
    Session.Receive(UserID("0;0;2"), At, ChatLine(0), mkText);
    THeadlessDisplay::PumpMessages();
    if (TCustomForm* First = ChatWindow())
      First->Update();
    recording_host::Calls().clear();
    malloc_trim(0);
    const std::size_t Before = HeapInUse();
    const UserID Key("0;0;1");
    for (int I = 0; I < 100; ++I)
      Session.Receive(Key, At, ChatLine(I), mkText);
    THeadlessDisplay::PumpMessages();
    recording_host::Calls().clear();
    TCustomForm* Form = ChatWindow();
    if (!Form) {
      State.SkipWithError("no chat window");
      return;
    }
    // Both windows are chat windows of the same size.
    Form->Update();
    const double PixelBuffer = double(Form->Width()) * Form->Height() * 4;
    Beyond = double(HeapInUse()) - double(Before) - PixelBuffer;
  }
  State.counters["heap_beyond_pixel_buffer"] = Beyond;
}
BENCHMARK(BM_WindowOf100Messages)->Iterations(1)->Unit(benchmark::kMillisecond);

// About Bytes of each kind of large message.
std::string LargeMessage(int Kind, std::size_t Bytes)
{
  std::string Text;
  Text.reserve(Bytes + 200);
  switch (Kind) {
  case 0:  // plain text with smileys and lines
    while (Text.size() < Bytes)
      Text += "Une longue ligne de texte :) avec des mots, des accents \xC3\xA9t\xC3\xA9 et des smileys ;-) \r\n";
    break;
  case 1:  // nested HTML
    while (Text.size() < Bytes)
      Text += "<div><b>gras <i>italique <u>soulign\xC3\xA9</u></i></b> <span style=\"color: red\">rouge "
              "<font size=\"+1\">grand <small>petit</small></font></span> <a href=\"http://exemple.org/\">lien</a>"
              "</div><p>paragraphe <em>mis en valeur</em><br>";
    break;
  default:  // RTF
    Text = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0 ";
    while (Text.size() < Bytes)
      Text += "Une ligne {\\b en gras} et {\\i en italique}, caf\\'e9 \\u233? \\par ";
    Text += "}";
    break;
  }
  return Text;
}

void BM_LargeMessage(benchmark::State& State)
{
  const int Kind = int(State.range(0));
  const std::size_t Bytes = std::size_t(State.range(1));
  const std::string Text = LargeMessage(Kind, Bytes);
  const MessageKind Sent = Kind == 0 ? mkText : Kind == 1 ? mkHtml : mkRtf;
  const UserID Key("0;0;1");
  double Growth = 0;
  for (auto _ : State) {
    State.PauseTiming();
    auto Session = std::make_unique<TChatSession>();
    if (!Session->Ready()) {
      State.SkipWithError("the chat library or the smiley processor did not load");
      return;
    }
    // What earlier runs freed stays resident until given back; it would be
    // reused by this message and hide its cost.
    malloc_trim(0);
    const long Before = ResidentBytes();
    State.ResumeTiming();
    Session->Receive(Key, Now(), Text, Sent);
    THeadlessDisplay::PumpMessages();
    if (TCustomForm* Form = ChatWindow())
      Form->Update();
    State.PauseTiming();
    Growth = double(ResidentBytes() - Before);
    Session.reset();
    THeadlessDisplay::PumpMessages();
    State.ResumeTiming();
  }
  State.counters["resident_per_byte"] = Growth / double(Text.size());
  State.counters["bytes"] = double(Text.size());
}
BENCHMARK(BM_LargeMessage)
    ->ArgNames({"kind", "bytes"})
    ->Args({0, 1 << 20})
    ->Args({1, 1 << 20})
    ->Args({2, 1 << 20})
    ->Args({0, 10 << 20})
    ->Args({1, 10 << 20})
    ->Args({2, 10 << 20})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
