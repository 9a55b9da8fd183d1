// The window system and the drawing layer of the platform.
#pragma once

#include "platform/base/base.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/window/window.h"
#include "platform/win/controls/controls.h"
#include "platform/win/ole/ole.h"
#include "platform/win/accessibility/accessibility.h"
#include "platform/win/shell/ShellNotify.h"
#include "platform/win/shell/DropFiles.h"
