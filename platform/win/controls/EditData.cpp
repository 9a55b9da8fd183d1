#include "platform/win/controls/EditData.h"

#include <algorithm>

#include "platform/base/CaseMap.h"
#include "platform/base/Utf.h"

namespace controls {

TEditData::TEditData(HWND hwnd, DWORD style) : Hwnd(hwnd), Style(style)
{
  if (style & ES_PASSWORD)
    Password = U'*';
  if (Multi())
    Limit = 0xFFFFFFFF;
  FontMetrics(Font, LineHeight, AveChar);
}

bool TEditData::IsBreakAt(int pos) const
{
  return Multi() && pos + 1 < Length() && Text[std::size_t(pos)] == '\r' && Text[std::size_t(pos) + 1] == '\n';
}

int TEditData::NextPos(int pos) const
{
  if (IsBreakAt(pos))
    return pos + 2;
  return NextCharPos(Text, pos);
}

int TEditData::PrevPos(int pos) const
{
  if (pos >= 2 && IsBreakAt(pos - 2))
    return pos - 2;
  return PrevCharPos(Text, pos);
}

int TEditData::Snap(int pos) const
{
  pos = int(CutAtCharBoundary(Text, std::size_t(std::clamp(pos, 0, Length()))).size());
  if (pos > 0 && IsBreakAt(pos - 1))
    --pos;
  return pos;
}

void TEditData::UpdateFormatRect()
{
  if (FormatSet)
    return;
  TRect client;
  GetClientRect(Hwnd, &client);
  FormatRect = client;
  FormatRect.Left += LeftMargin;
  FormatRect.Right = std::max(FormatRect.Left, FormatRect.Right - RightMargin);
  if (!Multi() && client.Height() > LineHeight) {
    // A single line sits at the top, one pixel down when there is room for it.
    FormatRect.Top += (GetWindowLongPtr(Hwnd, GWL_STYLE) & WS_BORDER) ? 1 : 0;
  }
}

int TEditData::Extent(HDC dc, int start, int length) const
{
  if (length <= 0)
    return 0;
  if (Password) {
    std::string one;
    AppendUtf8(one, Password);
    TSize s;
    GetTextExtentPoint32A(dc, one.data(), int(one.size()), &s);
    return s.cx * int(Utf8Length(std::string_view(Text).substr(std::size_t(start), std::size_t(length))));
  }
  if (Multi()) {
    DWORD e = GetTabbedTextExtentA(dc, Text.data() + start, length, int(TabStops.size()),
                                   TabStops.empty() ? nullptr : TabStops.data());
    return LOWORD(e);
  }
  TSize s;
  GetTextExtentPoint32A(dc, Text.data() + start, length, &s);
  return s.cx;
}

void TEditData::Relayout()
{
  UpdateFormatRect();
  Lines.clear();
  MaxLineWidth = 0;
  TMeasureDC m(Hwnd, Font);
  HDC dc = m.Handle();
  int width = std::max(1, FormatRect.Width());
  int n = Length();
  int start = 0;
  for (;;) {
    // One paragraph: up to the next hard line end.
    int end = start;
    if (Multi()) {
      std::size_t found = Text.find("\r\n", std::size_t(start));
      end = found == std::string::npos ? n : int(found);
    } else {
      end = n;
    }
    int next = end < n ? end + 2 : n;
    int s = start;
    if (Wraps()) {
      while (Extent(dc, s, end - s) > width) {
        // The longest run of whole characters that fits, at least one.
        int lo = NextCharPos(Text, s), hi = end;
        if (Extent(dc, s, lo - s) <= width) {
          while (lo < hi) {
            int mid = Snap(lo + (hi - lo + 1) / 2);
            if (mid <= lo)
              mid = NextCharPos(Text, lo);
            if (mid > hi)
              break;
            if (Extent(dc, s, mid - s) <= width)
              lo = mid;
            else
              hi = PrevCharPos(Text, mid);
          }
        }
        int fit = lo;
        // Break after the last space that fits; spaces hang past the edge.
        int cut = fit;
        int sp = fit;
        while (sp < end && Text[std::size_t(sp)] == ' ')
          ++sp;
        if (sp > fit) {
          cut = sp;
        } else {
          for (int i = fit; i > s; --i)
            if (Text[std::size_t(i) - 1] == ' ') {
              cut = i;
              break;
            }
        }
        if (cut >= end)
          break;
        Lines.push_back({s, cut - s, cut});
        s = cut;
      }
    }
    Lines.push_back({s, end - s, next});
    if (end >= n)
      break;
    start = next;
  }
  for (int i = 0; i < int(Lines.size()); ++i)
    MaxLineWidth = std::max(MaxLineWidth, Extent(dc, Lines[std::size_t(i)].Start, Lines[std::size_t(i)].Length));
  FirstLine = std::clamp(FirstLine, 0, std::max(0, int(Lines.size()) - 1));
}

int TEditData::LineOf(int pos) const
{
  // The last line starting at or before pos (a position at a soft break
  // belongs to the line it starts).
  int lo = 0, hi = int(Lines.size()) - 1;
  while (lo < hi) {
    int mid = (lo + hi + 1) / 2;
    if (Lines[std::size_t(mid)].Start <= pos)
      lo = mid;
    else
      hi = mid - 1;
  }
  return std::max(0, lo);
}

int TEditData::VisibleLines() const { return std::max(1, FormatRect.Height() / std::max(1, LineHeight)); }

int TEditData::LineWidth(HDC dc, int line) const
{
  const TEditLine& l = Lines[std::size_t(line)];
  return Extent(dc, l.Start, l.Length);
}

int TEditData::XOf(HDC dc, int pos) const
{
  const TEditLine& l = Lines[std::size_t(LineOf(pos))];
  return Extent(dc, l.Start, std::min(pos, l.Start + l.Length) - l.Start);
}

int TEditData::PosAtX(HDC dc, int line, int x) const
{
  const TEditLine& l = Lines[std::size_t(std::clamp(line, 0, int(Lines.size()) - 1))];
  int end = l.Start + l.Length;
  int prevX = 0;
  for (int p = l.Start; p < end;) {
    int q = NextCharPos(Text, p);
    int qx = Extent(dc, l.Start, q - l.Start);
    if (x < (prevX + qx + 1) / 2)
      return p;
    prevX = qx;
    p = q;
  }
  return end;
}

int TEditData::AlignOffset(HDC dc, int line) const
{
  DWORD align = Style & (ES_CENTER | ES_RIGHT);
  if (!align)
    return 0;
  int room = FormatRect.Width() - LineWidth(dc, line);
  if (room <= 0)
    return 0;
  return (align & ES_RIGHT) ? room : room / 2;
}

TPoint TEditData::ClientPosOf(int pos)
{
  TMeasureDC m(Hwnd, Font);
  int line = LineOf(pos);
  int x = FormatRect.Left + AlignOffset(m.Handle(), line) + XOf(m.Handle(), pos) - XOffset;
  int y = FormatRect.Top + (Multi() ? (line - FirstLine) * LineHeight : 0);
  return TPoint(x, y);
}

int TEditData::PosAtClient(TPoint pt, int* lineOut)
{
  TMeasureDC m(Hwnd, Font);
  int line = 0;
  if (Multi()) {
    int dy = pt.y - FormatRect.Top;
    int rel = dy >= 0 ? dy / LineHeight : -((-dy + LineHeight - 1) / LineHeight);
    line = std::clamp(FirstLine + rel, 0, int(Lines.size()) - 1);
  }
  if (lineOut)
    *lineOut = line;
  return PosAtX(m.Handle(), line, pt.x - FormatRect.Left - AlignOffset(m.Handle(), line) + XOffset);
}

std::string TEditData::Prepared(const std::string& text) const
{
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (!Multi())
        break;  // a single line takes the first line of what is pasted
      out += "\r\n";
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    if (c == 0)
      break;
    char32_t u = DecodeUtf8Char(text, i);
    if (Style & ES_UPPERCASE)
      u = UnicodeToUpper(u);
    else if (Style & ES_LOWERCASE)
      u = UnicodeToLower(u);
    AppendUtf8(out, u);
  }
  return out;
}

