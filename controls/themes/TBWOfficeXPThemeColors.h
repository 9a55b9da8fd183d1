// The flat theme's colour table: 58 colours mixed from the system scheme (or
// plain system colours on a low-colour display), and the lookup of an item's
// state row in it.
#pragma once

#include "controls/themes/TBWTheme.h"

// Fill, text and frame of an item state; clNone where the state draws none.
struct TOfficeStateColors {
  TColor Fill = clNone;
  TColor Text = clNone;
  TColor Frame = clNone;
};

// Border, caption fill and caption text of a floating frame.
struct TOfficeFrameColors {
  TColor Border = clNone;
  TColor Caption = clNone;
  TColor CaptionText = clNone;
};

constexpr int OfficeMenuStateCount = 4;
constexpr int OfficeToolbarStateCount = 8;

// Menu rows: 0 normal, 1 disabled, 2 hot, 3 disabled and keyboard-selected.
// Toolbar rows: 0 normal, 1 disabled, 2 checked, 3 pushed, 4 hot, 5 disabled
// and keyboard-selected, 6 checked and hot, 7 parent of the open submenu.
struct TOfficeColorTable {
  TColor MenuBarColor = clNone;
  TColor ToolbarColor = clNone;
  TColor PopupColor = clNone;
  TColor DockPanelColor = clNone;
  TColor PopupFrameColor = clNone;
  TOfficeFrameColors ToolbarActive, ToolbarInactive, PanelActive, PanelInactive;
  TOfficeStateColors Menu[OfficeMenuStateCount];
  TOfficeStateColors Toolbar[OfficeToolbarStateCount];
  TColor GripColor = clNone;
  TColor MenuSeparatorColor = clNone;
  TColor SeparatorColor = clNone;
  TColor ImageShadowColor = clNone;
  TColor StatusFrameColor = clNone;
};

// The table for the current system colours. With LowColor nothing is mixed
// and every entry is a system colour or clNone; otherwise every entry but
// clNone is the screen's nearest RGB colour.
TOfficeColorTable ComputeOfficeColors(bool LowColor);

// The row of the toolbar table an item's state selects.
int OfficeToolbarState(const TTBWItemInfo& Info);
// The row of the menu table (meaningful for popup-menu items).
int OfficeMenuState(const TTBWItemInfo& Info);
// A popup-menu item: in a popup-menu view and not drawn in toolbar style.
bool IsPopupMenuItem(const TTBWItemInfo& Info);

// The colours an item's caption, arrows and menu frames use: the menu table
// for popup-menu items, the toolbar table for the rest; on an opaque-items
// toolbar a missing fill is the toolbar colour and a missing frame the
// button shadow.
TOfficeStateColors OfficeItemColors(const TOfficeColorTable& Table, const TTBWItemInfo& Info);
// The colours behind and around an item's image (always the toolbar table;
// on an opaque-items toolbar a missing fill is the toolbar colour and the
// frame is the window frame colour for a checked item, the button shadow
// where the table has none).
TOfficeStateColors OfficeFaceColors(const TOfficeColorTable& Table, const TTBWItemInfo& Info);
