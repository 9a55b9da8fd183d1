#include "controls/themes/TBWStripesTheme.h"

#include <algorithm>

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDefaultThemeGlyphs.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWImageStates.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBImageList.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"

using namespace themes_detail;

TTBWStripesTheme::TTBWStripesTheme(const std::string& Name) : TStripesThemeBase(Name) { RecomputeColors(); }

void TTBWStripesTheme::RecomputeColors()
{
  FPanelColor = NearestMix256(clBtnFace, clWindow, 64);
  FShadowColor = LowColor() ? clBtnShadow : Mix256(clBtnShadow, clBtnFace, 210);
  FToolbarColor = clBtnFace;
}

TColor TTBWStripesTheme::GetItemTextColor(const TTBWItemInfo& Info)
{
  const bool popupStyle = !ToolbarStyle(Info);
  if (!Info.Enabled)
    return popupStyle && Info.HoverKind == HK_DISABLED ? clBtnShadow : FShadowColor;
  if (popupStyle || IsMenuBar(Info.ViewKind)) {
    if (Info.HoverKind != HK_NONE)
      return clHighlightText;
    if (IsMenuBar(Info.ViewKind) && !(Info.ItemOptions & IO_APPACTIVE))
      return clGrayText;
    return clMenuText;
  }
  return clBtnText;
}

int TTBWStripesTheme::GetPopupShadowKind() { return PST_WINDOWS2K; }

void TTBWStripesTheme::GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size)
{
  const bool toolbarOrPanel = ViewKind & (VT_KINDMASK_TOOLBAR | VT_DOCKPANEL);
  if (toolbarOrPanel && (ViewKind & VT_FLOATING))
    TStripesThemeBase::GetViewFrameSize(ViewKind, Size);
  else if (toolbarOrPanel || IsSingleControlPopup(ViewKind))
    Size = TPoint(2, 2);
  else if (ViewKind & VT_KINDMASK_POPUP)
    Size = TPoint(3, 3);
  else
    Size = TPoint(0, 0);
}

TColor TTBWStripesTheme::GetViewColor(std::uint32_t ViewKind)
{
  if (ViewKind & VT_KINDMASK_TOOLBAR)
    return clBtnFace;
  if (ViewKind & VT_KINDMASK_POPUP)
    return TStripesThemeBase::GetViewColor(ViewKind);
  if (ViewKind & VT_DOCKPANEL)
    return FPanelColor;
  return FToolbarColor;
}

void TTBWStripesTheme::DrawViewBackground(TCanvas* Canvas, const TRect& BackgroundRect, const TRect& ClipRect,
                                          const TRect& AreaRect, TColor Color, bool BackgroundPainted,
                                          std::uint32_t ViewKind)
{
  if (LowColor()) {
    TStripesThemeBase::DrawViewBackground(Canvas, BackgroundRect, ClipRect, AreaRect, Color, BackgroundPainted,
                                          ViewKind);
    return;
  }
  HDC dc = Canvas->Handle();
  TRect r;
  if (!IntersectRect(&r, &ClipRect, &AreaRect) || !RectVisible(dc, &r))
    return;
  const bool plain = IsMenuBar(ViewKind) || ((ViewKind & VT_DOCKPANEL) && (ViewKind & 1)) ||
                     IsOpaqueItemsToolbar(ViewKind);
  if (plain) {
    if (!BackgroundPainted)
      FillRectColor(dc, r, Color);
    return;
  }
  DrawStripes(dc, r, AreaRect, Color, BackgroundPainted);
}

