// The tree's five option sets, its scroll-bar options and its fifteen colours.
// Each object belongs to one tree and tells it when a value that changes its
// look or behaviour moved.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "controls/vtree/LazyTreeTypes.h"
#include "platform/base/Types.h"

enum TLTPaintOption {
  toHideFocusRect, toHideSelection, toHotTrack, toPopupMode, toShowBackground, toShowButtons, toShowDropmark,
  toShowHorzGridLines, toShowRoot, toShowTreeLines, toShowVertGridLines, toThemeAware, toUseBlendedImages,
  toGhostedIfUnfocused, toFullVertGridLines, toAlwaysHideSelection, toUseBlendedSelection
};
CORVANE_ENUM_RANGE(TLTPaintOption, 0, 31);
using TLTPaintOptions = Set<TLTPaintOption>;

enum TLTAnimationOption { toAnimatedToggle };
CORVANE_ENUM_RANGE(TLTAnimationOption, 0, 7);
using TLTAnimationOptions = Set<TLTAnimationOption>;

enum TLTAutoOption {
  toAutoDropExpand, toAutoExpand, toAutoScroll, toAutoScrollOnExpand, toAutoSort, toAutoSpanColumns,
  toAutoTristateTracking, toAutoHideButtons, toAutoDeleteMovedNodes, toDisableAutoscrollOnFocus,
  toAutoChangeScale, toAutoFreeOnCollapse
};
CORVANE_ENUM_RANGE(TLTAutoOption, 0, 15);
using TLTAutoOptions = Set<TLTAutoOption>;

enum TLTSelectionOption {
  toDisableDrawSelection, toExtendedFocus, toFullRowSelect, toLevelSelectConstraint, toMiddleClickSelect,
  toMultiSelect, toRightClickSelect, toSiblingSelectConstraint, toCenterScrollIntoView, toSimpleDrawSelection
};
CORVANE_ENUM_RANGE(TLTSelectionOption, 0, 15);
using TLTSelectionOptions = Set<TLTSelectionOption>;

enum TLTMiscOption {
  toAcceptOLEDrop, toCheckSupport, toEditable, toFullRepaintOnResize, toGridExtensions, toInitOnSave,
  toReportMode, toToggleOnDblClick, toWheelPanning, toReadOnly, toVariableNodeHeight, toFullRowDrag
};
CORVANE_ENUM_RANGE(TLTMiscOption, 0, 15);
using TLTMiscOptions = Set<TLTMiscOption>;

class TCustomLazyTreeOptions {
public:
  explicit TCustomLazyTreeOptions(TBaseLazyTree* Owner);
  virtual ~TCustomLazyTreeOptions() = default;

  TBaseLazyTree* Owner() const { return FOwner; }
  TLTPaintOptions PaintOptions() const { return FPaintOptions; }
  TLTAnimationOptions AnimationOptions() const { return FAnimationOptions; }
  TLTAutoOptions AutoOptions() const { return FAutoOptions; }
  TLTSelectionOptions SelectionOptions() const { return FSelectionOptions; }
  TLTMiscOptions MiscOptions() const { return FMiscOptions; }
  void SetPaintOptions(TLTPaintOptions Value);
  void SetAnimationOptions(TLTAnimationOptions Value);
  void SetAutoOptions(TLTAutoOptions Value);
  void SetSelectionOptions(TLTSelectionOptions Value);
  void SetMiscOptions(TLTMiscOptions Value);

  virtual void Assign(const TCustomLazyTreeOptions& Source);
  // The stored "Options" property of old forms: every set is emptied and each
  // name "voX" switches on the member "toX".
  void ReadLegacyOptions(const std::vector<std::string>& Names);

private:
  TBaseLazyTree* FOwner;
  TLTPaintOptions FPaintOptions = TLTPaintOptions::FromInteger(0x1B60);
  TLTAnimationOptions FAnimationOptions;
  TLTAutoOptions FAutoOptions = TLTAutoOptions::FromInteger(0x149);
  TLTSelectionOptions FSelectionOptions;
  TLTMiscOptions FMiscOptions = TLTMiscOptions::FromInteger(0x1A9);
};

enum TScrollBarStyle { sbmRegular, sbmFlat, sbm3D };

class TScrollBarOptions {
public:
  explicit TScrollBarOptions(TBaseLazyTree* Owner) : FOwner(Owner) {}

  bool AlwaysVisible() const { return FAlwaysVisible; }
  void SetAlwaysVisible(bool Value);
  int HorizontalIncrement() const { return FHorizontalIncrement; }
  void SetHorizontalIncrement(int Value) { FHorizontalIncrement = Value < 1 ? 1 : Value > 10000 ? 10000 : Value; }
  int VerticalIncrement() const { return FVerticalIncrement; }
  void SetVerticalIncrement(int Value) { FVerticalIncrement = Value < 1 ? 1 : Value > 10000 ? 10000 : Value; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TScrollBarStyle ScrollBarStyle() const { return FScrollBarStyle; }
  // Only the regular style exists; asking for another fails an assertion.
  void SetScrollBarStyle(TScrollBarStyle Value);
  void Assign(const TScrollBarOptions& Source);

private:
  TBaseLazyTree* FOwner;
  bool FAlwaysVisible = false;
  int FHorizontalIncrement = 20;
  int FVerticalIncrement = 20;
  TScrollStyle FScrollBars = ssBoth;
  TScrollBarStyle FScrollBarStyle = sbmRegular;
};

enum TLTColorIndex {
  DisabledColor, DropMarkColor, DropTargetColor, FocusedSelectionColor, GridLineColor, TreeLineColor,
  UnfocusedSelectionColor, BorderColor, HotColor, FocusedSelectionBorderColor, UnfocusedSelectionBorderColor,
  DropTargetBorderColor, SelectionRectangleBlendColor, SelectionRectangleBorderColor, HeaderHotColor
};

class TLTColors {
public:
  explicit TLTColors(TBaseLazyTree* Owner);

  TColor Color(TLTColorIndex Index) const { return FColors[Index]; }
  void SetColor(TLTColorIndex Index, TColor Value);
  // Copies all fifteen at once; repaints the owner unless it is updating.
  void Assign(const TLTColors& Source);

private:
  TBaseLazyTree* FOwner;
  std::array<TColor, 15> FColors;
};
