#include "controls/themes/TBWOfficeXPThemeColors.h"

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/win/gdi/SysColors.h"

using themes_detail::Rgb;

namespace {

// The table's mix: W below 100 is a percentage of A, from 100 on per mille.
TColor Mix(TColor A, TColor B, int W) { return PercentBlend(Rgb(A), Rgb(B), W); }

// C moved, where needed, to stand at least Distance from Background.
TColor Contrasting(TColor C, TColor Background, float Distance)
{
  EnsureContrast(C, Background, Distance);
  return C;
}

TColor NearestOrNone(TColor C)
{
  return C == clNone ? clNone : TColor(GetNearestColor(StockObjects().ColorDC, ColorToRGB(C)));
}

void SnapToScreen(TOfficeColorTable& T)
{
  for (TColor* c : {&T.MenuBarColor, &T.ToolbarColor, &T.PopupColor, &T.DockPanelColor, &T.PopupFrameColor,
                    &T.GripColor, &T.MenuSeparatorColor, &T.SeparatorColor, &T.ImageShadowColor,
                    &T.StatusFrameColor})
    *c = NearestOrNone(*c);
  for (TOfficeFrameColors* f : {&T.ToolbarActive, &T.ToolbarInactive, &T.PanelActive, &T.PanelInactive})
    for (TColor* c : {&f->Border, &f->Caption, &f->CaptionText})
      *c = NearestOrNone(*c);
  auto snapRow = [](TOfficeStateColors& s) {
    s.Fill = NearestOrNone(s.Fill);
    s.Text = NearestOrNone(s.Text);
    s.Frame = NearestOrNone(s.Frame);
  };
  for (auto& s : T.Menu)
    snapRow(s);
  for (auto& s : T.Toolbar)
    snapRow(s);
}

TOfficeColorTable LowColorTable()
{
  TOfficeColorTable T;
  T.MenuBarColor = T.ToolbarColor = clBtnFace;
  T.PopupColor = T.DockPanelColor = clWindow;
  T.PopupFrameColor = clBtnText;
  T.ToolbarActive = {clBtnShadow, clBtnShadow, clBtnHighlight};
  T.ToolbarInactive = {clBtnShadow, clBtnShadow, clBtnHighlight};
  T.PanelActive = T.PanelInactive = {clBtnShadow, clBtnFace, clBtnText};
  T.Menu[0] = {clNone, clWindowText, clNone};
  T.Menu[1] = {clNone, clGrayText, clNone};
  T.Menu[2] = {clWindow, clWindowText, clHighlight};
  T.Menu[3] = {clWindow, clGrayText, clHighlight};
  T.Toolbar[0] = {clNone, clBtnText, clNone};
  T.Toolbar[1] = {clNone, clBtnShadow, clNone};
  T.Toolbar[2] = {clWindow, clWindowText, clHighlight};
  T.Toolbar[3] = {clHighlight, clHighlightText, clHighlight};
  T.Toolbar[4] = {clWindow, clWindowText, clHighlight};
  T.Toolbar[5] = {clWindow, clBtnShadow, clHighlight};
  T.Toolbar[6] = {clHighlight, clHighlightText, clHighlight};
  T.Toolbar[7] = {clBtnFace, clBtnText, clBtnText};
  T.GripColor = clBtnText;
  T.ImageShadowColor = clBtnFace;
  T.SeparatorColor = T.MenuSeparatorColor = clBtnShadow;
  T.StatusFrameColor = clBtnShadow;
  return T;
}

TOfficeColorTable MixedTable()
{
  TOfficeColorTable T;
  T.MenuBarColor = clBtnFace;
  T.ToolbarColor = Mix(clWindow, clBtnFace, 165);
  T.PopupColor = T.DockPanelColor = Mix(clBtnFace, clWindow, 143);
  T.PopupFrameColor = Contrasting(Mix(clBtnText, clBtnShadow, 20), T.PopupColor, 100);

  const TColor m = Mix(clBtnShadow, clWindow, 90);
  const TColor hot = Contrasting(Mix(clHighlight, clWindow, 30), T.ToolbarColor, 50);

  T.ToolbarActive = {Contrasting(Mix(clBtnText, clBtnShadow, 15), T.ToolbarColor, 120), clBtnShadow,
                     Contrasting(clBtnHighlight, clBtnShadow, 180)};
  T.ToolbarInactive = {T.ToolbarActive.Border, clBtnFace, Contrasting(m, clBtnFace, 120)};
  T.PanelActive = {clBtnShadow, clBtnFace, clBtnText};
  T.PanelInactive = {clBtnShadow, clBtnFace, Contrasting(m, clBtnFace, 120)};

  const TColor normalText = Contrasting(clBtnText, T.ToolbarColor, 180);
  T.Toolbar[0] = {clNone, normalText, clNone};
  T.Toolbar[1] = {clNone, Contrasting(m, T.ToolbarColor, 80), clNone};
  T.Toolbar[2] = {Contrasting(Mix(clHighlight, Mix(clBtnFace, clWindow, 50), 10), T.ToolbarColor, 5), normalText,
                  clHighlight};
  T.Toolbar[3] = {Mix(clHighlight, clWindow, 50), clHighlightText, clHighlight};
  T.Toolbar[4] = {hot, Contrasting(clMenuText, hot, 180), Contrasting(clHighlight, T.ToolbarColor, 100)};
  T.Toolbar[5] = {hot, m, clHighlight};
  const TColor checkedHot = Contrasting(Mix(clHighlight, clWindow, 50), T.ToolbarColor, 30);
  T.Toolbar[6] = {checkedHot, Contrasting(clHighlightText, checkedHot, 180),
                  Contrasting(clHighlight, checkedHot, 100)};
  T.Toolbar[7] = {T.ToolbarColor, normalText, T.PopupFrameColor};

  T.Menu[0] = {clNone, Contrasting(clWindowText, T.PopupColor, 180), clNone};
  T.Menu[1] = {clNone, Contrasting(Mix(clGrayText, clWindow, 70), T.PopupColor, 80), clNone};
  T.Menu[2] = T.Toolbar[4];
  T.Menu[3] = {T.PopupColor, Mix(clGrayText, clWindow, 70), clHighlight};

  T.GripColor = Contrasting(Mix(clBtnShadow, clWindow, 75), T.ToolbarColor, 85);
  T.SeparatorColor = T.MenuSeparatorColor = Contrasting(Mix(clBtnShadow, clWindow, 70), T.ToolbarColor, 50);
  T.ImageShadowColor = Mix(clBlack, hot, 25);
  T.StatusFrameColor = Contrasting(Mix(clWindow, clBtnFace, 30), clBtnFace, 30);
  SnapToScreen(T);
  return T;
}

}  // namespace

