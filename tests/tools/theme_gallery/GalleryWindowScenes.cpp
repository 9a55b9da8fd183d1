#include "GalleryWindowScenes.h"

#include <algorithm>

#include "GalleryHost.h"
#include "controls/themes/TBWToolbars.h"
#include "controls/toolbar/TBFloatingWindowParent.h"
#include "controls/toolbar/TBPopupWindow.h"
#include "controls/toolbar/TBShowAnimation.h"
#include "platform/classes/controls/Control.h"
#include "platform/display/headless/HeadlessDisplay.h"

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
    display->SetIdleScript([&] {
      HWND capture = GetCapture();
      if (!capture)
        return false;
      if (ShowAnimationRunning(nullptr)) {
        StopShowAnimation(nullptr);
        return true;
      }
      if (auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(WindowFromPoint(below)))) {
        THeadlessDisplay::PumpMessages();
        const TRect menu = WindowRectOf(popup->Handle()), dock = host.DockRect();
        image = ShootArea(TRect(dock.Left, dock.Top, std::max(dock.Right, menu.Right + ShadowRoom),
                                menu.Bottom + ShadowRoom));
      }
      PostMessage(capture, WM_NULL, 0, 0);
      ReleaseCapture();
      return true;
    });
    display->Click((opener.Left + opener.Right) / 2, (opener.Top + opener.Bottom) / 2);
    THeadlessDisplay::PumpMessages();
    display->SetIdleScript(nullptr);
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
  };
}
