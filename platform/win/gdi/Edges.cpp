#include "platform/win/gdi/Edges.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <initializer_list>
#include <mutex>

#include "platform/win/gdi/Blit.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/Primitives.h"
#include "platform/win/gdi/SysColors.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/detail/Raster.h"
#include "platform/win/gdi/detail/Shapes.h"

using namespace gdi;

namespace {

void Fill(HDC dc, const TRect& r, COLORREF color)
{
  TDrawAccess a(dc, r);
  if (a)
    PaintRect(a, a.ToSurface(r), SolidPattern(a.PixelOf(color)), 0xF0);
}

void Pixel(HDC dc, int x, int y, COLORREF color) { Fill(dc, TRect(x, y, x + 1, y + 1), color); }

// A glyph of rows ('#' painted) centred in r, shifted by (dx, dy).
void Glyph(HDC dc, const TRect& r, std::initializer_list<const char*> rows, COLORREF color, int dx = 0, int dy = 0)
{
  int h = int(rows.size()), w = 0;
  for (const char* row : rows)
    w = std::max(w, int(std::strlen(row)));
  int x0 = r.Left + (r.Width() - w) / 2 + dx, y0 = r.Top + (r.Height() - h) / 2 + dy;
  int y = y0;
  for (const char* row : rows) {
    for (int x = 0; row[x]; ++x)
      if (row[x] == '#')
        Pixel(dc, x0 + x, y, color);
    ++y;
  }
}

// A glyph in the disabled look: highlight offset by one, then shadow.
void GlyphState(HDC dc, const TRect& r, std::initializer_list<const char*> rows, UINT state, COLORREF color)
{
  int shift = (state & DFCS_PUSHED) ? 1 : 0;
  if (state & DFCS_INACTIVE) {
    Glyph(dc, r, rows, GetSysColor(COLOR_BTNHIGHLIGHT), shift + 1, shift + 1);
    Glyph(dc, r, rows, GetSysColor(COLOR_BTNSHADOW), shift, shift);
  } else {
    Glyph(dc, r, rows, color, shift, shift);
  }
}

void Ring(HDC dc, TRect& r, UINT flags, COLORREF topLeft, COLORREF bottomRight)
{
  if (r.IsEmpty())
    return;
  if (flags & BF_TOP)
    Fill(dc, TRect(r.Left, r.Top, r.Right - 1, r.Top + 1), topLeft);
  if (flags & BF_LEFT)
    Fill(dc, TRect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), topLeft);
  if (flags & BF_BOTTOM)
    Fill(dc, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomRight);
  if (flags & BF_RIGHT)
    Fill(dc, TRect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomRight);
  if (flags & BF_LEFT)
    ++r.Left;
  if (flags & BF_TOP)
    ++r.Top;
  if (flags & BF_RIGHT)
    --r.Right;
  if (flags & BF_BOTTOM)
    --r.Bottom;
}

}  // namespace

