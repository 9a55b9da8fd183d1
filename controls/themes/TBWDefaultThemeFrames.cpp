// The Default theme's painting of views and their frames: popup frames, dock
// backgrounds, docked-window frames, panel caption bars, floating frames and
// status bar parts.
#include "controls/themes/TBWColors.h"
#include "controls/themes/TBWConsts.h"
#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWDefaultThemeGlyphs.h"
#include "controls/themes/TBWDrawing.h"
#include "controls/themes/TBWGradients.h"
#include "controls/themes/TBWStockObjects.h"
#include "controls/themes/TBWThemeManager.h"
#include "controls/themes/TBWVisualStyles.h"
#include "controls/themes/detail/TBWThemeHelpers.h"
#include "controls/toolbar/TBCommon.h"
#include "platform/base/Utf.h"
#include "platform/classes/graphics/Canvas.h"

using namespace TBWDefault;
using namespace themes_detail;

namespace {

constexpr WORD FrameCloseCross[7] = {0x00, 0xCC, 0x78, 0x30, 0x78, 0xCC, 0x00};

int CloseButtonThemeState(std::uint32_t State)
{
  return State & CDBS_PRESSED ? TS_PRESSED : State & CDBS_HOT ? TS_HOT : TS_NORMAL;
}

// The face of a small close button (a toolbar button of the visual styles,
// or plain: sunken while pressed, raised while the mouse is over it); answers
// where its glyph goes, moved by one while pressed.
TRect DrawCloseButtonFace(HDC DC, bool Styled, TRect R, std::uint32_t State)
{
  if (Styled) {
    DrawStyleBackground(ToolbarHandle(), DC, TP_BUTTON, CloseButtonThemeState(State), R);
  } else {
    TRect edge = R;
    if (State & CDBS_PRESSED)
      DrawEdge(DC, &edge, BDR_SUNKENOUTER, BF_RECT);
    else if (State & CDBS_HOT)
      DrawEdge(DC, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  if (State & CDBS_PRESSED)
    OffsetRect(&R, 1, 1);
  return R;
}

// Selects the small-caption font for the life of the object.
class TSmallCaptionFont {
public:
  explicit TSmallCaptionFont(HDC DC) : FDC(DC), FOld(SelectObject(DC, StockObjects().SmallCaptionFont)) {}
  ~TSmallCaptionFont() { SelectObject(FDC, FOld); }

private:
  HDC FDC;
  HGDIOBJ FOld;
};

std::string WindowText(HWND Window)
{
  if (!Window)
    return std::string();
  const int length = GetWindowTextLength(Window);
  std::string text(std::size_t(length) + 1, '\0');
  text.resize(std::size_t(GetWindowText(Window, text.data(), length + 1)));
  return text;
}

// The grip of a docked window's drag handle.
void DrawClassicGrip(HDC DC, const TRect& Grip)
{
  TRect r = Grip;
  DrawEdge(DC, &r, BDR_RAISEDINNER, BF_RECT);
  SetPixel(DC, Grip.Left, Grip.Bottom - 1, ColorToRGB(clBtnHighlight));
}

}  // namespace

void TTBWDefaultTheme::DrawPopupFrame(TCanvas* Canvas, const TRect& R, const PopupFramePaintState& State)
{
  HDC dc = Canvas->Handle();
  TRect r = R;
  const TColor menu = ThemeSystemState().MenuColor;
  if ((State.ViewKind & VT_LISTBOX) == VT_LISTBOX) {
    FrameRectColor(dc, r, clWindowFrame, true);
    FrameRectColor(dc, r, clWindow, true);
    FrameRectColor(dc, r, clWindow, false);
  } else if ((State.ViewKind & VT_TOOLBOXPOPUP) == VT_TOOLBOXPOPUP || !FlatMenusOn()) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    FrameRectColor(dc, r, (State.ViewKind & VT_TOOLBOXPOPUP) == VT_TOOLBOXPOPUP ? FToolbarColor : menu, false);
  } else {
    FrameRectColor(dc, r, clBtnShadow, true);
    FrameRectColor(dc, r, menu, true);
    FrameRectColor(dc, r, menu, false);
  }
}

void TTBWDefaultTheme::DrawDockBackground(TCanvas* Canvas, const TRect& ClientRect, const TRect& ClipRect, int Side)
{
  if (!VisualStylesOn())
    return;
  TRect r = ClientRect;
  if (Side == DS_LEFT || Side == DS_RIGHT)
    ++r.Bottom;
  DrawStyleBackground(RebarHandle(), Canvas->Handle(), 0, 0, r, &ClipRect);
}

void TTBWDefaultTheme::DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State)
{
  HDC dc = Canvas->Handle();
  const bool vs = VisualStylesOn();
  Canvas->FillRect(R);
  if (State.BorderStyle == 1) {
    TRect r = R;
    if (vs) {
      const TColor face = TColor(ColorToRGB(State.EffectiveColor));
      DrawFrame3D(dc, r, ShiftColor(face, 24), ShiftColor(face, -32), true);
    } else {
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
  }
  const int size = GetDragHandleSize(State);
  if (size <= 0)
    return;

  // The handle runs along the window's left side, or across its top when the
  // window stands in a vertical dock; the close button takes its first
  // (left side) or last (top) square.
  const bool vertical = State.IsVertical != 0;
  const bool closeShown = (State.CloseButtonState & CDBS_VISIBLE) != 0;
  const TPoint b = State.BorderSize;
  const TRect close = GetDockedCloseButtonRect(State);
  const int side = size - 1;
  int alongStart = vertical ? b.x : b.y;
  int alongEnd = vertical ? b.x + State.ClientWidth : b.y + State.ClientHeight;
  if (closeShown) {
    if (vertical)
      alongEnd -= side + 1;
    else
      alongStart += side + 1;
  }
  auto gripRect = [&](int across, int width, int start, int end) {
    return vertical ? TRect(start, across, end, across + width) : TRect(across, start, across + width, end);
  };

  if (vs) {
    const int length = alongEnd - alongStart;
    const int start = alongStart + ((length & 2) ? 1 : 0);
    const int len = length / 4 * 4 + (vertical ? 2 : 1);
    const int across = (vertical ? b.y : b.x) + (size - 6) / 2;
    DrawStyleBackground(RebarHandle(), dc, vertical ? RP_GRIPPERVERT : RP_GRIPPER, 0,
                   gripRect(across, 6, start, std::min(start + len, alongEnd)));
  } else if (State.DragHandleStyle != dhNone) {
    static constexpr int Offsets[2][3] = {{2, 0, 2}, {3, 0, 5}};
    const int offset = Offsets[closeShown ? 1 : 0][State.DragHandleStyle];
    const int across = (vertical ? b.y : b.x) + offset;
    DrawClassicGrip(dc, gripRect(across, 3, alongStart + 2, alongEnd - 2));
    if (State.DragHandleStyle == dhDouble)
      DrawClassicGrip(dc, gripRect(across + 3, 3, alongStart + 2, alongEnd - 2));
  }

  if (closeShown) {
    TRect button = close;
    const int shorter = vs ? 1 : 2;
    if (vertical)
      button.Bottom -= shorter;
    else
      button.Right -= shorter;
    DrawPatternGlyph(dc, DrawCloseButtonFace(dc, vs, button, State.CloseButtonState), 7, 7, FrameCloseCross,
                     clBtnText);
  }
}

void TTBWDefaultTheme::DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State)
{
  HDC dc = Canvas->Handle();
  const bool vs = VisualStylesOn();
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  const bool horizontal = State.IsHorizontalCaption != 0;
  const bool captionShown = State.ShowCaptionWhenDocked != 0;
  TRect r = R;
  FrameRectColor(dc, r, FToolbarColor, true);
  TRect client = r;
  if (captionShown) {
    if (horizontal)
      client.Top += h;
    else
      client.Left += h;
  }
  FrameRectColor(dc, client, clWindow, false);
  if (!captionShown)
    return;

  TRect strip = horizontal ? TRect(r.Left, r.Top, r.Right, r.Top + h) : TRect(r.Left, r.Top, r.Left + h, r.Bottom);
  DrawEdge(dc, &strip, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  auto fillCaption = [&](const TRect& area) {
    if (vs)
      GradientFillRect(dc, area, ShiftColor(TColor(ColorToRGB(FToolbarColor)), 12),
                       ShiftColor(TColor(ColorToRGB(FToolbarColor)), -12), horizontal);
    else
      FillRectColor(dc, area, FToolbarColor);
  };

  TRect text = strip;
  if (State.CloseButtonState & CDBS_VISIBLE) {
    TRect button = horizontal ? TRect(strip.Right - h, strip.Top, strip.Right, strip.Bottom)
                              : TRect(strip.Left, strip.Bottom - h, strip.Right, strip.Bottom);
    if (horizontal)
      text.Right = button.Left;
    else
      text.Bottom = button.Top;
    fillCaption(button);
    InflateRect(&button, -1, -1);
    // One pixel shorter on the side that faces the panel's client.
    if (horizontal)
      --button.Bottom;
    else
      --button.Right;
    TRect glyph = DrawCloseButtonFace(dc, vs, button, State.CloseButtonState);
    InflateRect(&glyph, -2, -2);
    DrawPanelCloseCross(dc, glyph, clBtnText);
  }
  fillCaption(text);

  // The caption text is the panel window's own text.
  const std::string caption = WindowText(State.WindowHandle);
  if (caption.empty())
    return;
  if (horizontal)
    InflateRect(&text, -2, 0);
  else
    InflateRect(&text, 0, -2);
  TSmallCaptionFont font(dc);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  DrawTextIn(dc, caption, text, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER, !horizontal, clBtnText);
  SetBkMode(dc, oldMode);
}

void TTBWDefaultTheme::DrawFloatingFrame(TCanvas* Canvas, const TRect& R, const FloatingPaintState& State)
{
  HDC dc = Canvas->Handle();
  const bool active = State.CaptionActive != 0;
  const bool closeShown = (State.CloseButtonState & CDBS_VISIBLE) != 0;
  const TPoint b = State.BorderSize;
  const int h = GetSystemMetrics(SM_CYSMCAPTION);
  const TRect caption = GetFloatingCaptionRect(State, true, false);
  const TRect closeBox = GetFloatingCloseButtonRect(State, true);
  const std::string text = State.Caption ? State.Caption : "";

  if (VisualStylesOn()) {
    const int frameState = active ? FS_ACTIVE : FS_INACTIVE;
    if (State.RedrawParts & WRP_BORDER) {
      const int top = R.Top + b.y + (State.ShowCaption ? h : 0);
      DrawStyleBackground(WindowHandle(), dc, WP_SMALLFRAMEBOTTOM, frameState, TRect(R.Left, R.Bottom - b.y, R.Right, R.Bottom));
      DrawStyleBackground(WindowHandle(), dc, WP_SMALLCAPTION, active ? CS_ACTIVE : CS_INACTIVE,
                     TRect(R.Left, R.Top, R.Right, top));
      DrawStyleBackground(WindowHandle(), dc, WP_SMALLFRAMELEFT, frameState, TRect(R.Left, top, R.Left + b.x, R.Bottom - b.y));
      DrawStyleBackground(WindowHandle(), dc, WP_SMALLFRAMERIGHT, frameState,
                     TRect(R.Right - b.x, top, R.Right, R.Bottom - b.y));
    }
    if (State.ShowCaption && (State.RedrawParts & WRP_CAPTION) && !text.empty()) {
      TRect textRect = GetFloatingCaptionRect(State, true, closeShown);
      InflateRect(&textRect, -2, 0);
      TSmallCaptionFont font(dc);
      const int oldMode = SetBkMode(dc, TRANSPARENT);
      DrawTextIn(dc, text, textRect, DT_HIDEPREFIX | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER, false,
                 active ? clCaptionText : clInactiveCaptionText);
      SetBkMode(dc, oldMode);
    }
    if (State.ShowCaption && closeShown && (State.RedrawParts & WRP_CLOSEBTN)) {
      TRect button = closeBox;
      InflateRect(&button, -2, -2);
      DrawStyleBackground(WindowHandle(), dc, WP_SMALLCLOSEBUTTON, CloseButtonThemeState(State.CloseButtonState), button);
    }
    return;
  }

  if (State.RedrawParts & WRP_BORDER) {
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, R.Left + b.x, R.Top + b.y, R.Right - b.x, R.Bottom - b.y);
    TRect edge = R;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    RestoreDC(dc, saved);
  }
  if (!State.ShowCaption)
    return;
  BOOL gradient = FALSE;
  SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  if (State.RedrawParts & WRP_CAPTION) {
    TRect textRect = caption;
    if (closeShown)
      textRect.Right = closeBox.Left;
    const UINT flags = DC_SMALLCAP | DC_TEXT | (active ? DC_ACTIVE : 0) | (gradient ? DC_GRADIENT : 0);
    {
      TSmallCaptionFont font(dc);
      DrawCaptionText(dc, &textRect, UTF8Decode(text), flags);
    }
    FillRectColor(dc, TRect(caption.Left, caption.Bottom, caption.Right, caption.Bottom + 1), clBtnFace);
  }
  if (closeShown) {
    TRect inner = closeBox;
    inner.Top += 2;
    inner.Bottom -= 2;
    inner.Right -= 2;
    if (State.RedrawParts & WRP_CAPTION) {
      const TColor back = gradient ? (active ? clGradientActiveCaption : clGradientInactiveCaption)
                                   : (active ? clActiveCaption : clInactiveCaption);
      const int saved = SaveDC(dc);
      ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
      FillRectColor(dc, closeBox, back);
      RestoreDC(dc, saved);
    }
    if (State.RedrawParts & WRP_CLOSEBTN)
      DrawFrameControl(dc, &inner, DFC_CAPTION,
                       DFCS_CAPTIONCLOSE | (State.CloseButtonState & CDBS_PRESSED ? DFCS_PUSHED : 0));
  }
}

void TTBWDefaultTheme::DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part)
{
  HDC dc = Canvas->Handle();
  if (VisualStylesOn()) {
    static constexpr int Parts[4] = {0, SP_PANE, SP_GRIPPERPANE, SP_GRIPPER};
    if (Part >= 0 && Part <= 3)
      DrawStyleBackground(StatusHandle(), dc, Parts[Part], 0, R);
    return;
  }
  switch (Part) {
    case 0: FillRectColor(dc, R, FStatusBarColor); break;
    case 1:
    case 2: {
      TRect r = R;
      if (Part == 1)
        r.Right -= 2;
      DrawFrame3D(dc, r, clBtnShadow, clBtnHighlight, true);
      break;
    }
    case 3: DrawSizeGrip(dc, R, FStatusBarColor); break;
    default: break;
  }
}
