#include "platform/win/controls/Menus.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/win/controls/MenuData.h"

namespace controls {

namespace {

// Menu handles carry this tag in their top byte and a counter that never
// repeats, so a destroyed menu's handle stays refused.
constexpr std::uintptr_t MenuTag = 0x4D;

struct TMenuTable {
  std::recursive_mutex Lock;
  std::map<std::uintptr_t, std::unique_ptr<TMenuRec>> Menus;
  std::uintptr_t Next = 1;
};

TMenuTable& MenuTable()
{
  static TMenuTable* table = new TMenuTable;
  return *table;
}

HMENU NewMenu(bool popup)
{
  TMenuTable& t = MenuTable();
  std::lock_guard<std::recursive_mutex> lock(t.Lock);
  std::uintptr_t key = (MenuTag << 56) | t.Next++;
  auto rec = std::make_unique<TMenuRec>();
  rec->Popup = popup;
  t.Menus[key] = std::move(rec);
  return reinterpret_cast<HMENU>(key);
}

}  // namespace

TMenuRec* MenuOf(HMENU menu)
{
  TMenuTable& t = MenuTable();
  std::lock_guard<std::recursive_mutex> lock(t.Lock);
  auto it = t.Menus.find(reinterpret_cast<std::uintptr_t>(menu));
  return it == t.Menus.end() ? nullptr : it->second.get();
}

bool FindMenuItem(HMENU menu, UINT item, bool byPosition, HMENU& owner, int& index)
{
  TMenuRec* m = MenuOf(menu);
  if (!m)
    return false;
  if (byPosition) {
    if (item >= m->Items.size())
      return false;
    owner = menu;
    index = int(item);
    return true;
  }
  for (std::size_t i = 0; i < m->Items.size(); ++i) {
    const TMenuItemRec& it = m->Items[i];
    if (!it.Sub && it.Id == item) {
      owner = menu;
      index = int(i);
      return true;
    }
  }
  // Then in the submenus, and an item whose submenu handle is the command.
  for (std::size_t i = 0; i < m->Items.size(); ++i) {
    const TMenuItemRec& it = m->Items[i];
    if (it.Sub && FindMenuItem(it.Sub, item, false, owner, index))
      return true;
    if (it.Sub && reinterpret_cast<UINT_PTR>(it.Sub) == item) {
      owner = menu;
      index = int(i);
      return true;
    }
  }
  return false;
}

}  // namespace controls

using namespace controls;

namespace {

// An item from the old-style flags.
TMenuItemRec ItemFromFlags(UINT flags, UINT_PTR idOrSub, LPCSTR content)
{
  TMenuItemRec it;
  it.Type = flags & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBREAK | MFT_MENUBARBREAK | MFT_RIGHTJUSTIFY);
  it.State = flags & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
  if (flags & MF_POPUP)
    it.Sub = reinterpret_cast<HMENU>(idOrSub);
  else
    it.Id = UINT(idOrSub);
  if (it.Type & MFT_BITMAP)
    it.Bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(content));
  else if (it.Type & MFT_OWNERDRAW)
    it.Data = reinterpret_cast<ULONG_PTR>(content);
  else if (!(it.Type & MFT_SEPARATOR) && content)
    it.Text = content;
  if (!(it.Type & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) && !content && !(flags & MF_POPUP))
    it.Type |= MFT_SEPARATOR;  // a string item without text is a separator
  return it;
}

bool ValidSub(HMENU sub, HMENU into) { return sub == nullptr || (MenuOf(sub) && sub != into); }

void ApplyInfo(TMenuItemRec& it, const MENUITEMINFO& info)
{
  if (info.fMask & MIIM_TYPE) {
    it.Type = info.fType;
    it.Bitmap = nullptr;
    it.Text.clear();
    if (info.fType & MFT_BITMAP)
      it.Bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    else if (!(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
      it.Text = info.dwTypeData;
  }
  if (info.fMask & MIIM_FTYPE)
    it.Type = (it.Type & (MFT_BITMAP)) | (info.fType & ~UINT(MFT_BITMAP));
  if (info.fMask & MIIM_STRING) {
    it.Text = info.dwTypeData ? info.dwTypeData : "";
    it.Type &= ~UINT(MFT_BITMAP | MFT_SEPARATOR);
  }
  if (info.fMask & MIIM_BITMAP)
    it.ItemBitmap = info.hbmpItem;
  if (info.fMask & MIIM_STATE)
    it.State = info.fState;
  if (info.fMask & MIIM_ID)
    it.Id = info.wID;
  if (info.fMask & MIIM_SUBMENU)
    it.Sub = info.hSubMenu;
  if (info.fMask & MIIM_CHECKMARKS) {
    it.Checked = info.hbmpChecked;
    it.Unchecked = info.hbmpUnchecked;
  }
  if (info.fMask & MIIM_DATA)
    it.Data = info.dwItemData;
}

bool InsertAt(HMENU menu, int index, const TMenuItemRec& item)
{
  TMenuRec* m = MenuOf(menu);
  if (!m || !ValidSub(item.Sub, menu))
    return false;
  if (index < 0 || index > int(m->Items.size()))
    index = int(m->Items.size());
  m->Items.insert(m->Items.begin() + index, item);
  return true;
}

}  // namespace

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }

