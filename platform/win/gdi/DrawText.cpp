#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/base/Utf.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/detail/TextRun.h"

using namespace gdi;

namespace {

struct TLine {
  std::u32string Text;
  std::vector<int> Underlines;  // indexes of prefixed characters
};

class TFormatter {
public:
  TFormatter(TDC& dc, TFontInstance& font, UINT format, int tabLength) : FDC(dc), FFont(font), FFormat(format)
  {
    int ave = std::max<int>(1, font.Metrics.tmAveCharWidth);
    int chars = (format & DT_TABSTOP) ? int((format >> 8) & 0xFF) : tabLength > 0 ? tabLength : 8;
    FTab = std::max(1, chars) * ave;
  }

  bool ExpandTabs() const { return FFormat & DT_EXPANDTABS; }
  int TabWidth() const { return FTab; }

  // The advances of a line, tabs taking the room to the next stop.
  std::vector<int> AdvancesOf(const std::u32string& text) const
  {
    std::vector<int> adv = Advances(FDC, FFont, text);
    if (ExpandTabs()) {
      int x = 0;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\t')
          adv[i] = (x / FTab + 1) * FTab - x;
        x += adv[i];
      }
    }
    return adv;
  }
  int Width(const std::u32string& text) const
  {
    int w = 0;
    for (int a : AdvancesOf(text))
      w += a;
    return w;
  }

  // Removes the "&" marks: "&&" is one "&", "&x" underlines x.
  TLine Prefix(const std::u32string& text) const
  {
    TLine line;
    if (FFormat & DT_NOPREFIX) {
      line.Text = text;
      return line;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == U'&') {
        if (i + 1 >= text.size())
          break;  // a lone "&" at the end shows nothing
        ++i;
        if (text[i] != U'&')
          line.Underlines.push_back(int(line.Text.size()));
      }
      line.Text += text[i];
    }
    return line;
  }

  // Greedy breaking at spaces; a word wider than the limit stays whole.
  std::vector<TLine> Wrap(const TLine& para, int limit) const
  {
    std::vector<TLine> out;
    std::u32string t = para.Text;
    std::size_t start = 0;
    while (true) {
      std::vector<int> adv = AdvancesOf(t.substr(start));
      std::size_t n = t.size() - start, end = n, lastBreak = std::string::npos;
      int x = 0;
      for (std::size_t i = 0; i < n; ++i) {
        if (t[start + i] == U' ')
          lastBreak = i;
        if (x + adv[i] > limit && t[start + i] != U' ' && i > 0) {
          end = lastBreak != std::string::npos ? lastBreak : std::string::npos;
          if (end == std::string::npos) {
            // No space yet: the word runs on to the next space.
            std::size_t next = t.find(U' ', start + i);
            end = next == std::u32string::npos ? n : next - start;
          }
          break;
        }
        x += adv[i];
      }
      TLine line;
      line.Text = t.substr(start, end);
      for (int u : para.Underlines)
        if (u >= int(start) && u < int(start + end))
          line.Underlines.push_back(u - int(start));
      // Spaces at the end of a broken line are dropped.
      while (!line.Text.empty() && line.Text.back() == U' ' && end < n)
        line.Text.pop_back();
      out.push_back(line);
      if (end >= n)
        break;
      start += end;
      while (start < t.size() && t[start] == U' ')
        ++start;
      if (start >= t.size())
        break;
    }
    return out;
  }

  // Shortens a line wider than limit with the ellipsis the format asks for.
  void Ellipsis(TLine& line, int limit) const
  {
    if (!(FFormat & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) || Width(line.Text) <= limit)
      return;
    const std::u32string dots = U"...";
    auto longestPrefix = [&](const std::u32string& text, const std::u32string& tail, bool atWord) {
      std::size_t best = 0;
      for (std::size_t n = 0; n <= text.size(); ++n) {
        if (atWord && n < text.size() && n > 0 && text[n] != U' ')
          continue;
        if (Width(text.substr(0, n) + tail) <= limit)
          best = n;
        else if (!atWord)
          break;
      }
      return best;
    };
    std::u32string result;
    if (FFormat & DT_PATH_ELLIPSIS) {
      std::size_t slash = line.Text.find_last_of(U"\\/");
      if (slash != std::u32string::npos && slash > 0) {
        std::u32string tail = dots + line.Text.substr(slash);
        std::u32string head = line.Text.substr(0, slash);
        result = head.substr(0, longestPrefix(head, tail, false)) + tail;
        if (Width(result) <= limit || !(FFormat & DT_END_ELLIPSIS)) {
          Replace(line, result);
          return;
        }
        line.Text = result;
      }
    }
    bool atWord = (FFormat & DT_WORD_ELLIPSIS) && !(FFormat & DT_END_ELLIPSIS);
    std::size_t n = longestPrefix(line.Text, dots, atWord);
    std::u32string head = line.Text.substr(0, n);
    while (atWord && !head.empty() && head.back() == U' ')
      head.pop_back();
    Replace(line, head + dots);
  }

