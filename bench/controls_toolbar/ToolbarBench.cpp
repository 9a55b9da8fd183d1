// The costs a user feels in menus: opening a popup menu of 30 items with
// images and shortcuts (create, layout, paint, show, and closing it again),
// one step of the selection through such a menu with its repaint, and the
// layout of a wrapping toolbar of 50 buttons.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/toolbar/TBCustomItem.h"
#include "controls/toolbar/TBImageList.h"
#include "controls/toolbar/TBItemViewer.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/graphics/Bitmap.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/win/win.h"

namespace {

void FillImages(TTBImageList& Images)
{
  TBitmap strip;
  strip.SetSize(64, 16);
  strip.Canvas()->Brush()->SetColor(TColor(0x00FF00FF));
  strip.Canvas()->FillRect(TRect(0, 0, 64, 16));
  for (int i = 0; i < 4; ++i) {
    strip.Canvas()->Brush()->SetColor(TColor(0x00402000 + i * 0x30));
    strip.Canvas()->FillRect(TRect(i * 16 + 2, 2, i * 16 + 14, 14));
  }
  Images.SetImagesBitmap(&strip);
}

struct TMenu30 {
  TTBImageList Images{nullptr};
  TTBRootItem Root{nullptr};
  TMenu30()
  {
    THeadlessDisplay::Use();
    FillImages(Images);
    Root.SetSubMenuImages(&Images);
    for (int i = 0; i < 30; ++i) {
      auto* item = new TTBItem(nullptr);
      item->SetCaption("&Command number " + std::to_string(i) + "\tCtrl+Shift+F" + std::to_string(i % 12 + 1));
      item->SetImageIndex(i % 4);
      item->SetChecked(i % 7 == 0);
      Root.Add(item);
    }
  }
};

void BM_OpenPopupMenu30(benchmark::State& State)
{
  TMenu30 menu;
  for (auto _ : State) {
    TTBPopupWindow* popup = menu.Root.CreatePopup(nullptr, nullptr, false, false, false, TPoint(50, 40), tbpaLeft);
    UpdateWindow(popup->Handle());
    delete popup;
  }
}
BENCHMARK(BM_OpenPopupMenu30)->Unit(benchmark::kMicrosecond);

void BM_MoveSelectionIn30ItemMenu(benchmark::State& State)
{
  TMenu30 menu;
  TTBPopupWindow* popup = menu.Root.CreatePopup(nullptr, nullptr, false, true, false, TPoint(50, 40), tbpaLeft);
  UpdateWindow(popup->Handle());
  TTBView* view = popup->View();
  for (auto _ : State) {
    view->MoveSelection(true);
    UpdateWindow(popup->Handle());
  }
  delete popup;
}
BENCHMARK(BM_MoveSelectionIn30ItemMenu)->Unit(benchmark::kMicrosecond);

void BM_LayoutWrappingToolbar50(benchmark::State& State)
{
  THeadlessDisplay::Use();
  TTBImageList images(nullptr);
  FillImages(images);
  TTBRootItem bar(nullptr);
  bar.SetSubMenuImages(&images);
  for (int i = 0; i < 50; ++i) {
    if (i % 8 == 7)
      bar.Add(new TTBSeparatorItem(nullptr));
    auto* button = new TTBItem(nullptr);
    button->SetCaption("Button " + std::to_string(i));
    button->SetImageIndex(i % 4);
    bar.Add(button);
  }
  TTBView view(nullptr, nullptr, &bar, nullptr, true, false, false);
  view.SetWrapLimit(400);
  for (auto _ : State) {
    view.InvalidateLayout();
    view.EnsureLayout();
  }
  State.counters["lines"] = view.LineCount();
}
BENCHMARK(BM_LayoutWrappingToolbar50)->Unit(benchmark::kMicrosecond);

}  // namespace

// Arranging a dock of 20 toolbars in 4 rows.
#include "../../tests/controls_toolbar/TBDockTestSupport.h"

