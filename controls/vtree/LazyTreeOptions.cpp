#include "controls/vtree/LazyTreeOptions.h"

#include <map>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeErrors.h"
#include "platform/win/gdi/SysColors.h"

TCustomLazyTreeOptions::TCustomLazyTreeOptions(TBaseLazyTree* Owner) : FOwner(Owner) {}

namespace {

template <class S>
void Store(S& Field, S Value, TBaseLazyTree* Owner, int Which)
{
  if (Field == Value)
    return;
  std::uint32_t old = Field.ToInteger();
  Field = Value;
  if (Owner)
    Owner->OptionsChanged(Which, old, Value.ToInteger());
}

}  // namespace

void TCustomLazyTreeOptions::SetPaintOptions(TLTPaintOptions Value) { Store(FPaintOptions, Value, FOwner, 0); }
void TCustomLazyTreeOptions::SetAnimationOptions(TLTAnimationOptions Value) { Store(FAnimationOptions, Value, FOwner, 1); }
void TCustomLazyTreeOptions::SetAutoOptions(TLTAutoOptions Value) { Store(FAutoOptions, Value, FOwner, 2); }
void TCustomLazyTreeOptions::SetSelectionOptions(TLTSelectionOptions Value) { Store(FSelectionOptions, Value, FOwner, 3); }
void TCustomLazyTreeOptions::SetMiscOptions(TLTMiscOptions Value) { Store(FMiscOptions, Value, FOwner, 4); }

void TCustomLazyTreeOptions::Assign(const TCustomLazyTreeOptions& Source)
{
  SetPaintOptions(Source.FPaintOptions);
  SetAnimationOptions(Source.FAnimationOptions);
  SetAutoOptions(Source.FAutoOptions);
  SetSelectionOptions(Source.FSelectionOptions);
  SetMiscOptions(Source.FMiscOptions);
}

void TCustomLazyTreeOptions::ReadLegacyOptions(const std::vector<std::string>& Names)
{
  // Which set each old name lands in, and its ordinal there.
  static const std::map<std::string, std::pair<int, int>> kNames = {
      {"voAnimatedToggle", {1, toAnimatedToggle}},
      {"voAutoDropExpand", {2, toAutoDropExpand}}, {"voAutoExpand", {2, toAutoExpand}},
      {"voAutoScroll", {2, toAutoScroll}}, {"voAutoScrollOnExpand", {2, toAutoScrollOnExpand}},
      {"voAutoSort", {2, toAutoSort}}, {"voAutoSpanColumns", {2, toAutoSpanColumns}},
      {"voAutoTristateTracking", {2, toAutoTristateTracking}},
      {"voDisableDrawSelection", {3, toDisableDrawSelection}}, {"voExtendedFocus", {3, toExtendedFocus}},
      {"voFullRowSelect", {3, toFullRowSelect}}, {"voLevelSelectConstraint", {3, toLevelSelectConstraint}},
      {"voMiddleClickSelect", {3, toMiddleClickSelect}}, {"voMultiSelect", {3, toMultiSelect}},
      {"voRightClickSelect", {3, toRightClickSelect}}, {"voSiblingSelectConstraint", {3, toSiblingSelectConstraint}},
      {"voHideFocusRect", {0, toHideFocusRect}}, {"voHideSelection", {0, toHideSelection}},
      {"voHotTrack", {0, toHotTrack}}, {"voPopupMode", {0, toPopupMode}},
      {"voShowBackground", {0, toShowBackground}}, {"voShowButtons", {0, toShowButtons}},
      {"voShowDropmark", {0, toShowDropmark}}, {"voShowHorzGridLines", {0, toShowHorzGridLines}},
      {"voShowRoot", {0, toShowRoot}}, {"voShowTreeLines", {0, toShowTreeLines}},
      {"voShowVertGridLines", {0, toShowVertGridLines}},
      {"voAcceptOLEDrop", {4, toAcceptOLEDrop}}, {"voCheckSupport", {4, toCheckSupport}},
      {"voEditable", {4, toEditable}}, {"voFullRepaintOnResize", {4, toFullRepaintOnResize}},
      {"voGridExtensions", {4, toGridExtensions}}, {"voInitOnSave", {4, toInitOnSave}},
      {"voReportMode", {4, toReportMode}}, {"voToggleOnDblClick", {4, toToggleOnDblClick}},
      {"voWheelPanning", {4, toWheelPanning}}, {"voReadOnly", {4, toReadOnly}},
      {"voVariableNodeHeight", {4, toVariableNodeHeight}}, {"voFullRowDrag", {4, toFullRowDrag}}};
  TLTPaintOptions paint;
  TLTAnimationOptions animation;
  TLTAutoOptions autoOptions;
  TLTSelectionOptions selection;
  TLTMiscOptions misc;
  for (const std::string& name : Names) {
    auto it = kNames.find(name);
    if (it == kNames.end())
      continue;
    int o = it->second.second;
    switch (it->second.first) {
      case 0: paint += TLTPaintOption(o); break;
      case 1: animation += TLTAnimationOption(o); break;
      case 2: autoOptions += TLTAutoOption(o); break;
      case 3: selection += TLTSelectionOption(o); break;
      default: misc += TLTMiscOption(o); break;
    }
  }
  SetPaintOptions(paint);
  SetAnimationOptions(animation);
  SetAutoOptions(autoOptions);
  SetSelectionOptions(selection);
  SetMiscOptions(misc);
}

void TScrollBarOptions::SetAlwaysVisible(bool Value)
{
  if (FAlwaysVisible == Value)
    return;
  FAlwaysVisible = Value;
  if (FOwner)
    FOwner->ScrollBarSettingsChanged();
}

void TScrollBarOptions::SetScrollBars(TScrollStyle Value)
{
  if (FScrollBars == Value)
    return;
  FScrollBars = Value;
  if (FOwner)
    FOwner->ScrollBarSettingsChanged();
}

void TScrollBarOptions::SetScrollBarStyle(TScrollBarStyle Value)
{
  LT_ASSERT(Value == sbmRegular, "Flat scroll bars are not supported.");
  FScrollBarStyle = Value;
}

void TScrollBarOptions::Assign(const TScrollBarOptions& Source)
{
  SetAlwaysVisible(Source.FAlwaysVisible);
  SetHorizontalIncrement(Source.FHorizontalIncrement);
  SetScrollBars(Source.FScrollBars);
  SetScrollBarStyle(Source.FScrollBarStyle);
  SetVerticalIncrement(Source.FVerticalIncrement);
}

TLTColors::TLTColors(TBaseLazyTree* Owner) : FOwner(Owner)
{
  FColors = {clBtnShadow, clHighlight, clHighlight, clHighlight, clBtnFace, clBtnShadow, clBtnFace, clBtnFace,
             clWindowText, clHighlight, clBtnFace, clHighlight, clHighlight, clHighlight, clBtnShadow};
}

void TLTColors::SetColor(TLTColorIndex Index, TColor Value)
{
  if (FColors[Index] == Value)
    return;
  FColors[Index] = Value;
  if (FOwner)
    FOwner->ColorsChanged(Index);
}

void TLTColors::Assign(const TLTColors& Source)
{
  FColors = Source.FColors;
  if (FOwner && FOwner->UpdateCount() == 0)
    FOwner->ColorsChanged(GridLineColor);
}
