// The flat theme's small controls: edit fields with their buttons, the
// scroll arrows of long popups, check boxes and radio buttons.
#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWControlGlyphs.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "platform/classes/graphics/Canvas.h"

using namespace themes_detail;

void TTBWOfficeXPTheme::DrawEditField(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                      const EditFieldPaintState& State)
{
  HDC dc = Canvas->Handle();
  DrawEditBorder(Canvas, R, Info);
  const TRect inner = Inflated(R, -GetMetric(60));
  TRect field = inner;
  if (!Info.Enabled && !IsOpaqueItemsToolbar(Info.ViewKind))
    FrameRectColor(dc, field, FColors.Toolbar[1].Text, false);
  const int buttonWidth = std::max(State.ButtonWidth, 0);
  if (buttonWidth > 0)
    field.Right -= buttonWidth - 2;
  if (Info.Enabled) {
    const bool toolbarView = Info.ViewKind & VT_KINDMASK_TOOLBAR;
    const bool stateFrame = OfficeItemColors(FColors, Info).Frame != clNone;
    FrameRectColor(dc, field, toolbarView || stateFrame ? clWindow : FColors.ToolbarColor, true);
    FillRectColor(dc, field, clWindow);
    if (!toolbarView && !stateFrame)
      FrameRectColor(dc, field, FColors.ToolbarColor, false);
  }
  if (buttonWidth > 0)
    DrawEditButton(Canvas, TRect(inner.Right - buttonWidth, inner.Top, inner.Right, inner.Bottom), Info,
                   State.Button);
}

void TTBWOfficeXPTheme::DrawEditButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                       const ButtonPaintState& State)
{
  HDC dc = Canvas->Handle();
  TEditButtonPart parts[2];
  const int count = EditButtonParts(R, State, parts);
  for (int i = 0; i < count; ++i) {
    const TEditButtonPart& part = parts[i];
    TTBWItemInfo info = Info;
    info.ComboPart = CP_NONE;
    info.Pushed = Info.Enabled && part.Pushed;
    if (Info.Enabled)
      info.HoverKind = part.Hot ? HK_HOVER : HK_NONE;
    if (info.Pushed || info.HoverKind != HK_NONE || IsOpaqueItemsToolbar(Info.ViewKind)) {
      DrawItemFrame(Canvas, part.R, info);
    } else if (Info.ViewKind & VT_KINDMASK_TOOLBAR) {
      FillRectColor(dc, part.R, clWindow);
      FillRectColor(dc, TRect(part.R.Left, part.R.Top, part.R.Left + 1, part.R.Bottom), FColors.SeparatorColor);
    }
    FillArrowTriangle(dc, part.R, part.Direction, EditButtonArrowSize, GetItemTextColor(info));
  }
}

void TTBWOfficeXPTheme::DrawScrollArrowButton(TCanvas* Canvas, const TRect& R, int ButtonKind, bool Hot)
{
  HDC dc = Canvas->Handle();
  const TOfficeStateColors& hot = FColors.Toolbar[4];
  FrameAndFill(dc, R, Hot ? hot.Frame : clBtnShadow, Hot ? hot.Fill : clBtnFace);
  FillArrowTriangle(dc, R, ButtonKind, ScrollArrowSize(R), Hot ? hot.Text : FColors.Toolbar[0].Text);
}

int TTBWOfficeXPTheme::DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags,
                                        int ControlKind)
{
  if (ControlKind != CCK_CHECKBOX && ControlKind != CCK_RADIO)
    return 0;
  const bool checked = Checked || (StateFlags & CCS_CHECKED), mixed = StateFlags & CCS_MIXED;
  const bool disabled = StateFlags & CCS_DISABLED, hot = StateFlags & CCS_HOT, pushed = StateFlags & CCS_PUSHED;
  const TOfficeStateColors &pushedRow = FColors.Toolbar[3], &hotRow = FColors.Toolbar[4];
  const TColor frame = disabled ? clBtnShadow : pushed ? pushedRow.Frame : hot ? hotRow.Frame : clBtnShadow;
  HBRUSH fill = nullptr;
  if (!disabled) {
    if (pushed)
      fill = BrushForColor(pushedRow.Fill);
    else if (hot)
      fill = BrushForColor(hotRow.Fill);
    else if (mixed)
      fill = DitherBrush(clWindow, clBtnFace);
  }
  const TColor mark = disabled ? FColors.Toolbar[1].Text
                      : pushed ? pushedRow.Text
                      : mixed  ? clBtnShadow
                      : hot    ? hotRow.Text
                               : FColors.Toolbar[0].Text;
  const bool radio = ControlKind == CCK_RADIO;
  DrawCheckControlShape(Canvas->Handle(), R, radio, frame, fill, radio ? checked : checked || mixed, mark, 3);
  if (fill)
    DeleteObject(fill);
  return 1;
}
