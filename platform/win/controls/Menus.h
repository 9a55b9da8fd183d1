// Native menus: menu handles with their items, and popup menus shown by
// TrackPopupMenu in the layer's own popup-menu window with a modal loop.
#pragma once

#include <string>

#include "platform/base/Geometry.h"
#include "platform/base/Types.h"
#include "platform/win/window/Messages.h"

constexpr UINT WM_MENURBUTTONUP = 0x0122;
constexpr UINT WM_UNINITMENUPOPUP = 0x0125;

constexpr UINT MF_INSERT = 0x0000, MF_CHANGE = 0x0080, MF_APPEND = 0x0100, MF_DELETE = 0x0200, MF_REMOVE = 0x1000,
               MF_BYCOMMAND = 0x0000, MF_BYPOSITION = 0x0400, MF_SEPARATOR = 0x0800, MF_ENABLED = 0x0000,
               MF_GRAYED = 0x0001, MF_DISABLED = 0x0002, MF_UNCHECKED = 0x0000, MF_CHECKED = 0x0008,
               MF_USECHECKBITMAPS = 0x0200, MF_STRING = 0x0000, MF_BITMAP = 0x0004, MF_OWNERDRAW = 0x0100,
               MF_POPUP = 0x0010, MF_MENUBARBREAK = 0x0020, MF_MENUBREAK = 0x0040, MF_UNHILITE = 0x0000,
               MF_HILITE = 0x0080, MF_DEFAULT = 0x1000, MF_SYSMENU = 0x2000, MF_HELP = 0x4000,
               MF_RIGHTJUSTIFY = 0x4000, MF_MOUSESELECT = 0x8000;
constexpr UINT MFT_STRING = MF_STRING, MFT_BITMAP = MF_BITMAP, MFT_MENUBARBREAK = MF_MENUBARBREAK,
               MFT_MENUBREAK = MF_MENUBREAK, MFT_OWNERDRAW = MF_OWNERDRAW, MFT_RADIOCHECK = 0x0200,
               MFT_SEPARATOR = MF_SEPARATOR, MFT_RIGHTORDER = 0x2000, MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
constexpr UINT MFS_GRAYED = 0x0003, MFS_DISABLED = MFS_GRAYED, MFS_CHECKED = MF_CHECKED, MFS_HILITE = MF_HILITE,
               MFS_ENABLED = MF_ENABLED, MFS_UNCHECKED = MF_UNCHECKED, MFS_UNHILITE = MF_UNHILITE,
               MFS_DEFAULT = MF_DEFAULT;
constexpr UINT MIIM_STATE = 0x0001, MIIM_ID = 0x0002, MIIM_SUBMENU = 0x0004, MIIM_CHECKMARKS = 0x0008,
               MIIM_TYPE = 0x0010, MIIM_DATA = 0x0020, MIIM_STRING = 0x0040, MIIM_BITMAP = 0x0080,
               MIIM_FTYPE = 0x0100;
constexpr UINT TPM_LEFTBUTTON = 0x0000, TPM_RIGHTBUTTON = 0x0002, TPM_LEFTALIGN = 0x0000, TPM_CENTERALIGN = 0x0004,
               TPM_RIGHTALIGN = 0x0008, TPM_TOPALIGN = 0x0000, TPM_VCENTERALIGN = 0x0010, TPM_BOTTOMALIGN = 0x0020,
               TPM_HORIZONTAL = 0x0000, TPM_VERTICAL = 0x0040, TPM_NONOTIFY = 0x0080, TPM_RETURNCMD = 0x0100,
               TPM_RECURSE = 0x0001, TPM_NOANIMATION = 0x4000;
// WM_MENUCHAR answers (high word).
constexpr WORD MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;
// GetMenuDefaultItem
constexpr UINT GMDI_USEDISABLED = 0x0001, GMDI_GOINTOPOPUPS = 0x0002;

struct MENUITEMINFOA {
  UINT cbSize = sizeof(MENUITEMINFOA);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  LPSTR dwTypeData = nullptr;  // text (MFT_STRING), bitmap (MFT_BITMAP) or data (MFT_OWNERDRAW)
  UINT cch = 0;
  HBITMAP hbmpItem = nullptr;
};
using MENUITEMINFO = MENUITEMINFOA;
using TMenuItemInfo = MENUITEMINFOA;

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  TRect rcExclude;
};

// Handles are checked: a destroyed menu's handle is refused by every call.
HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the submenus it holds.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// content: the text (MF_STRING), the bitmap (MF_BITMAP) or the item data
// (MF_OWNERDRAW); idOrSubMenu: the command, or the submenu with MF_POPUP.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR content);
// position: a command (MF_BYCOMMAND, searched in submenus too) or an index
// (MF_BYPOSITION; -1 appends).
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCSTR content);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCSTR content);
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
// RemoveMenu keeps the item's submenu; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
int GetMenuItemCount(HMENU menu);
// -1 for an item that opens a submenu (or none there).
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
// Answer the former state (MF_CHECKED / MF_GRAYED ...) or -1 when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
// The item's MF_ flags; for an item with a submenu, its item count in bits 8-15 and MF_POPUP.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);

// Shows the menu at a screen point and runs its loop until an item is chosen
// or the menu is dismissed. With TPM_RETURNCMD the chosen command is
// answered (0 for none); otherwise it is posted to owner as WM_COMMAND and the
// answer is nonzero on success. A click outside the menu closes it and
// reaches the window under the pointer.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const TRect* ignored);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
// Ends the menu loop of the calling thread, as if dismissed.
BOOL EndMenu();
