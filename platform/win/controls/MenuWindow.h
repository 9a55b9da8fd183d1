// The popup-menu window ("#32768"): one open level of a popup menu, laid out
// and painted in the classic look (menu font from the non-client metrics,
// check marks and submenu arrows through DrawFrameControl, the highlight
// colours, etched separators).
#pragma once

#include <vector>

#include "platform/win/controls/MenuData.h"
#include "platform/win/window/WindowTypes.h"

inline constexpr const char* MenuWindowClassName = "#32768";

LRESULT MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace controls {

struct TMenuPopup {
  HMENU Menu = nullptr;
  HWND Window = nullptr;
  HWND Owner = nullptr;
  int Selected = -1;
  int ParentIndex = -1;  // the item of the level above that opened it
  bool HideAccel = false;
  std::vector<TRect> Items;  // client coordinates
  TSize Size;
};

// Measures the items (owner-drawn ones through WM_MEASUREITEM to the owner).
void LayOutPopup(TMenuPopup& popup);
// The item at a client point, -1 when none (separators included).
int PopupItemAt(const TMenuPopup& popup, TPoint clientPoint);
// The frame around the items.
constexpr int MenuFrame = 3;

}  // namespace controls