BOOL DestroyMenu(HMENU menu)
{
  std::unique_ptr<TMenuRec> rec;
  {
    TMenuTable& t = MenuTable();
    std::lock_guard<std::recursive_mutex> lock(t.Lock);
    auto it = t.Menus.find(reinterpret_cast<std::uintptr_t>(menu));
    if (it == t.Menus.end())
      return FALSE;
    rec = std::move(it->second);
    t.Menus.erase(it);
  }
  for (auto& item : rec->Items)
    if (item.Sub)
      DestroyMenu(item.Sub);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return MenuOf(menu) != nullptr; }

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR content)
{
  return InsertAt(menu, -1, ItemFromFlags(flags, idOrSubMenu, content));
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCSTR content)
{
  TMenuItemRec item = ItemFromFlags(flags, idOrSubMenu, content);
  if ((flags & MF_BYPOSITION)) {
    return InsertAt(menu, position == UINT(-1) ? -1 : int(position), item);
  }
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, position, false, owner, index))
    return InsertAt(menu, -1, item);
  return InsertAt(owner, index, item);
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCSTR content)
{
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, position, flags & MF_BYPOSITION, owner, index))
    return FALSE;
  TMenuItemRec item = ItemFromFlags(flags, idOrSubMenu, content);
  if (!ValidSub(item.Sub, owner))
    return FALSE;
  TMenuItemRec& old = MenuOf(owner)->Items[std::size_t(index)];
  // A submenu replaced by another goes with the item.
  HMENU gone = (old.Sub && old.Sub != item.Sub) ? old.Sub : nullptr;
  item.Data = (item.Type & MFT_OWNERDRAW) ? item.Data : old.Data;
  old = item;
  if (gone)
    DestroyMenu(gone);
  return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info)
{
  if (!info)
    return FALSE;
  TMenuItemRec rec;
  ApplyInfo(rec, *info);
  if (byPosition)
    return InsertAt(menu, item == UINT(-1) ? -1 : int(item), rec);
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, item, false, owner, index))
    return InsertAt(menu, -1, rec);
  return InsertAt(owner, index, rec);
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info)
{
  HMENU owner;
  int index;
  if (!info || !FindMenuItem(menu, item, byPosition, owner, index))
    return FALSE;
  const TMenuItemRec& it = MenuOf(owner)->Items[std::size_t(index)];
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE))
    info->fType = it.Type;
  if (info->fMask & MIIM_STATE)
    info->fState = it.State;
  if (info->fMask & MIIM_ID)
    info->wID = it.Id;
  if (info->fMask & MIIM_SUBMENU)
    info->hSubMenu = it.Sub;
  if (info->fMask & MIIM_CHECKMARKS) {
    info->hbmpChecked = it.Checked;
    info->hbmpUnchecked = it.Unchecked;
  }
  if (info->fMask & MIIM_DATA)
    info->dwItemData = it.Data;
  if (info->fMask & MIIM_BITMAP)
    info->hbmpItem = it.ItemBitmap;
  if ((info->fMask & MIIM_TYPE) && (it.Type & MFT_BITMAP)) {
    info->dwTypeData = reinterpret_cast<LPSTR>(it.Bitmap);
  } else if (info->fMask & (MIIM_TYPE | MIIM_STRING)) {
    // The text into the caller's buffer; cch says its size, and gets the length.
    if (info->dwTypeData && info->cch > 0) {
      std::size_t n = std::min<std::size_t>(info->cch - 1, it.Text.size());
      std::memcpy(info->dwTypeData, it.Text.data(), n);
      info->dwTypeData[n] = 0;
    }
    info->cch = UINT(it.Text.size());
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info)
{
  HMENU owner;
  int index;
  if (!info || !FindMenuItem(menu, item, byPosition, owner, index))
    return FALSE;
  if ((info->fMask & MIIM_SUBMENU) && !ValidSub(info->hSubMenu, owner))
    return FALSE;
  ApplyInfo(MenuOf(owner)->Items[std::size_t(index)], *info);
  return TRUE;
}

