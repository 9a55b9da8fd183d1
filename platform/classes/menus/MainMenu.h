// TMainMenu: the menu bar of a form (the form shows its items and passes it
// the keys for IsShortCut).
#pragma once

#include "platform/classes/menus/Menu.h"

class TMainMenu : public TMenu {
public:
  using TMenu::TMenu;
};
