// One frame of a popup menu's show animation: the slide's region change and
// the copy of the captured image, as the popup draws it on the GUI thread.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "platform/classes/Messages.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

void BM_ShowAnimationFrame(benchmark::State& State)
{
  THeadlessDisplay::Use();
  // The worker stays parked: the clock only moves when the benchmark says.
  THeadlessDisplay::UseVirtualClock();
  TTBRootItem root(nullptr);
  for (int i = 0; i < 20; ++i) {
    auto* item = new TTBItem(nullptr);
    item->SetCaption("&Command " + std::to_string(i) + "\tCtrl+F" + std::to_string(i % 12 + 1));
    root.Add(item);
  }
  TTBPopupWindow* popup = root.CreatePopup(nullptr, nullptr, false, false, false, TPoint(50, 40), tbpaLeft);
  StartShowAnimation(popup->Handle(), 150, false, tbadDown);
  TMessage frame;
  frame.Msg = TBM_ANIMATIONSTEP;
  frame.LParam = ShowAnimationNumber();
  // Half way: half the menu is in, and the worker waits for the clock.
  THeadlessDisplay::Advance(75);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  THeadlessDisplay::PumpMessages();
  for (auto _ : State)
    AnimationFrame(frame);
  StopShowAnimation(nullptr);
  delete popup;
}
BENCHMARK(BM_ShowAnimationFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
