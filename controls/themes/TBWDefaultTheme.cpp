// The Default theme's colours, sizes, margins, metrics and features, and the
// predicates its painting decides by. The painting is in
// TBWDefaultThemeItems.cpp (items) and TBWDefaultThemeFrames.cpp (views,
// frames and the controls no item of this system uses).
#include "controls/themes/TBWDefaultTheme.h"

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/TBWVisualStyles.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "controls/toolbar/TBCommon.h"

namespace TBWDefault {

bool VisualStylesOn() { return ThemeSystemState().VisualStylesActive; }
bool FlatMenusOn() { return ThemeSystemState().FlatMenus; }
bool IsToolbarView(std::uint32_t ViewKind) { return (ViewKind & VT_KINDMASK_TOOLBAR) != 0; }
bool IsPopupView(std::uint32_t ViewKind) { return (ViewKind & VT_KINDMASK_POPUP) != 0; }
bool IsPopupMenuView(std::uint32_t ViewKind) { return (ViewKind & VT_POPUPMENU) == VT_POPUPMENU; }
bool IsToolbarStyle(const TTBWItemInfo& Info) { return (Info.ItemOptions & IO_TOOLBARSTYLE) != 0; }
bool IsPopupMenuItem(const TTBWItemInfo& Info) { return IsPopupMenuView(Info.ViewKind) && !IsToolbarStyle(Info); }

void DrawTextIn(HDC DC, const std::string& Text, const TRect& R, UINT Format, bool Rotated, TColor Color)
{
  SetTextColor(DC, ColorToRGB(Color));
  if (Rotated) {
    DrawRotatedCaption(DC, Text, R, Format);
  } else {
    TRect r = R;
    DrawText(DC, Text.c_str(), int(Text.size()), &r, Format);
  }
}

void DrawEmbossedText(HDC DC, const std::string& Text, const TRect& R, UINT Format, bool Rotated)
{
  TRect shifted = R;
  OffsetRect(&shifted, 1, 1);
  DrawTextIn(DC, Text, shifted, Format, Rotated, clBtnHighlight);
  DrawTextIn(DC, Text, R, Format, Rotated, clBtnShadow);
}

}  // namespace TBWDefault

using namespace TBWDefault;
using namespace themes_detail;

TTBWDefaultTheme::TTBWDefaultTheme(const std::string& Name) : TTBWTheme(Name) { RecomputeColors(); }

void TTBWDefaultTheme::RecomputeColors()
{
  FToolbarColor = clBtnFace;
  FToolbarTextColor = clBtnText;
  FStatusBarColor = clBtnFace;
  if (VisualStylesOn() && VisualStyles().GetThemeColor) {
    COLORREF color;
    if (VisualStyles().GetThemeColor(ToolbarHandle(), 0, 0, TMT_FILLCOLOR, &color) >= 0)
      FToolbarColor = TColor(color);
    if (VisualStyles().GetThemeColor(ToolbarHandle(), 0, 0, TMT_TEXTCOLOR, &color) >= 0)
      FToolbarTextColor = TColor(color);
    if (VisualStyles().GetThemeColor(StatusHandle(), 0, 0, TMT_FILLCOLOR, &color) >= 0)
      FStatusBarColor = TColor(color);
  }
  FDockPanelColor = NearestMixedColor(TColor(ColorToRGB(FToolbarColor)), TColor(ColorToRGB(clWindow)), 64);
}

TPoint TTBWDefaultTheme::GetImageShift(TCanvas*, const TTBWItemInfo& Info, TCustomImageList*)
{
  return Info.Pushed || Info.Checked ? TPoint(1, 1) : TPoint(0, 0);
}

TColor TTBWDefaultTheme::GetViewColor(std::uint32_t ViewKind)
{
  if (IsToolbarView(ViewKind))
    return FToolbarColor;
  if (IsPopupView(ViewKind)) {
    if ((ViewKind & VT_POPUPMENU) == VT_POPUPMENU)
      return ThemeSystemState().MenuColor;
    if ((ViewKind & VT_LISTBOX) == VT_LISTBOX)
      return clWindow;
    if ((ViewKind & VT_TOOLBOXPOPUP) == VT_TOOLBOXPOPUP)
      return FToolbarColor;
    if ((ViewKind & VT_CHEVRONPOPUP) == VT_CHEVRONPOPUP)
      return ThemeSystemState().MenuColor;
    return FToolbarColor;
  }
  if (ViewKind & VT_DOCKPANEL)
    return FDockPanelColor;
  if (ViewKind & VT_STATUSBAR)
    return FStatusBarColor;
  return clBtnFace;
}

TColor TTBWDefaultTheme::GetItemFillColor(const TTBWItemInfo& Info)
{
  if (IsPopupMenuItem(Info) && Info.HoverKind != HK_NONE && !VisualStylesOn())
    return clHighlight;
  return GetViewColor(Info.ViewKind);
}

