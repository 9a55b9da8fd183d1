// The header's face: the background, then every visible column that meets
// the painted area with its raised, flat or XP-style face, caption, glyph,
// sort glyph and drop mark; owners may draw whole columns or claim elements.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/HeaderCellLayout.h"
#include "controls/vtree/HeaderXPFace.h"
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
  TCanvas canvas;
  canvas.SetHandle(DC);
  canvas.Font()->Assign(FFont.get());
  HGDIOBJ oldFont = SelectObject(DC, FFont->Handle());
  THeaderPaintPass pass{canvas, DC, HeaderRect, TreeEnabled, SharedUtilityImages()};
  pass.Advanced = FTree && FTree->HeaderAdvancedOwnerDraws();
  pass.Simple = !pass.Advanced && FTree && FTree->HeaderOwnerDraws() && FTree->OnHeaderDraw;

  THeaderPaintInfo background;
  background.TargetCanvas = &canvas;
  background.PaintRectangle = HeaderRect;
  THeaderPaintElements claimed;
  if (pass.Advanced)
    FTree->DoHeaderDrawQueryElements(background, claimed);
  if (claimed.Contains(hpeBackground)) {
    FTree->DoAdvancedHeaderDraw(background, claimed);
  } else if (FStyle == hsXPStyle) {
    DrawXPHeaderFace(DC, HeaderRect, false, false, false, pass.Utilities);
  } else {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(FBackground));
    FillRect(DC, &HeaderRect, brush);
    DeleteObject(brush);
  }

  int x = HeaderRect.Left + OffsetX;
  const std::vector<TColumnIndex> visible = FColumns.VisibleColumns();
  for (std::size_t i = 0; i < visible.size(); ++i) {
    TRect face(x, HeaderRect.Top, x + FColumns.Item(visible[i])->Width(), HeaderRect.Bottom);
    x = face.Right;
    if (face.Left >= HeaderRect.Right)
      break;
    if (face.Right > HeaderRect.Left)
      PaintColumn(pass, visible[i], face, i + 1 == visible.size());
  }
  SelectObject(DC, oldFont);
  canvas.SetHandle(nullptr);
}

