#include "platform/win/gdi/Text.h"

#include "platform/base/Utf.h"

#include <algorithm>
#include <cstring>

#include "platform/win/gdi/Objects.h"
#include "platform/win/gdi/detail/Raster.h"
#include "platform/win/gdi/detail/TextRun.h"

namespace gdi {

TTextRun TTextRun::FromUtf8(const char* text, int count)
{
  TTextRun run;
  run.AssignUtf8(text, count);
  return run;
}

TTextRun TTextRun::FromUtf16(const char16_t* text, int count)
{
  TTextRun run;
  run.AssignUtf16(text, count);
  return run;
}

// Both fill the run through a decoder that answers the next character and
// moves the index: the storage is sized once and written in place.
template <class View, class Decode>
void AssignRun(TTextRun& run, View view, Decode decode)
{
  run.Chars.resize(view.size());
  run.Units.resize(view.size() + 1);
  std::size_t n = 0;
  for (std::size_t i = 0; i < view.size(); ++n) {
    run.Units[n] = int(i);
    run.Chars[n] = decode(view, i);
  }
  run.Units[n] = int(view.size());
  run.Chars.resize(n);
  run.Units.resize(n + 1);
}

void TTextRun::AssignUtf8(const char* text, int count)
{
  std::string_view view;
  if (text)
    view = std::string_view(text, count < 0 ? std::strlen(text) : std::size_t(count));
  AssignRun(*this, view, [](std::string_view v, std::size_t& i) {
    return char8_t(v[i]) < 0x80 ? char32_t(v[i++]) : DecodeUtf8Char(v, i);
  });
}

void TTextRun::AssignUtf16(const char16_t* text, int count)
{
  std::u16string_view view;
  if (text)
    view = count < 0 ? std::u16string_view(text) : std::u16string_view(text, std::size_t(count));
  AssignRun(*this, view, [](std::u16string_view v, std::size_t& i) {
    return (v[i] & 0xF800) != 0xD800 ? char32_t(v[i++]) : DecodeUtf16Char(v, i);  // no surrogate: the unit itself
  });
}

std::shared_ptr<TFontInstance> SelectedFont(const TDC& dc)
{
  return dc.S.Font ? ResolvedFont(*dc.S.Font) : FontInstanceOf(LOGFONTW{});
}

std::vector<int> Advances(const TDC& dc, TFontInstance& font, const std::u32string& chars)
{
  std::vector<int> adv;
  Advances(dc, font, chars, adv);
  return adv;
}

void Advances(const TDC& dc, TFontInstance& font, const std::u32string& chars, std::vector<int>& adv)
{
  adv.resize(chars.size());
  font.AdvancesOf(chars.data(), chars.size(), adv.data());
  if (const int extra = dc.S.CharExtra)
    for (int& a : adv)
      a += extra;
  if (dc.S.JustBreakCount <= 0)
    return;
  const auto breaks = std::count(chars.begin(), chars.end(), U' ');
  // Justification spreads the extra over the break characters, the remainder to the first ones.
  if (breaks > 0) {
    int extra = dc.S.JustBreakExtra, count = dc.S.JustBreakCount, k = 0;
    for (std::size_t i = 0; i < chars.size(); ++i)
      if (chars[i] == U' ') {
        adv[i] += extra / count + (k < extra % count ? 1 : 0);
        ++k;
      }
  }
}

namespace {

// A text-space point (u along the baseline, b rows below it) as a surface pixel.
struct TOrient {
  int Quadrant = 0;  // escapement in quarter turns counter-clockwise
  TPoint Ref;        // surface
  TPoint Map(int u, int b) const
  {
    switch (Quadrant) {
    case 1: return {Ref.x + b, Ref.y - u - 1};
    case 2: return {Ref.x - u - 1, Ref.y - b - 1};
    case 3: return {Ref.x - b - 1, Ref.y + u};
    default: return {Ref.x + u, Ref.y + b};
    }
  }
  // The surface rectangle of text-space [u0, u1) x [b0, b1).
  TRect MapRect(int u0, int b0, int u1, int b1) const
  {
    TPoint p = Map(u0, b0), q = Map(u1 - 1, b1 - 1);
    return {std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x) + 1, std::max(p.y, q.y) + 1};
  }
};

void FillClipped(TDrawAccess& a, TRect r, const TRect* clip, uint32_t color)
{
  if (clip && !IntersectRect(r, r, *clip))
    return;
  PaintRect(a, r, SolidPattern(color), 0xF0);
}

}  // namespace

