#include "controls/themes/TBWOfficeXPTheme.h"

#include <algorithm>

#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDefaultThemeGlyphs.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWImageStates.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWThemeRegistry.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBImageList.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Colors.h"
#include "platform/classes/graphics/Font.h"

using namespace themes_detail;

namespace {

// 8 x 7 close cross of docked frames and caption bars.
constexpr WORD CloseCross[7] = {0xC3, 0x66, 0x3C, 0x18, 0x3C, 0x66, 0xC3};

bool IsPopupMenuView(std::uint32_t ViewKind) { return (ViewKind & VT_POPUPMENU) == VT_POPUPMENU; }

}  // namespace

TTBWOfficeXPTheme::TTBWOfficeXPTheme(const std::string& Name) : TTBWTheme(Name) { RecomputeColors(); }

void TTBWOfficeXPTheme::RecomputeColors() { FColors = ComputeOfficeColors(ThemeSystemState().LowColorDisplay); }

TPoint TTBWOfficeXPTheme::GetImageShift(TCanvas*, const TTBWItemInfo& Info, TCustomImageList* ImageList)
{
  // A hot image lifts off its shadow, unless the framework's list draws its
  // own hot form.
  const bool lifted = Info.Enabled && Info.HoverKind != HK_NONE && !Info.Checked &&
                      (!Info.Pushed || Info.IsPopupParent);
  if (lifted && !dynamic_cast<TTBCustomImageList*>(ImageList))
    return TPoint(-1, -1);
  return TPoint(0, 0);
}

TColor TTBWOfficeXPTheme::GetItemFillColor(const TTBWItemInfo& Info)
{
  const TColor fill = OfficeItemColors(FColors, Info).Fill;
  return fill == clNone ? GetViewColor(Info.ViewKind) : fill;
}

TColor TTBWOfficeXPTheme::GetItemTextColor(const TTBWItemInfo& Info) { return OfficeItemColors(FColors, Info).Text; }

TColor TTBWOfficeXPTheme::GetImageBackColor(const TTBWItemInfo& Info)
{
  const TColor fill = OfficeFaceColors(FColors, Info).Fill;
  return fill == clNone ? GetViewColor(Info.ViewKind) : fill;
}

void TTBWOfficeXPTheme::GetItemMargins(int ElementKind, ItemMarginSet& Margins)
{
  switch (ElementKind) {
    case MID_TOOLBARITEM: Margins = {2, 2, 2, 2}; break;
    case MID_MENUITEM: Margins = {1, 1, 3, 3}; break;
    case MID_STATUSPANE: Margins = {1, 3, 1, 1}; break;
    default: Margins = {}; break;
  }
}

int TTBWOfficeXPTheme::GetPopupShadowKind() { return PST_OFFICEXP; }

void TTBWOfficeXPTheme::GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size)
{
  if (ViewKind & VT_KINDMASK_POPUP) {
    Size = TPoint(IsPopupMenuView(ViewKind) ? 1 : 2, 2);
  } else if (ViewKind & (VT_KINDMASK_TOOLBAR | VT_DOCKPANEL)) {
    if (ViewKind & VT_FLOATING) {
      const bool sizeable = ViewKind & VT_RESIZABLE;
      Size = TPoint(GetSystemMetrics(sizeable ? SM_CXSIZEFRAME : SM_CXFIXEDFRAME) - 1,
                    GetSystemMetrics(sizeable ? SM_CYSIZEFRAME : SM_CYFIXEDFRAME) - 1);
    } else {
      Size = TPoint(2, 2);
    }
  } else {
    Size = TPoint(0, 0);
  }
}

TColor TTBWOfficeXPTheme::GetViewColor(std::uint32_t ViewKind)
{
  if (ViewKind & VT_KINDMASK_TOOLBAR)
    return IsMenuBar(ViewKind) ? FColors.MenuBarColor : FColors.ToolbarColor;
  if (ViewKind & VT_KINDMASK_POPUP)
    return IsSingleControlPopup(ViewKind) ? clWindow : FColors.PopupColor;
  if (ViewKind & VT_DOCKPANEL)
    return FColors.DockPanelColor;
  return clBtnFace;
}

void TTBWOfficeXPTheme::DrawViewBackground(TCanvas* Canvas, const TRect&, const TRect& ClipRect,
                                           const TRect& AreaRect, TColor Color, bool BackgroundPainted,
                                           std::uint32_t)
{
  TRect r;
  if (!BackgroundPainted && IntersectRect(&r, &ClipRect, &AreaRect))
    FillRectColor(Canvas->Handle(), r, Color);
}