void TEditData::SaveUndo(bool typing, int insertAt)
{
  // A run of typed characters is one step: it goes on while each new
  // character lands where the last one ended.
  if (typing && TypingEnd >= 0 && insertAt == TypingEnd && Anchor == Caret)
    return;
  UndoText = Text;
  UndoAnchor = Anchor;
  UndoCaret = Caret;
  CanUndo = true;
}

bool TEditData::Replace(const std::string& with, bool undoable, bool typing)
{
  int from = SelMin(), to = SelMax();
  std::string insert = with;
  std::size_t room = Limit >= 0x7FFFFFFF ? std::string::npos
                                          : std::size_t(std::max<long long>(0, (long long)Limit - (Length() - (to - from))));
  bool cut = false;
  if (room != std::string::npos && insert.size() > room) {
    std::size_t n = CutAtCharBoundary(insert, room).size();
    if (n > 0 && insert[n - 1] == '\r')
      --n;
    insert.resize(n);
    cut = true;
  }
  if (cut && insert.empty() && from == to)
    return false;
  if (undoable)
    SaveUndo(typing, from);
  else if (!typing)
    CanUndo = false;
  Text.replace(std::size_t(from), std::size_t(to - from), insert);
  Anchor = Caret = from + int(insert.size());
  TypingEnd = typing ? Caret : -1;
  Modified = true;
  Relayout();
  return !cut;
}

