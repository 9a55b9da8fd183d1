// The painters of the parts of a cell: tree lines, expand button, check and
// state images, the drop mark and the rubber band.
#include <algorithm>

#include "controls/vtree/AlphaBlend.h"
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/SharedResources.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

// One pixel wide or high, filled with the line pattern brush: the pattern's
// set bits take the background colour, its clear bits the line colour.
void DottedFill(HDC DC, HBRUSH Brush, int Left, int Top, int Right, int Bottom)
{
  TRect r(Left, Top, Right, Bottom);
  FillRect(DC, &r, Brush);
}

}  // namespace

int TBaseLazyTree::CheckImageIndex(PLazyNode Node)
{
  bool enabled = !Node->Has(nfDisabled) && Enabled();
  return CheckImageIndexOf(Node->CheckKind, TCheckState(Node->NodeCheckState), enabled, Node == FHotNode);
}

void TBaseLazyTree::PaintLineType(HDC DC, TLTLineType Type, int X, int Top, int Bottom, int Anchor, bool RightToLeft)
{
  int middle = X + int(FIndent) / 2;
  int right = RightToLeft ? X : X + int(FIndent);
  int hLeft = std::min(middle, right), hRight = std::max(middle, right);
  auto vertical = [&](int x, int y1, int y2) { DottedFill(DC, FDottedBrush, x, y1, x + 1, y2); };
  auto horizontal = [&](int y) { DottedFill(DC, FDottedBrush, hLeft, y, hRight, y + 1); };
  int edge = RightToLeft ? X + int(FIndent) : X;
  switch (Type) {
    case ltBottomRight:
      vertical(middle, Anchor, Bottom);
      horizontal(Anchor);
      break;
    case ltTopDown: vertical(middle, Top, Bottom); break;
    case ltTopDownRight:
      vertical(middle, Top, Bottom);
      horizontal(Anchor);
      break;
    case ltRight: horizontal(Anchor); break;
    case ltTopRight:
      vertical(middle, Top, Anchor);
      horizontal(Anchor);
      break;
    case ltLeft: vertical(edge, Top, Bottom); break;
    case ltLeftBottom:
      vertical(edge, Top, Bottom);
      DottedFill(DC, FDottedBrush, X, Bottom - 1, X + int(FIndent), Bottom);
      break;
    default: break;
  }
}

void TBaseLazyTree::PaintTreeLines(TLtPaintInfo& Info, int Levels, const std::vector<TLTLineType>& Lines, int Anchor)
{
  HDC dc = Info.Canvas->Handle();
  std::vector<TLTLineType> types(Lines.begin(), Lines.begin() + Levels);
  int bottom = Info.CellRect.Bottom;
  TColor color = FColors->Color(TreeLineColor);
  if (FLineMode == lmBands && (Info.PaintOptions & ppGridLines)) {
    // Bands: the line types become vertical strips with a bottom edge.
    for (int i = Levels - 1; i >= 0; --i) {
      if (Info.Node->Has(nfExpanded)) {
        types[std::size_t(i)] = ltLeft;
        continue;
      }
      TLTLineType t = types[std::size_t(i)];
      if (t == ltNone || t == ltTopDown) {
        TLTLineType deeper = i + 1 < Levels ? types[std::size_t(i + 1)] : ltNone;
        types[std::size_t(i)] = (deeper != ltNone && deeper != ltTopRight) ? ltLeft : deeper;
      } else if (t != ltLeft && t != ltLeftBottom) {
        types[std::size_t(i)] = ltLeftBottom;
      }
    }
    color = FColors->Color(GridLineColor);
    bottom -= 1;
  }
  COLORREF oldText = SetTextColor(dc, ColorToRGB(color));
  COLORREF oldBk = SetBkColor(dc, ColorToRGB(Color()));
  SetBrushOrgEx(dc, Info.BrushOrigin.x, Info.BrushOrigin.y, nullptr);
  for (int i = 0; i < Levels; ++i) {
    int x = Info.RightToLeft ? Info.CellRect.Right - int(FIndent) * (i + 1) : Info.CellRect.Left + int(FIndent) * i;
    PaintLineType(dc, types[std::size_t(i)], x, Info.CellRect.Top, bottom, Anchor, Info.RightToLeft);
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}

void TBaseLazyTree::PaintButton(TLtPaintInfo& Info, int ButtonX, int ButtonY)
{
  HBITMAP bitmap = Info.Node->Has(nfExpanded) ? FMinusBM : FPlusBM;
  if (!bitmap)
    return;
  HDC dc = Info.Canvas->Handle();
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, bitmap);
  int x = Info.RightToLeft ? Info.CellRect.Right - ButtonX - 9 : Info.CellRect.Left + ButtonX;
  TransparentBlt(dc, x, Info.CellRect.Top + ButtonY, 9, 9, source, 0, 0, 9, 9, 0xFF00FF);
  SelectObject(source, old);
  DeleteDC(source);
}