static void BM_ArrangeDockOf20In4Rows(benchmark::State& state)
{
  static TDockFixture* fixture = new TDockFixture;
  fixture->Form->SetClientWidth(1000);
  TTBDock* dock = fixture->AddDock(dpTop, true);
  for (int i = 0; i < 20; ++i)
    fixture->AddBar(dock, i / 5, (i % 5) * 190, 150);
  for (auto _ : state)
    dock->ArrangeWindows();
  delete dock;
}
BENCHMARK(BM_ArrangeDockOf20In4Rows);

// One step of a toolbar drag: the mouse moves, the loop finds the dock under
// it (snap zones), picks the row, re-arranges the dock and repaints. A drag
// of 40 steps runs on the headless display; each step is timed from the
// injected move until the loop waits again. Argument 0: every step moves
// along a dock of 8 toolbars in 2 rows; 1: every step changes dock (top and
// bottom, 8 toolbars each), re-parenting the window.
#include <chrono>
#include <deque>
#include <functional>

static void BM_DragStep(benchmark::State& state)
{
  static TDockFixture* fixture = new TDockFixture;
  THeadlessDisplay* display = THeadlessDisplay::Current();
  TCustomForm* form = fixture->Form;
  form->SetBounds(50, 50, 900, 500);
  form->Show();
  TTBDock* top = fixture->AddDock(dpTop, true);
  TTBDock* bottom = fixture->AddDock(dpBottom, true);
  for (int i = 0; i < 8; ++i) {
    fixture->AddBar(top, i / 4, (i % 4) * 200, 150);
    fixture->AddBar(bottom, i / 4, (i % 4) * 200, 150);
  }
  TFakeBar* dragged = fixture->AddBar(top, 2, 0, 150);
  THeadlessDisplay::PumpMessages();
  const bool acrossDocks = state.range(0) != 0;
  constexpr int Steps = 40;
  using Clock = std::chrono::steady_clock;

  for (auto _ : state) {
    TRect topRect, bottomRect, barRect;
    GetWindowRect(top->Handle(), &topRect);
    GetWindowRect(bottom->Handle(), &bottomRect);
    GetWindowRect(dragged->Handle(), &barRect);
    std::deque<std::function<void()>> script;
    for (int i = 0; i <= Steps; ++i)
      script.push_back([=] {
        bool inTop = acrossDocks && i % 2 == 0;
        int y = inTop ? topRect.Top + 10 : bottomRect.Top + 10;
        display->MoveMouse(150 + (i % 20) * 20, y);
      });
    script.push_back([=] { display->Release(); });
    double total = 0;
    int timed = 0;
    Clock::time_point injected;
    bool timing = false;
    display->SetIdleScript([&] {
      if (timing) {
        total += std::chrono::duration<double>(Clock::now() - injected).count();
        ++timed;
      }
      if (script.empty())
        return false;
      // The first move goes from the drag's start: only later ones are steps.
      timing = script.size() > 1 && script.size() <= Steps + 1;
      auto step = std::move(script.front());
      script.pop_front();
      injected = Clock::now();
      step();
      return true;
    });
    THeadlessDisplay::Advance(1000);
    display->MoveMouse(barRect.Left + 4, (barRect.Top + barRect.Bottom) / 2);
    THeadlessDisplay::PumpMessages();
    display->Press();
    THeadlessDisplay::PumpMessages();
    display->SetIdleScript(nullptr);
    state.SetIterationTime(timed ? total / timed : 0);
    state.counters["steps"] = timed;
    state.counters["bottom"] = dragged->CurrentDock() == bottom;
    // Back to where it started, outside the timing.
    dragged->SetDockRow(2);
    dragged->SetDockPos(0);
    dragged->SetCurrentDock(top);
    THeadlessDisplay::PumpMessages();
    if (!dragged->Docked())
      state.SkipWithError("the drag did not dock");
  }
  delete dragged;
  delete top;
  delete bottom;
}
BENCHMARK(BM_DragStep)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