void TTBWStripesTheme::DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  TRect r = R;
  int a = 2, b = 2;
  if (Info.ComboPart == CP_SPLITRIGHT) {
    a = 1;
    --r.Left;
  } else if (Info.ComboPart == CP_SPLITLEFT) {
    b = 1;
  }
  if (!ToolbarStyle(Info))
    a = b = 1;
  const bool hot = IsHot(Info), low = LowColor();
  const TRect inner = Inflated(r, -1);
  if (IsOpaqueItemsToolbar(Info.ViewKind) && !hot) {
    if (Info.Enabled) {
      FillRectColor(dc, inner, NearestMix256(clWindow, clBtnFace, 16));
      DrawSoftOutline(dc, r, a, b, NearestMix256(clWindow, clBtnShadow, 64));
    } else {
      DrawSoftOutline(dc, r, a, b, clBtnFace);
    }
  }
  if (IsMenuBar(Info.ViewKind)) {
    if (((Info.Pushed || Info.Checked) && Info.Enabled) || hot)
      FillRectColor(dc, r, clHighlight);
    return;
  }
  if ((Info.Pushed || Info.Checked) && Info.Enabled) {
    const bool idleChecked = !Info.Pushed && !hot;
    const TColor second = idleChecked ? clWindow : low ? clBtnHighlight : Mix256(clBtnHighlight, clBtnFace, 128);
    FillRectDithered(dc, inner, clBtnHighlight, second);
    const TPoint edge[3] = {{inner.Left, inner.Bottom - 1}, {inner.Left, inner.Top}, {inner.Right, inner.Top}};
    PolylineColor(dc, edge, 2, clBtnFace);
    DrawSoftOutline(dc, r, a, b, clBtnShadow);
  } else if (hot || (Info.ItemOptions & IO_DESIGNING)) {
    if (Info.HoverKind != HK_NONE)
      FillRectDithered(dc, inner, clBtnFace, low ? clBtnFace : Mix256(clBtnHighlight, clBtnFace, 192));
    DrawSoftOutline(dc, r, a, b, low ? clBtnShadow : Mix256(clBtnShadow, clBtnFace, 192));
  }
  if (Info.ComboPart == CP_SPLITRIGHT)
    DrawDropdownArrow(Canvas, R, Info);
}

void TTBWStripesTheme::DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                       const std::string& Caption, UINT Format, bool Rotated)
{
  TRect r = R;
  if ((Info.Pushed || Info.Checked) && !IsMenuBar(Info.ViewKind))
    r = Offset(r, 1, 1);
  TColor color = Canvas->Font()->Color();
  if (color == clNone)
    color = GetItemTextColor(Info);
  DrawCaptionInColor(Canvas, r, color, Caption, Format, Rotated);
}

void TTBWStripesTheme::DrawDropdownArrow(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  const int shift = (Info.Pushed || Info.Checked) ? 1 : 0;
  const int x = (R.Left + R.Right) / 2 + shift, y = (R.Top + R.Bottom) / 2 - 1 + shift;
  const TColor color = !Info.Enabled ? FShadowColor : ToolbarStyle(Info) ? clBtnText : clMenuText;
  if (Info.IsVertical)
    FilledTriangle(Canvas->Handle(), {{x, y + 2}, {x, y - 2}, {x - 2, y}}, color);
  else
    FilledTriangle(Canvas->Handle(), {{x - 2, y}, {x + 2, y}, {x, y + 2}}, color);
}

void TTBWStripesTheme::DrawEditBorder(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const bool active = Info.Pushed || Info.Checked || Info.HoverKind != HK_NONE || (Info.ItemOptions & IO_DESIGNING);
  TRect inner = Inflated(R, -1);
  if ((Info.Enabled || Info.HoverKind == HK_DISABLED) && active) {
    FrameRectColor(dc, inner, clWindow, false);
    DrawSoftOutline(dc, R, 1, 1, FShadowColor);
  } else {
    FrameRectColor(dc, inner, FShadowColor, false);
  }
}

void TTBWStripesTheme::DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                     TCustomImageList* ImageList, int ImageIndex)
{
  if (!ImageList)
    return;
  const bool sunk = Info.Pushed || Info.Checked;
  if (auto* own = dynamic_cast<TTBCustomImageList*>(ImageList)) {
    const TRect r = sunk ? Offset(R, 1, 1) : R;
    own->DrawImageState(Canvas, r.Left, r.Top, ImageIndex, Info.Enabled, Info.HoverKind != HK_NONE, Info.Checked);
    return;
  }
  const int back = Luminance(Rgb(GetImageBackColor(Info)));
  if (!Info.Enabled) {
    if (back < 80)
      DrawImageSilhouette(Canvas, R, ImageList, ImageIndex, clBtnShadow);
    else
      DrawImageWashed(Canvas, R, ImageList, ImageIndex, 0);
  } else if (sunk) {
    DrawImageContrasting(Canvas, Offset(R, 1, 1), ImageList, ImageIndex, false);
  } else if (Info.HoverKind != HK_NONE) {
    // A soft shadow two pixels deep under the image.
    DrawImageWashed(Canvas, Offset(R, 1, 1), ImageList, ImageIndex, 1);
    DrawImageWashed(Canvas, Offset(R, 2, 2), ImageList, ImageIndex, 1);
    DrawImageContrasting(Canvas, R, ImageList, ImageIndex, false);
  } else if (back > 79 && !ThemeSystemState().WhiteButtonFace) {
    DrawImageTinted(Canvas, R, ImageList, ImageIndex, clWindow, 200);
  } else {
    DrawImageContrasting(Canvas, R, ImageList, ImageIndex, back < 80);
  }
}

