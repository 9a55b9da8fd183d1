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
