// The records behind menu handles, private to the menu calls and the popup
// menu window.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/controls/Menus.h"

namespace controls {

struct TMenuItemRec {
  UINT Type = MFT_STRING;
  UINT State = 0;
  UINT Id = 0;
  HMENU Sub = nullptr;
  std::string Text;
  HBITMAP Bitmap = nullptr;  // MFT_BITMAP: the item is this picture
  HBITMAP ItemBitmap = nullptr;  // MIIM_BITMAP: a picture beside the text
  HBITMAP Checked = nullptr, Unchecked = nullptr;
  ULONG_PTR Data = 0;
};

struct TMenuRec {
  bool Popup = true;
  std::vector<TMenuItemRec> Items;
};

// The menu of a handle, or null for a stale or made-up one. Menus belong to
// the GUI thread; the table itself locks.
TMenuRec* MenuOf(HMENU menu);
// Finds an item by command (in submenus too) or by position.
bool FindMenuItem(HMENU menu, UINT item, bool byPosition, HMENU& owner, int& index);
inline bool IsSeparator(const TMenuItemRec& i) { return i.Type & MFT_SEPARATOR; }
inline bool IsGrayed(const TMenuItemRec& i) { return i.State & MFS_GRAYED; }

}  // namespace controls
