// Numbers the theme layer shares with every themed control: its private
// messages, their sub-codes, view kinds and item options.
#pragma once

#include <cstdint>

#include "platform/base/Types.h"

// Sent by the theme manager to themes and the nexus, and by the nexus to its
// clients; WParam is one of the sub-codes below.
constexpr UINT TBWM_SYSCHANGE = 0x538;
constexpr UINT TBWM_THEMECHANGE = 0x53A;
// Asked of a themed window: its view kind (result) and its effective colour
// (WParam, with a non-zero result).
constexpr UINT TBWM_GETVIEWKIND = 0x4ED;
constexpr UINT TBWM_GETEFFECTIVECOLOR = 0x4EE;

constexpr WPARAM TSC_BEFOREVIEWCHANGE = 1;
constexpr WPARAM TSC_VIEWCHANGE = 2;
constexpr WPARAM TSC_AFTERVIEWCHANGE = 3;
constexpr WPARAM TSC_APPACTIVATE = 4;
constexpr WPARAM TSC_APPDEACTIVATE = 5;

// View kinds.
constexpr std::uint32_t VT_TOOLBAR = 0x1001;
constexpr std::uint32_t VT_MENUBAR = 0x1002;
constexpr std::uint32_t VT_FLOATING = 0x800;
constexpr std::uint32_t VT_RESIZABLE = 0x400;
constexpr std::uint32_t VT_ITEMSOPAQUE = 0x200;
constexpr std::uint32_t VT_POPUPMENU = 0x2001;
constexpr std::uint32_t VT_LISTBOX = 0x2002;
constexpr std::uint32_t VT_TOOLBOXPOPUP = 0x2004;
constexpr std::uint32_t VT_CHEVRONPOPUP = 0x2008;
constexpr std::uint32_t VT_DOCKPANEL = 0x4000;
constexpr std::uint32_t VT_STATUSBAR = 0x10000;
constexpr std::uint32_t VT_KINDMASK_TOOLBAR = 0x1000;
constexpr std::uint32_t VT_KINDMASK_POPUP = 0x2000;
// A toolbar whose items are drawn opaque.
inline bool IsOpaqueItemsToolbar(std::uint32_t ViewKind)
{
  return (ViewKind & VT_KINDMASK_TOOLBAR) && (ViewKind & VT_ITEMSOPAQUE);
}

// Item options of TTBWItemInfo.
constexpr std::uint32_t IO_TOOLBARSTYLE = 0x01;
constexpr std::uint32_t IO_SUBMENUITEM = 0x04;
constexpr std::uint32_t IO_COMBO = 0x08;
constexpr std::uint32_t IO_DESIGNING = 0x10;
constexpr std::uint32_t IO_APPACTIVE = 0x20;

// Element kinds of GetItemMargins.
constexpr int MID_TOOLBARITEM = 1;
constexpr int MID_MENUITEM = 2;
constexpr int MID_STATUSPANE = 3;

// Drop shadow kinds of GetPopupShadowKind.
constexpr int PST_NONE = 0;
constexpr int PST_WINDOWSXP = 1;
constexpr int PST_OFFICEXP = 2;
constexpr int PST_WINDOWS2K = 3;

// GetMetric ids the themed controls ask for.
constexpr int TMI_SPLITBTN_ARROWWIDTH = 10;
constexpr int TMI_DROPDOWN_ARROWWIDTH = 20;
constexpr int TMI_DROPDOWN_ARROWMARGIN = 21;
constexpr int TMI_MENU_IMGTEXTSPACE = 32;
constexpr int TMI_MENU_LCAPTIONMARGIN = 33;
constexpr int TMI_MENU_RCAPTIONMARGIN = 34;
constexpr int TMI_MENU_SEPARATORSIZE = 35;
constexpr int TMI_TLBR_SEPARATORSIZE = 50;
// The width of an edit field's frame.
constexpr int TMI_EDIT_FRAMEWIDTH = 60;

// HasFeature ids the themed controls ask for.
constexpr int TBF_SUBMENUOVERLAP = 1;
constexpr int TBF_PAINTDOCKBACKGROUND = 5;
constexpr int TBF_FILLNCAREA = 6;
constexpr int TBF_DOCKBACKGROUNDNOTBEHINDTOOLBARS = 7;

// Dock sides of DrawDockBackground.
constexpr int DS_TOP = 1, DS_BOTTOM = 2, DS_LEFT = 3, DS_RIGHT = 4;

// Close-button states of the frame records.
constexpr std::uint32_t CDBS_VISIBLE = 1;
constexpr std::uint32_t CDBS_HOT = 2;
constexpr std::uint32_t CDBS_PRESSED = 4;