void TBaseLazyTree::PaintCheckImage(TLtPaintInfo& Info)
{
  TCustomImageList* list = CheckImages();
  if (!list || !list->Count())
    return;
  COLORREF blend = CLR_DEFAULT;
  if (Info.Node->Has(nfSelected) && !Info.CheckImage.Ghosted)
    blend = ColorToRGB(FColors->Color(TreeFocused() || HasPaintOption(toPopupMode) ? FocusedSelectionColor
                                                                                     : UnfocusedSelectionColor));
  ImageList_DrawEx(list->Handle(), Info.CheckImage.Index, Info.Canvas->Handle(), Info.CheckImage.XPos,
                   Info.CheckImage.YPos, 0, 0, CLR_NONE, blend, ILD_TRANSPARENT);
}

void TBaseLazyTree::PaintImage(TLtPaintInfo& Info, TLtImageInfo& Image, TCustomImageList* List, bool DoOverlay)
{
  HDC dc = Info.Canvas->Handle();
  bool cut = Info.Node->Has(nfClipMarked) && FStates.Contains(tsCutPending);
  bool withFocus = TreeFocused() || HasPaintOption(toGhostedIfUnfocused);
  bool ghosted = false;
  int overlay = DoOverlay ? DoGetImageIndex(Info.Node, ikOverlay, Info.Column, ghosted) : -1;
  if (Info.Node->Has(nfDisabled) || !Enabled()) {
    COLORREF text = GetTextColor(dc);
    ImageList_DrawDisabled(List->Handle(), Image.Index, dc, Image.XPos, Image.YPos);
    SetTextColor(dc, text);
    return;
  }
  UINT style = ILD_TRANSPARENT;
  if (overlay >= 0)
    style |= INDEXTOOVERLAYMASK(UINT(overlay + 1));
  bool selected = Info.Node->Has(nfSelected);
  if (HasPaintOption(toUseBlendedImages) && withFocus &&
      (Image.Ghosted || (selected && !HasSelectionOption(toFullRowSelect) && !HasMiscOption(toGridExtensions)) || cut))
    style |= ILD_BLEND50;
  COLORREF blend = CLR_DEFAULT;
  if (!selected || Image.Ghosted || cut)
    blend = ColorToRGB(Color());
  ImageList_DrawEx(List->Handle(), Image.Index, dc, Image.XPos, Image.YPos, 0, 0, CLR_NONE, blend, style);
}

void TBaseLazyTree::PaintDropMark(TLtPaintInfo& Info, const TRect& R)
{
  if (FDropMode != dmAbove && FDropMode != dmBelow)
    return;
  HDC dc = Info.Canvas->Handle();
  int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  std::vector<TPoint> points;
  if (FDropMode == dmAbove)
    points = {{L + 2, T}, {Rt - 2, T}, {Rt - 2, T + 6}, {Rt - 6, T + 2}, {L + 6, T + 2}, {L + 2, T + 6}};
  else
    points = {{L + 2, B - 1}, {Rt - 2, B - 1}, {Rt - 2, B - 8}, {Rt - 7, B - 3}, {L + 7, B - 3}, {L + 2, B - 8}};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(FColors->Color(DropMarkColor)));
  HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, points.data(), int(points.size()));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
}

void TBaseLazyTree::PaintBand(HDC DC, TRect Band, int ShiftX, TRect Target)
{
  // Blending is always available here: the band is tinted and framed.
  OffsetRect(&Target, ShiftX, 0);
  TRect overlap;
  if (IntersectRect(&overlap, &Band, &Target)) {
    OffsetRect(&overlap, -ShiftX, 0);
    BlendRect(nullptr, DC, overlap, TPoint(), int(ColorToRGB(FColors->Color(SelectionRectangleBlendColor))),
              FSelectionBlendFactor, bmConstantAlphaAndColor);
  }
  HBRUSH frame = CreateSolidBrush(ColorToRGB(FColors->Color(SelectionRectangleBorderColor)));
  FrameRect(DC, &Band, frame);
  DeleteObject(frame);
}
