// The Default theme's painting of small controls that themed views may carry
// (edit fields and their buttons, caption buttons, popup scroll arrows, check
// boxes and radio buttons); no item of this program draws them yet.
#include <algorithm>

#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWVisualStyles.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Pen.h"

using namespace TBWDefault;
using namespace themes_detail;

namespace {

enum TArrowDirection { adUp = 1, adDown = 2, adLeft = 3, adRight = 4 };

// A filled triangle pointing in Direction, Size pixels across its base,
// centred in R.
void DrawArrow(HDC DC, const TRect& R, TArrowDirection Direction, int Size, TColor Color)
{
  const int half = std::max(1, Size / 2);
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const int depth = half / 2;
  TPoint p[3];
  switch (Direction) {
    case adUp: p[0] = {cx - half, cy + depth}; p[1] = {cx + half, cy + depth}; p[2] = {cx, cy + depth - half}; break;
    case adDown: p[0] = {cx - half, cy - depth}; p[1] = {cx + half, cy - depth}; p[2] = {cx, cy - depth + half}; break;
    case adLeft: p[0] = {cx + depth, cy - half}; p[1] = {cx + depth, cy + half}; p[2] = {cx + depth - half, cy}; break;
    case adRight: p[0] = {cx - depth, cy - half}; p[1] = {cx - depth, cy + half}; p[2] = {cx - depth + half, cy}; break;
  }
  PolygonColors(DC, p, 2, Color, Color);
}

void DrawItemArrow(HDC DC, const TRect& R, TArrowDirection Direction, const TTBWItemInfo& Info)
{
  const TColor color = IsToolbarStyle(Info) ? ThemeSystemState().MenuTextColor : TColor(clBtnText);
  if (Info.Enabled) {
    DrawArrow(DC, R, Direction, 6, color);
  } else {
    TRect shifted = R;
    OffsetRect(&shifted, 1, 1);
    DrawArrow(DC, shifted, Direction, 6, clBtnHighlight);
    DrawArrow(DC, R, Direction, 6, clBtnShadow);
  }
}

int PushState(const TTBWItemInfo& Info)
{
  if (!Info.Enabled)
    return 4;
  if (Info.Pushed)
    return 3;
  return IsHot(Info) ? 2 : 1;
}

}  // namespace

void TTBWDefaultTheme::DrawEditBorder(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info)
{
  HDC dc = Canvas->Handle();
  const bool opaque = (Info.ViewKind & VT_ITEMSOPAQUE) != 0;
  const bool lit = IsHot(Info) || Info.Pushed || Info.Checked;
  const bool designing = (Info.ItemOptions & IO_DESIGNING) != 0;
  TRect r = R;
  if (VisualStylesOn()) {
    InflateRect(&r, -1, -1);
    FrameRectColor(dc, r, opaque ? TColor(clBtnShadow) : FToolbarColor, true);
    if (lit || designing)
      DrawStyleBackground(ComboBoxHandle(), dc, 0, 0, R);
    FrameRectColor(dc, r, clWindow, false);
  } else if (opaque) {
    if (lit) {
      DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    } else {
      InflateRect(&r, -1, -1);
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
    }
  } else {
    if (lit || designing)
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
    FrameRectColor(dc, r, FToolbarColor, true);
    FrameRectColor(dc, r, clWindow, false);
  }
}

void TTBWDefaultTheme::DrawEditField(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                     const EditFieldPaintState& State)
{
  DrawEditFieldWithButton(Canvas, R, Info, State, 0);
}

void TTBWDefaultTheme::DrawEditFieldWithButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                               const EditFieldPaintState& State, int ButtonLeftShift)
{
  DrawEditBorder(Canvas, R, Info);
  TRect inner = R;
  const int frame = GetMetric(TMI_EDIT_FRAMEWIDTH);
  InflateRect(&inner, -frame, -frame);
  TRect field = inner;
  const int button = std::max(State.ButtonWidth, 0);
  if (button > 0)
    field.Right -= button - 2;
  if (Info.Enabled)
    FillRectColor(Canvas->Handle(), field, clWindow);
  if (button > 0)
    DrawEditButton(Canvas, TRect(inner.Right - button - ButtonLeftShift, inner.Top, inner.Right, inner.Bottom), Info,
                   State.Button);
}

void TTBWDefaultTheme::DrawEditButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                                      const ButtonPaintState& State)
{
  HDC dc = Canvas->Handle();
  const bool spin = State.ButtonType == EBT_SPIN;  // up over down
  if (!spin) {
    if (VisualStylesOn())
      DrawStyleBackground(ComboBoxHandle(), dc, CP_DROPDOWNBUTTON, PushState(Info), R);
    else
      DrawItemArrow(dc, R, adDown, Info);
    return;
  }
  const int middle = (R.Top + R.Bottom) / 2;
  const TRect up(R.Left, R.Top, R.Right, middle), down(R.Left, middle, R.Right, R.Bottom);
  if (VisualStylesOn()) {
    DrawStyleBackground(SpinHandle(), dc, SPNP_UP, PushState(Info), up);
    DrawStyleBackground(SpinHandle(), dc, SPNP_DOWN, PushState(Info), down);
  } else {
    DrawItemArrow(dc, up, adUp, Info);
    DrawItemArrow(dc, down, adDown, Info);
  }
}