TColor TTBWDefaultTheme::GetItemTextColor(const TTBWItemInfo& Info)
{
  if (!Info.Enabled)
    return clGrayText;
  const bool menuBar = IsMenuBar(Info.ViewKind);
  const bool inactive = !(Info.ItemOptions & IO_APPACTIVE);
  if (!IsToolbarStyle(Info) || (menuBar && FlatMenusOn())) {
    if (Info.HoverKind != HK_NONE)
      return clHighlightText;
    if (menuBar && inactive)
      return clGrayText;
    return ThemeSystemState().MenuTextColor;
  }
  if (menuBar && inactive)
    return clGrayText;
  return clBtnText;
}

TColor TTBWDefaultTheme::GetImageBackColor(const TTBWItemInfo& Info)
{
  const bool hotTracked = Info.HoverKind != HK_NONE;
  if (FlatMenusOn() && hotTracked && IsMenuBar(Info.ViewKind))
    return clHighlight;
  if ((Info.ViewKind & VT_CHEVRONPOPUP) == VT_CHEVRONPOPUP || (hotTracked && IsPopupMenuItem(Info)))
    return FToolbarColor;
  return GetViewColor(Info.ViewKind);
}

void TTBWDefaultTheme::GetItemMargins(int ElementKind, ItemMarginSet& Margins)
{
  switch (ElementKind) {
    case MID_TOOLBARITEM:
      Margins = {2, 2, 2, 2};
      if (VisualStylesOn() && VisualStyles().GetThemeMargins) {
        MARGINS m;
        if (VisualStyles().GetThemeMargins(ToolbarHandle(), nullptr, TP_BUTTON, TS_HOT, TMT_CAPTIONMARGINS, nullptr,
                                           &m) >= 0)
          Margins = {m.cxLeftWidth, m.cxRightWidth, m.cyTopHeight, m.cyBottomHeight};
      }
      break;
    case MID_MENUITEM: Margins = {0, 0, 2, 2}; break;
    case MID_STATUSPANE:
      Margins = {1, 3, 1, 1};
      if (VisualStylesOn() && VisualStyles().GetThemeBackgroundContentRect) {
        const RECT box{0, 0, 100, 100};
        RECT content;
        if (VisualStyles().GetThemeBackgroundContentRect(StatusHandle(), nullptr, SP_PANE, 0, &box, &content) >= 0)
          Margins = {content.Left, 100 - content.Right, content.Top, 100 - content.Bottom};
      }
      break;
    default: Margins = ItemMarginSet(); break;
  }
}

int TTBWDefaultTheme::GetPopupShadowKind() { return PST_WINDOWSXP; }

void TTBWDefaultTheme::GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size)
{
  if (IsPopupView(ViewKind)) {
    const int side = (ViewKind & VT_LISTBOX) == VT_LISTBOX ? 1 : 3;
    Size = TPoint(side, side);
  } else if (!IsToolbarView(ViewKind) && !(ViewKind & VT_DOCKPANEL)) {
    Size = TPoint(0, 0);
  } else if (ViewKind & VT_FLOATING) {
    Size = ViewKind & VT_RESIZABLE ? TPoint(GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME))
                                   : TPoint(GetSystemMetrics(SM_CXFIXEDFRAME), GetSystemMetrics(SM_CYFIXEDFRAME));
  } else {
    Size = TPoint(2, 2);
  }
}

void TTBWDefaultTheme::GetViewMargins(std::uint32_t ViewKind, ItemMarginSet& Margins)
{
  if (IsToolbarView(ViewKind) && (ViewKind & VT_FLOATING))
    Margins = {4, 4, 2, 1};
  else
    Margins = ItemMarginSet();
}

int TTBWDefaultTheme::GetMetric(int Id)
{
  switch (Id) {
    case TMI_SPLITBTN_ARROWWIDTH:
      if (VisualStylesOn() && VisualStyles().GetThemePartSize) {
        SIZE size;
        if (VisualStyles().GetThemePartSize(ToolbarHandle(), nullptr, TP_SPLITBUTTONDROPDOWN, TS_NORMAL, nullptr,
                                            TS_TRUE, &size) >= 0)
          return size.cx + 2;
      }
      return 11;
    case TMI_DROPDOWN_ARROWWIDTH: return 8;
    case TMI_DROPDOWN_ARROWMARGIN: return 3;
    case TMI_MENU_IMGTEXTSPACE: return 1;
    case TMI_MENU_LCAPTIONMARGIN: return 2;
    case TMI_MENU_RCAPTIONMARGIN: return 2;
    case 36: return 2;
    case 37: return 4;
    case TMI_TLBR_SEPARATORSIZE: return 6;
    case TMI_EDIT_FRAMEWIDTH: return 2;
    case 61: return 2;
    case 62: return 1;
    case 65: return 13;
    case 66: return 0;
    default: return -1;
  }
}

bool TTBWDefaultTheme::HasFeature(int Id) { return Id == TBF_PAINTDOCKBACKGROUND && VisualStylesOn(); }

void RegisterDefaultTheme()
{
  if (!ThemeExists("Default"))
    RegisterTheme("Default", ThemeClassOf<TTBWDefaultTheme>);
}