TOfficeColorTable ComputeOfficeColors(bool LowColor) { return LowColor ? LowColorTable() : MixedTable(); }

int OfficeToolbarState(const TTBWItemInfo& Info)
{
  if (!Info.Enabled)
    return Info.HoverKind == HK_DISABLED ? 5 : 1;
  if (Info.IsPopupParent)
    return 7;
  if (Info.Pushed)
    return 3;
  if (Info.Checked)
    return Info.HoverKind != HK_NONE ? 6 : 2;
  return Info.HoverKind != HK_NONE ? 4 : 0;
}

int OfficeMenuState(const TTBWItemInfo& Info)
{
  if (Info.Enabled)
    return Info.HoverKind != HK_NONE ? 2 : 0;
  return Info.HoverKind == HK_DISABLED ? 3 : 1;
}

bool IsPopupMenuItem(const TTBWItemInfo& Info)
{
  return (Info.ViewKind & VT_POPUPMENU) == VT_POPUPMENU && !(Info.ItemOptions & IO_TOOLBARSTYLE);
}

TOfficeStateColors OfficeItemColors(const TOfficeColorTable& Table, const TTBWItemInfo& Info)
{
  TOfficeStateColors c =
      IsPopupMenuItem(Info) ? Table.Menu[OfficeMenuState(Info)] : Table.Toolbar[OfficeToolbarState(Info)];
  if (IsOpaqueItemsToolbar(Info.ViewKind)) {
    if (c.Fill == clNone)
      c.Fill = Table.ToolbarColor;
    if (c.Frame == clNone)
      c.Frame = clBtnShadow;
  }
  return c;
}

TOfficeStateColors OfficeFaceColors(const TOfficeColorTable& Table, const TTBWItemInfo& Info)
{
  TOfficeStateColors c = Table.Toolbar[OfficeToolbarState(Info)];
  if (IsOpaqueItemsToolbar(Info.ViewKind)) {
    if (c.Fill == clNone)
      c.Fill = Table.ToolbarColor;
    if (Info.Checked)
      c.Frame = clWindowFrame;
    else if (c.Frame == clNone)
      c.Frame = clBtnShadow;
  }
  return c;
}