void TTBWStripesTheme::DrawCaptionButton(TCanvas* Canvas, const TRect& R, const ButtonPaintState& State,
                                         int ButtonKind)
{
  TTBWItemInfo info = CaptionButtonItemInfo(State);
  info.ItemOptions = IO_TOOLBARSTYLE;
  DrawItemFrame(Canvas, R, info);
  const int shift = info.Pushed ? 1 : 0;
  DrawThemeGlyph(Canvas->Handle(), Offset(R, shift, shift), GlyphOfCaptionButton(ButtonKind), clBtnText);
}

void TTBWStripesTheme::DrawMenuImageHighlight(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  if (IsHot(Info))
    DrawStripes(Canvas->Handle(), R, R, clHighlight, false);
}

void TTBWStripesTheme::DrawMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const int w = GetSystemMetrics(SM_CXMENUCHECK);
  const bool split = Info.ItemOptions & IO_COMBO;
  TRect selection = R;
  selection.Left = R.Left + GetMetric(TMI_MENU_IMGTEXTSPACE) + Info.PopupMargin;
  if (split && Info.Enabled)
    selection.Right = R.Right - w - 1;
  DrawMenuImageHighlight(Canvas, selection, Info);
  if (split) {
    const TRect arrow(R.Right - w, R.Top, R.Right, R.Bottom);
    if (Info.Enabled && Info.HoverKind == HK_HOVER)
      DrawStripes(dc, arrow, arrow, clHighlight, false);
    else
      FillRectColor(dc, TRect(arrow.Left - 1, R.Top + 1, arrow.Left, R.Bottom - 1), FShadowColor);
  }
  if (Info.ItemOptions & IO_SUBMENUITEM) {
    // Items paint from a top of 0, where this is the item's middle.
    const int x = R.Right - 2 * w / 3, y = (R.Top + R.Bottom) / 2;
    const TColor color = Info.Enabled ? (Info.HoverKind != HK_NONE ? clHighlightText : clMenuText)
                                      : (Info.HoverKind == HK_DISABLED ? clBtnShadow : FShadowColor);
    FilledTriangle(dc, {{x, y - 3}, {x, y + 3}, {x + 3, y}}, color);
  }
  const bool column = Info.ImageWidth > 0 || Info.Checked;
  if (column && (IsHot(Info) || Info.Checked))
    DrawItemFrame(Canvas, TRect(R.Left, R.Top, R.Left + Info.PopupMargin, R.Bottom), Info);
}

void TTBWStripesTheme::DrawPopupFrame(TCanvas* Canvas, const TRect& R, const PopupFramePaintState& State)
{
  HDC dc = Canvas->Handle();
  TRect r = R;
  FrameRectColor(dc, r, NearestMix256(clBtnShadow, clBlack, 127), true);
  const TThemeSystemState& system = ThemeSystemState();
  if (IsSingleControlPopup(State.ViewKind)) {
    FillRectColor(dc, r, clWindow);
  } else if (system.FlatMenus && !IsToolBoxPopup(State.ViewKind)) {
    FillRectColor(dc, r, system.MenuColor);
  } else {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    FillRectColor(dc, r, FToolbarColor);
  }
}

void TTBWStripesTheme::DrawSeparatorLine(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                         bool Horizontal, bool)
{
  if (!Info.Enabled)
    return;
  HDC dc = Canvas->Handle();
  if (Horizontal) {
    const int y = (R.Top + R.Bottom) / 2;
    FillRectColor(dc, TRect(R.Left + 1, y, R.Right - 1, y + 1), FShadowColor);
  } else {
    const int x = (R.Left + R.Right) / 2;
    FillRectColor(dc, TRect(x, R.Top + 1, x + 1, R.Bottom - 1), FShadowColor);
  }
}

void TTBWStripesTheme::DrawDockBackground(TCanvas*, const TRect&, const TRect&, int) {}

