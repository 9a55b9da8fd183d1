// The flag words, change codes and small records that items, viewers, views
// and popups share.
#pragma once

#include <cstdint>

#include "platform/base/Method.h"
#include "platform/base/Geometry.h"
#include "platform/base/Types.h"

class TObject;
class TComponent;
class TTBCustomItem;
class TTBItemViewer;
class TTBView;
class TTBPopupWindow;
class TTBPopupView;
class TTBModalHandler;
class TTBCustomImageList;

// Options an item adds to (or masks from) what its parent passes down.
using TTBItemOptions = WORD;
constexpr TTBItemOptions tboDefault = 0x001, tboDropdownArrow = 0x002, tboImageAboveCaption = 0x004,
                         tboLongHintInMenuOnly = 0x008, tboNoAutoHint = 0x010, tboNoRotation = 0x020,
                         tboSameWidth = 0x040, tboShowHint = 0x080, tboToolbarStyle = 0x100,
                         tboToolbarSize = 0x200;

// Behaviour flags a class of item sets in its constructor.
using TTBItemFlags = WORD;
constexpr TTBItemFlags tbsfOpensSubmenu = 0x0001, tbsfCanSelect = 0x0002, tbsfIsSeparator = 0x0004,
                       tbsfInlineGroup = 0x0008, tbsfPassClicks = 0x0010, tbsfSplitButton = 0x0020,
                       tbsfManualOpen = 0x0040, tbsfKeepLine = 0x0100, tbsfAlignEnd = 0x0200,
                       tbsfSkipInitialSelect = 0x0400, tbsfRepaintOnSelect = 0x0800,
                       tbsfRepaintOnHover = 0x1000, tbsfFillLine = 0x2000;

enum TTBItemDisplayMode : uint8_t { nbdmDefault, nbdmTextOnly, nbdmTextOnlyInMenus, nbdmImageAndText };

enum TTBItemChangedAction : uint8_t {
  tbicInserted,
  tbicDeleting,
  tbicSubitemsChanged,
  tbicSubitemsBeginUpdate,
  tbicSubitemsEndUpdate,
  tbicInvalidate,
  tbicInvalidateAndResize,
  tbicRecreateItemViewers,
  tbicNameChanged,
  tbicSubMenuImagesChanged
};

using TTBItemChangedProc = Method<void(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action,
                                       int Index, TTBCustomItem* Item)>;
using TTBPopupEvent = Method<void(TTBCustomItem* Sender, bool FromLink)>;
using TTBSelectEvent = Method<void(TTBCustomItem* Sender, TTBItemViewer* Viewer, bool Selecting)>;

enum TTBViewAxis : uint8_t { tbaHorizontal, tbaVertical, tbaFloating };

using TTBViewFlags = BYTE;
constexpr TTBViewFlags vfInMenuLoop = 0x01, vfMouseInWindow = 0x02, vfFirstPaint = 0x04, vfOpensOtherSide = 0x08,
                       vfIgnoreFirstButtonUp = 0x10, vfAccelsShown = 0x20, vfDropDownMode = 0x40,
                       vfNoAnimation = 0x80;

using TTBViewTraits = BYTE;
constexpr TTBViewTraits vtMenuBar = 0x01, vtHiddenAccels = 0x02, vtShowHints = 0x04;

// What the menu loop does once it has ended.
enum TTBMenuOutcomeKind : uint8_t { tbmoNone, tbmoCancel, tbmoClick, tbmoSystemMenu, tbmoHelp };
struct TTBMenuOutcome {
  TTBMenuOutcomeKind Kind = tbmoNone;
  void* Value = nullptr;  // the item to click, or the window of the system menu
  intptr_t HelpContext = 0;
  int Param = 0;          // click: play the command sound; system menu: the key
};

// Popup alignment around the point of a context menu.
enum TTBPopupAlignment : uint8_t { tbpaLeft, tbpaRight, tbpaCenter };

// Directions a popup's show animation may take.
using TTBAnimationDirection = BYTE;
constexpr TTBAnimationDirection tbadLeft = 1, tbadRight = 2, tbadDown = 4, tbadUp = 8;

// The record FitPopupPosition adjusts.
struct TTBPopupPlacement {
  bool PositionAsSubmenu = false;
  TTBPopupAlignment Alignment = tbpaLeft;
  bool OpensToOtherSide = false;
  TRect MonitorRect;
  TRect ParentItemRect;
  int FrameWidth = 0, FrameHeight = 0;
  int X = 0, Y = 0, W = 0, H = 0;
  TTBAnimationDirection AnimDir = 0;
  bool PlaySound = true;
};

// Options of RunToolbarMenuLoop.
using TTBMenuLoopOptions = BYTE;
constexpr TTBMenuLoopOptions tbmlMouseDown = 1, tbmlActivateSelected = 2, tbmlFromAccessibility = 4;

// Window timers of a popup view: id = 9000 + kind.
enum TTBViewTimer : uint8_t { tiOpen, tiClose, tiScrollUp, tiScrollDown };
constexpr UINT_PTR ViewTimerBaseID = 9000;
