#include "controls/vtree/WideTextDrawing.h"

#include <algorithm>

#include "platform/win/gdi/gdi.h"

namespace {

bool IsLineBreak(char16_t C) { return C == u'\n' || C == u'\r' || C == u'\u2028'; }

}  // namespace

void DrawTextWide(HDC DC, const char16_t* Text, int Length, TRect& Rect, UINT Flags, bool CalcWidth)
{
  if (!Text || Length < 0)
    Length = 0;
  TEXTMETRICW metrics{};
  GetTextMetricsW(DC, &metrics);
  int height = metrics.tmHeight;
  bool calculate = Flags & DT_CALCRECT;
  bool clip = !(Flags & DT_NOCLIP);

  UINT savedAlign = GetTextAlign(DC);
  UINT align = TA_TOP;
  int x = Rect.Left;
  if (Flags & DT_CENTER) {
    align |= TA_CENTER;
    x = (Rect.Left + Rect.Right) / 2;
  } else if (Flags & DT_RIGHT) {
    align |= TA_RIGHT;
    x = Rect.Right;
  }
  if (Flags & DT_RTLREADING)
    align |= TA_RTLREADING;
  if (!calculate)
    SetTextAlign(DC, align);

  int widest = 0;
  auto line = [&](const char16_t* Start, int Count, int Top) {
    if (calculate) {
      if (CalcWidth && Count > 0) {
        TSize extent{};
        GetTextExtentPoint32W(DC, Start, Count, &extent);
        widest = std::max(widest, int(extent.cx));
      }
      return;
    }
    TRect box(Rect.Left, Top, Rect.Right, Top + height);
    ExtTextOutW(DC, x, Top, clip ? ETO_CLIPPED : 0, clip ? &box : nullptr, Start, UINT(Count), nullptr);
  };

  if (Flags & DT_SINGLELINE) {
    int top = (Flags & DT_VCENTER) ? (Rect.Top + Rect.Bottom - height) / 2 : Rect.Top;
    line(Text, Length, top);
    if (calculate)
      Rect.Bottom = Rect.Top + height;
  } else {
    int top = Rect.Top;
    int start = 0;
    for (;;) {
      if (!calculate && top >= Rect.Bottom)
        break;
      int end = start;
      while (end < Length && !IsLineBreak(Text[end]))
        ++end;
      line(Text + start, end - start, top);
      top += height;
      if (end >= Length)
        break;
      start = end + ((Text[end] == u'\r' && end + 1 < Length && Text[end + 1] == u'\n') ? 2 : 1);
    }
    if (calculate)
      Rect.Bottom = top;
  }
  if (calculate && CalcWidth)
    Rect.Right = Rect.Left + widest;
  if (!calculate)
    SetTextAlign(DC, savedAlign);
}