int DrawLine(TDrawAccess& a, TFontInstance& font, TPoint ref, const std::u32string& chars, const TLineDraw& o)
{
  const TDCState& s = a.State();
  std::vector<int> adv = o.Dx ? std::vector<int>(o.Dx, o.Dx + chars.size()) : Advances(a.DC(), font, chars);
  int width = 0;
  for (int v : adv)
    width += v;
  int esc = s.Font ? s.Font->Log.lfEscapement : 0;
  esc = ((esc % 3600) + 3600) % 3600;
  TOrient orient;
  orient.Quadrant = ((esc + 450) / 900) % 4;
  orient.Ref = a.ToSurface(ref);
  UINT align = s.TextAlign;
  int u0 = (align & TA_CENTER) == TA_CENTER ? -width / 2 : (align & TA_RIGHT) ? -width : 0;
  int ascent = font.Metrics.tmAscent, descent = font.Metrics.tmDescent;
  int boff = (align & TA_BASELINE) == TA_BASELINE ? 0 : (align & TA_BOTTOM) ? -descent : ascent;

  TRect clipStorage;
  const TRect* clip = nullptr;
  if (o.ClipRect) {
    clipStorage = a.ToSurface(*o.ClipRect);
    clip = &clipStorage;
  }
  uint32_t fg = a.PixelOf(s.TextColor);
  if (o.OpaqueRect)
    FillClipped(a, a.ToSurface(*o.OpaqueRect), clip, a.PixelOf(s.BkColor));
  if (o.Opaque && width > 0)
    FillClipped(a, orient.MapRect(u0, -ascent + boff, u0 + width, descent + boff), clip, a.PixelOf(s.BkColor));

  // Glyphs, each pixel blended over what is there by its coverage.
  int pen = u0;
  for (std::size_t i = 0; i < chars.size() && !o.PrefixOnly; ++i) {
    const TGlyph& g = font.Glyph(chars[i]);
    if (g.Width > 0) {
      TRect box = orient.MapRect(pen + g.Left, -g.Top + boff, pen + g.Left + g.Width, -g.Top + boff + g.Height);
      if (clip)
        IntersectRect(box, box, *clip);
      ForEachClipped(a, box, [&](const TRect& part) {
        for (int gy = 0; gy < g.Height; ++gy)
          for (int gx = 0; gx < g.Width; ++gx) {
            uint8_t c = g.Coverage[std::size_t(gy * g.Width + gx)];
            if (!c)
              continue;
            TPoint p = orient.Map(pen + g.Left + gx, -g.Top + boff + gy);
            if (!part.Contains(p))
              continue;
            uint32_t& d = a.Surface.Row(p.y)[p.x];
            if (c == 255 || a.Mono()) {
              if (c >= 128)
                d = fg;
              continue;
            }
            uint32_t out = d & 0xFF000000;
            for (int sh = 0; sh < 24; sh += 8) {
              uint32_t dc = (d >> sh) & 0xFF, fc = (fg >> sh) & 0xFF;
              out |= ((dc * (255u - c) + fc * c + 127) / 255) << sh;
            }
            d = out;
          }
      });
    }
    pen += adv[i];
  }
  // Underline and strike-out lines, and the underline of a prefixed character.
  auto rule = [&](int from, int to, int row, int thickness) {
    if (to > from)
      FillClipped(a, orient.MapRect(from, row + boff, to, row + boff + thickness), clip, fg);
  };
  if (!o.PrefixOnly) {
    if (font.Underline)
      rule(u0, u0 + width, font.UnderlinePosition, font.UnderlineThickness);
    if (font.StrikeOut)
      rule(u0, u0 + width, -font.StrikeOutPosition, font.StrikeOutThickness);
  }
  if (o.UnderlineIndex >= 0 && std::size_t(o.UnderlineIndex) < chars.size()) {
    int from = u0;
    for (int i = 0; i < o.UnderlineIndex; ++i)
      from += adv[std::size_t(i)];
    rule(from, from + adv[std::size_t(o.UnderlineIndex)], font.UnderlinePosition, font.UnderlineThickness);
  }
  return width;
}

}  // namespace gdi

