// The header's face: the background, then every visible column that meets
// the painted area with its raised or flat edge, caption and sort glyph.
#include <algorithm>

#include "controls/vtree/HeaderCellLayout.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/SharedResources.h"
#include "controls/vtree/TextShortening.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/win.h"

namespace {

struct TEdgeKind {
  UINT Edge, Flags;
};

// Normal and pressed edges of each style (hot looks like normal except on plates).
TEdgeKind ColumnEdge(TLTHeaderStyle Style, bool Pressed, bool Hot, bool Clickable)
{
  switch (Style) {
    case hsFlatButtons: return Pressed ? TEdgeKind{2, 0x280F} : TEdgeKind{4, 0x280B};
    case hsPlates:
      if (Pressed)
        return {2, 0x280F};
      return Hot && Clickable ? TEdgeKind{4, 0x280B} : TEdgeKind{4, 0x380F};
    default: return Pressed ? TEdgeKind{5, 0x780F} : TEdgeKind{5, 0x380B};
  }
}

// The caption, shortened when it does not fit; disabled captions are etched.
void DrawButtonText(HDC DC, const WideString& Text, TRect R, bool Enabled, TColor Colour, UINT Flags, bool RightToLeft)
{
  WideString shown = Text;
  TSize extent;
  GetTextExtentPoint32W(DC, shown.c_str(), int(shown.size()), &extent);
  if (extent.cx > R.Width())
    shown = ShortenText(DC, Text, R.Width(), 0, RightToLeft);
  SetBkMode(DC, TRANSPARENT);
  if (!Enabled) {
    TRect etch(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    SetTextColor(DC, ColorToRGB(clBtnHighlight));
    DrawTextW(DC, shown.c_str(), int(shown.size()), &etch, Flags);
    Colour = clBtnShadow;
  }
  SetTextColor(DC, ColorToRGB(Colour));
  DrawTextW(DC, shown.c_str(), int(shown.size()), &R, Flags);
}

}  // namespace

void TLTHeader::PaintHeader(HDC DC, const TRect& HeaderRect, int OffsetX, bool TreeEnabled)
{
  HBRUSH background = CreateSolidBrush(ColorToRGB(FBackground));
  FillRect(DC, &HeaderRect, background);
  DeleteObject(background);

  HGDIOBJ oldFont = SelectObject(DC, FFont->Handle());
  TCustomImageList* utilities = SharedUtilityImages();
  int x = HeaderRect.Left + OffsetX;
  const std::vector<TColumnIndex> visible = FColumns.VisibleColumns();
  for (std::size_t i = 0; i < visible.size(); ++i) {
    TLazyTreeColumn* column = FColumns.Item(visible[i]);
    TRect r(x, HeaderRect.Top, x + column->Width(), HeaderRect.Bottom);
    x = r.Right;
    if (r.Left >= HeaderRect.Right)
      break;
    if (r.Right <= HeaderRect.Left)
      continue;
    const TLTColumnOptions options = column->Options();
    const bool pressed = visible[i] == FColumns.DownIndex;
    const bool hot = visible[i] == FColumns.HoverIndex && FOptions.Contains(hoHotTrack) && options.Contains(coEnabled);
    const bool enabled = options.Contains(coEnabled) && TreeEnabled;

    TEdgeKind edge = ColumnEdge(FStyle, pressed, hot, options.Contains(coAllowClick));
    // A flat last column that fills the tree to its edge leaves the right border to the frame.
    bool lastFillsFrame = FStyle != hsThickButtons && FOptions.Contains(hoAutoResize) && i + 1 == visible.size();
    TRect face = r;
    DrawEdge(DC, &face, edge.Edge, edge.Flags | (lastFillsFrame ? 0 : BF_RIGHT));

    int saved = SaveDC(DC);
    IntersectClipRect(DC, std::max(r.Left, HeaderRect.Left), r.Top, std::min(r.Right, HeaderRect.Right), r.Bottom);
    const bool rtl = column->UseRightToLeftReading();
    const UINT textFlags = DT_NOPREFIX | (rtl ? DT_RTLREADING : 0);
    const bool sortShown = visible[i] == FSortColumn && FOptions.Contains(hoShowSortGlyphs) && utilities;

    THeaderCellInput in;
    in.Rect = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    const WideString& text = column->Text();
    if (!text.empty()) {
      TRect measure(0, 0, 0, 0);
      DrawTextW(DC, text.c_str(), int(text.size()), &measure, textFlags | DT_CALCRECT);
      in.TextWidth = measure.Width();
      in.TextHeight = measure.Height();
    }
    const bool glyphShown = FOptions.Contains(hoShowImages) && FImages && column->ImageIndex() >= 0;
    if (glyphShown) {
      in.GlyphWidth = FImages->Width();
      in.GlyphHeight = FImages->Height();
    }
    if (sortShown) {
      in.SortWidth = utilities->Width();
      in.SortHeight = utilities->Height();
    }
    in.Alignment = column->Alignment();
    in.Layout = column->Layout();
    in.Margin = column->Margin();
    in.Spacing = column->Spacing();
    in.RightToLeft = rtl;
    THeaderCellLayout layout = LayoutHeaderCell(in);
    if (layout.Computed) {
      int shift = pressed ? 1 : 0;
      // A left-to-right glyph gives way to a sort glyph lying over it.
      bool glyphHidden = sortShown && !rtl && layout.Sort.x < layout.Glyph.x + in.GlyphWidth &&
                         layout.Glyph.x < layout.Sort.x + in.SortWidth;
      if (glyphShown && !glyphHidden) {
        TCanvas canvas;
        canvas.SetHandle(DC);
        FImages->Draw(&canvas, layout.Glyph.x + shift, layout.Glyph.y + shift, column->ImageIndex(), enabled);
        canvas.SetHandle(nullptr);
      }
      if (!text.empty()) {
        TRect caption(layout.Caption.Left + shift, layout.Caption.Top + shift, layout.Caption.Right + shift,
                      layout.Caption.Bottom + shift);
        TColor colour = FFont->Color();
        if (hot && HotColor != clNone)
          colour = HotColor;
        DrawButtonText(DC, text, caption, enabled, colour, textFlags, rtl);
      }
      if (sortShown)
        ImageList_Draw(utilities->Handle(), FSortDirection == sdAscending ? 3 : 2, DC, layout.Sort.x + shift,
                       layout.Sort.y + shift, ILD_TRANSPARENT);
    }
    // Where a dragged column would land: a mark at the target's left or right edge.
    if (utilities && options.Contains(coShowDropMark) && visible[i] == FColumns.DropTarget &&
        visible[i] != FColumns.DragIndex) {
      int y = r.Top + (r.Height() - utilities->Height()) / 2;
      if (FColumns.DropBefore)
        ImageList_Draw(utilities->Handle(), 0, DC, r.Left, y, ILD_TRANSPARENT);
      else
        ImageList_Draw(utilities->Handle(), 1, DC, r.Right - 16, y, ILD_TRANSPARENT);
    }
    RestoreDC(DC, saved);
  }
  SelectObject(DC, oldFont);
}
