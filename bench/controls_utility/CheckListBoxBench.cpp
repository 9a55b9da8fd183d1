// The check list box as the processor panel with 10,000 lines, on the
// headless display: adding the lines one Add at a time, one paint of the
// visible screen (every visible line drawn with its check image), and one
// tick with the space bar (the key through the message loop, the state
// changed and the check area repainted).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "controls/utility/controls/UtCheckListBox.h"
#include "platform/classes/classes.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

constexpr int LineCount = 10000;

struct TPanel {
  THeadlessDisplay* Display = nullptr;
  TCustomForm* Form = nullptr;
  TUtxCheckListBox* Box = nullptr;
  std::vector<std::string> Names;

  TPanel()
  {
    Display = THeadlessDisplay::Use();
    Application()->Initialize();
    Form = TCustomForm::Create<TForm>(nullptr);
    Form->SetBounds(0, 0, 320, 480);
    Box = new TUtxCheckListBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 280, 420);
    Form->Show();
    Application()->ProcessMessages();
    for (int i = 0; i < LineCount; ++i)
      Names.push_back("Processeur de messages " + std::to_string(i));
  }
  ~TPanel() { Form->Free(); }
  void Fill()
  {
    for (const std::string& name : Names)
      Box->Items()->Add(name);
  }
  // Full for the benchmarks that work on the whole list.
  void EnsureFull()
  {
    if (Box->Items()->Count() != LineCount) {
      Box->Items()->Clear();
      Fill();
    }
  }
};

TPanel& Panel()
{
  static TPanel panel;
  return panel;
}

void BM_Add10000Lines(benchmark::State& State)
{
  TPanel& panel = Panel();
  for (auto _ : State) {
    State.PauseTiming();
    panel.Box->Items()->Clear();
    State.ResumeTiming();
    panel.Fill();
  }
  State.counters["lines"] = panel.Box->Items()->Count();
}
BENCHMARK(BM_Add10000Lines)->Unit(benchmark::kMillisecond);

void BM_PaintOneScreen(benchmark::State& State)
{
  TPanel& panel = Panel();
  panel.EnsureFull();
  // Every third line ticked: checked and unchecked images both show.
  for (int i = 0; i < LineCount; i += 3)
    panel.Box->SetItemChecked(i, true);
  panel.Box->SetTopIndex(LineCount / 2);
  HWND hwnd = panel.Box->Handle();
  for (auto _ : State) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
  }
  State.counters["visible"] = panel.Box->ClientHeight() / panel.Box->ItemHeight();
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMicrosecond);

void BM_TickWithSpace(benchmark::State& State)
{
  TPanel& panel = Panel();
  panel.EnsureFull();
  panel.Box->SetItemIndex(LineCount / 2);
  panel.Box->SetFocus();
  Application()->ProcessMessages();
  bool before = panel.Box->ItemChecked(LineCount / 2);
  for (auto _ : State) {
    panel.Display->PressKey(VK_SPACE, ' ');
    Application()->ProcessMessages();
  }
  if (State.iterations() % 2 == 1 && panel.Box->ItemChecked(LineCount / 2) == before)
    State.SkipWithError("the space bar did not tick the line");
}
BENCHMARK(BM_TickWithSpace)->Unit(benchmark::kMicrosecond);

}  // namespace
