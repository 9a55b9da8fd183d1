// Texts and private message numbers of the toolbar framework.
#pragma once

#include "platform/base/Exception.h"
#include "platform/base/Types.h"

CORVANE_DECLARE_EXCEPTION(ETBItemError, Exception);

inline constexpr const char* STBToolbarIndexOutOfBounds = "Toolbar item index out of range";
inline constexpr const char* STBToolbarItemReinserted = "Toolbar item already inserted";
inline constexpr const char* STBToolbarItemCircular = "Toolbar item cannot be inserted into itself";
inline constexpr const char* STBViewerNotFound = "An item viewer associated the specified item could not be found";

// Posted to the thread's deferred-action window: wParam flag, lParam slot.
constexpr UINT TBM_DEFERREDACTION = 0x500;
// Sent by a popup window to itself for the theme layer (wParam 1, 2 or 3).
constexpr UINT TBM_POPUPNOTIFY = 0x62A;
// Frames and the end of a popup's show animation.
constexpr UINT TBM_ANIMATIONSTEP = 0x955;
constexpr UINT TBM_ANIMATIONEND = 0x956;

// Height of the bands of a tall popup's scroll arrows.
constexpr int ScrollArrowBand = 19;
