// The flat theme's window frames: the caption bar of a docked panel and the
// border, caption and close button of a floating window.
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWOfficeXPTheme.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "platform/classes/graphics/Brush.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"

using namespace themes_detail;

namespace {

constexpr UINT OfficeCaptionFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

void SetPixelColor(HDC DC, int X, int Y, TColor Color) { SetPixel(DC, X, Y, ColorToRGB(Color)); }

}  // namespace

void TTBWOfficeXPTheme::DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State)
{
  HDC dc = Canvas->Handle();
  const TColor e = State.EffectiveColor;
  const bool horizontal = State.IsHorizontalCaption;
  // The two corners on the caption's side are rounded off.
  auto roundCorners = [&](const TRect& Ring, TColor Color) {
    SetPixelColor(dc, Ring.Left, Ring.Top, Color);
    if (horizontal)
      SetPixelColor(dc, Ring.Right - 1, Ring.Top, Color);
    else
      SetPixelColor(dc, Ring.Left, Ring.Bottom - 1, Color);
  };
  TRect r = R;
  const int face = Brightness(clBtnFace);
  if (LowColor() || face < 64 || face > 250) {
    // On a face this dark or this light a face-coloured ring would not show
    // the edge: the frame is drawn in the panel's colour and checkered.
    FrameRectColor(dc, r, e, true);
    HBRUSH checker = DitherBrush(e, face >= 64 ? clBtnShadow : clWhite);
    FrameRect(dc, &r, checker);
    DeleteObject(checker);
    roundCorners(r, e);
    InflateRect(&r, -1, -1);
    FrameRectColor(dc, r, e, false);
  } else {
    FrameRectColor(dc, r, clBtnFace, true);
    FrameRectColor(dc, r, e, false);
    roundCorners(r, clBtnFace);
  }
  if (!State.ShowCaptionWhenDocked)
    return;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  const TRect inner(R.Left + State.BorderSizeX, R.Top + State.BorderSizeY, R.Right - State.BorderSizeX,
                    R.Bottom - State.BorderSizeY);
  // The strip ends towards the client in a line of the panel's colour.
  TRect strip = inner;
  if (horizontal) {
    strip.Bottom = inner.Top + h - 1;
    FillRectColor(dc, TRect(strip.Left, strip.Bottom, strip.Right, strip.Bottom + 1), e);
  } else {
    strip.Right = inner.Left + h - 1;
    FillRectColor(dc, TRect(strip.Right, strip.Top, strip.Right + 1, strip.Bottom), e);
  }
  FillRectColor(dc, strip, clBtnFace);
  TRect text = strip;
  if (State.CloseButtonState & CDBS_VISIBLE) {
    const TRect box = horizontal ? TRect(strip.Right - (h - 1), strip.Top, strip.Right, strip.Bottom)
                                 : TRect(strip.Left, strip.Bottom - (h - 1), strip.Right, strip.Bottom);
    DrawCloseBox(dc, box, State.CloseButtonState);
    (horizontal ? text.Right : text.Bottom) = horizontal ? box.Left : box.Top;
  }
  if (horizontal)
    text = TRect(text.Left + 4, text.Top, text.Right - 4, text.Bottom);
  else
    text = TRect(text.Left, text.Top + 4, text.Right, text.Bottom - 4);
  // The colour a font object starts with.
  DrawSmallCaptionText(dc, text, WindowCaption(State.WindowHandle), clWindowText, OfficeCaptionFormat, !horizontal);
}

void TTBWOfficeXPTheme::DrawFloatingFrame(TCanvas* Canvas, const TRect& R, const FloatingPaintState& State)
{
  HDC dc = Canvas->Handle();
  const bool panel = State.ViewKind & VT_DOCKPANEL;
  const TOfficeFrameColors& set = panel ? (State.CaptionActive ? FColors.PanelActive : FColors.PanelInactive)
                                        : (State.CaptionActive ? FColors.ToolbarActive : FColors.ToolbarInactive);
  const TColor brush = Canvas->Brush()->Color();
  const TPoint& border = State.BorderSize;
  if ((State.RedrawParts & WRP_BORDER) && border.x > 0 && border.y > 0) {
    const TRect inner(R.Left + border.x, R.Top + border.y, R.Right - border.x, R.Bottom - border.y);
    FillRing(dc, R, inner, set.Border);
    // The border's innermost line takes the window's colour except at the
    // corners, which rounds them: all four on a toolbar, the lower two on a
    // panel.
    const int l = inner.Left - 1, t = inner.Top - 1, r = inner.Right, b = inner.Bottom;
    if (panel) {
      const TPoint line[7] = {{l, t}, {l, b - 1}, {l + 1, b}, {r - 1, b}, {r, b - 1}, {r, t}, {l, t}};
      PolylineColor(dc, line, 6, brush);
    } else {
      const TPoint line[9] = {{l + 1, t}, {r - 1, t}, {r, t + 1}, {r, b - 1}, {r - 1, b},
                              {l + 1, b}, {l, b - 1}, {l, t + 1}, {l + 1, t}};
      PolylineColor(dc, line, 8, brush);
    }
  }
  if (!State.ShowCaption)
    return;
  const bool closeShown = State.CloseButtonState & CDBS_VISIBLE;
  if (State.RedrawParts & WRP_CAPTION) {
    const TRect caption = Offset(GetFloatingCaptionRect(State, true, false), R.Left, R.Top);
    FillRectColor(dc, TRect(caption.Left, caption.Bottom, caption.Right, caption.Bottom + 1), brush);
    const TRect fill = Offset(GetFloatingCaptionRect(State, true, closeShown), R.Left, R.Top);
    FillRectColor(dc, fill, set.Caption);
    DrawSmallCaptionText(dc, TRect(fill.Left + 2, fill.Top, fill.Right - 2, fill.Bottom),
                         State.Caption ? State.Caption : "", set.CaptionText, OfficeCaptionFormat, false);
  }
  if (closeShown && (State.RedrawParts & (WRP_CAPTION | WRP_CLOSEBTN))) {
    const TRect box = Offset(GetFloatingCloseButtonRect(State, true), R.Left, R.Top);
    const int state = !State.CaptionActive                         ? 1
                      : (State.CloseButtonState & CDBS_PRESSED) ? 3
                      : (State.CloseButtonState & CDBS_HOT)     ? 4
                                                                : 0;
    const TOfficeStateColors& c = FColors.Toolbar[state];
    FillRectColor(dc, box, set.Caption);
    FrameAndFill(dc, box, c.Frame, c.Fill);
    DrawThemeGlyph(dc, box, GLYPH_CLOSE, c.Fill == clNone ? set.CaptionText : c.Text);
  }
}
