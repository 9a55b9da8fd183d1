#include "platform/visualstyles/ThemePainter.h"

#include <algorithm>

#include "platform/win/gdi/GdiConsts.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/visualstyles/VisualStyleParts.h"

namespace {

using K = TPartKind;

// The palette: a light one, and a dark one while the system colours are dark,
// so that parts stay readable under the text colours the system gives the
// controls on them (a style and the system colours make one look).
struct TPalette {
  COLORREF Face, Window, OnAccent, ButtonFace, Border;
  COLORREF HotFill, HotBorder, PressedFill, PressedBorder, CheckedFill, CheckedBorder;
  COLORREF DisabledFill, DisabledBorder, DisabledGlyph, DisabledText, GlyphColor, TextColor;
  COLORREF Accent, AccentHot, Dots, CaptionActive, CaptionInactive, CaptionTextInactive, CloseHot, ClosePressed;
  COLORREF ScrollTrackColor, ScrollTrackHot, ScrollHot, ScrollPressed, ScrollThumbColor, ScrollThumbHot,
      ScrollArrowDisabled;
  COLORREF TrackFill, BarFill, TabFace;
};

constexpr TPalette LightPalette{
    .Face = RGB(243, 243, 243), .Window = RGB(255, 255, 255), .OnAccent = RGB(255, 255, 255),
    .ButtonFace = RGB(251, 251, 251), .Border = RGB(173, 173, 173), .HotFill = RGB(229, 241, 251),
    .HotBorder = RGB(0, 120, 215), .PressedFill = RGB(204, 228, 247), .PressedBorder = RGB(0, 84, 153),
    .CheckedFill = RGB(221, 236, 250), .CheckedBorder = RGB(98, 162, 228), .DisabledFill = RGB(245, 245, 245),
    .DisabledBorder = RGB(204, 204, 204), .DisabledGlyph = RGB(160, 160, 160), .DisabledText = RGB(131, 131, 131),
    .GlyphColor = RGB(64, 64, 64), .TextColor = RGB(30, 30, 30), .Accent = RGB(0, 120, 215),
    .AccentHot = RGB(0, 99, 177), .Dots = RGB(150, 150, 150), .CaptionActive = RGB(0, 99, 177),
    .CaptionInactive = RGB(112, 124, 136), .CaptionTextInactive = RGB(230, 230, 230), .CloseHot = RGB(232, 17, 35),
    .ClosePressed = RGB(241, 112, 122), .ScrollTrackColor = RGB(240, 240, 240),
    .ScrollTrackHot = RGB(229, 229, 229), .ScrollHot = RGB(218, 218, 218), .ScrollPressed = RGB(96, 96, 96),
    .ScrollThumbColor = RGB(205, 205, 205), .ScrollThumbHot = RGB(166, 166, 166),
    .ScrollArrowDisabled = RGB(191, 191, 191), .TrackFill = RGB(214, 214, 214), .BarFill = RGB(230, 230, 230),
    .TabFace = RGB(235, 235, 235),
};

constexpr TPalette DarkPalette{
    .Face = RGB(43, 43, 43), .Window = RGB(25, 25, 25), .OnAccent = RGB(255, 255, 255),
    .ButtonFace = RGB(51, 51, 51), .Border = RGB(96, 96, 96), .HotFill = RGB(38, 62, 86),
    .HotBorder = RGB(64, 150, 224), .PressedFill = RGB(28, 80, 126), .PressedBorder = RGB(96, 172, 232),
    .CheckedFill = RGB(34, 54, 74), .CheckedBorder = RGB(66, 130, 196), .DisabledFill = RGB(38, 38, 38),
    .DisabledBorder = RGB(66, 66, 66), .DisabledGlyph = RGB(100, 100, 100), .DisabledText = RGB(128, 128, 128),
    .GlyphColor = RGB(212, 212, 212), .TextColor = RGB(236, 236, 236), .Accent = RGB(76, 160, 232),
    .AccentHot = RGB(110, 180, 240), .Dots = RGB(112, 112, 112), .CaptionActive = RGB(0, 84, 153),
    .CaptionInactive = RGB(60, 66, 74), .CaptionTextInactive = RGB(170, 170, 170), .CloseHot = RGB(232, 17, 35),
    .ClosePressed = RGB(241, 112, 122), .ScrollTrackColor = RGB(46, 46, 46), .ScrollTrackHot = RGB(58, 58, 58),
    .ScrollHot = RGB(72, 72, 72), .ScrollPressed = RGB(176, 176, 176), .ScrollThumbColor = RGB(88, 88, 88),
    .ScrollThumbHot = RGB(124, 124, 124), .ScrollArrowDisabled = RGB(82, 82, 82), .TrackFill = RGB(72, 72, 72),
    .BarFill = RGB(52, 52, 52), .TabFace = RGB(36, 36, 36),
};

// The dark palette while the system's face colour is dark: brightness
// (76 R + 150 G + 30 B) / 256 below 128.
const TPalette& Pal()
{
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const int brightness = (76 * GetRValue(face) + 150 * GetGValue(face) + 30 * GetBValue(face)) / 256;
  return brightness < 128 ? DarkPalette : LightPalette;
}

// ---- drawing helpers: every shape is made of filled rectangles, so each pixel is exact.

void Fill(HDC dc, const TRect& rect, COLORREF color)
{
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
    return;
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, const TRect& rect, COLORREF color)
{
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top)
    return;
  HBRUSH brush = CreateSolidBrush(color);
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void HLine(HDC dc, int left, int right, int y, COLORREF color) { Fill(dc, {left, y, right, y + 1}, color); }
void VLine(HDC dc, int x, int top, int bottom, COLORREF color) { Fill(dc, {x, top, x + 1, bottom}, color); }
void Dot(HDC dc, int x, int y, int size, COLORREF color) { Fill(dc, {x, y, x + size, y + size}, color); }

TRect Inset(const TRect& r, int d) { return {r.Left + d, r.Top + d, r.Right - d, r.Bottom - d}; }
int CentreX(const TRect& r) { return (r.Left + r.Right) / 2; }
int CentreY(const TRect& r) { return (r.Top + r.Bottom) / 2; }

// A filled triangle of `rows` rows pointing in a direction, centred on the rectangle.
void Arrow(HDC dc, const TRect& r, TArrow direction, int rows, COLORREF color)
{
  const int cx = CentreX(r);
  const int cy = CentreY(r);
  for (int i = 0; i < rows; ++i) {
    const int half = rows - 1 - i;  // the widest row first
    switch (direction) {
      case TArrow::Down: HLine(dc, cx - half, cx + half + 1, cy - rows / 2 + i, color); break;
      case TArrow::Up: HLine(dc, cx - half, cx + half + 1, cy + (rows - 1) / 2 - i, color); break;
      case TArrow::Right: VLine(dc, cx - rows / 2 + i, cy - half, cy + half + 1, color); break;
      case TArrow::Left: VLine(dc, cx + (rows - 1) / 2 - i, cy - half, cy + half + 1, color); break;
      case TArrow::None: break;
    }
  }
}

// A face with a one-pixel frame.
void FramedFace(HDC dc, const TRect& r, COLORREF fill, COLORREF border)
{
  Fill(dc, r, fill);
  Frame(dc, r, border);
}

// The look of a flat button (toolbar buttons, menu-bar buttons, drop buttons):
// nothing shows unless hot, pressed or checked.
void FlatFace(HDC dc, const TRect& r, const TStateLook& s)
{
  const TPalette& pal = Pal();
  if (s.Disabled && !s.Checked)
    return;
  if (s.Pressed)
    FramedFace(dc, r, pal.PressedFill, pal.PressedBorder);
  else if (s.Checked && s.Hot)
    FramedFace(dc, r, pal.PressedFill, pal.HotBorder);
  else if (s.Checked)
    FramedFace(dc, r, s.Disabled ? pal.DisabledFill : pal.CheckedFill,
               s.Disabled ? pal.DisabledBorder : pal.CheckedBorder);
  else if (s.Hot)
    FramedFace(dc, r, pal.HotFill, pal.HotBorder);
}

void PushFace(HDC dc, const TRect& r, const TStateLook& s)
{
  const TPalette& pal = Pal();
  if (s.Disabled) {
    FramedFace(dc, r, pal.DisabledFill, pal.DisabledBorder);
  } else if (s.Pressed) {
    FramedFace(dc, r, pal.PressedFill, pal.PressedBorder);
  } else if (s.Hot) {
    FramedFace(dc, r, pal.HotFill, pal.HotBorder);
  } else {
    FramedFace(dc, r, pal.ButtonFace, s.Defaulted ? pal.HotBorder : pal.Border);
    if (s.Defaulted)
      Frame(dc, Inset(r, 1), pal.HotBorder);
  }
}

COLORREF GlyphOf(const TStateLook& s) { return s.Disabled ? Pal().DisabledGlyph : Pal().GlyphColor; }

void CheckMark(HDC dc, int x, int y, COLORREF color)
{
  // Two pixels thick: down from (3, 6) to (5, 8), then up to (9, 4), in a 13 x 13 box.
  for (int i = 0; i < 3; ++i)
    Fill(dc, {x + 3 + i, y + 6 + i, x + 4 + i, y + 8 + i}, color);
  for (int i = 1; i < 5; ++i)
    Fill(dc, {x + 5 + i, y + 8 - i, x + 6 + i, y + 10 - i}, color);
}

// The face and frame of a check box or radio button; the frame is every
// framed part's.
COLORREF BoxFill(const TPalette& pal, const TStateLook& s)
{
  return s.Disabled ? pal.DisabledFill : s.Pressed ? pal.PressedFill : s.Hot ? pal.HotFill : pal.Window;
}
COLORREF StateBorder(const TPalette& pal, const TStateLook& s)
{
  return s.Disabled ? pal.DisabledBorder : s.Pressed ? pal.PressedBorder : s.Hot ? pal.HotBorder : pal.Border;
}

void CheckBox(HDC dc, const TRect& box, const TStateLook& s)
{
  const TPalette& pal = Pal();
  const COLORREF fill = BoxFill(pal, s);
  const COLORREF border = StateBorder(pal, s);
  FramedFace(dc, box, fill, border);
  const COLORREF mark = s.Disabled ? pal.DisabledGlyph : pal.Accent;
  if (s.Checked)
    CheckMark(dc, box.Left, box.Top, mark);
  else if (s.Mixed)
    Fill(dc, Inset(box, 3), mark);
}

void Disc(HDC dc, const TRect& r, COLORREF fill, COLORREF border)
{
  HBRUSH brush = CreateSolidBrush(fill);
  HPEN pen = CreatePen(PS_SOLID, 1, border);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  Ellipse(dc, r.Left, r.Top, r.Right, r.Bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void RadioButton(HDC dc, const TRect& box, const TStateLook& s)
{
  const TPalette& pal = Pal();
  const COLORREF fill = BoxFill(pal, s);
  const COLORREF border = StateBorder(pal, s);
  Disc(dc, box, fill, border);
  if (s.Checked) {
    const COLORREF mark = s.Disabled ? pal.DisabledGlyph : pal.Accent;
    Disc(dc, Inset(box, 3), mark, mark);
  }
}

void CaptionGlyph(HDC dc, const TRect& r, TGlyph glyph, COLORREF color)
{
  const int x = CentreX(r) - 3;
  const int y = CentreY(r) - 3;
  switch (glyph) {
    case TGlyph::Close:  // a 7 x 7 cross, two pixels wide
      for (int i = 0; i < 7; ++i) {
        Fill(dc, {x + i, y + i, x + i + 1, y + i + 1}, color);
        Fill(dc, {x + 6 - i, y + i, x + 7 - i, y + i + 1}, color);
        if (i < 6) {
          Fill(dc, {x + i + 1, y + i, x + i + 2, y + i + 1}, color);
          Fill(dc, {x + 5 - i, y + i, x + 6 - i, y + i + 1}, color);
        }
      }
      break;
    case TGlyph::Minimise:
      Fill(dc, {x, y + 5, x + 7, y + 7}, color);
      break;
    case TGlyph::Restore:
      // The window behind shows only its top and right edges.
      HLine(dc, x + 2, x + 8, y - 1, color);
      VLine(dc, x + 2, y - 1, y + 2, color);
      VLine(dc, x + 7, y - 1, y + 4, color);
      HLine(dc, x + 6, x + 8, y + 4, color);
      Frame(dc, {x, y + 2, x + 6, y + 8}, color);
      HLine(dc, x, x + 6, y + 3, color);
      break;
    case TGlyph::None:
      break;
  }
}

void Gripper(HDC dc, const TRect& r, bool column)
{
  const TPalette& pal = Pal();
  // 2 x 2 dots every 4 pixels along the gripper, centred across it.
  if (column) {
    const int x = CentreX(r) - 1;
    for (int y = r.Top + 2; y + 2 <= r.Bottom - 1; y += 4)
      Dot(dc, x, y, 2, pal.Dots);
  } else {
    const int y = CentreY(r) - 1;
    for (int x = r.Left + 2; x + 2 <= r.Right - 1; x += 4)
      Dot(dc, x, y, 2, pal.Dots);
  }
}

void SizeGrip(HDC dc, const TRect& r, bool leftAligned)
{
  const TPalette& pal = Pal();
  // Six dots in a triangle at the corner.
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col <= row; ++col) {
      const int y = r.Bottom - 3 - 4 * (2 - row);
      const int x = leftAligned ? r.Left + 1 + 4 * col : r.Right - 3 - 4 * col;
      Dot(dc, x, y, 2, pal.Dots);
    }
}

void TreeGlyph(HDC dc, const TRect& box, bool opened)
{
  const TPalette& pal = Pal();
  FramedFace(dc, box, pal.Window, pal.Dots);
  const int cx = box.Left + 4;
  const int cy = box.Top + 4;
  HLine(dc, cx - 2, cx + 3, cy, pal.GlyphColor);
  if (!opened)
    VLine(dc, cx, cy - 2, cy + 3, pal.GlyphColor);
}

void TabItem(HDC dc, const TRect& r, const TStateLook& s)
{
  const TPalette& pal = Pal();
  const COLORREF fill = s.Selected ? pal.Window : s.Hot ? pal.HotFill : pal.TabFace;
  const COLORREF border = s.Disabled ? pal.DisabledBorder : pal.Border;
  Fill(dc, r, fill);
  VLine(dc, r.Left, r.Top, r.Bottom, border);
  VLine(dc, r.Right - 1, r.Top, r.Bottom, border);
  HLine(dc, r.Left, r.Right, r.Top, border);
  if (s.Selected)
    Fill(dc, {r.Left, r.Top, r.Right, r.Top + 2}, pal.Accent);
  else
    HLine(dc, r.Left, r.Right, r.Bottom - 1, pal.Border);  // the pane's top edge runs under tabs not selected
}

void Thumb(HDC dc, const TRect& r, const TStateLook& s)
{
  const TPalette& pal = Pal();
  if (s.Disabled) {
    FramedFace(dc, r, pal.DisabledFill, pal.DisabledBorder);
    return;
  }
  const COLORREF fill = s.Pressed ? pal.PressedBorder : s.Hot ? pal.AccentHot : pal.Accent;
  Fill(dc, r, fill);
  if (s.Focused)
    Frame(dc, Inset(r, 1), pal.OnAccent);
}

void ScrollGripper(HDC dc, const TRect& r, bool horizontalThumb)
{
  const TPalette& pal = Pal();
  // Three short lines across the thumb.
  for (int i = 0; i < 3; ++i) {
    if (horizontalThumb)
      VLine(dc, r.Left + 1 + 3 * i, r.Top + 1, r.Bottom - 1, pal.ScrollTrackColor);
    else
      HLine(dc, r.Left + 1, r.Right - 1, r.Top + 1 + 3 * i, pal.ScrollTrackColor);
  }
}

}  // namespace

TRect PartDrawRect(const TPartLook& part, const TRect& rect)
{
  switch (part.Kind) {
    case K::CheckBox:
    case K::RadioButton:
    case K::TreeGlyph:
    case K::ScrollGripper: {
      const int left = rect.Left + (rect.Width() - part.TrueSize.cx) / 2;
      const int top = rect.Top + (rect.Height() - part.TrueSize.cy) / 2;
      return {left, top, left + part.TrueSize.cx, top + part.TrueSize.cy};
    }
    default:
      return rect;
  }
}

bool PartIsPartlyTransparent(const TPartLook& part, const TStateLook& s)
{
  switch (part.Kind) {
    case K::CheckBox:
    case K::RadioButton:
    case K::TreeGlyph:
    case K::ScrollGripper:
    case K::SeparatorLine:
    case K::SeparatorHorz:
    case K::GripperVert:
    case K::GripperHorz:
    case K::StatusPane:
    case K::StatusFlushPane:
    case K::SizeGrip:
      return true;
    case K::ToolButton:
    case K::SplitArrow:
    case K::MdiButton:
      return !s.Pressed && !s.Hot && !s.Checked;
    case K::CaptionClose:
      return !s.Pressed && !s.Hot;
    default:
      return false;
  }
}

COLORREF PartFillColor(const TPartLook& part, const TStateLook& s)
{
  const TPalette& pal = Pal();
  switch (part.Kind) {
    case K::PushButton:
    case K::SpinButton:
      return s.Disabled ? pal.DisabledFill : s.Pressed ? pal.PressedFill : s.Hot ? pal.HotFill : pal.ButtonFace;
    case K::ToolButton:
    case K::SplitArrow:
    case K::MdiButton:
    case K::DropButton:
      return s.Pressed || (s.Checked && s.Hot) ? pal.PressedFill
             : s.Checked                     ? pal.CheckedFill
             : s.Hot                         ? pal.HotFill
                                             : pal.Face;
    case K::CheckBox:
    case K::RadioButton:
      return BoxFill(pal, s);
    case K::Caption:
    case K::FrameSide:
      return s.Inactive || s.Disabled ? pal.CaptionInactive : pal.CaptionActive;
    case K::CaptionClose:
      return s.Pressed ? pal.ClosePressed : s.Hot ? pal.CloseHot : pal.CaptionActive;
    case K::Field:
    case K::HeaderFiller:
    case K::TreeGlyph:
    case K::TabPane:
    case K::ExplorerGroup:
      return pal.Window;
    case K::HeaderItem:
      return s.Pressed ? pal.PressedFill : s.Hot ? pal.HotFill : pal.Window;
    case K::TabItem:
      return s.Selected ? pal.Window : s.Hot ? pal.HotFill : pal.TabFace;
    case K::ProgressBar:
      return pal.BarFill;
    case K::ProgressChunk:
    case K::ExplorerHeader:
      return pal.Accent;
    case K::ExplorerGroupHead:
      return pal.HotFill;
    case K::Track:
      return pal.TrackFill;
    case K::Thumb:
      return s.Disabled ? pal.DisabledFill : s.Pressed ? pal.PressedBorder : s.Hot ? pal.AccentHot : pal.Accent;
    case K::ScrollArrow:
      return s.Pressed ? pal.ScrollPressed : s.Hot ? pal.ScrollHot : pal.ScrollTrackColor;
    case K::ScrollTrack:
      return s.Pressed ? pal.ScrollHot : s.Hot ? pal.ScrollTrackHot : pal.ScrollTrackColor;
    case K::ScrollThumb:
      return s.Disabled ? pal.ScrollTrackColor
             : s.Pressed ? pal.ScrollPressed
             : s.Hot     ? pal.ScrollThumbHot
                         : pal.ScrollThumbColor;
    default:
      return pal.Face;
  }
}

COLORREF PartTextColor(const TPartLook& part, const TStateLook& s)
{
  const TPalette& pal = Pal();
  switch (part.Kind) {
    case K::Caption:
      return s.Inactive || s.Disabled ? pal.CaptionTextInactive : pal.OnAccent;
    case K::ExplorerHeader:
      return pal.OnAccent;
    case K::ExplorerGroupHead:
      return pal.Accent;
    default:
      return s.Disabled ? pal.DisabledText : pal.TextColor;
  }
}

COLORREF PartBorderColor(const TPartLook& part, const TStateLook& s)
{
  const TPalette& pal = Pal();
  switch (part.Kind) {
    case K::Caption:
    case K::FrameSide:
    case K::CaptionClose:
      return PartFillColor(part, s);
    default:
      return StateBorder(pal, s);
  }
}

void PaintPart(HDC dc, const TPartLook& part, const TStateLook& s, const TRect& rect)
{
  const TPalette& pal = Pal();
  const TRect r = PartDrawRect(part, rect);
  if (r.Right <= r.Left || r.Bottom <= r.Top)
    return;
  switch (part.Kind) {
    case K::Background:
      Fill(dc, r, pal.Face);
      break;
    case K::PushButton:
      PushFace(dc, r, s);
      break;
    case K::ToolButton:
      FlatFace(dc, r, s);
      break;
    case K::SplitArrow:
      FlatFace(dc, r, s);
      Arrow(dc, r, TArrow::Down, 3, GlyphOf(s));
      break;
    case K::CheckBox:
      CheckBox(dc, r, s);
      break;
    case K::RadioButton:
      RadioButton(dc, r, s);
      break;
    case K::SeparatorLine:
      VLine(dc, CentreX(r), r.Top + 2, r.Bottom - 2, pal.Border);
      break;
    case K::SeparatorHorz:
      HLine(dc, r.Left + 2, r.Right - 2, CentreY(r), pal.Border);
      break;
    case K::GripperVert:
      Gripper(dc, r, true);
      break;
    case K::GripperHorz:
      Gripper(dc, r, false);
      break;
    case K::Caption:
    case K::FrameSide:
      Fill(dc, r, PartFillColor(part, s));
      break;
    case K::CaptionClose:
      if (s.Pressed || s.Hot)
        Fill(dc, r, PartFillColor(part, s));
      CaptionGlyph(dc, r, part.Glyph, s.Disabled ? pal.DisabledGlyph : pal.OnAccent);
      break;
    case K::MdiButton:
      FlatFace(dc, r, s);
      CaptionGlyph(dc, r, part.Glyph, GlyphOf(s));
      break;
    case K::Field:
      FramedFace(dc, r, pal.Window, pal.Border);
      break;
    case K::DropButton:
      if (s.Pressed || s.Hot)
        FlatFace(dc, r, s);
      else
        Fill(dc, r, pal.Face);
      Arrow(dc, r, TArrow::Down, 4, GlyphOf(s));
      break;
    case K::SpinButton:
      PushFace(dc, r, s);
      Arrow(dc, r, part.Arrow, 3, GlyphOf(s));
      break;
    case K::StatusBack:
      Fill(dc, r, pal.Face);
      HLine(dc, r.Left, r.Right, r.Top, pal.Border);
      break;
    case K::StatusPane:
      VLine(dc, r.Right - 1, r.Top + 1, r.Bottom - 1, pal.Border);
      break;
    case K::StatusFlushPane:
      break;  // flush with the bar's edge: the bar's own face is the pane
    case K::SizeGrip:
      SizeGrip(dc, r, s.LeftAligned);
      break;
    case K::HeaderItem:
      Fill(dc, r, PartFillColor(part, s));
      HLine(dc, r.Left, r.Right, r.Bottom - 1, pal.Border);
      VLine(dc, r.Right - 1, r.Top + 3, r.Bottom - 4, pal.Border);
      break;
    case K::HeaderFiller:
      Fill(dc, r, pal.Window);
      HLine(dc, r.Left, r.Right, r.Bottom - 1, pal.Border);
      break;
    case K::TreeGlyph:
      TreeGlyph(dc, r, s.Opened);
      break;
    case K::TabItem:
      TabItem(dc, r, s);
      break;
    case K::TabPane:
    case K::ExplorerGroup:
      FramedFace(dc, r, pal.Window, pal.Border);
      break;
    case K::ProgressBar:
      FramedFace(dc, r, pal.BarFill, pal.Border);
      break;
    case K::ProgressChunk:
    case K::ExplorerHeader:
      Fill(dc, r, pal.Accent);
      break;
    case K::ExplorerGroupHead:
      Fill(dc, r, pal.HotFill);
      HLine(dc, r.Left, r.Right, r.Bottom - 1, pal.Accent);
      break;
    case K::Track:
      FramedFace(dc, r, pal.TrackFill, pal.Border);
      break;
    case K::Thumb:
      Thumb(dc, r, s);
      break;
    case K::ScrollArrow:
      Fill(dc, r, PartFillColor(part, s));
      Arrow(dc, r, s.Arrow, 4, s.Disabled ? pal.ScrollArrowDisabled : s.Pressed ? pal.OnAccent : pal.ScrollPressed);
      break;
    case K::ScrollThumb:
    case K::ScrollTrack:
      Fill(dc, r, PartFillColor(part, s));
      break;
    case K::ScrollGripper:
      ScrollGripper(dc, r, part.Part == SBP_GRIPPERHORZ);
      break;
  }
}