void TTBWDefaultTheme::DrawCaptionButton(TCanvas* Canvas, const TRect& R, const ButtonPaintState& State,
                                         int ButtonKind)
{
  HDC dc = Canvas->Handle();
  // State.State carries the close-button bits: 2 hot, 4 pressed.
  const bool pushed = (State.State & CDBS_PRESSED) != 0;
  if (VisualStylesOn()) {
    const int part = ButtonKind == 1 ? WP_MDIMINBUTTON : ButtonKind == 3 ? WP_MDIRESTOREBUTTON : WP_MDICLOSEBUTTON;
    DrawStyleBackground(WindowHandle(), dc, part, pushed ? 3 : (State.State & CDBS_HOT) ? 2 : 1, R);
  } else {
    TRect r = R;
    DrawFrameControl(dc, &r, DFC_CAPTION, UINT(ButtonKind) | (pushed ? DFCS_PUSHED : 0));
  }
}

void TTBWDefaultTheme::DrawScrollArrowButton(TCanvas* Canvas, const TRect& R, int ButtonKind, bool Hot)
{
  if (ButtonKind < adUp || ButtonKind > adRight)
    return;
  HDC dc = Canvas->Handle();
  if (VisualStylesOn()) {
    DrawStyleBackground(ToolbarHandle(), dc, TP_BUTTON, Hot ? TS_PRESSED : TS_HOT, R);
    const int size = std::min(R.Right - R.Left, R.Bottom - R.Top) * 3 / 4;
    DrawArrow(dc, R, TArrowDirection(ButtonKind), size, Hot ? TColor(clBtnText) : Canvas->Pen()->Color());
  } else {
    static constexpr UINT Kinds[4] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
    TRect r = R;
    DrawFrameControl(dc, &r, DFC_SCROLL, Kinds[ButtonKind - 1] | (Hot ? DFCS_FLAT : 0));
  }
}

int TTBWDefaultTheme::DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags,
                                       int ControlKind)
{
  constexpr unsigned Mixed = 2, Disabled = 4, Hot = 8, Pushed = 0x10;
  HDC dc = Canvas->Handle();
  const bool radio = ControlKind == 2;
  const bool mixed = !radio && (StateFlags & Mixed);
  Checked = Checked || (StateFlags & 1);
  const bool disabled = StateFlags & Disabled;
  if (VisualStylesOn()) {
    int state = mixed ? 9 : Checked ? 5 : 1;
    state += disabled ? 3 : (StateFlags & Pushed) ? 2 : (StateFlags & Hot) ? 1 : 0;
    DrawStyleBackground(ButtonHandle(), dc, radio ? BP_RADIOBUTTON : BP_CHECKBOX, state, R);
    return 0;
  }
  const int side = 13;
  const int left = (R.Left + R.Right - side) / 2, top = (R.Top + R.Bottom - side) / 2;
  TRect box(left, top, left + side, top + side);
  if (!disabled && (StateFlags & (Hot | Pushed))) {
    UINT flags = radio ? DFCS_BUTTONRADIO | (Checked ? DFCS_CHECKED : 0)
                       : DFCS_BUTTONCHECK | (mixed ? 0x408 : Checked ? DFCS_CHECKED : 0);
    if (StateFlags & Pushed)
      flags |= DFCS_PUSHED;
    DrawFrameControl(dc, &box, DFC_BUTTON, flags);
    return 0;
  }
  const TColor fill = disabled || (StateFlags & Pushed) ? TColor(clBtnFace) : TColor(clWindow);
  if (radio) {
    HPEN pen = PenForColor(clBtnShadow);
    HBRUSH brush = BrushForColor(fill);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    RoundRect(dc, box.Left, box.Top, box.Right, box.Bottom, side, side);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    if (Checked) {
      TRect dot = box;
      InflateRect(&dot, -3, -3);
      HPEN dotPen = PenForColor(clBtnText);
      HBRUSH dotBrush = BrushForColor(clBtnText);
      oldPen = SelectObject(dc, dotPen);
      oldBrush = SelectObject(dc, dotBrush);
      Ellipse(dc, dot.Left, dot.Top, dot.Right, dot.Bottom);
      SelectObject(dc, oldPen);
      SelectObject(dc, oldBrush);
      DeleteObject(dotPen);
      DeleteObject(dotBrush);
    }
    return 0;
  }
  TRect inner = box;
  FrameRectColor(dc, inner, clBtnShadow, true);
  if (mixed)
    FillRectDithered(dc, inner, clWindow, clBtnFace);
  else
    FillRectColor(dc, inner, fill);
  if (Checked || mixed) {
    const TColor mark = disabled ? TColor(clGrayText) : mixed ? TColor(clBtnShadow) : TColor(clBtnText);
    const int x = box.Left + 3, y = box.Top + 5;
    const TPoint tick[6] = {{x, y}, {x + 2, y + 2}, {x + 6, y - 2}, {x + 6, y + 1}, {x + 2, y + 5}, {x, y + 3}};
    PolygonColors(dc, tick, 5, mark, mark);
  }
  return 0;
}