using namespace gdi;

namespace {

HFONT NewFont(const LOGFONTW& log)
{
  auto f = std::make_shared<TGdiFont>();
  f->Log = log;
  return AddObject(f);
}

LOGFONTW Widen(const LOGFONTA& a)
{
  LOGFONTW w;
  std::memcpy(static_cast<void*>(&w), &a, offsetof(LOGFONTA, lfFaceName));
  WideString face = UTF8Decode(std::string_view(a.lfFaceName, strnlen(a.lfFaceName, LF_FACESIZE)));
  std::size_t k = 0;
  for (char16_t c : face)
    if (k + 1 < LF_FACESIZE)
      w.lfFaceName[k++] = c;
  return w;
}

template <class TM>
void CopyMetrics(const TEXTMETRICW& from, TM& to)
{
  to.tmHeight = from.tmHeight;
  to.tmAscent = from.tmAscent;
  to.tmDescent = from.tmDescent;
  to.tmInternalLeading = from.tmInternalLeading;
  to.tmExternalLeading = from.tmExternalLeading;
  to.tmAveCharWidth = from.tmAveCharWidth;
  to.tmMaxCharWidth = from.tmMaxCharWidth;
  to.tmWeight = from.tmWeight;
  to.tmOverhang = from.tmOverhang;
  to.tmDigitizedAspectX = from.tmDigitizedAspectX;
  to.tmDigitizedAspectY = from.tmDigitizedAspectY;
  using C = decltype(to.tmFirstChar);
  to.tmFirstChar = C(from.tmFirstChar);
  to.tmLastChar = C(std::min<int>(from.tmLastChar, sizeof(C) == 1 ? 0xFF : 0xFFFF));
  to.tmDefaultChar = C(from.tmDefaultChar);
  to.tmBreakChar = C(from.tmBreakChar);
  to.tmItalic = from.tmItalic;
  to.tmUnderlined = from.tmUnderlined;
  to.tmStruckOut = from.tmStruckOut;
  to.tmPitchAndFamily = from.tmPitchAndFamily;
  to.tmCharSet = from.tmCharSet;
}

// The run of a text being measured, in storage kept per thread.
const TTextRun& MeasuredRun(const char* text, int count)
{
  thread_local TTextRun run;
  run.AssignUtf8(text, count);
  return run;
}
const TTextRun& MeasuredRun(const char16_t* text, int count)
{
  thread_local TTextRun run;
  run.AssignUtf16(text, count);
  return run;
}

BOOL Extent(HDC h, const TTextRun& run, int maxExtent, int* fit, int* dx, TSize* size)
{
  auto dc = LookupDC(h);
  if (!dc || !size)
    return FALSE;
  auto font = SelectedFont(*dc);
  // Layout measures run after run: the advances reuse one buffer.
  thread_local std::vector<int> adv;
  Advances(*dc, *font, run.Chars, adv);
  int total = 0, fitted = 0;
  bool fitting = true;
  const std::size_t count = run.Chars.size();
  if (run.Units[count] == int(count) && !fit) {
    // One unit per character (no surrogate pair, no multi-byte sequence) and
    // nothing to fit: each unit's extent is the running total.
    for (std::size_t i = 0; i < count; ++i) {
      total += adv[i];
      if (dx)
        dx[i] = total;
    }
    *size = TSize(total, font->Metrics.tmHeight);
    return TRUE;
  }
  for (std::size_t i = 0; i < count; ++i) {
    total += adv[i];
    if (fitting && (!fit || total <= maxExtent))
      fitted = run.Units[i + 1];
    else
      fitting = false;
    // Every unit of a character carries the extent up to the character's end.
    if (dx)
      for (int u = run.Units[i]; u < run.Units[i + 1]; ++u)
        dx[u] = total;
  }
  if (fit)
    *fit = fitted;
  *size = TSize(total, font->Metrics.tmHeight);
  return TRUE;
}

BOOL TextOutRun(HDC h, int x, int y, const TTextRun& run, UINT options, const TRect* rect, const INT* dx)
{
  // Clipped text stays inside its rectangle; otherwise glyphs may reach anywhere.
  TDrawAccess a(h, rect && (options & ETO_CLIPPED) ? rect : nullptr);
  if (!a)
    return FALSE;
  auto font = SelectedFont(a.DC());
  TLineDraw o;
  std::vector<int> charDx;
  if (dx) {
    // The spacing array holds one entry per unit; a character advances by the sum of its units.
    for (std::size_t i = 0; i < run.Chars.size(); ++i) {
      int sum = 0;
      for (int u = run.Units[i]; u < run.Units[i + 1]; ++u)
        sum += dx[u];
      charDx.push_back(sum);
    }
    o.Dx = charDx.data();
  }
  o.Opaque = a.State().BkMode == OPAQUE && !(options & ETO_OPAQUE);
  if (rect && (options & ETO_OPAQUE))
    o.OpaqueRect = rect;
  if (rect && (options & ETO_CLIPPED))
    o.ClipRect = rect;
  bool updateCP = a.State().TextAlign & TA_UPDATECP;
  TPoint ref = updateCP ? a.State().CurrentPos : TPoint(x, y);
  int width = DrawLine(a, *font, ref, run.Chars, o);
  if (updateCP)
    a.State().CurrentPos.x += width;
  return TRUE;
}

}  // namespace

