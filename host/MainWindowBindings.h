// The seam through which the units that bind the main window's controls to
// the host's logic plug in: the contact tree's binding, the network menus and
// the icon-pack menu. The network menus and the tree's binding are made once
// the window's controls and its THostCore exist, before the start-up step,
// so they may reach both (TcorvaneMain's accessors, the core's networks); the
// menus first, since the tree prepares its popup through them. What the
// makers make lives as long as the window and goes before its controls.
#pragma once

#include <functional>
#include <memory>

#include "host/HostParts.h"

class TcorvaneMain;
class THostCore;
class TNetworkMenus;

struct TMainWindowBindings {
  // The networks' submenus on TbNetWorks and the contact popup's items.
  std::function<std::shared_ptr<TNetworkMenus>(TcorvaneMain& Window, THostCore& Core)> NetworkMenus;
  // The contact tree's binding (lstPlugContact), with the menus made just
  // before (null without them); none leaves the tree empty.
  std::function<std::shared_ptr<IContactTree>(TcorvaneMain& Window, THostCore& Core,
                                               const std::shared_ptr<TNetworkMenus>& Menus)>
      ContactTree;
  // The last start-up step: fills the icon-pack menu (mnuPacks); answers
  // whatever its items need kept alive.
  std::function<std::shared_ptr<void>(TcorvaneMain& Window)> IconPacks;
};
