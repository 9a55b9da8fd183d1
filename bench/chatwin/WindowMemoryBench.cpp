// What chat windows cost in memory, through "tessel.so" loaded by name with
// this program as the host (plain text messages, no processor).
//
// BM_ChatWindowHeld: one window of 100 messages, painted. The counters are
// the heap (and the resident size) the window holds beyond what the program
// held before it opened, while shown, hidden, and minimised; "pixels_kb" is
// the size of one full-window pixel buffer, for comparison. One window is
// opened and closed first, so that what the library keeps for good (fonts,
// caches) is not counted.
//
// BM_ManyWindowsClosed: 200 windows of 10 messages each are opened (shown and
// painted) and closed again; once the program has been idle (the idle-time
// return of freed memory ran), "resident_growth_mb" is how much more it
// holds resident than before it opened them (after the same first window).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "ChatLibrarySession.h"
#include "ProcessMemory.h"
#include "api/ChatLibrary.h"
#include "platform/base/DateTime.h"
#include "platform/base/FreedMemory.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/RegistryStore.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

std::string WinMemLine(int I)
{
  switch (I % 3) {
  case 0: return "Salut, tu as vu le match d'hier ? C'\xC3\xA9tait g\xC3\xA9nial.";
  case 1: return "Oui, on en reparle demain & apr\xC3\xA8s-demain <promis>.";
  default: return "Premi\xC3\xA8re ligne\r\nDeuxi\xC3\xA8me ligne";
  }
}

// The chat library as the program loads it.
struct TWinMemChat : TChatLibrarySession {
  TWinMemChat() : TChatLibrarySession("window-memory-bench") {}

  // The window of contact Index, opened by its first message, with Count messages.
  void Converse(int Index, int Count)
  {
    const UserID Key("0;0;" + std::to_string(Index + 1));
    const TDateTime At = Now();
    for (int I = 0; I < Count; ++I)
      NewMessage(&Key, At, WinMemLine(I).c_str(), mkText);
  }
};

std::vector<TCustomForm*> WinMemChatForms()
{
  std::vector<TCustomForm*> Forms;
  for (int I = 0; I < Screen()->CustomFormCount(); ++I)
    if (TCustomForm* Form = Screen()->CustomForms(I); Form->Caption().rfind("Messages avec ", 0) == 0)
      Forms.push_back(Form);
  return Forms;
}

// Paints what is pending, lets closed windows go, and runs what the program
// does when it is next idle.
void WinMemSettle()
{
  THeadlessDisplay::PumpMessages();
  for (TCustomForm* Form : WinMemChatForms())
    Form->Update();
  THeadlessDisplay::PumpMessages();
  ReturnFreedMemory();
}

// What the library keeps once any window was open is not a window's cost.
void WinMemWarmUp(TWinMemChat& Session)
{
  Session.Converse(0, 10);
  WinMemSettle();
  for (TCustomForm* Form : WinMemChatForms())
    Form->Close();
  WinMemSettle();
}

void BM_ChatWindowHeld(benchmark::State& State)
{
  TWinMemChat Session;
  if (!Session.Ready()) {
    State.SkipWithError("the chat library did not load");
    return;
  }
  double Shown = 0, Hidden = 0, Minimised = 0, Pixels = 0;
  double ResidentShown = 0, ResidentHidden = 0, ResidentMinimised = 0;
  for (auto _ : State) {
    WinMemWarmUp(Session);
    malloc_trim(0);
    const double HeapBefore = double(HeapInUse());
    const double ResidentBefore = double(ResidentBytes());
    Session.Converse(0, 100);
    WinMemSettle();
    std::vector<TCustomForm*> Forms = WinMemChatForms();
    if (Forms.size() != 1) {
      State.SkipWithError("no chat window");
      return;
    }
    TCustomForm* Form = Forms[0];
    Pixels = double(Form->Width()) * double(Form->Height()) * 4;
    Shown = double(HeapInUse()) - HeapBefore;
    ResidentShown = double(ResidentBytes()) - ResidentBefore;

    Form->Hide();
    WinMemSettle();
    malloc_trim(0);
    Hidden = double(HeapInUse()) - HeapBefore;
    ResidentHidden = double(ResidentBytes()) - ResidentBefore;

    Form->Show();
    WinMemSettle();
    ShowWindow(Form->Handle(), SW_MINIMIZE);
    WinMemSettle();
    malloc_trim(0);
    Minimised = double(HeapInUse()) - HeapBefore;
    ResidentMinimised = double(ResidentBytes()) - ResidentBefore;

    ShowWindow(Form->Handle(), SW_RESTORE);
    Form->Close();
    WinMemSettle();
  }
  State.counters["pixels_kb"] = Pixels / 1024;
  State.counters["heap_shown_kb"] = Shown / 1024;
  State.counters["heap_hidden_kb"] = Hidden / 1024;
  State.counters["heap_minimised_kb"] = Minimised / 1024;
  State.counters["resident_shown_kb"] = ResidentShown / 1024;
  State.counters["resident_hidden_kb"] = ResidentHidden / 1024;
  State.counters["resident_minimised_kb"] = ResidentMinimised / 1024;
}
BENCHMARK(BM_ChatWindowHeld)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ManyWindowsClosed(benchmark::State& State)
{
  const int Windows = int(State.range(0));
  TWinMemChat Session;
  if (!Session.Ready()) {
    State.SkipWithError("the chat library did not load");
    return;
  }
  double Growth = 0, HeapGrowth = 0, Peak = 0;
  for (auto _ : State) {
    WinMemWarmUp(Session);
    malloc_trim(0);
    const double HeapBefore = double(HeapInUse());
    const long Before = ResidentBytes();
    for (int I = 0; I < Windows; ++I) {
      Session.Converse(I, 10);
      WinMemSettle();
    }
    Peak = double(ResidentBytes() - Before);
    for (TCustomForm* Form : WinMemChatForms())
      Form->Close();
    WinMemSettle();
    Growth = double(ResidentBytes() - Before);
    HeapGrowth = double(HeapInUse()) - HeapBefore;
  }
  State.counters["windows"] = Windows;
  State.counters["resident_open_mb"] = Peak / (1 << 20);
  State.counters["resident_growth_mb"] = Growth / (1 << 20);
  State.counters["heap_growth_mb"] = HeapGrowth / (1 << 20);
}
BENCHMARK(BM_ManyWindowsClosed)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
