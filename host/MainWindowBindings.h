// The seam through which the units that bind the main window's controls to
// the host's logic plug in: the contact tree's binding, the network menus and
// the icon-pack menu. Each maker runs once, after the window's controls and
// its THostCore exist and before the start-up step, so it may reach both
// (TcorvaneMain's accessors, the core's networks); what it makes lives as
// long as the window and goes before the window's controls.
#pragma once

#include <functional>
#include <memory>

#include "host/HostParts.h"

class TcorvaneMain;
class THostCore;

struct TMainWindowBindings {
  // The contact tree's binding (lstPlugContact); none leaves the tree empty.
  std::function<std::shared_ptr<IContactTree>(TcorvaneMain& Window, THostCore& Core)> ContactTree;
  // The networks' submenus on TbNetWorks and the contact popup's items.
  std::function<std::shared_ptr<INetworkMenus>(TcorvaneMain& Window, THostCore& Core)> NetworkMenus;
  // The last start-up step: fills the icon-pack menu (mnuPacks); answers
  // whatever its items need kept alive.
  std::function<std::shared_ptr<void>(TcorvaneMain& Window)> IconPacks;
};