BOOL DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags)
{
  if (!rect || !LookupDC(dc))
    return FALSE;
  TRect r = *rect;
  UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
  COLORREF oTL = 0, oBR = 0, iTL = 0, iBR = 0;
  if (flags & BF_MONO) {
    oTL = oBR = GetSysColor(COLOR_WINDOWFRAME);
    iTL = iBR = GetSysColor(COLOR_WINDOW);
  } else if (flags & BF_FLAT) {
    oTL = oBR = GetSysColor(COLOR_BTNSHADOW);
    iTL = iBR = GetSysColor(COLOR_BTNFACE);
  } else {
    if (outer == BDR_RAISEDOUTER) {
      oTL = GetSysColor(COLOR_3DLIGHT);
      oBR = GetSysColor(COLOR_3DDKSHADOW);
    } else if (outer == BDR_SUNKENOUTER) {
      oTL = GetSysColor(COLOR_BTNSHADOW);
      oBR = GetSysColor(COLOR_BTNHIGHLIGHT);
    }
    if (inner == BDR_RAISEDINNER) {
      iTL = GetSysColor(COLOR_BTNHIGHLIGHT);
      iBR = GetSysColor(COLOR_BTNSHADOW);
    } else if (inner == BDR_SUNKENINNER) {
      iTL = GetSysColor(COLOR_3DDKSHADOW);
      iBR = GetSysColor(COLOR_3DLIGHT);
    }
    if ((flags & BF_SOFT) && outer && inner)
      std::swap(oTL, iTL);
  }
  if (outer == BDR_RAISEDOUTER || outer == BDR_SUNKENOUTER)
    Ring(dc, r, flags, oTL, oBR);
  if (inner == BDR_RAISEDINNER || inner == BDR_SUNKENINNER)
    Ring(dc, r, flags, iTL, iBR);
  if ((flags & BF_MIDDLE) && !r.IsEmpty())
    Fill(dc, r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
  if (flags & BF_ADJUST)
    *rect = r;
  return TRUE;
}

namespace {

// A button face: raised, or sunken when pushed; answers the inside.
TRect ButtonFace(HDC dc, const TRect& rect, UINT state)
{
  TRect r = rect;
  UINT flags = BF_RECT | BF_MIDDLE | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0);
  DrawEdge(dc, &r, (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED, flags);
  return r;
}

void CheckMark(HDC dc, const TRect& r, COLORREF color)
{
  Glyph(dc, r, {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}, color);
}

void DrawCaptionButton(HDC dc, const TRect& rect, UINT state)
{
  TRect r = ButtonFace(dc, rect, state);
  COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  switch (state & 0xFF) {
  case DFCS_CAPTIONCLOSE:
    GlyphState(dc, r, {"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"}, state, ink);
    break;
  case DFCS_CAPTIONMIN: GlyphState(dc, r, {"......", "......", "......", "......", "......", "######", "######"}, state, ink); break;
  case DFCS_CAPTIONMAX:
    GlyphState(dc, r, {"#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########"}, state, ink);
    break;
  case DFCS_CAPTIONRESTORE:
    GlyphState(dc, r, {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "#....#..", "######.."}, state, ink);
    break;
  case DFCS_CAPTIONHELP:
    GlyphState(dc, r, {".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##.."}, state, ink);
    break;
  default: break;
  }
}

void DrawScroll(HDC dc, const TRect& rect, UINT state)
{
  if ((state & 0xFF) == DFCS_SCROLLSIZEGRIP) {
    Fill(dc, rect, GetSysColor(COLOR_BTNFACE));
    // Diagonal grip lines from the bottom-right corner.
    for (int k = 0; k < 3; ++k)
      for (int i = 0; i < 12 - 4 * k; ++i) {
        int x = rect.Right - 1 - i, y = rect.Bottom - 12 + 4 * k + i;
        if (y >= rect.Top && x >= rect.Left) {
          Pixel(dc, x, y, GetSysColor(COLOR_BTNHIGHLIGHT));
          Pixel(dc, x + 1 < rect.Right ? x + 1 : x, y, GetSysColor(COLOR_BTNSHADOW));
        }
      }
    return;
  }
  TRect r = ButtonFace(dc, rect, state);
  bool small = std::min(rect.Width(), rect.Height()) < 13;
  COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  switch (state & 0xFF) {
  case DFCS_SCROLLUP:
    if (small)
      GlyphState(dc, r, {"..#..", ".###.", "#####"}, state, ink);
    else
      GlyphState(dc, r, {"...#...", "..###..", ".#####.", "#######"}, state, ink);
    break;
  case DFCS_SCROLLDOWN:
  case DFCS_SCROLLCOMBOBOX:
    if (small)
      GlyphState(dc, r, {"#####", ".###.", "..#.."}, state, ink);
    else
      GlyphState(dc, r, {"#######", ".#####.", "..###..", "...#..."}, state, ink);
    break;
  case DFCS_SCROLLLEFT:
    if (small)
      GlyphState(dc, r, {"..#", ".##", "###", ".##", "..#"}, state, ink);
    else
      GlyphState(dc, r, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}, state, ink);
    break;
  case DFCS_SCROLLRIGHT:
    if (small)
      GlyphState(dc, r, {"#..", "##.", "###", "##.", "#.."}, state, ink);
    else
      GlyphState(dc, r, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}, state, ink);
    break;
  default: break;
  }
}

