#include "GalleryWindowScenes.h"

#include <algorithm>

#include "GalleryHost.h"
#include "controls/themes/TBWAlignmentPanel.h"
#include "controls/themes/TBWDockablePanel.h"
#include "controls/themes/TBWLabel.h"
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
  return ShootArea(WindowRectOf(host.AddPanelMultiDock()->Handle()));
}

template <class T>
T* AddObject(TWinControl* Parent, int Top, int Height)
{
  auto* object = new T(Parent->Owner());
  object->SetAlign(alTop);
  object->SetBounds(0, Top, Parent->ClientWidth(), Height);
  object->SetParent(Parent);
  return object;
}

TTBWLabel* AddLabel(TWinControl* Parent, int Top, const char* Caption)
{
  auto* label = AddObject<TTBWLabel>(Parent, Top, 10);
  label->SetCaption(Caption);
  return label;
}

// A dockable panel docked at the left holding an alignment panel (margins
// 6, 4) with, from the top: a long label wrapped over several lines with its
// height fitted, an underlined label, a disabled one (embossed), and a panel
// object of its own colour carrying a right-aligned label that shows that
// colour through.
TPixelImage ShootLabels(TCustomImageList* Images)
{
  TGalleryHost host(Images, 0);
  auto* dock = new TXTBMultiDock(host.Form());
  dock->SetPosition(dpxLeft);
  dock->SetParent(host.Form());
  auto* panel = new TTBWDockablePanel(host.Form());
  panel->SetCaption("Informations");
  panel->SetDockedWidth(170);
  panel->SetCurrentDock(dock);
  SettleMessages();

  auto* content = new TTBWAlignmentPanel(host.Form());
  content->SetAlign(alClient);
  content->SetParent(panel);
  content->Margins()->SetLeft(6);
  content->Margins()->SetTop(4);
  content->Margins()->SetRight(6);
  content->Margins()->SetBottom(4);
  AddLabel(content, 0, "Corvane vous avertit quand un contact se connecte ou vous ecrit.");
  AddLabel(content, 100, "&Contacts en ligne")->SetUnderline(true);
  AddLabel(content, 200, "Historique indisponible hors connexion")->SetEnabled(false);
  auto* box = AddObject<TTBWPanelObject>(content, 300, 24);
  box->SetColor(clWindow);
  TTBWLabel* status = AddLabel(box, 0, "En ligne");
  status->SetWrapping(twNone);
  status->SetAlignment(taRightJustify);
  status->Margins()->SetRight(4);
  status->SetAlign(alClient);
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
      {"labels", ShootLabels},
  };
}
