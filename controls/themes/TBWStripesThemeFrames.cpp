// The striped theme's window frames: the caption bar of a docked panel and
// the border, caption and close button of a floating window.
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWStripesTheme.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Colors.h"

using namespace themes_detail;

namespace {

constexpr UINT StripesCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

}  // namespace

void TTBWStripesTheme::DrawDottedCaption(HDC DC, const TRect& R, const std::string& Text, bool Dotted, int Gap,
                                         int Inset, UINT Format, bool Rotated)
{
  FillRectColor(DC, R, clBtnFace);
  const int length = Rotated ? R.Bottom - R.Top : R.Right - R.Left;
  const int width = Text.empty() ? 0 : SmallCaptionTextWidth(DC, Text);
  if (Dotted && width + Gap <= length) {
    // The dots stop Gap / 2 short of the centred text on either side.
    const int start = (length - width) / 2 - Gap / 2, end = (length - width) / 2 + width + Gap / 2;
    if (Rotated) {
      DrawDotTexture(DC, TRect(R.Left, R.Top, R.Right, R.Top + start), clBtnFace, Inset);
      DrawDotTexture(DC, TRect(R.Left, R.Top + end, R.Right, R.Bottom), clBtnFace, Inset);
    } else {
      DrawDotTexture(DC, TRect(R.Left, R.Top, R.Left + start, R.Bottom), clBtnFace, Inset);
      DrawDotTexture(DC, TRect(R.Left + end, R.Top, R.Right, R.Bottom), clBtnFace, Inset);
    }
  }
  DrawSmallCaptionText(DC, R, Text, clBtnText, Format, Rotated);
}

void TTBWStripesTheme::DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State)
{
  HDC dc = Canvas->Handle();
  const bool horizontal = State.IsHorizontalCaption, caption = State.ShowCaptionWhenDocked;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  TRect r = R;
  FrameRectColor(dc, r, FToolbarColor, true);
  TRect client = r;
  if (caption)
    (horizontal ? client.Top : client.Left) += h;
  FrameRectColor(dc, client, State.EffectiveColor, false);
  if (!caption)
    return;
  TRect strip = horizontal ? TRect(r.Left, r.Top, r.Right, r.Top + h) : TRect(r.Left, r.Top, r.Left + h, r.Bottom);
  DrawEdge(dc, &strip, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE | BF_ADJUST);
  if (State.CloseButtonState & CDBS_VISIBLE) {
    // The panel's close box (a square of caption height - 1 inside the
    // two-pixel ring at the strip's end), drawn a pixel towards the
    // caption like the close button of a docked frame.
    const int side = h - 1;
    TRect box = horizontal ? TRect(R.Right - 2 - side, R.Top + 2, R.Right - 2, R.Top + 2 + side)
                           : TRect(R.Left + 2, R.Bottom - 2 - side, R.Left + 2 + side, R.Bottom - 2);
    box = Offset(box, horizontal ? -1 : 0, horizontal ? 0 : -1);
    (horizontal ? strip.Right : strip.Bottom) = horizontal ? box.Left : box.Top;
    DrawCloseBox(dc, Inflated(box, -1), State.CloseButtonState);
  }
  const std::string text = WindowCaption(State.WindowHandle);
  if (text.empty())
    DrawDotTexture(dc, strip, clBtnFace, 1);
  else
    DrawDottedCaption(dc, strip, text, true, 12, 1, StripesCaptionFormat | DT_NOPREFIX, !horizontal);
}

void TTBWStripesTheme::DrawFloatingFrame(TCanvas* Canvas, const TRect& R, const FloatingPaintState& State)
{
  HDC dc = Canvas->Handle();
  const TPoint& border = State.BorderSize;
  if (State.RedrawParts & WRP_BORDER) {
    TRect r = R;
    FrameRectColor(dc, r, NearestMix256(clBtnShadow, clBlack, 127), true);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    FrameRectColor(dc, r, clBtnFace, true);
    FrameRectColor(dc, r, clBtnFace, true);
    // A border wider than its four lines is the window's colour inside them.
    FillRing(dc, r, TRect(R.Left + border.x, R.Top + border.y, R.Right - border.x, R.Bottom - border.y),
             State.WindowColor);
  }
  if (!State.ShowCaption)
    return;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  const bool closeShown = State.CloseButtonState & CDBS_VISIBLE;
  // The caption band: the caption and, at its bottom, a face line over a
  // shadow line.
  auto bottomLines = [&](const TRect& Band) {
    FillRectColor(dc, TRect(Band.Left, Band.Bottom - 2, Band.Right, Band.Bottom - 1), clBtnFace);
    FillRectColor(dc, TRect(Band.Left, Band.Bottom - 1, Band.Right, Band.Bottom), FShadowColor);
  };
  if (State.RedrawParts & WRP_CAPTION) {
    TRect band = Offset(GetFloatingCaptionRect(State, true, closeShown), R.Left, R.Top);
    band.Bottom = band.Top + h;
    bottomLines(band);
    band.Bottom -= 2;
    DrawDottedCaption(dc, band, State.Caption ? State.Caption : "", State.CaptionActive, 16, 2,
                      StripesCaptionFormat | DT_HIDEPREFIX, false);
  }
  if (closeShown && (State.RedrawParts & (WRP_CAPTION | WRP_CLOSEBTN))) {
    const TRect box = Offset(GetFloatingCloseButtonRect(State, true), R.Left, R.Top);
    const TRect stretch(box.Left, box.Top, box.Right, box.Top + h);
    FillRectColor(dc, TRect(stretch.Left, stretch.Top, stretch.Right, stretch.Bottom - 2), clBtnFace);
    bottomLines(stretch);
    DrawCloseBox(dc, Inflated(Offset(box, -1, 0), -1), State.CloseButtonState);
  }
}