void TTBWOfficeXPTheme::DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  TRect r = R;
  if (Info.ComboPart == CP_SPLITRIGHT)
    --r.Left;
  if ((Info.ItemOptions & IO_DESIGNING) && !Info.Checked) {
    FrameRectColor(dc, r, NearestMixedColor(TColor(ColorToRGB(clBtnShadow)), TColor(ColorToRGB(clBtnFace)), 100),
                   false);
  } else {
    if (Info.ComboPart == CP_SPLITLEFT && Info.IsPopupParent)
      ++r.Right;
    const TOfficeStateColors face = OfficeFaceColors(FColors, Info);
    FrameAndFill(dc, r, face.Frame, face.Fill);
  }
  if (Info.ComboPart == CP_SPLITRIGHT)
    DrawDropdownArrow(Canvas, R, Info);
}

void TTBWOfficeXPTheme::DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                        const std::string& Caption, UINT Format, bool Rotated)
{
  TColor color = Canvas->Font()->Color();
  if (color == clNone)
    color = GetItemTextColor(Info);
  DrawCaptionInColor(Canvas, R, color, Caption, Format, Rotated);
}

void TTBWOfficeXPTheme::DrawCheckGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  const int x0 = (R.Left + R.Right) / 2 - 2, y0 = (R.Top + R.Bottom) / 2 + 1;
  const TPoint tick[7] = {{x0 - 2, y0 - 2}, {x0, y0},     {x0 + 4, y0 - 4}, {x0 + 4, y0 - 3},
                          {x0, y0 + 1},     {x0 - 2, y0 - 1}, {x0 - 2, y0 - 2}};
  PolylineColor(Canvas->Handle(), tick, 6, OfficeFaceColors(FColors, Info).Text);
}

void TTBWOfficeXPTheme::DrawChevronGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  DrawItemFrame(Canvas, R, Info);
  const TColor color = GetItemTextColor(Info);
  TBWDefault::DrawChevronPattern(Canvas->Handle(), TBWDefault::ChevronGlyphBox(R, Info.IsVertical), Info.IsVertical,
                                 color);
}

void TTBWOfficeXPTheme::DrawDropdownArrow(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  const int x = (R.Left + R.Right) / 2, y = (R.Top + R.Bottom) / 2;
  const TColor color = GetItemTextColor(Info);
  if (Info.IsVertical)
    FilledTriangle(Canvas->Handle(), {{x, y + 1}, {x, y - 3}, {x - 2, y - 1}}, color);
  else
    FilledTriangle(Canvas->Handle(), {{x - 2, y - 1}, {x + 2, y - 1}, {x, y + 1}}, color);
}

void TTBWOfficeXPTheme::DrawEditBorder(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  const TOfficeStateColors c = OfficeItemColors(FColors, Info);
  FrameAndFill(Canvas->Handle(), R, c.Frame, c.Fill);
}

void TTBWOfficeXPTheme::DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                      TCustomImageList* ImageList, int ImageIndex)
{
  if (!ImageList)
    return;
  const bool hot = Info.HoverKind != HK_NONE;
  if (auto* own = dynamic_cast<TTBCustomImageList*>(ImageList)) {
    own->DrawImageState(Canvas, R.Left, R.Top, ImageIndex, Info.Enabled, hot, Info.Checked);
    return;
  }
  const int back = Brightness(GetImageBackColor(Info));
  const TThemeSystemState& system = ThemeSystemState();
  if (!Info.Enabled) {
    DrawImageSilhouette(Canvas, R, ImageList, ImageIndex, FColors.Toolbar[1].Text);
  } else if (hot && !Info.Checked && (!Info.Pushed || Info.IsPopupParent)) {
    DrawImageMaskSilhouette(Canvas, Offset(R, 1, 1), ImageList, ImageIndex, FColors.ImageShadowColor);
    DrawImageContrasting(Canvas, Offset(R, -1, -1), ImageList, ImageIndex, false);
  } else if (!hot && !Info.Checked && !Info.Pushed && back >= 64 && !system.LowColorDisplay &&
             !system.WhiteButtonFace) {
    DrawImageTinted(Canvas, R, ImageList, ImageIndex, clWindow, 178);
  } else {
    DrawImageContrasting(Canvas, R, ImageList, ImageIndex, back < 64);
  }
}

