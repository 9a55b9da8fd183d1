// The edit control's view: painting the text and the selection, and
// scrolling by lines and pixels from the scroll bars and the wheel.
#include <algorithm>

#include "platform/base/Utf.h"
#include "platform/win/controls/EditData.h"
#include "platform/win/controls/EditHandlers.h"

using namespace controls;
using namespace controls::edit;

namespace controls::edit {

void Paint(TEditData* e)
{
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(e->Hwnd, &ps);
  if (!dc)
    return;
  LONG_PTR style = GetWindowLongPtr(e->Hwnd, GWL_STYLE);
  bool enabled = !(style & WS_DISABLED);
  // Read-only and disabled edits take the static colours.
  UINT msg = (enabled && !(style & ES_READONLY)) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(e->Font));
  HBRUSH brush = ControlBrush(e->Hwnd, dc, msg);
  TRect client;
  GetClientRect(e->Hwnd, &client);
  FillRect(dc, &client, brush);
  if (!enabled)
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
  SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, e->FormatRect.Left, e->FormatRect.Top, e->FormatRect.Right,
                    std::max(e->FormatRect.Bottom, e->FormatRect.Top + e->LineHeight));
  bool showSel = (e->Focused || (style & ES_NOHIDESEL)) && e->SelMin() != e->SelMax();
  int first = e->Multi() ? e->FirstLine : 0;
  int last = e->Multi() ? std::min(int(e->Lines.size()) - 1, first + e->VisibleLines()) : 0;
  std::string shown;
  for (int i = first; i <= last && i < int(e->Lines.size()); ++i) {
    const TEditLine& l = e->Lines[std::size_t(i)];
    int x0 = e->FormatRect.Left + e->AlignOffset(dc, i) - e->XOffset;
    int y = e->FormatRect.Top + (i - first) * e->LineHeight;
    // Three runs: before, inside and after the selection.
    int cuts[4] = {l.Start, std::clamp(e->SelMin(), l.Start, l.Start + l.Length),
                   std::clamp(e->SelMax(), l.Start, l.Start + l.Length), l.Start + l.Length};
    if (!showSel)
      cuts[1] = cuts[2] = cuts[3];
    for (int run = 0; run < 3; ++run) {
      int a = cuts[run], b = cuts[run + 1];
      bool sel = run == 1;
      int xa = x0 + e->Extent(dc, l.Start, a - l.Start);
      int xb = x0 + e->Extent(dc, l.Start, b - l.Start);
      if (sel && showSel) {
        // The selection of a line that goes on past its end shows one space more.
        if (e->SelMax() > l.Start + l.Length && b == l.Start + l.Length && i + 1 < int(e->Lines.size()))
          xb += e->AveChar / 2;
        TRect r(xa, y, xb, y + e->LineHeight);
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        SetTextColor(dc, text);
      }
      if (b <= a)
        continue;
      if (e->Password) {
        shown.clear();
        std::string one;
        AppendUtf8(one, e->Password);
        std::size_t count = Utf8Length(std::string_view(e->Text).substr(std::size_t(a), std::size_t(b - a)));
        for (std::size_t k = 0; k < count; ++k)
          shown += one;
        TextOutA(dc, xa, y, shown.data(), int(shown.size()));
      } else if (e->Multi()) {
        TabbedTextOutA(dc, xa, y, e->Text.data() + a, b - a, int(e->TabStops.size()),
                       e->TabStops.empty() ? nullptr : e->TabStops.data(), x0);
      } else {
        TextOutA(dc, xa, y, e->Text.data() + a, b - a);
      }
    }
  }
  SetBkColor(dc, back);
  SelectObject(dc, oldFont);
  EndPaint(e->Hwnd, &ps);
}

void ScrollLines(TEditData* e, int lines, bool notify)
{
  int old = e->FirstLine;
  int last = std::max(0, int(e->Lines.size()) - 1);
  e->FirstLine = std::clamp(e->FirstLine + lines, 0, last);
  if (e->FirstLine == old)
    return;
  if (notify)
    NotifyParent(e->Hwnd, EN_VSCROLL);
  e->UpdateScrollBars();
  e->Invalidate();
  e->PlaceCaret();
}

void ScrollPixels(TEditData* e, int dx, bool notify)
{
  int old = e->XOffset;
  int most = std::max(0, e->MaxLineWidth - e->FormatRect.Width() + 1);
  e->XOffset = std::clamp(e->XOffset + dx, 0, std::max(most, old));
  if (e->XOffset == old)
    return;
  if (notify)
    NotifyParent(e->Hwnd, EN_HSCROLL);
  e->UpdateScrollBars();
  e->Invalidate();
  e->PlaceCaret();
}

LRESULT OnScrollBar(TEditData* e, bool vertical, WORD code, int thumb)
{
  if (vertical) {
    int page = std::max(1, e->VisibleLines() - 1);
    switch (code) {
      case SB_LINEUP: ScrollLines(e, -1, true); break;
      case SB_LINEDOWN: ScrollLines(e, 1, true); break;
      case SB_PAGEUP: ScrollLines(e, -page, true); break;
      case SB_PAGEDOWN: ScrollLines(e, page, true); break;
      case SB_TOP: ScrollLines(e, -e->FirstLine, true); break;
      case SB_BOTTOM: ScrollLines(e, int(e->Lines.size()), true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(e->Hwnd, SB_VERT, &si);
        ScrollLines(e, (code == SB_THUMBTRACK ? si.nTrackPos : thumb) - e->FirstLine, true);
        break;
      }
      default: break;
    }
  } else {
    int page = std::max(1, e->FormatRect.Width() - e->AveChar);
    switch (code) {
      case SB_LINELEFT: ScrollPixels(e, -e->AveChar, true); break;
      case SB_LINERIGHT: ScrollPixels(e, e->AveChar, true); break;
      case SB_PAGELEFT: ScrollPixels(e, -page, true); break;
      case SB_PAGERIGHT: ScrollPixels(e, page, true); break;
      case SB_LEFT: ScrollPixels(e, -e->XOffset, true); break;
      case SB_RIGHT: ScrollPixels(e, e->MaxLineWidth, true); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(e->Hwnd, SB_HORZ, &si);
        ScrollPixels(e, (code == SB_THUMBTRACK ? si.nTrackPos : thumb) - e->XOffset, true);
        break;
      }
      default: break;
    }
  }
  return 0;
}

LRESULT OnMouseWheel(TEditData* e, WPARAM wParam)
{
  if (!e->Multi())
    return 0;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  ScrollLines(e, -notches * int(lines), true);
  return 0;
}

}  // namespace controls::edit
