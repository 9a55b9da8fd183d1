// The theme manager: one hidden window that hears system colour, display and
// visual-style changes and application activation, recomputes the system
// state the themes read, and broadcasts 0x538 to its notification list.
#pragma once

#include <vector>

#include "platform/base/Object.h"
#include "platform/visualstyles/VisualStyles.h"
#include "platform/win/win.h"

// The state the themes read; recomputed on every system change.
struct TThemeSystemState {
  bool LowColorDisplay = false;
  bool WhiteButtonFace = false;
  bool VisualStylesActive = false;
  bool FlatMenus = false;
  TColor MenuColor = 0;
  TColor MenuTextColor = 0;
  TColor ToolbarColor = 0;
  TColor ToolbarTextColor = 0;
  TColor HotLightColor = 0;
  // BUTTON, SCROLLBAR, REBAR, TOOLBAR, WINDOW, COMBOBOX, EXPLORERBAR, STATUS, SPIN.
  HTHEME Handles[9] = {};
  HTHEME ToolbarTheme() const { return Handles[3]; }
};
const TThemeSystemState& ThemeSystemState();

void AddThemeNotification(TObject* Object);
void RemoveThemeNotification(TObject* Object);
// Kind 1: flat menu style (0 automatic, 1 off, 2 on); kind 2: visual styles
// (0 on, anything else off). A change recomputes the state and broadcasts.
void SetThemeOption(int Kind, int Value);
int GetThemeOption(int Kind);

// Recomputes the system state (stock objects, screen depth, visual-style
// handles, toolbar and menu colours).
void UpdateSystemState();
// 0x538 with 1, 2 and 3 to every listener.
void BroadcastSystemChange();
// One 0x538 message to every listener the list holds now, in order; a
// listener removed while the broadcast runs is skipped.
void BroadcastThemeNotification(WPARAM SubCode);
// The manager's hidden window (the system messages arrive there).
HWND ThemeManagerWindow();
// Frees the manager (the end of the program; tests make a new one on next use).
void FreeThemeManager();
