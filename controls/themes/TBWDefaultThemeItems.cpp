// The Default theme's painting of items: faces, captions, glyphs, arrows,
// images, popup items and separators.
#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWDefaultThemeGlyphs.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWImageStates.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWVisualStyles.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "controls/toolbar/TBImageList.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/graphics/Font.h"

using namespace TBWDefault;
using namespace themes_detail;

namespace {

// A glyph in one colour, or embossed: clBtnHighlight one pixel down and
// right, then clBtnShadow in place.
template <class Paint>
void PaintGlyph(bool Embossed, TColor Color, Paint paint)
{
  if (Embossed) {
    paint(1, clBtnHighlight);
    paint(0, clBtnShadow);
  } else {
    paint(0, Color);
  }
}

int ToolbarButtonState(const TTBWItemInfo& Info)
{
  const bool hot = IsHot(Info);
  if (!Info.Enabled)
    return Info.HoverKind == HK_DISABLED ? TS_HOT : TS_DISABLED;
  if (Info.Pushed)
    return TS_PRESSED;
  if (Info.Checked)
    return hot ? TS_HOTCHECKED : TS_CHECKED;
  return hot ? TS_HOT : TS_NORMAL;
}

}  // namespace

void TTBWDefaultTheme::DrawViewBackground(TCanvas* Canvas, const TRect&, const TRect& ClipRect,
                                          const TRect& AreaRect, TColor Color, bool BackgroundPainted,
                                          std::uint32_t)
{
  if (BackgroundPainted)
    return;
  TRect r;
  if (IntersectRect(&r, &ClipRect, &AreaRect))
    FillRectColor(Canvas->Handle(), r, Color);
}

void TTBWDefaultTheme::DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const bool hot = IsHot(Info);
  const bool active = Info.Enabled && (Info.Pushed || Info.Checked);
  const bool opaque = (Info.ViewKind & VT_ITEMSOPAQUE) != 0;
  const bool designing = (Info.ItemOptions & IO_DESIGNING) != 0;

  if (VisualStylesOn() && !IsMenuBar(Info.ViewKind)) {
    const int part = TP_BUTTON + Info.ComboPart;
    if (opaque || designing) {
      // The item's outline on its own face, so the button stands out where
      // the toolbar draws its items opaque.
      HRGN region = nullptr;
      if (VisualStyles().GetThemeBackgroundRegion(ToolbarHandle(), dc, part, TS_HOT, &R, &region) >= 0 && region) {
        TRect box;
        GetRgnBox(region, &box);
        DeleteObject(region);
        if (Info.ComboPart == CP_SPLITRIGHT)
          --box.Left;
        if (!(designing && opaque))
          FillRectColor(dc, box, FToolbarColor);
        FrameRectColor(dc, box, clBtnShadow, false);
      }
    }
    VisualStyles().DrawThemeBackground(ToolbarHandle(), dc, part, ToolbarButtonState(Info), &R, nullptr);
    return;
  }

  if (IsMenuBar(Info.ViewKind) && FlatMenusOn()) {
    if (active || hot)
      FillRectColor(dc, R, clHighlight);
    return;
  }

  TRect r = R;
  if (Info.ComboPart == CP_SPLITRIGHT && !VisualStylesOn())
    r.Right -= 2;
  const TRect arrowRect = r;
  if (FlatMenusOn() && (active || hot))
    FillRectColor(dc, r, FToolbarColor);
  if (opaque) {
    if (hot && Info.Enabled && !Info.Pushed && !Info.Checked) {
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    } else {
      if (Info.ComboPart == CP_SPLITLEFT && !hot && !Info.Pushed)
        ++r.Right;
      DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST | BF_FLAT);
    }
    if (Info.Checked && Info.Enabled && !hot)
      FillRectDithered(dc, r, FToolbarColor, clBtnHighlight);
  } else if (active) {
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (Info.Checked && !Info.Pushed && !hot)
      FillRectDithered(dc, r, FToolbarColor, clBtnHighlight);
  } else if (hot || designing) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  if (Info.ComboPart == CP_SPLITRIGHT)
    DrawDropdownArrow(Canvas, arrowRect, Info);
}

