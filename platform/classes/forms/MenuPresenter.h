// Shows a TPopupMenu through the layer's native menus: the items become a
// menu handle (rebuilt for a submenu when it opens, after its item's OnClick
// had a chance to fill it), TrackPopupMenu runs the menu window and its loop,
// and the item of the chosen command is answered to TPopupMenu::Popup.
// The application installs it (TPopupMenu::SetPresenter).
#pragma once

#include "platform/base/Types.h"
#include "platform/classes/Forward.h"

TMenuItem* PresentPopupMenu(TPopupMenu* Menu, int X, int Y, UINT Flags);
void InstallPopupMenuPresenter();