namespace {
BOOL Take(HMENU menu, UINT position, UINT flags, bool destroySub)
{
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, position, flags & MF_BYPOSITION, owner, index))
    return FALSE;
  TMenuRec* m = MenuOf(owner);
  HMENU sub = m->Items[std::size_t(index)].Sub;
  m->Items.erase(m->Items.begin() + index);
  if (sub && destroySub)
    DestroyMenu(sub);
  return TRUE;
}
}  // namespace

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, false); }
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return Take(menu, position, flags, true); }

int GetMenuItemCount(HMENU menu)
{
  TMenuRec* m = MenuOf(menu);
  return m ? int(m->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
  TMenuRec* m = MenuOf(menu);
  if (!m || position < 0 || position >= int(m->Items.size()) || m->Items[std::size_t(position)].Sub)
    return UINT(-1);
  return m->Items[std::size_t(position)].Id;
}

HMENU GetSubMenu(HMENU menu, int position)
{
  TMenuRec* m = MenuOf(menu);
  if (!m || position < 0 || position >= int(m->Items.size()))
    return nullptr;
  return m->Items[std::size_t(position)].Sub;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags)
{
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, item, flags & MF_BYPOSITION, owner, index))
    return 0;
  const std::string& t = MenuOf(owner)->Items[std::size_t(index)].Text;
  if (!buffer || size <= 0)
    return int(t.size());
  std::size_t n = std::min<std::size_t>(std::size_t(size - 1), t.size());
  std::memcpy(buffer, t.data(), n);
  buffer[n] = 0;
  return int(n);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags)
{
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, item, flags & MF_BYPOSITION, owner, index))
    return DWORD(-1);
  TMenuItemRec& it = MenuOf(owner)->Items[std::size_t(index)];
  DWORD old = it.State & MF_CHECKED;
  it.State = (it.State & ~UINT(MF_CHECKED)) | (flags & MF_CHECKED);
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
  bool byPos = flags & MF_BYPOSITION;
  HMENU owner;
  int a, b, c;
  if (!FindMenuItem(menu, first, byPos, owner, a))
    return FALSE;
  HMENU o2, o3;
  if (!FindMenuItem(menu, last, byPos, o2, b) || o2 != owner || !FindMenuItem(menu, check, byPos, o3, c) || o3 != owner)
    return FALSE;
  if (a > b)
    std::swap(a, b);
  TMenuRec* m = MenuOf(owner);
  for (int i = a; i <= b; ++i) {
    TMenuItemRec& it = m->Items[std::size_t(i)];
    if (i == c)
      it.State |= MFS_CHECKED, it.Type |= MFT_RADIOCHECK;
    else
      it.State &= ~UINT(MFS_CHECKED);
  }
  return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags)
{
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, item, flags & MF_BYPOSITION, owner, index))
    return -1;
  TMenuItemRec& it = MenuOf(owner)->Items[std::size_t(index)];
  UINT old = it.State & (MF_GRAYED | MF_DISABLED);
  it.State = (it.State & ~UINT(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return BOOL(old);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
  HMENU owner;
  int index;
  if (!FindMenuItem(menu, item, flags & MF_BYPOSITION, owner, index))
    return UINT(-1);
  const TMenuItemRec& it = MenuOf(owner)->Items[std::size_t(index)];
  UINT state = (it.State & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT)) |
               (it.Type & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK));
  if (it.Sub) {
    TMenuRec* sub = MenuOf(it.Sub);
    int n = sub ? int(sub->Items.size()) : 0;
    state = ((UINT(std::min(n, 255))) << 8) | (state & 0xFF) | MF_POPUP;
  }
  return state;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition)
{
  TMenuRec* m = MenuOf(menu);
  if (!m)
    return FALSE;
  int found = -1;
  if (item != UINT(-1)) {
    for (std::size_t i = 0; i < m->Items.size(); ++i)
      if (byPosition ? i == item : (!m->Items[i].Sub && m->Items[i].Id == item))
        found = int(i);
    if (found < 0)
      return FALSE;
  }
  for (std::size_t i = 0; i < m->Items.size(); ++i)
    m->Items[i].State = int(i) == found ? (m->Items[i].State | MFS_DEFAULT) : (m->Items[i].State & ~UINT(MFS_DEFAULT));
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags)
{
  TMenuRec* m = MenuOf(menu);
  if (!m)
    return UINT(-1);
  for (std::size_t i = 0; i < m->Items.size(); ++i) {
    const TMenuItemRec& it = m->Items[i];
    if (!(it.State & MFS_DEFAULT))
      continue;
    if (IsGrayed(it) && !(flags & GMDI_USEDISABLED))
      return UINT(-1);
    if (it.Sub && (flags & GMDI_GOINTOPOPUPS)) {
      UINT inner = GetMenuDefaultItem(it.Sub, byPosition, flags);
      if (inner != UINT(-1))
        return inner;
    }
    return byPosition ? UINT(i) : it.Id;
  }
  return UINT(-1);
}
