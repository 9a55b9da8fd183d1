// What the user waits for in the themed controls, in the Default theme on
// both paths (argument 0: plain, 1: visual styles): a 30-item popup menu
// painted with its frame and shadow, the top dock of the host form with its
// menu bar and three toolbars repainted, and a theme switch heard, re-framed
// and repainted by a host form with a menu bar, three toolbars and an open
// popup menu.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "GalleryHost.h"
#include "GalleryProfile.h"
#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWNexus.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/TBWPopups.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace {

constexpr UINT RepaintAll = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

TCustomImageList* BenchImages()
{
  static TCustomImageList* images = [] {
    EnterGalleryProfile();
    Application()->Initialize();
    RegisterDefaultTheme();
    RegisterOfficeXPTheme();
    CreateThemeNexus("Default");
    auto* list = new TCustomImageList(nullptr, 16, 16);
    list->SetHandle(MakeGalleryImages());
    return list;
  }();
  return images;
}

void SelectPath(benchmark::State& State)
{
  BenchImages();
  SetCurrentThemeName("Default");
  SelectGalleryLook(GallerySchemes()[0], GalleryPaths()[size_t(State.range(0))]);
  State.SetLabel(GalleryPaths()[size_t(State.range(0))].Name);
}

// A popup menu of Count items (images, shortcuts, separators, a submenu)
// shown at (X, Y) with its shadow.
struct TOpenPopup {
  TTBWRootItem Root{nullptr};
  std::unique_ptr<TTBPopupWindow> Window;

  TOpenPopup(int Count, int X, int Y)
  {
    Root.SetSubMenuImages(BenchImages());
    for (int i = 0; i < Count; ++i) {
      TTBCustomItem* item;
      if (i % 8 == 7) {
        item = new TTBWSeparatorItem(nullptr);
      } else if (i % 8 == 5) {
        item = new TTBWSubmenuItem(nullptr);
        item->Add(new TTBWItem(nullptr));
      } else {
        item = new TTBWItem(nullptr);
        item->SetImageIndex(i % 3 - 1);
        item->SetChecked(i % 8 == 3);
      }
      item->SetCaption("&Element " + std::to_string(i) + (i % 4 == 0 ? "\tCtrl+" + std::to_string(i % 10) : ""));
      Root.Add(item);
    }
    Window.reset(Root.CreatePopup(nullptr, nullptr, false, false, false, TPoint(X, Y), tbpaLeft));
    StopShowAnimation(nullptr);
    SettleMessages();
  }
};

void PopupMenu30WithShadow(benchmark::State& State)
{
  SelectPath(State);
  TOpenPopup popup(30, 200, 40);
  HWND window = popup.Window->Handle();
  TRect r;
  GetWindowRect(window, &r);
  int step = 0;
  for (auto _ : State) {
    // A step aside and back: the shadow is cast again each time.
    const int dx = (step++ & 1);
    SetWindowPos(window, nullptr, r.Left + dx, r.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RepaintAll);
  }
}
BENCHMARK(PopupMenu30WithShadow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void TopDockWith4Toolbars(benchmark::State& State)
{
  SelectPath(State);
  TGalleryHost host(BenchImages(), 3);
  for (auto _ : State)
    RedrawWindow(host.TopDock()->Handle(), nullptr, nullptr, RepaintAll);
}
BENCHMARK(TopDockWith4Toolbars)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void ThemeSwitch(benchmark::State& State)
{
  SelectPath(State);
  TGalleryHost host(BenchImages(), 3);
  TOpenPopup popup(12, 60, 120);
  int step = 0;
  for (auto _ : State) {
    SetCurrentThemeName(step++ & 1 ? "Default" : "OfficeXP");
    // The broadcast invalidates; the switch is done once everything is painted.
    SettleMessages();
  }
  SetCurrentThemeName("Default");
  SettleMessages();
}
BENCHMARK(ThemeSwitch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
