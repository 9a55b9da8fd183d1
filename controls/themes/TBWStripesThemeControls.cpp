// The striped theme's small controls: edit fields with their buttons, the
// scroll arrows of long popups, check boxes and radio buttons.
#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWControlGlyphs.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/TBWStripesThemeTextures.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "platform/classes/graphics/Canvas.h"

using namespace themes_detail;

void TTBWStripesTheme::DrawEditField(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                     const EditFieldPaintState& State)
{
  // The striped button reaches over the frame width towards the field.
  DrawEditFieldWithButton(Canvas, R, Info, State, GetMetric(TMI_EDIT_FRAMEWIDTH));
}

void TTBWStripesTheme::DrawEditButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                      const ButtonPaintState& State)
{
  HDC dc = Canvas->Handle();
  const TColor arrow = !Info.Enabled ? FShadowColor : ToolbarStyle(Info) ? clBtnText : clMenuText;
  TEditButtonPart parts[2];
  const int count = EditButtonParts(R, State, parts);
  for (int i = 0; i < count; ++i) {
    const TEditButtonPart& part = parts[i];
    if (Info.Enabled && part.Pushed)
      FillPushedButtonFace(dc, part.R);
    else if (Info.Enabled && part.Hot)
      FillHotButtonFace(dc, part.R);
    else if (IsOpaqueItemsToolbar(Info.ViewKind))
      FillRectColor(dc, part.R, clBtnFace);
    // The divider from the field, and between the halves of a spin pair.
    FillRectColor(dc, TRect(part.R.Left, part.R.Top, part.R.Left + 1, part.R.Bottom), clBtnFace);
    if (i > 0)
      FillRectColor(dc, TRect(part.R.Left, part.R.Top, part.R.Right, part.R.Top + 1), clBtnFace);
    FillArrowTriangle(dc, part.R, part.Direction, EditButtonArrowSize, arrow);
  }
}

void TTBWStripesTheme::DrawScrollArrowButton(TCanvas* Canvas, const TRect& R, int ButtonKind, bool Hot)
{
  HDC dc = Canvas->Handle();
  if (Hot)
    FillRectDithered(dc, Inflated(R, -1), clBtnFace, clBtnHighlight);
  else
    FillRectColor(dc, Inflated(R, -1), clBtnFace);
  DrawSoftOutline(dc, R, 1, 1, NearestMix256(clWindow, clBtnShadow, 64));
  const COLORREF face = ColorToRGB(clBtnFace);
  SetPixel(dc, R.Left, R.Top, face);
  SetPixel(dc, R.Right - 1, R.Top, face);
  SetPixel(dc, R.Left, R.Bottom - 1, face);
  SetPixel(dc, R.Right - 1, R.Bottom - 1, face);
  FillArrowTriangle(dc, R, ButtonKind, ScrollArrowSize(R), clBtnText);
}

int TTBWStripesTheme::DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags,
                                       int ControlKind)
{
  if (ControlKind != CCK_CHECKBOX && ControlKind != CCK_RADIO)
    return TStripesThemeBase::DrawCheckControl(Canvas, R, Checked, StateFlags, ControlKind);
  const bool checked = Checked || (StateFlags & CCS_CHECKED), mixed = StateFlags & CCS_MIXED;
  const bool disabled = StateFlags & CCS_DISABLED, hot = StateFlags & CCS_HOT, pushed = StateFlags & CCS_PUSHED;
  const TColor pen = (hot || pushed) && !disabled ? clBtnText : clBtnShadow;
  HBRUSH fill = nullptr;
  if (!disabled) {
    if (pushed)
      fill = DitherBrush(Mix256(clBtnHighlight, clBtnFace, 126), clBtnHighlight);
    else if (hot)
      fill = DitherBrush(clBtnFace, Mix256(clBtnHighlight, clBtnFace, 192));
    else if (mixed)
      fill = DitherBrush(clWindow, clBtnFace);
  }
  const TColor mark = disabled ? clBtnFace : mixed ? clBtnShadow : clBtnText;
  const bool radio = ControlKind == CCK_RADIO;
  DrawCheckControlShape(Canvas->Handle(), Inflated(R, -1), radio, pen, fill, radio ? checked : checked || mixed,
                        mark, 3);
  if (fill)
    DeleteObject(fill);
  return 1;
}
