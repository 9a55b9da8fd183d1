// The platform's standard window classes and native menus.
#pragma once

#include "platform/win/controls/Button.h"
#include "platform/win/controls/ComboBox.h"
#include "platform/win/controls/ControlConsts.h"
#include "platform/win/controls/Edit.h"
#include "platform/win/controls/ListBox.h"
#include "platform/win/controls/Menus.h"
#include "platform/win/controls/ScrollBarControl.h"
#include "platform/win/controls/Static.h"
#include "platform/win/controls/SystemClasses.h"