private:
  static void Replace(TLine& line, std::u32string text)
  {
    std::size_t keep = text.size() >= 3 ? text.size() - 3 : 0;
    std::vector<int> under;
    for (int u : line.Underlines)
      if (std::size_t(u) < keep && u < int(text.size()) && line.Text[std::size_t(u)] == text[std::size_t(u)])
        under.push_back(u);
    line.Underlines = under;
    line.Text = std::move(text);
  }

  TDC& FDC;
  TFontInstance& FFont;
  UINT FFormat;
  int FTab = 64;
};

int DrawTextRun(HDC h, const TTextRun& run, TRect* rect, UINT format, DRAWTEXTPARAMS* params, std::u32string* modified)
{
  if (!rect)
    return 0;
  // Text is clipped to the rectangle unless told not to; measuring draws nothing.
  const TRect nothing;
  TDrawAccess a(h, (format & DT_CALCRECT) ? &nothing : (format & DT_NOCLIP) ? nullptr : rect);
  if (!a && !LookupDC(h))
    return 0;
  std::shared_ptr<TDC> dcHolder = LookupDC(h);
  TDC& dc = *dcHolder;
  auto font = SelectedFont(dc);
  TFormatter f(dc, *font, format, params ? params->iTabLength : 0);
  int lineHeight = font->Metrics.tmHeight + ((format & DT_EXTERNALLEADING) ? font->Metrics.tmExternalLeading : 0);
  TRect box = *rect;
  if (params) {
    box.Left += params->iLeftMargin;
    box.Right -= params->iRightMargin;
  }
  int limit = box.Width();

  // 1. Paragraphs, 2. prefixes, 3. breaking, 4. ellipses.
  std::vector<std::u32string> paragraphs;
  std::u32string text = run.Chars;
  if (format & DT_SINGLELINE) {
    std::u32string flat;
    for (char32_t c : text)
      if (c != U'\r' && c != U'\n')
        flat += c;
    paragraphs.push_back(flat);
  } else {
    std::u32string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == U'\r' || text[i] == U'\n') {
        paragraphs.push_back(cur);
        cur.clear();
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n')
          ++i;
      } else {
        cur += text[i];
      }
    }
    paragraphs.push_back(cur);
  }
  std::vector<TLine> lines;
  bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
  for (const auto& p : paragraphs) {
    TLine line = f.Prefix(p);
    if (wrap) {
      auto parts = f.Wrap(line, limit);
      lines.insert(lines.end(), parts.begin(), parts.end());
    } else {
      lines.push_back(line);
    }
  }
  for (auto& line : lines)
    f.Ellipsis(line, limit);
  if (modified && !lines.empty())
    *modified = lines.front().Text;

  int maxWidth = 0;
  for (const auto& line : lines)
    maxWidth = std::max(maxWidth, f.Width(line.Text));
  int height = int(lines.size()) * lineHeight;
  if (params)
    params->uiLengthDrawn = UINT(run.Units.empty() ? 0 : run.Units.back());

  if (format & DT_CALCRECT) {
    int width = wrap && lines.size() > 1 ? std::max(limit, maxWidth) : maxWidth;
    rect->Right = box.Left + width + (params ? params->iRightMargin : 0);
    rect->Bottom = rect->Top + height;
    return height;
  }
  if (!a)
    return 0;

  // 5. Placement and drawing, text cells from their top-left corners.
  int y = box.Top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = box.Top + (box.Height() - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      y = box.Bottom - lineHeight;
  }
  int result = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? y - box.Top + height : height;
  UINT savedAlign = std::exchange(dc.S.TextAlign, TA_LEFT | TA_TOP);
  TRect clip = *rect;
  for (const auto& line : lines) {
    int w = f.Width(line.Text);
    int x = (format & DT_CENTER) ? box.Left + (limit - w) / 2 : (format & DT_RIGHT) ? box.Right - w : box.Left;
    TLineDraw o;
    o.Opaque = dc.S.BkMode == OPAQUE;
    o.ClipRect = (format & DT_NOCLIP) ? nullptr : &clip;
    o.PrefixOnly = format & DT_PREFIXONLY;
    std::vector<int> adv = f.AdvancesOf(line.Text);
    o.Dx = adv.data();
    if (line.Underlines.empty() || (format & DT_HIDEPREFIX)) {
      if (!o.PrefixOnly)
        DrawLine(a, *font, {x, y}, line.Text, o);
    } else {
      bool first = true;
      for (int u : line.Underlines) {
        o.UnderlineIndex = u;
        o.PrefixOnly = (format & DT_PREFIXONLY) || !first;
        o.Opaque = o.Opaque && first;
        DrawLine(a, *font, {x, y}, line.Text, o);
        first = false;
      }
    }
    y += lineHeight;
  }
  dc.S.TextAlign = savedAlign;
  return result;
}

}  // namespace

