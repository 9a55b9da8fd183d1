// The lazy tree's node record, its state bits and the small enumerations and
// sets that the tree, its events and its owner share.
#pragma once

#include <cstdint>

#include "platform/base/Set.h"
#include "platform/classes/controls/ControlTypes.h"

class TBaseLazyTree;

// The fixed header of every node. Reserved internal areas and the owner's
// data follow the header in the same zero-filled block.
struct TLazyNode {
  std::uint32_t SiblingIndex;
  std::uint32_t ChildCount;
  std::uint16_t NodeHeight;
  std::uint16_t StateBits;
  std::uint8_t LineAlignment;
  std::uint8_t NodeCheckState;
  std::uint8_t CheckKind;
  std::uint32_t SubtreeCount;
  std::uint32_t SubtreeHeight;
  TLazyNode* ParentNode;  // the hidden root keeps the tree here
  TLazyNode* PriorSibling;
  TLazyNode* FollowingSibling;
  TLazyNode* FirstChildNode;
  TLazyNode* LastChildNode;

  bool Has(std::uint16_t bits) const { return (StateBits & bits) != 0; }
  // Owner data sits at a byte offset from the start of the record.
  std::uint8_t* Data(std::size_t offset) { return reinterpret_cast<std::uint8_t*>(this) + offset; }
};
using PLazyNode = TLazyNode*;

// StateBits.
constexpr std::uint16_t nfInitialized = 0x0001, nfChecking = 0x0002, nfClipMarked = 0x0004, nfDisabled = 0x0008,
                        nfDeleting = 0x0010, nfExpanded = 0x0020, nfHasChildren = 0x0040, nfVisible = 0x0080,
                        nfSelected = 0x0100, nfUserDataInit = 0x0200, nfChildrenHidden = 0x0400,
                        nfClearing = 0x0800, nfMultiline = 0x1000, nfHeightMeasured = 0x2000;

enum TCheckState : std::uint8_t {
  csUncheckedNormal, csUncheckedPressed, csCheckedNormal, csCheckedPressed, csMixedNormal, csMixedPressed
};
// CheckKind values: 0 none, 1 tri-state box, 2 check box, 3 radio button, 4 button.
enum TCheckType : std::uint8_t { ctNone, ctTriStateCheckBox, ctCheckBox, ctRadioButton, ctButton };

enum TLTNodeAttachMode { amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast };
enum TChangeReason { crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied, crNodeMoved };
enum TLTUpdateState { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };
enum TSortDirection { sdAscending, sdDescending };
enum TLTImageKind { ikNormal, ikSelected, ikState, ikOverlay };
enum TItemEraseAction { eaColor, eaDefault, eaNone };
enum TDropMode { dmNowhere, dmAbove, dmOnNode, dmBelow };
enum TDragOperation { doCopy, doMove, doLink };
CORVANE_ENUM_RANGE(TDragOperation, 0, 7);
using TDragOperations = Set<TDragOperation>;
enum TLTDragType { dtOLE, dtLib };
enum TLTDragImageKind { diComplete, diMainColumnOnly, diNoImage };
enum TLTIncrementalSearch { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum TLTSearchDirection { sdForward, sdBackward };
enum TLTSearchStart { ssAlwaysStartOver, ssLastHit, ssFocusedNode };
// Sides of automatic scrolling.
constexpr unsigned asLeft = 0x1, asUp = 0x2, asRight = 0x4, asDown = 0x8;
// What a change of the offsets updates.
constexpr unsigned suoRepaintHeader = 0x1, suoRepaintScrollBars = 0x2, suoScrollClientArea = 0x4,
                   suoUpdateNCArea = 0x8, suoAll = 0xF;
// The tree's timers besides the change timers 5 and 6.
constexpr UINT_PTR kExpandTimer = 1, kEditTimer = 2, kHeaderTimer = 3, kScrollTimer = 4, kSearchTimer = 7;

enum TLazyNodeInitState { ivsDisabled, ivsExpanded, ivsHasChildren, ivsMultiline, ivsSelected };
using TLazyNodeInitStates = Set<TLazyNodeInitState>;

enum TLazyTreeState {
  tsCancelHintAnimation, tsChangePending, tsCheckPropagation, tsCollapsing, tsToggleFocusedSelection,
  tsClearPending, tsClipboardFlushing, tsCopyPending, tsCutPending, tsDrawSelPending, tsDrawSelecting, tsEditing,
  tsEditPending, tsExpanding, tsHint, tsInAnimation, tsIncrementalSearching, tsIncrementalSearchPending,
  tsIterating, tsKeyCheckPending, tsLeftButtonDown, tsMouseCheckPending, tsMiddleButtonDown, tsNeedScale,
  tsNeedRootCountUpdate, tsOLEDragging, tsOLEDragPending, tsPainting, tsRightButtonDown, tsPopupMenuShown,
  tsScrolling, tsScrollPending, tsSizing, tsStopValidation, tsStructureChangePending, tsSynchMode, tsThumbTracking,
  tsUpdateHiddenChildrenNeeded, tsUpdating, tsUseCache, tsUserDragObject, tsUseThemes, tsValidating,
  tsValidationNeeded, tsLibDragging, tsLibDragPending, tsWheelPanning, tsWheelScrolling, tsWindowCreating
};
CORVANE_ENUM_RANGE(TLazyTreeState, 0, 48);
using TLazyTreeStates = Set<TLazyTreeState>;

enum TLTHitPosition {
  hpAbove, hpBelow, hpNowhere, hpOnItem, hpOnButton, hpOnCheckBox, hpUnused, hpOnLabel, hpLeftOfLabel,
  hpRightOfLabel, hpOnNormalIcon, hpOnStateIcon, hpToLeft, hpToRight
};
CORVANE_ENUM_RANGE(TLTHitPosition, 0, 15);
using TLTHitPositions = Set<TLTHitPosition>;

using TColumnIndex = int;
constexpr TColumnIndex NoColumn = -1, InvalidColumn = -2;

struct TLTHitInfo {
  PLazyNode HitNode = nullptr;
  TLTHitPositions HitPositions;
  TColumnIndex HitColumn = NoColumn;
};

// The tree lines of one indent cell.
enum TLTLineType { ltNone, ltBottomRight, ltTopDown, ltTopDownRight, ltRight, ltTopRight, ltLeft, ltLeftBottom };
enum TLTButtonStyle { bsRectangle, bsTriangle };
enum TLTButtonFillMode { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum TLTLineStyle { lsCustomStyle, lsDotted, lsSolid };
enum TLTLineMode { lmNormal, lmBands };
enum TLTNodeAlignment { naFromBottom, naFromTop, naProportional };
enum TLTDrawSelectionMode { smDottedRectangle, smBlendedRectangle };
enum TCheckImageKind {
  ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystem, ckSystemFlat
};

// Paint pass options (one byte).
constexpr std::uint8_t ppBackground = 0x01, ppColumnColor = 0x02, ppFocusRect = 0x04, ppSelection = 0x08,
                       ppDropMark = 0x10, ppGridLines = 0x20, ppMainOnly = 0x40, ppSelectedOnly = 0x80;