void TEditData::Undo()
{
  if (!CanUndo)
    return;
  std::swap(Text, UndoText);
  std::swap(Anchor, UndoAnchor);
  std::swap(Caret, UndoCaret);
  Anchor = std::clamp(Anchor, 0, Length());
  Caret = std::clamp(Caret, 0, Length());
  TypingEnd = -1;
  Modified = true;
  Relayout();
}

void TEditData::ScrollCaretIntoView()
{
  if (Lines.empty())
    return;
  int line = LineOf(Caret);
  if (Multi()) {
    int visible = VisibleLines();
    if (line < FirstLine)
      FirstLine = line;
    else if (line >= FirstLine + visible)
      FirstLine = line - visible + 1;
  }
  if (Wraps()) {
    XOffset = 0;
    return;
  }
  TMeasureDC m(Hwnd, Font);
  int x = AlignOffset(m.Handle(), line) + XOf(m.Handle(), Caret);
  int width = std::max(1, FormatRect.Width());
  if (x < XOffset) {
    XOffset = std::max(0, x - width / 4);
  } else if (x >= XOffset + width) {
    // A third of the width comes in at a time, as the classic single line does.
    XOffset = x - width + std::max(1, width / 3);
    XOffset = std::min(XOffset, std::max(0, MaxLineWidth - width + 1));
    XOffset = std::max(XOffset, x - width + 1);
  }
}

void TEditData::UpdateScrollBars()
{
  LONG_PTR style = GetWindowLongPtr(Hwnd, GWL_STYLE);
  if (!Multi())
    return;
  if (style & WS_VSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = int(Lines.size()) - 1 + VisibleLines() - 1;
    si.nPage = UINT(VisibleLines());
    si.nPos = FirstLine;
    SetScrollInfo(Hwnd, SB_VERT, &si, TRUE);
  }
  if (style & WS_HSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(MaxLineWidth, FormatRect.Width()) - 1;
    si.nPage = UINT(std::max(1, FormatRect.Width()));
    si.nPos = XOffset;
    SetScrollInfo(Hwnd, SB_HORZ, &si, TRUE);
  }
}

void TEditData::PlaceCaret()
{
  if (!Focused)
    return;
  TPoint p = ClientPosOf(Caret);
  SetCaretPos(p.x, p.y);
}

void TEditData::SetSelection(int anchor, int caret, bool scroll)
{
  int oldFirst = FirstLine, oldX = XOffset;
  Anchor = Snap(anchor);
  Caret = Snap(caret);
  TypingEnd = -1;
  if (scroll)
    ScrollCaretIntoView();
  if (oldFirst != FirstLine || oldX != XOffset)
    UpdateScrollBars();
  Invalidate();
  PlaceCaret();
}

namespace {
bool IsWordChar(const std::string& t, int pos)
{
  unsigned char c = static_cast<unsigned char>(t[std::size_t(pos)]);
  return !(c == ' ' || c == '\t' || c == '\r' || c == '\n');
}
}  // namespace

int TEditData::WordStart(int pos) const
{
  // Back over spaces, then over the word.
  int p = pos;
  while (p > 0 && !IsWordChar(Text, PrevPos(p)))
    p = PrevPos(p);
  while (p > 0 && IsWordChar(Text, PrevPos(p)))
    p = PrevPos(p);
  return p;
}

int TEditData::WordEnd(int pos) const
{
  // Over the word, then over the spaces after it (not over a line end).
  int p = pos, n = Length();
  while (p < n && IsWordChar(Text, p))
    p = NextPos(p);
  while (p < n && (Text[std::size_t(p)] == ' ' || Text[std::size_t(p)] == '\t'))
    p = NextPos(p);
  if (p == pos && p < n)
    p = NextPos(p);
  return p;
}

}  // namespace controls