void TTBWOfficeXPTheme::DrawCaptionButton(TCanvas* Canvas, const TRect& R, const ButtonPaintState& State,
                                          int ButtonKind)
{
  const TTBWItemInfo info = CaptionButtonItemInfo(State);
  DrawItemFrame(Canvas, R, info);
  DrawThemeGlyph(Canvas->Handle(), Offset(R, 0, -1), GlyphOfCaptionButton(ButtonKind), GetItemTextColor(info));
}

void TTBWOfficeXPTheme::DrawMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const int w = GetSystemMetrics(SM_CXMENUCHECK);
  const TOfficeStateColors c = OfficeItemColors(FColors, Info);
  DrawMenuImageHighlight(Canvas, R, Info);
  if (Info.ItemOptions & IO_COMBO) {
    const TColor line = !Info.Enabled ? c.Text : Info.HoverKind == HK_HOVER ? c.Frame : FColors.MenuSeparatorColor;
    const int x = R.Right - w - 1;
    DrawLineColor(dc, x, R.Top + 1, x, R.Bottom - 1, line);
  }
  if (Info.ItemOptions & IO_SUBMENUITEM) {
    // Items paint from a top of 0, where this is the item's middle.
    const int x = R.Right - 2 * w / 3 - 1, y = (R.Top + R.Bottom) / 2;
    FilledTriangle(dc, {{x, y - 3}, {x, y + 3}, {x + 3, y}}, c.Text);
  }
  if (Info.Enabled && Info.Checked) {
    const TOfficeStateColors face = OfficeFaceColors(FColors, Info);
    FrameAndFill(dc, TRect(R.Left + 2, R.Top + 1, R.Left + Info.PopupMargin, R.Bottom - 1), face.Frame, face.Fill);
  }
}

void TTBWOfficeXPTheme::DrawMenuImageHighlight(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  TRect r = R;
  if (!IsToolBoxPopup(Info.ViewKind)) {
    FillRectColor(Canvas->Handle(), TRect(R.Left, R.Top, R.Left + Info.PopupMargin + 2, R.Bottom),
                  FColors.ToolbarColor);
    ++r.Left;
    --r.Right;
  }
  DrawEditBorder(Canvas, r, Info);
}

void TTBWOfficeXPTheme::DrawPopupFrame(TCanvas* Canvas, const TRect& R, const PopupFramePaintState& State)
{
  HDC dc = Canvas->Handle();
  TRect inner = R;
  FrameRectColor(dc, inner, FColors.PopupFrameColor, true);
  FillRectColor(dc, inner, FColors.PopupColor);
  // Where the open item touches the popup, the border between them takes the
  // item's colour so the two read as one shape.
  const TRect& p = State.ParentRect;
  if (p.Right <= p.Left || p.Bottom <= p.Top)
    return;
  const int left = std::max(p.Left, R.Left) + 1, right = std::min(p.Right, R.Right) - 1;
  const int top = std::max(p.Top, R.Top) + 1, bottom = std::min(p.Bottom, R.Bottom) - 1;
  TRect joint;
  if (p.Bottom == R.Top)
    joint = TRect(left, R.Top, right, R.Top + 1);
  else if (p.Top == R.Bottom)
    joint = TRect(left, R.Bottom - 1, right, R.Bottom);
  else if (p.Right == R.Left)
    joint = TRect(R.Left, top, R.Left + 1, bottom);
  else if (p.Left == R.Right)
    joint = TRect(R.Right - 1, top, R.Right, bottom);
  if (joint.Right > joint.Left && joint.Bottom > joint.Top)
    FillRectColor(dc, joint, FColors.ToolbarColor);
}

void TTBWOfficeXPTheme::DrawSeparatorLine(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                          bool Horizontal, bool)
{
  if (!Info.Enabled)
    return;
  HDC dc = Canvas->Handle();
  if (!Horizontal) {
    const int x = (R.Left + R.Right) / 2;
    FillRectColor(dc, TRect(x, R.Top, x + 1, R.Bottom), FColors.SeparatorColor);
    return;
  }
  const int y = (R.Top + R.Bottom) / 2;
  if (IsPopupMenuItem(Info)) {
    FillRectColor(dc, TRect(R.Left, R.Top, R.Left + Info.PopupMargin + 2, R.Bottom), FColors.ToolbarColor);
    FillRectColor(dc, TRect(R.Left + Info.PopupMargin + 9, y, R.Right, y + 1), FColors.MenuSeparatorColor);
  } else {
    FillRectColor(dc, TRect(R.Left, y, R.Right, y + 1), FColors.SeparatorColor);
  }
}

