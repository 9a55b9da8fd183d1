// The program's units plugged into the main window's seam: the network
// menus first (the contact tree's popup goes through them), then the contact
// tree's binding, and the icon-pack menu as the last start-up step.
#pragma once

#include "host/MainWindowBindings.h"

TMainWindowBindings ProgramBindings();