HFONT CreateFontIndirectA(const LOGFONTA* log) { return log ? NewFont(Widen(*log)) : nullptr; }
HFONT CreateFontIndirectW(const LOGFONTW* log) { return log ? NewFont(*log) : nullptr; }

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR face)
{
  LOGFONTA log{height, width, escapement, orientation, weight, BYTE(italic), BYTE(underline), BYTE(strikeOut),
               BYTE(charSet), BYTE(outPrecision), BYTE(clipPrecision), BYTE(quality), BYTE(pitchAndFamily), {}};
  if (face)
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirectA(&log);
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR face)
{
  LOGFONTW log{height, width, escapement, orientation, weight, BYTE(italic), BYTE(underline), BYTE(strikeOut),
               BYTE(charSet), BYTE(outPrecision), BYTE(clipPrecision), BYTE(quality), BYTE(pitchAndFamily), {}};
  for (int i = 0; face && face[i] && i < LF_FACESIZE - 1; ++i)
    log.lfFaceName[i] = face[i];
  return CreateFontIndirectW(&log);
}

BOOL GetTextMetricsW(HDC h, TEXTMETRICW* tm)
{
  auto dc = LookupDC(h);
  if (!dc || !tm)
    return FALSE;
  *tm = SelectedFont(*dc)->Metrics;
  return TRUE;
}

BOOL GetTextMetricsA(HDC h, TEXTMETRICA* tm)
{
  auto dc = LookupDC(h);
  if (!dc || !tm)
    return FALSE;
  CopyMetrics(SelectedFont(*dc)->Metrics, *tm);
  return TRUE;
}

UINT GetOutlineTextMetricsW(HDC h, UINT size, OUTLINETEXTMETRICW* otm)
{
  auto dc = LookupDC(h);
  if (!dc)
    return 0;
  if (!otm)
    return sizeof(OUTLINETEXTMETRICW);
  if (size < sizeof(OUTLINETEXTMETRICW))
    return 0;
  auto font = SelectedFont(*dc);
  *otm = OUTLINETEXTMETRICW();
  otm->otmTextMetrics = font->Metrics;
  otm->otmEMSquare = UINT(font->EmHeight);
  otm->otmAscent = font->Metrics.tmAscent;
  otm->otmDescent = -font->Metrics.tmDescent;
  otm->otmLineGap = UINT(font->Metrics.tmExternalLeading);
  otm->otmrcFontBox = TRect(0, font->Metrics.tmAscent, font->Metrics.tmMaxCharWidth, -font->Metrics.tmDescent);
  otm->otmsUnderscoreSize = font->UnderlineThickness;
  otm->otmsUnderscorePosition = -font->UnderlinePosition;
  otm->otmsStrikeoutSize = UINT(font->StrikeOutThickness);
  otm->otmsStrikeoutPosition = font->StrikeOutPosition;
  return sizeof(OUTLINETEXTMETRICW);
}