void TTBWOfficeXPTheme::DrawCloseBox(HDC DC, const TRect& R, std::uint32_t CloseButtonState)
{
  const int state = (CloseButtonState & CDBS_PRESSED) ? 3 : (CloseButtonState & CDBS_HOT) ? 4 : 0;
  const TOfficeStateColors& c = FColors.Toolbar[state];
  FrameAndFill(DC, R, c.Frame, c.Fill);
  DrawPatternGlyph(DC, R, 8, 7, CloseCross, c.Text);
}

void TTBWOfficeXPTheme::DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State)
{
  HDC dc = Canvas->Handle();
  const TColor brush = Canvas->Brush()->Color();
  if (State.BorderStyle == 1) {
    const int face = Brightness(clBtnFace);
    if ((!ThemeSystemState().LowColorDisplay && face >= 50 && face <= 254) || IsMenuBar(State.ViewKind)) {
      // A one-pixel inset outline with each corner cut by a pixel.
      const int l = R.Left + 1, t = R.Top + 1, r = R.Right - 2, b = R.Bottom - 2;
      const TPoint outline[8] = {{l + 1, t}, {r - 1, t}, {r, t + 1}, {r, b - 1},
                                 {r - 1, b}, {l + 1, b}, {l, b - 1}, {l, t + 1}};
      PolygonColors(dc, outline, 7, brush, brush);
    } else {
      HBRUSH checker = DitherBrush(FColors.ToolbarColor, FColors.Toolbar[1].Text);
      const TRect edges[4] = {{R.Left, R.Top, R.Right, R.Top + 1},
                              {R.Left, R.Bottom - 1, R.Right, R.Bottom},
                              {R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1},
                              {R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1}};
      for (const TRect& e : edges)
        FillRect(dc, &e, checker);
      DeleteObject(checker);
      FillRectColor(dc, TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), brush);
    }
  } else {
    FillRectColor(dc, R, brush);
  }
  if (!State.AllowDrag)
    return;
  const bool closeShown = State.CloseButtonState & CDBS_VISIBLE;
  TRect close = Offset(GetDockedCloseButtonRect(State), R.Left, R.Top);
  const int side = close.Right - close.Left;
  int across = 0;
  switch (State.DragHandleStyle) {
    case dhDouble: across = closeShown ? 5 : 2; break;
    case dhSingle: across = closeShown ? 5 : 1; break;
    default: across = 0; break;
  }
  if (GetDragHandleSize(State) > 0) {
    // 3-pixel dashes across the handle, every second pixel along it.
    if (State.IsVertical) {
      const int y = R.Top + State.BorderSize.y + across;
      const int start = R.Left + State.BorderSize.x, end = R.Right - State.BorderSize.x - (closeShown ? side : 0);
      for (int x = start + 3; x < end - 3; x += 2)
        FillRectColor(dc, TRect(x, y, x + 1, y + 3), FColors.GripColor);
    } else {
      const int x = R.Left + State.BorderSize.x + across;
      const int start = R.Top + State.BorderSize.y + (closeShown ? side : 0), end = R.Bottom - State.BorderSize.y;
      for (int y = start + 3; y < end - 3; y += 2)
        FillRectColor(dc, TRect(x, y, x + 3, y + 1), FColors.GripColor);
    }
  }
  if (closeShown)
    DrawCloseBox(dc, close, State.CloseButtonState);
}

void TTBWOfficeXPTheme::DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part)
{
  HDC dc = Canvas->Handle();
  switch (Part) {
    case 0: FillRectColor(dc, R, clBtnFace); break;
    case 1:
    case 2: {
      TRect r = R;
      if (Part == 1)
        r.Right -= 2;
      FrameRectColor(dc, r, FColors.StatusFrameColor, false);
      break;
    }
    case 3: TBWDefault::DrawSizeGrip(dc, R, clBtnFace); break;
    default: break;
  }
}

int TTBWOfficeXPTheme::GetMetric(int Id)
{
  switch (Id) {
    case 10: return 12;
    case 20: return 8;
    case 21: return 3;
    case 32: return 5;
    case 33: return 3;
    case 34: return 3;
    case 35: return 3;
    case 36: return 2;
    case 37: return 2;
    case 50: return 6;
    case 60: return 1;
    case 61: return 2;
    case 62: return 2;
    case 65: return 14;
    case 66: return 1;
    default: return -1;
  }
}

bool TTBWOfficeXPTheme::HasFeature(int Id) { return Id == 1 || Id == 3 || Id == 7; }

void RegisterOfficeXPTheme() { RegisterTheme("OfficeXP", ThemeClassOf<TTBWOfficeXPTheme>); }