void TTBWDefaultTheme::DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                       const std::string& Caption, UINT Format, bool Rotated)
{
  Canvas->RequiredState({csHandleValid, csFontValid});
  HDC dc = Canvas->Handle();
  TColor color = Canvas->Font()->Color();
  if (color == clNone)
    color = GetItemTextColor(Info);
  Canvas->Brush()->SetStyle(bsClear);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  TRect r = R;
  if (Info.Enabled && IsToolbarStyle(Info) && (Info.Pushed || Info.Checked) &&
      !(IsMenuBar(Info.ViewKind) && FlatMenusOn()))
    OffsetRect(&r, 1, 1);
  const bool keyboardSelectedPopupItem = !IsToolbarStyle(Info) && Info.HoverKind == HK_DISABLED;
  if (!Info.Enabled && !keyboardSelectedPopupItem && !VisualStylesOn())
    DrawEmbossedText(dc, Caption, r, Format, Rotated);
  else
    DrawTextIn(dc, Caption, r, Format, Rotated, color);
  SetBkMode(dc, oldMode);
  Canvas->Brush()->SetStyle(bsSolid);
}

void TTBWDefaultTheme::DrawCheckGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const int x = (R.Left + R.Right) / 2 - 1, y = (R.Top + R.Bottom) / 2 + 2;
  const TPoint mark[7] = {{x - 2, y - 2}, {x, y},         {x + 4, y - 4}, {x + 4, y - 3},
                          {x, y + 1},     {x - 2, y - 1}, {x - 2, y - 2}};
  PolylineColor(dc, mark, 6, Info.Enabled ? clBtnText : clGrayText);
  if (Info.Enabled) {
    const TPoint light[5] = {{x - 3, y - 2}, {x - 3, y - 1}, {x, y + 2}, {x + 5, y - 3}, {x + 5, y - 5}};
    PolylineColor(dc, light, 4, clBtnHighlight);
  }
}

void TTBWDefaultTheme::DrawChevronGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  DrawItemFrame(Canvas, R, Info);
  HDC dc = Canvas->Handle();
  TRect box = ChevronGlyphBox(R, Info.IsVertical);
  if (Info.Pushed)
    OffsetRect(&box, 1, 1);
  PaintGlyph(!Info.Enabled, clBtnText, [&](int shift, TColor color) {
    TRect b = box;
    OffsetRect(&b, shift, shift);
    DrawChevronPattern(dc, b, Info.IsVertical, color);
  });
}

void TTBWDefaultTheme::DrawDropdownArrow(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  int x = (R.Left + R.Right) / 2, y = (R.Top + R.Bottom) / 2 - 1;
  if ((Info.Pushed || Info.Checked) && Info.ComboPart != CP_SPLITRIGHT)
    ++x, ++y;
  const TColor color = IsToolbarStyle(Info) ? ThemeSystemState().MenuTextColor : TColor(clBtnText);
  PaintGlyph(!Info.Enabled, color, [&](int s, TColor c) {
    if (Info.IsVertical)
      FilledTriangle(dc, {{x + s, y + 2 + s}, {x + s, y - 2 + s}, {x - 2 + s, y + s}}, c);
    else
      FilledTriangle(dc, {{x - 2 + s, y + s}, {x + 2 + s, y + s}, {x + s, y + 2 + s}}, c);
  });
}

void TTBWDefaultTheme::DrawMenuImageHighlight(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  if (IsHot(Info))
    FillRectColor(Canvas->Handle(), R, clHighlight);
}

