// What the user feels while dragging a split edge between panels: one step
// of the live drag in a multi-dock of three panels, that is the new lengths
// applied (the dock arranges once) and the panels repainted with their
// caption bars.
#include <benchmark/benchmark.h>

#include "../../tests/controls_themes/TBWPanelTestSupport.h"

namespace {

void SplitDragStep(benchmark::State& State)
{
  TPanelFixture fixture;
  fixture.Form->SetBounds(0, 0, 640, 300);
  fixture.Form->SetClientWidth(600);
  fixture.Form->Show();
  auto* dock = fixture.AddMultiDock(dpxTop);
  std::vector<TTBWDockablePanel*> panels;
  for (int i = 0; i < 3; ++i)
    panels.push_back(fixture.AddPanel(dock, std::string(1, char('A' + i)), i));
  std::vector<int> thicknesses(3, panels[0]->Height());
  THeadlessDisplay::PumpMessages();
  int step = 0;
  for (auto _ : State) {
    const int delta = (step++ % 40) - 20;
    const std::vector<int> lengths{200 + delta, 200 - delta, 200};
    const std::vector<int> positions{0, 200 + delta, 400};
    dock->ApplySplitSizes(panels, positions, lengths, thicknesses);
    RedrawWindow(dock->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
}
BENCHMARK(SplitDragStep)->Unit(benchmark::kMicrosecond);

}  // namespace
