// The chevron item of a toolbar and its viewer: an edge while selected or
// pushed, and an 8 by 8 glyph (double arrow) along the toolbar's direction.
#include "controls/toolbar/TBCommon.h"
#include "controls/toolbar/TBToolbar.h"
#include "platform/classes/Hints.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/win/win.h"

namespace {

constexpr BYTE HorizontalGlyph[8] = {0xCC, 0x66, 0x33, 0x66, 0xCC, 0x00, 0x00, 0x00};
constexpr BYTE VerticalGlyph[8] = {0x88, 0xD8, 0x70, 0x20, 0x88, 0xD8, 0x70, 0x20};

void DrawGlyph(HDC DC, const BYTE (&Rows)[8], int Left, int Top, COLORREF Color)
{
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (Rows[y] & (0x80 >> x))
        SetPixel(DC, Left + x, Top + y, Color);
}

}  // namespace

TTBChevronItem::TTBChevronItem(TTBCustomToolbar* AToolbar) : TTBCustomItem(AToolbar), FToolbar(AToolbar)
{
  SetItemStyle(TTBItemFlags(ItemStyle() | tbsfOpensSubmenu | tbsfManualOpen));
  SetHint(STBChevronHint);
  SetCaption(DoubleAmpersands(GetShortHint(STBChevronHint)));
}

TTBView* TTBChevronItem::GetChevronOwnerView() { return FToolbar->View(); }

TTBItemViewer* TTBChevronItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TTBChevronItemViewer(AView, this, InlineDepth);
}

void TTBChevronItemViewer::Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                                 bool UseDisabledShadow)
{
  (void)UseDisabledShadow;
  HDC dc = Canvas->Handle();
  TRect r = ClientAreaRect;
  const bool enabled = Item()->Enabled();
  const bool designing = View()->ComponentState().Contains(csDesigning);
  if (enabled) {
    if (IsPushed)
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (IsSelected && !designing)
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  const bool vertical = View()->Axis() == tbaVertical;
  int left = vertical ? ClientAreaRect.Right - 9 : ClientAreaRect.Left + 2;
  int top = vertical ? ClientAreaRect.Top + 2 : ClientAreaRect.Top + 4;
  if (IsPushed) {
    ++left;
    ++top;
  }
  const BYTE (&rows)[8] = vertical ? VerticalGlyph : HorizontalGlyph;
  if (enabled) {
    DrawGlyph(dc, rows, left, top, GetSysColor(COLOR_BTNTEXT));
  } else {
    DrawGlyph(dc, rows, left + 1, top + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawGlyph(dc, rows, left, top, GetSysColor(COLOR_BTNSHADOW));
  }
}