void TTBWDefaultTheme::DrawMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const int w = GetSystemMetrics(SM_CXMENUCHECK);
  const bool imageColumn = Info.ImageWidth > 0 || Info.Checked;
  const bool split = (Info.ItemOptions & IO_COMBO) != 0;
  const bool hotTracked = Info.HoverKind != HK_NONE;
  const bool hot = IsHot(Info);

  TRect selection = R;
  selection.Left = R.Left + GetMetric(TMI_MENU_IMGTEXTSPACE) + Info.PopupMargin;
  if (split && Info.Enabled)
    selection.Right = R.Right - w;
  DrawMenuImageHighlight(Canvas, selection, Info);

  if (split) {
    TRect arrow(R.Right - w, R.Top, R.Right, R.Bottom);
    if (Info.Enabled && hotTracked) {
      DrawEdge(dc, &arrow, BDR_SUNKENOUTER, BF_RECT);
    } else {
      --arrow.Left;
      DrawEdge(dc, &arrow, hot ? BDR_SUNKENOUTER : EDGE_ETCHED, BF_LEFT);
    }
  }

  if (Info.ItemOptions & IO_SUBMENUITEM) {
    // Centred on the item's own rectangle (its middle row).
    const int x = R.Right - 2 * w / 3 - 2, y = (R.Top + R.Bottom) / 2;
    const TColor color =
        Info.Enabled && hotTracked && !split ? TColor(clHighlightText) : ThemeSystemState().MenuTextColor;
    PaintGlyph(!Info.Enabled && Info.HoverKind != HK_DISABLED, color, [&](int s, TColor c) {
      FilledTriangle(dc, {{x + s, y - 3 + s}, {x + s, y + 3 + s}, {x + 3 + s, y + s}}, c);
    });
  }

  if (Info.Enabled && imageColumn && (hotTracked || Info.Checked)) {
    const TRect image(R.Left, R.Top, R.Left + Info.PopupMargin, R.Bottom);
    if (FlatMenusOn())
      FillRectColor(dc, image, FToolbarColor);
    DrawItemFrame(Canvas, image, Info);
  }
}

void TTBWDefaultTheme::DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                     TCustomImageList* ImageList, int ImageIndex)
{
  if (!ImageList)
    return;
  TRect r = R;
  if (Info.Pushed || Info.Checked)
    OffsetRect(&r, 1, 1);
  const bool hot = IsHot(Info);
  if (auto* framework = dynamic_cast<TTBCustomImageList*>(ImageList)) {
    framework->DrawImageState(Canvas, r.Left, r.Top, ImageIndex, Info.Enabled, hot, Info.Checked);
    return;
  }
  const bool popupItem = IsPopupMenuItem(Info);
  if (!((popupItem && FlatMenusOn()) || (!popupItem && VisualStylesOn()))) {
    ImageList->Draw(Canvas, r.Left, r.Top, ImageIndex, Info.Enabled);
    return;
  }
  const int back = Brightness(GetImageBackColor(Info));
  const TThemeSystemState& system = ThemeSystemState();
  if (!Info.Enabled) {
    // The shaded disabled form: the face darkened by the image's brightness.
    DrawImageWashed(Canvas, r, ImageList, ImageIndex, 0);
  } else if (!Info.Checked && !Info.Pushed && !hot && (back >= 100 || popupItem) && !system.WhiteButtonFace &&
             !system.LowColorDisplay) {
    DrawImageTinted(Canvas, r, ImageList, ImageIndex, clWindow, 178);
  } else {
    DrawImageContrasting(Canvas, r, ImageList, ImageIndex, back < 100 && !popupItem);
  }
}

void TTBWDefaultTheme::DrawSeparatorLine(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                         bool Horizontal, bool LineBreak)
{
  if (!Info.Enabled)
    return;
  HDC dc = Canvas->Handle();
  if (VisualStylesOn() && !IsPopupMenuView(Info.ViewKind)) {
    VisualStyles().DrawThemeBackground(ToolbarHandle(), dc, Horizontal ? TP_SEPARATORVERT : TP_SEPARATOR,
                                       TS_NORMAL, &R, nullptr);
    return;
  }
  const int inset = LineBreak ? (Info.ViewKind & VT_FLOATING ? 1 : 4) : 0;
  if (Horizontal) {
    const int y = (R.Top + R.Bottom) / 2 - 1;
    const int ends = IsToolbarStyle(Info) ? inset : 12;
    TRect line(R.Left + ends, y, R.Right - ends, y + 2);
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  } else {
    const int x = (R.Left + R.Right) / 2 - 1;
    TRect line(x, R.Top + inset, x + 2, R.Bottom - inset);
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  }
}