int GetTextFaceW(HDC h, int count, LPWSTR face)
{
  auto dc = LookupDC(h);
  if (!dc)
    return 0;
  // The family name is UTF-8, as the 8-bit form answers it.
  WideString name = UTF8Decode(SelectedFont(*dc)->FamilyName);
  if (!face)
    return int(name.size()) + 1;
  return CopyWholeCharacters<char16_t>(name, count, face);
}

int GetTextFaceA(HDC h, int count, LPSTR face)
{
  auto dc = LookupDC(h);
  if (!dc)
    return 0;
  std::string name = SelectedFont(*dc)->FamilyName;
  if (!face)
    return int(name.size()) + 1;
  return CopyWholeCharacters<char>(name, count, face);
}

BOOL GetCharWidth32W(HDC h, UINT first, UINT last, INT* widths)
{
  auto dc = LookupDC(h);
  if (!dc || !widths || last < first || last - first > 0x10FFFF)
    return FALSE;
  auto font = SelectedFont(*dc);
  for (UINT c = first; c <= last; ++c)
    widths[c - first] = font->Advance(char32_t(c));
  return TRUE;
}

BOOL GetCharWidth32A(HDC h, UINT first, UINT last, INT* widths) { return GetCharWidth32W(h, first, last, widths); }

BOOL GetCharABCWidthsW(HDC h, UINT first, UINT last, ABC* widths)
{
  auto dc = LookupDC(h);
  if (!dc || !widths || last < first || last - first > 0x10FFFF)
    return FALSE;
  auto font = SelectedFont(*dc);
  for (UINT c = first; c <= last; ++c) {
    const TGlyph& g = font->Glyph(char32_t(c));
    ABC& abc = widths[c - first];
    if (g.Width <= 0) {
      abc = {0, UINT(std::max(g.Advance, 0)), 0};
      continue;
    }
    abc.abcA = g.Left;
    abc.abcB = UINT(g.Width);
    abc.abcC = g.Advance - g.Left - g.Width;
  }
  return TRUE;
}

BOOL GetCharABCWidthsA(HDC h, UINT first, UINT last, ABC* widths) { return GetCharABCWidthsW(h, first, last, widths); }

BOOL GetTextExtentPoint32A(HDC h, LPCSTR text, int count, TSize* size)
{
  return count >= 0 && Extent(h, MeasuredRun(text, count), 0, nullptr, nullptr, size);
}
BOOL GetTextExtentPoint32W(HDC h, LPCWSTR text, int count, TSize* size)
{
  return count >= 0 && Extent(h, MeasuredRun(text, count), 0, nullptr, nullptr, size);
}
BOOL GetTextExtentExPointA(HDC h, LPCSTR text, int count, int maxExtent, int* fit, int* dx, TSize* size)
{
  return count >= 0 && Extent(h, MeasuredRun(text, count), maxExtent, fit, dx, size);
}
BOOL GetTextExtentExPointW(HDC h, LPCWSTR text, int count, int maxExtent, int* fit, int* dx, TSize* size)
{
  return count >= 0 && Extent(h, MeasuredRun(text, count), maxExtent, fit, dx, size);
}

BOOL TextOutA(HDC h, int x, int y, LPCSTR text, int count)
{
  return count >= 0 && TextOutRun(h, x, y, TTextRun::FromUtf8(text, count), 0, nullptr, nullptr);
}
BOOL TextOutW(HDC h, int x, int y, LPCWSTR text, int count)
{
  return count >= 0 && TextOutRun(h, x, y, TTextRun::FromUtf16(text, count), 0, nullptr, nullptr);
}
BOOL ExtTextOutA(HDC h, int x, int y, UINT options, const TRect* rect, LPCSTR text, UINT count, const INT* dx)
{
  return TextOutRun(h, x, y, TTextRun::FromUtf8(text ? text : "", text ? int(count) : 0), options, rect, dx);
}
BOOL ExtTextOutW(HDC h, int x, int y, UINT options, const TRect* rect, LPCWSTR text, UINT count, const INT* dx)
{
  return TextOutRun(h, x, y, TTextRun::FromUtf16(text ? text : u"", text ? int(count) : 0), options, rect, dx);
}