void TTBWStripesTheme::DrawCloseBox(HDC DC, TRect R, std::uint32_t CloseButtonState)
{
  const bool pressed = CloseButtonState & CDBS_PRESSED, hot = CloseButtonState & CDBS_HOT;
  if (pressed || hot) {
    const bool low = LowColor();
    if (pressed)
      FillPushedButtonFace(DC, Inflated(R, -1));
    else
      FillHotButtonFace(DC, Inflated(R, -1));
    DrawSoftOutline(DC, R, 1, 1, pressed && low ? clBtnShadow : NearestMix256(clBtnShadow, clBtnFace, 191));
  }
  const int shift = pressed ? 1 : 0;
  TBWDefault::DrawPanelCloseCross(DC, Offset(R, shift, shift), clBtnText);
}

void TTBWStripesTheme::DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State)
{
  HDC dc = Canvas->Handle();
  TRect r = R;
  if (State.BorderStyle == 1)
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  const bool clearBrush = Canvas->Brush()->Style() == bsClear;
  const TColor brush = clearBrush ? clNone : Canvas->Brush()->Color();
  FillRectColor(dc, r, brush);
  r = Inflated(r, -1);
  const int size = GetDragHandleSize(State);
  if (!State.AllowDrag || State.DragHandleStyle == dhNone || size <= 0)
    return;
  const bool closeShown = State.CloseButtonState & CDBS_VISIBLE;
  const TRect close = Offset(GetDockedCloseButtonRect(State), R.Left, R.Top);
  const int side = close.Right - close.Left;
  const TColor line = NearestMix256(clBtnShadow, clBtnFace, 96);
  TRect handle;
  if (State.IsVertical) {
    handle = TRect(r.Left, r.Top, r.Right, r.Top + size);
    FillRectColor(dc, TRect(handle.Left, handle.Bottom - 2, handle.Right, handle.Bottom - 1), line);
    handle.Bottom -= 2;
    if (closeShown)
      handle.Right -= side;
  } else {
    handle = TRect(r.Left, r.Top, r.Left + size, r.Bottom);
    FillRectColor(dc, TRect(handle.Right - 2, handle.Top, handle.Right - 1, handle.Bottom), line);
    handle.Right -= 2;
    if (closeShown)
      handle.Top += side;
  }
  DrawDotTexture(dc, handle, brush, 1);
  if (closeShown)
    DrawCloseBox(dc, Inflated(Offset(close, State.IsVertical ? -1 : 0, State.IsVertical ? 0 : -1), -1),
                 State.CloseButtonState);
}

void TTBWStripesTheme::DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part)
{
  HDC dc = Canvas->Handle();
  switch (Part) {
    case 0:
      FillRectColor(dc, R, clBtnFace);
      FillRectColor(dc, TRect(R.Left, R.Top + 2, R.Right, R.Top + 3), NearestMix256(clBtnShadow, clBtnFace, 96));
      break;
    case 1:
    case 2: {
      const int x = R.Right - 1 - (Part == 1 ? 3 : 0);
      FillRectColor(dc, TRect(x, R.Top + 4, x + 1, R.Bottom - 3), FShadowColor);
      break;
    }
    case 3: {
      const int side = std::min(R.Right - R.Left, R.Bottom - R.Top);
      const TColor dark = NearestMix256(clBtnFace, clBtnShadow, 64);
      const TColor light = NearestMix256(clBtnFace, clBtnHighlight, 64);
      int k = 2;
      auto line = [&](TColor Color) {
        DrawLineColor(dc, R.Right - k - 2, R.Bottom - 2, R.Right - 1, R.Bottom - k - 3, Color);
        ++k;
      };
      for (int group = 0; group < 3; ++group) {
        line(dark);
        if (side >= 13)
          ++k;
        line(light);
        if (side >= 9)
          ++k;
      }
      break;
    }
    default: break;
  }
}

int TTBWStripesTheme::GetMetric(int Id)
{
  switch (Id) {
    case 10: return 12;
    case 36:
    case 62: return 1;
    case 37:
    case 60:
    case 61: return 2;
    case 65: return 14;
    default: return TStripesThemeBase::GetMetric(Id);
  }
}

bool TTBWStripesTheme::HasFeature(int) { return false; }

void RegisterStripesTheme() { RegisterTheme("Stripes", ThemeClassOf<TTBWStripesTheme>); }