void TLTHeader::PaintColumn(const THeaderPaintPass& Pass, TColumnIndex Index, const TRect& Face, bool LastPosition)
{
  HDC DC = Pass.DC;
  TLazyTreeColumn* column = FColumns.Item(Index);
  const TLTColumnOptions options = column->Options();
  THeaderPaintInfo info;
  info.TargetCanvas = &Pass.Canvas;
  info.Column = column;
  info.PaintRectangle = Face;
  info.IsDownIndex = Index == FColumns.DownIndex;
  info.IsHoverIndex = Index == FColumns.HoverIndex && FOptions.Contains(hoHotTrack) && options.Contains(coEnabled);
  info.IsEnabled = options.Contains(coEnabled) && Pass.TreeEnabled;
  info.ShowHeaderGlyph = FOptions.Contains(hoShowImages) && FImages && column->ImageIndex() >= 0;
  info.ShowSortGlyph = Index == FSortColumn && FOptions.Contains(hoShowSortGlyphs) && Pass.Utilities;
  // A flat last column that fills the tree to its edge leaves the right border to the frame.
  info.ShowRightBorder = !(FStyle != hsThickButtons && FOptions.Contains(hoAutoResize) && LastPosition);
  if (options.Contains(coShowDropMark) && Index == FColumns.DropTarget && Index != FColumns.DragIndex)
    info.DropMark = FColumns.DropBefore ? dmmLeft : dmmRight;

  const TRect& area = Pass.HeaderRect;
  int saved = SaveDC(DC);
  IntersectClipRect(DC, std::max(Face.Left, area.Left), Face.Top, std::min(Face.Right, area.Right), Face.Bottom);
  if (Pass.Simple && column->Style() == vsOwnerDraw) {
    FTree->DoHeaderDraw(&Pass.Canvas, column, Face, info.IsHoverIndex, info.IsDownIndex, info.DropMark);
    RestoreDC(DC, saved);
    return;
  }
  THeaderPaintElements claimed;
  if (Pass.Advanced)
    FTree->DoHeaderDrawQueryElements(info, claimed);
  if (!claimed.Contains(hpeBackground)) {
    if (FStyle == hsXPStyle) {
      DrawXPHeaderFace(DC, Face, info.IsHoverIndex, info.IsDownIndex, info.ShowRightBorder, Pass.Utilities);
    } else {
      TEdgeKind edge = ColumnEdge(FStyle, info.IsDownIndex, info.IsHoverIndex, options.Contains(coAllowClick));
      TRect r = Face;
      DrawEdge(DC, &r, edge.Edge, edge.Flags | (info.ShowRightBorder ? BF_RIGHT : 0));
    }
  }

  const bool rtl = column->UseRightToLeftReading();
  const UINT textFlags = DT_NOPREFIX | (rtl ? DT_RTLREADING : 0);
  THeaderCellInput in;
  in.Rect = TRect(Face.Left + 2, Face.Top + 2, Face.Right - 2, Face.Bottom - 2);
  const WideString& text = column->Text();
  if (!text.empty()) {
    TRect measure(0, 0, 0, 0);
    DrawTextW(DC, text.c_str(), int(text.size()), &measure, textFlags | DT_CALCRECT);
    in.TextWidth = measure.Width();
    in.TextHeight = measure.Height();
  }
  if (info.ShowHeaderGlyph) {
    in.GlyphWidth = FImages->Width();
    in.GlyphHeight = FImages->Height();
  }
  if (info.ShowSortGlyph) {
    in.SortWidth = Pass.Utilities->Width();
    in.SortHeight = Pass.Utilities->Height();
  }
  in.Alignment = column->Alignment();
  in.Layout = column->Layout();
  in.Margin = column->Margin();
  in.Spacing = column->Spacing();
  in.RightToLeft = rtl;
  THeaderCellLayout layout = LayoutHeaderCell(in);
  // A pressed column's contents sink by one pixel.
  const int shift = info.IsDownIndex ? 1 : 0;
  info.TextRectangle = layout.Caption;
  OffsetRect(&info.TextRectangle, shift, shift);
  info.GlyphPos = TPoint(layout.Glyph.x + shift, layout.Glyph.y + shift);
  info.SortGlyphPos = TPoint(layout.Sort.x + shift, layout.Sort.y + shift);

  if (!claimed.Empty()) {
    int beforeOwner = SaveDC(DC);
    FTree->DoAdvancedHeaderDraw(info, claimed);
    RestoreDC(DC, beforeOwner);
  }
  if (layout.Computed) {
    // A left-to-right glyph gives way to a sort glyph lying over it.
    bool glyphHidden = info.ShowSortGlyph && !rtl && layout.Sort.x < layout.Glyph.x + in.GlyphWidth &&
                       layout.Glyph.x < layout.Sort.x + in.SortWidth;
    if (info.ShowHeaderGlyph && !glyphHidden && !claimed.Contains(hpeHeaderGlyph))
      FImages->Draw(&Pass.Canvas, info.GlyphPos.x, info.GlyphPos.y, column->ImageIndex(), info.IsEnabled);
    if (!text.empty() && !claimed.Contains(hpeText)) {
      TColor colour = info.IsHoverIndex && HotColor != clNone ? HotColor : FFont->Color();
      DrawButtonText(DC, text, info.TextRectangle, info.IsEnabled, colour, textFlags, rtl);
    }
    if (info.ShowSortGlyph && !claimed.Contains(hpeSortGlyph))
      ImageList_Draw(Pass.Utilities->Handle(), FSortDirection == sdAscending ? 3 : 2, DC, info.SortGlyphPos.x,
                     info.SortGlyphPos.y, ILD_TRANSPARENT);
  }
  // Where a dragged column would land: a mark at the target's left or right edge.
  if (info.DropMark != dmmNone && Pass.Utilities && !claimed.Contains(hpeDropMark)) {
    int y = Face.Top + (Face.Height() - Pass.Utilities->Height()) / 2;
    if (info.DropMark == dmmLeft)
      ImageList_Draw(Pass.Utilities->Handle(), 0, DC, Face.Left, y, ILD_TRANSPARENT);
    else
      ImageList_Draw(Pass.Utilities->Handle(), 1, DC, Face.Right - 16, y, ILD_TRANSPARENT);
  }
  RestoreDC(DC, saved);
}
