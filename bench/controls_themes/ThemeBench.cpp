// What the user waits for in the themed controls, on both paths (argument
// "path" 0: plain, 1: visual styles): a 30-item popup menu opened to painted,
// and painted again with its frame and shadow, in the Default theme; one paint of each of the gallery's
// dock scenes (the top dock with its menu bar and three toolbars, the bottom
// multi-dock of three panels) in every theme of the gallery (argument
// "theme", the index in GalleryThemes.h); and a theme switch heard,
// re-framed and repainted by a host form with a menu bar, three toolbars
// and an open popup menu.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "GalleryHost.h"
#include "GalleryProfile.h"
#include "GalleryThemes.h"
#include "controls/themes/TBWDocks.h"
#include "controls/themes/TBWItems.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWNexus.h"
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
    for (const TGalleryTheme& theme : GalleryThemes())
      RegisterTheme(theme.Name, theme.Class);
    CreateThemeNexus("Default");
    auto* list = new TCustomImageList(nullptr, 16, 16);
    list->SetHandle(MakeGalleryImages());
    return list;
  }();
  return images;
}

void SelectLook(benchmark::State& State, const std::string& Theme, int Path)
{
  BenchImages();
  SetCurrentThemeName(Theme);
  SelectGalleryLook(GallerySchemes()[0], GalleryPaths()[size_t(Path)]);
  State.SetLabel(Theme + " " + GalleryPaths()[size_t(Path)].Name);
}

// Argument 0 is the path; the theme is Default.
void SelectPath(benchmark::State& State) { SelectLook(State, "Default", int(State.range(0))); }

// Arguments: the theme's index in the gallery's table, the path.
void SelectThemeAndPath(benchmark::State& State)
{
  SelectLook(State, GalleryThemes()[size_t(State.range(0))].Name, int(State.range(1)));
}

void EveryThemeAndPath(benchmark::internal::Benchmark* Bench)
{
  Bench->ArgNames({"theme", "path"});
  for (int theme = 0; theme < int(GalleryThemes().size()); ++theme)
    for (int path = 0; path < int(GalleryPaths().size()); ++path)
      Bench->Args({theme, path});
  Bench->Unit(benchmark::kMicrosecond);
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
    Open(X, Y);
  }
  // Opens the menu and lets it paint, shadow and animation included.
  void Open(int X, int Y)
  {
    Window.reset(Root.CreatePopup(nullptr, nullptr, false, false, false, TPoint(X, Y), tbpaLeft));
    StopShowAnimation(nullptr);
    SettleMessages();
  }
  void Close()
  {
    Window.reset();
    SettleMessages();
  }
};

// From the call that opens the menu to its pixels on the screen, then closed
// (not timed) for the next round: every open makes its windows afresh.
void PopupMenu30OpenToPainted(benchmark::State& State)
{
  SelectPath(State);
  TOpenPopup popup(30, 200, 40);
  popup.Close();
  for (auto _ : State) {
    popup.Open(200, 40);
    State.PauseTiming();
    popup.Close();
    State.ResumeTiming();
  }
}
BENCHMARK(PopupMenu30OpenToPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
  SelectThemeAndPath(State);
  TGalleryHost host(BenchImages(), 3);
  for (auto _ : State)
    RedrawWindow(host.TopDock()->Handle(), nullptr, nullptr, RepaintAll);
}
BENCHMARK(TopDockWith4Toolbars)->Apply(EveryThemeAndPath);

void MultiDockWith3Panels(benchmark::State& State)
{
  SelectThemeAndPath(State);
  TGalleryHost host(BenchImages(), 0);
  HWND dock = host.AddPanelMultiDock()->Handle();
  for (auto _ : State)
    RedrawWindow(dock, nullptr, nullptr, RepaintAll);
}
BENCHMARK(MultiDockWith3Panels)->Apply(EveryThemeAndPath);

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
