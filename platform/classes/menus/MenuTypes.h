// Types of menus, described for the run-time type information.
#pragma once

#include "platform/base/Method.h"
#include "platform/classes/Forward.h"
#include "platform/classes/typinfo/TypInfoDeclare.h"

CORVANE_ENUM(TMenuBreak, "Menus", mbNone, mbBreak, mbBarBreak);
CORVANE_ENUM(TPopupAlignment, "Menus", paLeft, paRight, paCenter);
CORVANE_ENUM(TTrackButton, "Menus", tbRightButton, tbLeftButton);
CORVANE_ENUM(TFindItemKind, "Menus", fkCommand, fkHandle, fkShortCut);

// A change of an item of a menu: Source is the item (null for the whole menu),
// Rebuild true when items came or went.
using TMenuChangeEvent = Method<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

CORVANE_DECLARE_EXCEPTION(EMenuError, Exception);