int DrawTextA(HDC h, LPCSTR text, int count, TRect* rect, UINT format)
{
  return DrawTextRun(h, TTextRun::FromUtf8(text, count), rect, format, nullptr, nullptr);
}

int DrawTextW(HDC h, LPCWSTR text, int count, TRect* rect, UINT format)
{
  return DrawTextRun(h, TTextRun::FromUtf16(text, count), rect, format, nullptr, nullptr);
}

int DrawTextExW(HDC h, LPWSTR text, int count, TRect* rect, UINT format, DRAWTEXTPARAMS* params)
{
  TTextRun run = TTextRun::FromUtf16(text, count);
  std::u32string modified;
  int result = DrawTextRun(h, run, rect, format, params, (format & DT_MODIFYSTRING) ? &modified : nullptr);
  if ((format & DT_MODIFYSTRING) && text && count >= 0 && !modified.empty() && modified != run.Chars) {
    // The caller's buffer holds count + 4 units (the room an ellipsis needs).
    std::u16string out;
    for (char32_t c : modified)
      AppendUtf16(out, c);
    CopyWholeCharacters<char16_t>(out, count + 4, text);
  }
  return result;
}

int DrawTextExA(HDC h, LPSTR text, int count, TRect* rect, UINT format, DRAWTEXTPARAMS* params)
{
  TTextRun run = TTextRun::FromUtf8(text, count);
  std::u32string modified;
  int result = DrawTextRun(h, run, rect, format, params, (format & DT_MODIFYSTRING) ? &modified : nullptr);
  if ((format & DT_MODIFYSTRING) && text && count >= 0 && !modified.empty() && modified != run.Chars) {
    std::string out;
    for (char32_t c : modified)
      AppendUtf8(out, c);
    CopyWholeCharacters<char>(out, count + 4, text);
  }
  return result;
}

namespace {
LONG TabbedRun(HDC h, int x, int y, const TTextRun& run, int tabCount, const INT* tabs, int origin, bool draw)
{
  auto dcHolder = LookupDC(h);
  if (!dcHolder)
    return 0;
  auto font = SelectedFont(*dcHolder);
  std::vector<int> adv = Advances(*dcHolder, *font, run.Chars);
  int ave = std::max<int>(1, font->Metrics.tmAveCharWidth);
  auto nextStop = [&](int pos) {
    if (tabCount <= 0 || !tabs)
      return ((pos - origin) / (8 * ave) + 1) * 8 * ave + origin;
    if (tabCount == 1)
      return ((pos - origin) / std::max(1, tabs[0]) + 1) * std::max(1, tabs[0]) + origin;
    for (int i = 0; i < tabCount; ++i)
      if (tabs[i] + origin > pos)
        return tabs[i] + origin;
    return pos;  // past the last stop: no move
  };
  int pos = x;
  std::size_t segment = 0;
  std::optional<TDrawAccess> a;
  if (draw)
    a.emplace(h);
  auto flush = [&](std::size_t end) {
    if (draw && *a && end > segment) {
      TLineDraw o;
      o.Opaque = dcHolder->S.BkMode == OPAQUE;
      o.Dx = adv.data() + segment;
      DrawLine(*a, *font, {pos, y}, run.Chars.substr(segment, end - segment), o);
    }
    for (std::size_t i = segment; i < end; ++i)
      pos += adv[i];
  };
  for (std::size_t i = 0; i < run.Chars.size(); ++i)
    if (run.Chars[i] == U'\t') {
      flush(i);
      pos = nextStop(pos);
      segment = i + 1;
    }
  flush(run.Chars.size());
  return LONG(MAKELONG(WORD(pos - x), WORD(font->Metrics.tmHeight)));
}
}  // namespace

LONG TabbedTextOutW(HDC h, int x, int y, LPCWSTR text, int count, int tabCount, const INT* tabs, int origin)
{
  return TabbedRun(h, x, y, TTextRun::FromUtf16(text, count), tabCount, tabs, origin, true);
}
LONG TabbedTextOutA(HDC h, int x, int y, LPCSTR text, int count, int tabCount, const INT* tabs, int origin)
{
  return TabbedRun(h, x, y, TTextRun::FromUtf8(text, count), tabCount, tabs, origin, true);
}
DWORD GetTabbedTextExtentW(HDC h, LPCWSTR text, int count, int tabCount, const INT* tabs)
{
  return DWORD(TabbedRun(h, 0, 0, TTextRun::FromUtf16(text, count), tabCount, tabs, 0, false));
}
DWORD GetTabbedTextExtentA(HDC h, LPCSTR text, int count, int tabCount, const INT* tabs)
{
  return DWORD(TabbedRun(h, 0, 0, TTextRun::FromUtf8(text, count), tabCount, tabs, 0, false));
}