// Menu glyphs are black on white: callers use them as masks.
void DrawMenuGlyph(HDC dc, const TRect& rect, UINT state)
{
  Fill(dc, rect, RGB(255, 255, 255));
  switch (state & 0xFF) {
  case DFCS_MENUARROW: Glyph(dc, rect, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}, 0); break;
  case DFCS_MENUARROWRIGHT: Glyph(dc, rect, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}, 0); break;
  case DFCS_MENUCHECK: CheckMark(dc, rect, 0); break;
  case DFCS_MENUBULLET: Glyph(dc, rect, {".###.", "#####", "#####", "#####", ".###."}, 0); break;
  default: break;
  }
}

// A 50% dither of face and highlight: the interior of a checked-and-inactive
// or three-state box.
void Dither(HDC dc, const TRect& r, COLORREF a, COLORREF b)
{
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      Pixel(dc, x, y, ((x + y) & 1) ? b : a);
}

void DrawCheckBox(HDC dc, const TRect& rect, UINT state)
{
  // A 13-pixel box centred in the rectangle.
  int size = std::min({13, rect.Width(), rect.Height()});
  TRect r = Bounds(rect.Left + (rect.Width() - size) / 2, rect.Top + (rect.Height() - size) / 2, size, size);
  UINT flags = BF_RECT | BF_ADJUST;
  if (state & DFCS_MONO)
    flags |= BF_MONO;
  else if (state & DFCS_FLAT)
    flags |= BF_FLAT;
  DrawEdge(dc, &r, EDGE_SUNKEN, flags);
  bool three = (state & 0xFF) == DFCS_BUTTON3STATE && (state & DFCS_CHECKED);
  if (three)
    Dither(dc, r, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
  else
    Fill(dc, r, GetSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW));
  if (state & DFCS_CHECKED)
    CheckMark(dc, r, GetSysColor(three ? COLOR_BTNSHADOW : (state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
}

void DrawRadio(HDC dc, const TRect& rect, UINT state)
{
  int size = std::min({12, rect.Width(), rect.Height()});
  TRect r = Bounds(rect.Left + (rect.Width() - size) / 2, rect.Top + (rect.Height() - size) / 2, size, size);
  TDrawAccess a(dc, r);
  if (!a)
    return;
  TRect s = a.ToSurface(r);
  TRegion disc = EllipseRegion(s), outer = Outline(disc), rest = disc.Subtract(outer), inner = Outline(rest),
          middle = rest.Subtract(inner);
  int cx2 = s.Left + s.Right - 1, cy2 = s.Top + s.Bottom - 1;
  // The upper-left half of each ring takes the dark colour, the rest the light one.
  auto paint = [&](const TRegion& ring, COLORREF tl, COLORREF br) {
    TRegion clipped = ring.Intersect(a.Clip);
    for (const TRect& part : clipped.Rects())
      for (int y = part.Top; y < part.Bottom; ++y)
        for (int x = part.Left; x < part.Right; ++x)
          a.Surface.Row(y)[x] = a.PixelOf(2 * x + 2 * y < cx2 + cy2 ? tl : br);
  };
  if ((state & 0xFF) == DFCS_BUTTONRADIOMASK) {
    paint(disc, 0, 0);
    return;
  }
  bool flat = state & (DFCS_FLAT | DFCS_MONO);
  paint(outer, GetSysColor(flat ? COLOR_BTNSHADOW : COLOR_BTNSHADOW), GetSysColor(flat ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
  paint(inner, GetSysColor(flat ? COLOR_WINDOW : COLOR_3DDKSHADOW), GetSysColor(flat ? COLOR_WINDOW : COLOR_3DLIGHT));
  COLORREF face = GetSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE : COLOR_WINDOW);
  paint(middle, face, face);
  if (state & DFCS_CHECKED) {
    TRect dot = Bounds(s.Left + (size - 4) / 2, s.Top + (size - 4) / 2, 4, 4);
    TRegion d = EllipseRegion(TRect(dot.Left - 1, dot.Top - 1, dot.Right + 1, dot.Bottom + 1)).Intersect(dot);
    COLORREF ink = GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    paint(d, ink, ink);
  }
}

}  // namespace

BOOL DrawFrameControl(HDC dc, TRect* rect, UINT type, UINT state)
{
  if (!rect || !LookupDC(dc))
    return FALSE;
  switch (type) {
  case DFC_CAPTION: DrawCaptionButton(dc, *rect, state); break;
  case DFC_SCROLL: DrawScroll(dc, *rect, state); break;
  case DFC_MENU:
  case DFC_POPUPMENU: DrawMenuGlyph(dc, *rect, state); break;
  case DFC_BUTTON:
    if (state & DFCS_BUTTONPUSH) {
      TRect r = ButtonFace(dc, *rect, state);
      if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED))
        Dither(dc, r, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
      if (state & DFCS_ADJUSTRECT)
        *rect = r;
    } else if ((state & 0xFF) == DFCS_BUTTONRADIO || (state & 0xFF) == DFCS_BUTTONRADIOIMAGE ||
               (state & 0xFF) == DFCS_BUTTONRADIOMASK) {
      DrawRadio(dc, *rect, state);
    } else {
      DrawCheckBox(dc, *rect, state);
    }
    break;
  default: return FALSE;
  }
  return TRUE;
}

namespace {
struct TCaptionSettings {
  std::mutex Lock;
  TCaptionTextSource Source = nullptr;
  LOGFONTW Caption;
  LOGFONTW Small;
  TCaptionSettings()
  {
    const char16_t face[] = u"MS Sans Serif";
    for (auto* f : {&Caption, &Small}) {
      f->lfHeight = -11;
      f->lfWeight = FW_BOLD;
      std::copy(std::begin(face), std::end(face), f->lfFaceName);
    }
    Small.lfWeight = FW_NORMAL;
  }
};
TCaptionSettings& Captions()
{
  static TCaptionSettings settings;
  return settings;
}
}  // namespace

void SetCaptionTextSource(TCaptionTextSource source)
{
  std::lock_guard<std::mutex> lock(Captions().Lock);
  Captions().Source = source;
}

void SetCaptionFonts(const LOGFONTW& caption, const LOGFONTW& smallCaption)
{
  std::lock_guard<std::mutex> lock(Captions().Lock);
  Captions().Caption = caption;
  Captions().Small = smallCaption;
}

BOOL DrawCaptionText(HDC dc, const TRect* rect, const std::u16string& text, UINT flags)
{
  if (!rect || !LookupDC(dc))
    return FALSE;
  bool active = flags & DC_ACTIVE;
  COLORREF left = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  COLORREF right = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
  if (flags & DC_GRADIENT) {
    TRIVERTEX v[2] = {{rect->Left, rect->Top, USHORT(GetRValue(left) << 8), USHORT(GetGValue(left) << 8), USHORT(GetBValue(left) << 8), 0},
                      {rect->Right, rect->Bottom, USHORT(GetRValue(right) << 8), USHORT(GetGValue(right) << 8), USHORT(GetBValue(right) << 8), 0}};
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
  } else {
    Fill(dc, *rect, left);
  }
  if (!(flags & DC_TEXT) || text.empty())
    return TRUE;
  LOGFONTW log;
  {
    std::lock_guard<std::mutex> lock(Captions().Lock);
    log = (flags & DC_SMALLCAP) ? Captions().Small : Captions().Caption;
  }
  HFONT font = CreateFontIndirectW(&log);
  int saved = SaveDC(dc);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  TRect r = *rect;
  r.Left += 2;
  DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  RestoreDC(dc, saved);
  DeleteObject(font);
  return TRUE;
}

BOOL DrawCaption(HWND window, HDC dc, const TRect* rect, UINT flags)
{
  TCaptionTextSource source;
  {
    std::lock_guard<std::mutex> lock(Captions().Lock);
    source = Captions().Source;
  }
  return DrawCaptionText(dc, rect, source && window ? source(window) : std::u16string(), flags);
}
