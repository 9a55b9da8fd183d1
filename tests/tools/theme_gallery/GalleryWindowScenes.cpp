#include "GalleryWindowScenes.h"

#include <algorithm>

#include "GalleryHost.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWMultiDock.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "platform/classes/controls/Control.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "tests/controls_toolbar/TBScriptedUser.h"

namespace {

TPixelImage ShootArea(const TRect& Area)
{
  TPixelImage image;
  image.Width = Area.Width();
  image.Height = Area.Height();
  image.Pixels = THeadlessDisplay::Current()->ScreenImage(Area);
  return image;
}

TRect WindowRectOf(HWND Window)
{
  TRect r;
  GetWindowRect(Window, &r);
  return r;
}

// Room right of and below a popup for its shadow.
constexpr int ShadowRoom = 8;

TPixelImage ShootDock(TCustomImageList* Images)
{
  TGalleryHost host(Images);
  return ShootArea(host.DockRect());
}

TPixelImage ShootFloating(TCustomImageList* Images)
{
  TGalleryHost host(Images, 0);
  TTBWToolbar* bar = host.AddFloatingToolbar(560, 80);
  return ShootArea(WindowRectOf(bar->FloatFrame()->Handle()));
}

// Three docked panels sharing a bottom multi-dock, the middle one's close
// box hidden.
TPixelImage ShootMultiDock(TCustomImageList* Images)
{
  TGalleryHost host(Images, 0);
  auto* dock = new TXTBMultiDock(host.Form());
  dock->SetPosition(dpxBottom);
  dock->SetParent(host.Form());
  int position = 0;
  for (const char* caption : {"Console", "Contacts", "Journal des evenements"}) {
    auto* panel = new TTBWDockablePanel(host.Form());
    panel->SetCaption(caption);
    panel->SetDockedHeight(90);
    panel->SetCloseButtonWhenDocked(position != 1);
    panel->SetDockPos(position++);
    panel->SetCurrentDock(dock);
  }
  SettleMessages();
  RedrawWindow(host.Form()->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SettleMessages();
  return ShootArea(WindowRectOf(dock->Handle()));
}

}  // namespace

TPixelImage ShootOpenMenu(TCustomImageList* Images, bool Composes)
{
  THeadlessDisplay* display = THeadlessDisplay::Current();
  display->SetLayeredWindowsSupported(Composes);
  TPixelImage image;
  {
    TGalleryHost host(Images, 0);
    const TRect opener = host.MenuBarItemRect(0);
    const TPoint below(opener.Left + 4, opener.Bottom + 6);
    TScriptedUser user;
    user.Attach(display);
    user.Steps.push_back([&] {
      if (auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(WindowFromPoint(below)))) {
        THeadlessDisplay::PumpMessages();
        const TRect menu = WindowRectOf(popup->Handle()), dock = host.DockRect();
        image = ShootArea(TRect(dock.Left, dock.Top, std::max(dock.Right, menu.Right + ShadowRoom),
                                menu.Bottom + ShadowRoom));
      }
    });
    display->Click((opener.Left + opener.Right) / 2, (opener.Top + opener.Bottom) / 2);
    THeadlessDisplay::PumpMessages();
    user.Detach();
  }
  display->SetLayeredWindowsSupported(true);
  return image;
}

std::vector<TGalleryWindowScene> GalleryWindowScenes()
{
  return {
      {"menuopen", [](TCustomImageList* Images) { return ShootOpenMenu(Images, true); }},
      {"menuopen-nocompositor", [](TCustomImageList* Images) { return ShootOpenMenu(Images, false); }},
      {"topdock", ShootDock},
      {"floatingtoolbar", ShootFloating},
      {"multidock", ShootMultiDock},
  };
}
