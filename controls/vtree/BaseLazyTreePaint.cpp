// The paint pass: rows painted one at a time into a row buffer and copied to
// the target, then the area below the last row.
#include <algorithm>
#include <cmath>

#include "controls/vtree/AlphaBlend.h"
#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "controls/vtree/NodeWalk.h"
#include "platform/base/MulDiv.h"
#include "platform/classes/graphics/Canvas.h"
#include "platform/classes/graphics/Font.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/win/gdi/gdi.h"
#include "platform/win/win.h"

namespace {

constexpr int kButtonSize = 9;
constexpr COLORREF kButtonKey = 0xFF00FF;

// A one-row 32-bit buffer that keeps its bitmap while the row height stays.
class TRowBuffer {
public:
  TRowBuffer() : FDC(CreateCompatibleDC(nullptr)) {}
  ~TRowBuffer()
  {
    if (FOld)
      SelectObject(FDC, FOld);
    if (FBitmap)
      DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  HDC Resize(int Width, int Height)
  {
    if (Width != FWidth || Height != FHeight) {
      BITMAPINFO info{};
      info.bmiHeader.biWidth = std::max(1, Width);
      info.bmiHeader.biHeight = -std::max(1, Height);
      info.bmiHeader.biBitCount = 32;
      void* bits = nullptr;
      HBITMAP bitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      HGDIOBJ old = SelectObject(FDC, bitmap);
      if (!FOld)
        FOld = old;
      if (FBitmap)
        DeleteObject(FBitmap);
      FBitmap = bitmap;
      FWidth = Width;
      FHeight = Height;
    }
    return FDC;
  }
  HDC DC() const { return FDC; }

private:
  HDC FDC;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOld = nullptr;
  int FWidth = 0, FHeight = 0;
};

void FillSolid(HDC DC, const TRect& R, TColor Color)
{
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  FillRect(DC, &R, brush);
  DeleteObject(brush);
}

// (Indent - button) / 2, rounded to nearest with ties to even.
int HalfRoundedEven(int Value)
{
  return int(std::nearbyint(double(Value) / 2.0));
}

}  // namespace

bool TBaseLazyTree::TreeFocused()
{
  return HasWindow() && GetFocus() == Handle();
}

int TBaseLazyTree::NodeVerticalAnchor(PLazyNode Node, int& ButtonY)
{
  int height = Node->NodeHeight;
  int anchor;
  switch (FNodeAlignment) {
    case naFromBottom: anchor = height - Node->LineAlignment; break;
    case naFromTop: anchor = Node->LineAlignment; break;
    default: {
      int imageHeight = 0;
      if (FImages)
        imageHeight = FImages->Height();
      else if (FStateImages)
        imageHeight = FStateImages->Height();
      else if (HasPaintOption(toShowButtons))
        imageHeight = kButtonSize;
      if (imageHeight)
        anchor = MulDiv(height - imageHeight, Node->LineAlignment, 100) + imageHeight / 2;
      else
        anchor = MulDiv(height, Node->LineAlignment, 100);
      break;
    }
  }
  ButtonY = anchor - kButtonSize / 2;
  return anchor;
}

int TBaseLazyTree::TreeLineImage(PLazyNode Node, std::vector<TLTLineType>& LineImage)
{
  int selected = 0;
  unsigned level = NodeLevel(Node);
  bool showRoot = HasPaintOption(toShowRoot);
  std::size_t levels = level + (showRoot ? 1 : 0);
  LineImage.assign(levels, ltNone);
  for (PLazyNode p = Node->ParentNode; p != FRoot; p = p->ParentNode)
    if (p->Has(nfSelected))
      ++selected;
  if (!HasPaintOption(toShowTreeLines) || levels == 0)
    return selected;
  // From the node's own level up to the top-level ancestor.
  std::size_t index = levels - 1;
  PLazyNode n = Node;
  if (level > 0) {
    LineImage[index] = HasShownFollowingSibling(n) ? ltTopDownRight : ltTopRight;
    n = n->ParentNode;
    while (index > (showRoot ? 1u : 0u) && n != FRoot && n->ParentNode != FRoot) {
      --index;
      LineImage[index] = HasShownFollowingSibling(n) ? ltTopDown : ltNone;
      n = n->ParentNode;
    }
  }
  if (showRoot) {
    // n is now the top-level ancestor (or the node itself).
    if (level == 0) {
      bool first = IsFirstShownChild(FRoot, Node), last = IsLastShownChild(FRoot, Node);
      LineImage[0] = first && last ? ltRight : last ? ltTopRight : first ? ltBottomRight : ltTopDownRight;
    } else {
      LineImage[0] = HasShownFollowingSibling(n) ? ltTopDown : ltNone;
    }
  }
  return selected;
}

void TBaseLazyTree::PrepareButtonBitmaps(bool Buttons, bool Lines)
{
  if (Buttons) {
    for (HBITMAP* bm : {&FPlusBM, &FMinusBM}) {
      if (*bm)
        DeleteObject(*bm);
      bool plus = bm == &FPlusBM;
      BITMAPINFO info{};
      info.bmiHeader.biWidth = kButtonSize;
      info.bmiHeader.biHeight = -kButtonSize;
      info.bmiHeader.biBitCount = 32;
      void* bits = nullptr;
      HDC dc = CreateCompatibleDC(nullptr);
      *bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      HGDIOBJ old = SelectObject(dc, *bm);
      TRect all(0, 0, kButtonSize, kButtonSize);
      FillSolid(dc, all, TColor(kButtonKey));
      COLORREF text = ColorToRGB(Font()->Color());
      if (FButtonStyle == bsTriangle) {
        HBRUSH brush = CreateSolidBrush(0);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        TPoint minus[3] = {{0, 2}, {8, 2}, {4, 6}}, plusPts[3] = {{2, 0}, {6, 4}, {2, 8}};
        Polygon(dc, plus ? plusPts : minus, 3);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
      } else {
        // A square outline in the tree-line colour, filled as the mode says,
        // with the bars in the font colour.
        if (FButtonFillMode == fmTreeColor)
          FillSolid(dc, all, Color());
        else if (FButtonFillMode == fmWindowColor)
          FillSolid(dc, all, clWindow);
        HBRUSH frame = CreateSolidBrush(ColorToRGB(FColors->Color(TreeLineColor)));
        FrameRect(dc, &all, frame);
        DeleteObject(frame);
        TRect bar(2, kButtonSize / 2, kButtonSize - 2, kButtonSize / 2 + 1);
        FillSolid(dc, bar, TColor(text));
        if (plus) {
          TRect vertical(kButtonSize / 2, 2, kButtonSize / 2 + 1, kButtonSize - 2);
          FillSolid(dc, vertical, TColor(text));
        }
      }
      SelectObject(dc, old);
      DeleteDC(dc);
    }
  }
  if (Lines) {
    if (FDottedBrush)
      DeleteObject(FDottedBrush);
    WORD pattern[8];
    for (int i = 0; i < 8; ++i)
      pattern[i] = FLineStyle == lsSolid ? 0 : (i % 2 ? 0xAA : 0x55);
    const void* bits = pattern;
    if (FLineStyle == lsCustomStyle)
      DoGetLineStyle(bits);
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, bits);
    FDottedBrush = CreatePatternBrush(mono);
    DeleteObject(mono);
  }
}

void TBaseLazyTree::Paint()
{
  TRect update = Canvas()->ClipRect();
  if (update.IsEmpty())
    return;
  TRect window = update;
  OffsetRect(&window, -FOffsetX, -FOffsetY);
  PaintTreeArea(Canvas(), window, update.TopLeft(), ppBackground | ppColumnColor | ppFocusRect | ppSelection |
                                                        ppDropMark | ppGridLines);
}

void TBaseLazyTree::SetBackground(HBITMAP Value)
{
  if (Value == FBackground)
    return;
  FBackground = Value;
  if (HasWindow())
    Invalidate();
}

void TBaseLazyTree::SetBackgroundOffset(int X, int Y)
{
  if (X == FBackgroundOffsetX && Y == FBackgroundOffsetY)
    return;
  FBackgroundOffsetX = X;
  FBackgroundOffsetY = Y;
  if (HasWindow())
    Invalidate();
}

void TBaseLazyTree::TileBackground(HDC DC, const TRect& R, TPoint Offset)
{
  BITMAP info{};
  if (!FBackground || !GetObject(FBackground, sizeof(info), &info) || info.bmWidth < 1 || info.bmHeight < 1)
    return;
  int w = info.bmWidth, h = std::abs(int(info.bmHeight));
  auto wrap = [](int v, int m) { return ((v % m) + m) % m; };
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(source, FBackground);
  for (int y = R.Top; y < R.Bottom;) {
    int sy = wrap(y + Offset.y + FBackgroundOffsetY, h);
    int th = std::min<int>(h - sy, R.Bottom - y);
    for (int x = R.Left; x < R.Right;) {
      int sx = wrap(x + Offset.x + FBackgroundOffsetX, w);
      int tw = std::min<int>(w - sx, R.Right - x);
      BitBlt(DC, x, y, tw, th, source, sx, sy, SRCCOPY);
      x += tw;
    }
    y += th;
  }
  SelectObject(source, old);
  DeleteDC(source);
}

void TBaseLazyTree::EraseRow(TLtPaintInfo& Info, const TRect& R)
{
  TColor color = Color();
  TItemEraseAction action = eaDefault;
  HDC dc = Info.Canvas->Handle();
  DoBeforeItemErase(Info.Canvas, Info.Node, R, color, action);
  if (action == eaColor) {
    FillSolid(dc, R, color);
  } else if (action == eaDefault) {
    if (FUseBackground) {
      // Buffer x plus the window's left edge is the content x.
      TileBackground(dc, R, Info.ContentOrigin);
    } else if (Info.Node->Has(nfSelected) && HasSelectionOption(toFullRowSelect) && (Info.PaintOptions & ppSelection)) {
      FillSolid(dc, R, Color());
      bool focused = TreeFocused() || HasPaintOption(toPopupMode);
      HBRUSH brush = CreateSolidBrush(
          ColorToRGB(FColors->Color(focused ? FocusedSelectionColor : UnfocusedSelectionColor)));
      HPEN pen = CreatePen(PS_SOLID, 1,
                           ColorToRGB(FColors->Color(focused ? FocusedSelectionBorderColor : UnfocusedSelectionBorderColor)));
      HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
      int bottom = R.Bottom - (HasPaintOption(toShowHorzGridLines) ? 1 : 0);
      RoundRect(dc, R.Left, R.Top, R.Right, bottom, FSelectionCurveRadius, FSelectionCurveRadius);
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(brush);
      DeleteObject(pen);
    } else {
      FillSolid(dc, R, Color());
    }
  }
  DoAfterItemErase(Info.Canvas, Info.Node, R);
}

void TBaseLazyTree::PaintCellSelection(TLtPaintInfo& Info, TRect R)
{
  HDC dc = Info.Canvas->Handle();
  if ((Info.PaintOptions & ppColumnColor) && Info.Column >= 0)
    FillSolid(dc, Info.CellRect, FHeader->Columns().Item(Info.Column)->Color());
  DoBeforeCellPaint(Info.Canvas, Info.Node, Info.Column, Info.CellRect);
  if (Info.Column != FFocusedColumn && !HasSelectionOption(toFullRowSelect) && FFocusedColumn > NoColumn)
    return;
  if (!HasMiscOption(toGridExtensions) && Info.NodeWidth < R.Width()) {
    TAlignment a = Info.Alignment;
    if (a == taLeftJustify)
      R.Right = R.Left + Info.NodeWidth;
    else if (a == taRightJustify)
      R.Left = R.Right - Info.NodeWidth;
    else {
      R.Left += (R.Width() - Info.NodeWidth) / 2;
      R.Right = R.Left + Info.NodeWidth;
    }
  }
  bool focused = TreeFocused() || HasPaintOption(toPopupMode);
  if (Info.PaintOptions & ppSelection) {
    TColor fill = clNone, border = clNone;
    if (Info.Node == FDropTargetNode && (FDropMode == dmOnNode || Info.Node->Has(nfSelected))) {
      fill = FColors->Color(DropTargetColor);
      border = FColors->Color(DropTargetBorderColor);
    } else if (Info.Node->Has(nfSelected)) {
      fill = FColors->Color(focused ? FocusedSelectionColor : UnfocusedSelectionColor);
      border = FColors->Color(focused ? FocusedSelectionBorderColor : UnfocusedSelectionBorderColor);
    }
    TRect sel = (HasMiscOption(toGridExtensions) || HasSelectionOption(toFullRowSelect)) ? Info.CellRect : R;
    if (fill != clNone && !sel.IsEmpty()) {
      if (HasPaintOption(toUseBlendedSelection)) {
        TRect clipped;
        IntersectRect(&clipped, &sel, &Info.CellRect);
        BlendRect(nullptr, dc, clipped, TPoint(), int(ColorToRGB(fill)), FSelectionBlendFactor,
                  bmConstantAlphaAndColor);
      } else {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(fill));
        HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(border));
        HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
        RoundRect(dc, sel.Left, sel.Top, sel.Right, sel.Bottom, FSelectionCurveRadius, FSelectionCurveRadius);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
      }
    }
  }
  if ((Info.PaintOptions & ppFocusRect) && Info.Node == FFocusedNode && Info.Column == FFocusedColumn && focused) {
    TRect frame = HasMiscOption(toGridExtensions) ? Info.CellRect : R;
    COLORREF oldText = SetTextColor(dc, 0xFFFFFF), oldBk = SetBkColor(dc, 0);
    DrawFocusRect(dc, &frame);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
  }
}

void TBaseLazyTree::PaintTreeArea(TCanvas* TargetCanvas, TRect Window, TPoint Target, std::uint8_t PaintOptions)
{
  ChangeStates({tsPainting}, {});
  DoBeforePaint(TargetCanvas);
  if (!FPlusBM)
    PrepareButtonBitmaps(true, false);
  if (!FDottedBrush)
    PrepareButtonBitmaps(false, true);
  if (HasPaintOption(toAlwaysHideSelection) || (!TreeFocused() && HasPaintOption(toHideSelection)))
    PaintOptions &= std::uint8_t(~ppSelection);
  if (HasPaintOption(toHideFocusRect))
    PaintOptions &= std::uint8_t(~ppFocusRect);
  bool band = IsMouseSelecting();
  TRect bandRect = band ? TRect(std::min(FNewSelRect.Left, FNewSelRect.Right), std::min(FNewSelRect.Top, FNewSelRect.Bottom),
                                std::max(FNewSelRect.Left, FNewSelRect.Right), std::max(FNewSelRect.Top, FNewSelRect.Bottom))
                         : TRect();
  band = band && !bandRect.IsEmpty();
  FUseBackground = (PaintOptions & ppBackground) && HasPaintOption(toShowBackground) && FBackground;
  HDC target = TargetCanvas->Handle();
  int width = Window.Width();
  int nodeTop = 0;
  PLazyNode node = NodeAtOffset(Window.Top, false, &nodeTop);
  int rowTop = Target.y + nodeTop - Window.Top;
  int bottom = Target.y + Window.Height();
  int contentWidth = std::max<int>(HasWindow() ? ClientWidth() : Width(), FRangeX);
  TRowBuffer buffer;
  TCanvas canvas;
  std::vector<TLTLineType> lines;
  bool rtl = FBiDiMode != bdLeftToRight;

  while (node && rowTop < bottom) {
    if (!node->Has(nfInitialized))
      InitializeNode(node);
    int height = int(NodeHeightOf(node));
    int selectedOnPath = TreeLineImage(node, lines);
    int levels = int(lines.size());
    bool paintRow = !(PaintOptions & ppSelectedOnly) || node->Has(nfSelected) || selectedOnPath > 0;
    if (paintRow && height > 0) {
      HDC dc = buffer.Resize(width, height);
      canvas.SetHandle(dc);
      SetBrushOrgEx(dc, Window.Left % 2, nodeTop % 2, nullptr);
      TLtPaintInfo info;
      info.Canvas = &canvas;
      info.Node = node;
      info.Column = NoColumn;
      info.RightToLeft = rtl;
      info.BrushOrigin = TPoint(Window.Left % 2, nodeTop % 2);
      info.ContentOrigin = TPoint(Window.Left, nodeTop);
      // Buffer coordinates: content x minus the window's left edge.
      TRect row(-Window.Left, 0, contentWidth - Window.Left, height);
      int buttonY = 0;
      int anchor = NodeVerticalAnchor(node, buttonY);
      if (!DoBeforeItemPaint(&canvas, node, row)) {
        info.PaintOptions = PaintOptions;
        EraseRow(info, row);
        if (UseColumns()) {
          const TLazyTreeColumns& columns = FHeader->Columns();
          std::vector<TColumnIndex> visible = columns.VisibleColumns();
          for (std::size_t i = 0; i < visible.size(); ++i) {
            TLazyTreeColumn* column = columns.Item(visible[i]);
            TRect cell(column->Left() - Window.Left, 0, column->Left() + column->Width() - Window.Left, height);
            if (cell.Left >= width)
              break;
            if (cell.Right <= 0 || ((PaintOptions & ppMainOnly) && visible[i] != MainColumn()))
              continue;
            info.Column = visible[i];
            info.RightToLeft = column->UseRightToLeftReading();
            info.Alignment = column->Alignment();
            info.CellRect = cell;
            PaintCell(info, row, levels, lines, anchor, buttonY, i + 1 == visible.size());
          }
        } else {
          info.Column = NoColumn;
          info.RightToLeft = rtl;
          info.Alignment = FAlignment;
          info.CellRect = row;
          PaintCell(info, row, levels, lines, anchor, buttonY, true);
        }
        DoAfterItemPaint(&canvas, node, row);
        if (node == FDropTargetNode && HasPaintOption(toShowDropmark) && (PaintOptions & ppDropMark))
          PaintDropMark(info, row);
      }
      if (band) {
        TRect inRow = bandRect;
        OffsetRect(&inRow, -Window.Left, -nodeTop);
        PaintBand(dc, inRow, 0, TRect(0, 0, width, height));
      }
      BitBlt(target, Target.x, rowTop, width, height, dc, 0, 0, SRCCOPY);
      canvas.SetHandle(nullptr);
    }
    rowTop += height;
    nodeTop += height;
    node = NextVisibleNode(node);
  }
  if (rowTop < bottom)
    PaintRemainingArea(TargetCanvas, Window, TPoint(Target.x, rowTop), nodeTop, PaintOptions);
  DoAfterPaint(TargetCanvas);
  ChangeStates({}, {tsPainting});
}

void TBaseLazyTree::PaintCell(TLtPaintInfo& Info, const TRect& Row, int Levels, const std::vector<TLTLineType>& Lines,
                              int Anchor, int ButtonY, bool LastColumn)
{
  PLazyNode node = Info.Node;
  HDC dc = Info.Canvas->Handle();
  std::uint8_t rowOptions = Info.PaintOptions;
  bool columns = UseColumns();
  bool isMain = Info.Column == MainColumn();
  bool rtl = Info.RightToLeft;
  if (Info.RightToLeft && Info.Alignment != taCenter)
    Info.Alignment = Info.Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  if (node == FFocusedNode && Info.Column == FFocusedColumn && FStates.Contains(tsEditing))
    Info.PaintOptions &= std::uint8_t(~ppSelection);
  if (!columns || (node->Has(nfSelected) && HasSelectionOption(toFullRowSelect) && (Info.PaintOptions & ppSelection)) ||
      FHeader->Columns().Item(Info.Column)->Options().Contains(coParentColor))
    Info.PaintOptions &= std::uint8_t(~ppColumnColor);
  int saved = 0;
  if (columns) {
    saved = SaveDC(dc);
    IntersectClipRect(dc, Info.CellRect.Left, Info.CellRect.Top, Info.CellRect.Right, Info.CellRect.Bottom);
  }
  Info.NodeWidth = DoGetNodeWidth(node, Info.Column, Info.Canvas);
  Info.ContentRect = Info.CellRect;
  Info.CheckImage = Info.StateImage = Info.NormalImage = TLtImageInfo();
  int indentWidth = isMain ? Levels * int(FIndent) : 0;
  // Images from the reading start: check (main column only), state, normal.
  int start = FMargin + indentWidth;
  auto place = [&](TLtImageInfo& image, TCustomImageList* list, int index, bool ghosted) {
    image.Index = index;
    image.Ghosted = ghosted;
    image.XPos = rtl ? Info.CellRect.Right - start - list->Width() : Info.CellRect.Left + start;
    image.YPos = Anchor - list->Height() / 2;
    start += list->Width() + 2;
  };
  bool ghosted = false;
  if (isMain && HasMiscOption(toCheckSupport) && CheckImages() && node->CheckKind != ctNone) {
    int index = CheckImageIndex(node);
    if (index >= 0)
      place(Info.CheckImage, CheckImages(), index, false);
  }
  if (FStateImages) {
    int index = DoGetImageIndex(node, ikState, Info.Column, ghosted);
    if (index >= 0)
      place(Info.StateImage, FStateImages, index, ghosted);
  }
  if (FImages) {
    int index = DoGetImageIndex(node, node->Has(nfSelected) ? ikSelected : ikNormal, Info.Column, ghosted);
    if (index >= 0)
      place(Info.NormalImage, FImages, index, ghosted);
  }
  if (rtl)
    Info.ContentRect.Right = Info.CellRect.Right - start;
  else
    Info.ContentRect.Left = Info.CellRect.Left + start;
  if (Info.PaintOptions & ppGridLines) {
    if (HasPaintOption(toShowHorzGridLines)) {
      int skip = isMain && FLineMode == lmBands ? indentWidth : 0;
      TRect line(Info.CellRect.Left + (rtl ? 0 : skip), Info.CellRect.Bottom - 1, Info.CellRect.Right - (rtl ? skip : 0),
                 Info.CellRect.Bottom);
      FillSolid(dc, line, FColors->Color(GridLineColor));
      Info.CellRect.Bottom--;
      Info.ContentRect.Bottom--;
    }
    if (columns && HasPaintOption(toShowVertGridLines) && (!FHeader->Options().Contains(hoAutoResize) || !LastColumn)) {
      if (!(rtl && DoGetCellIsEmpty(node, Info.Column))) {
        TRect line(Info.CellRect.Right - 1, Info.CellRect.Top, Info.CellRect.Right, Row.Bottom);
        FillSolid(dc, line, FColors->Color(GridLineColor));
      }
      Info.CellRect.Right--;
      Info.ContentRect.Right--;
    }
  }
  PaintCellSelection(Info, Info.ContentRect);
  if (isMain) {
    if (HasPaintOption(toShowTreeLines))
      PaintTreeLines(Info, Levels, Lines, Anchor);
    if (HasPaintOption(toShowButtons) && node->Has(nfHasChildren) &&
        !(HasAutoOption(toAutoHideButtons) && node->Has(nfChildrenHidden))) {
      int buttonX = Levels * int(FIndent) + HalfRoundedEven(int(FIndent) - kButtonSize) - int(FIndent);
      PaintButton(Info, buttonX, ButtonY);
    }
    if (Info.CheckImage.Index >= 0)
      PaintCheckImage(Info);
  }
  if (Info.StateImage.Index >= 0)
    PaintImage(Info, Info.StateImage, FStateImages, false);
  if (Info.NormalImage.Index >= 0)
    PaintImage(Info, Info.NormalImage, FImages, true);
  ++FPaintEventCount;
  if (!(FStates.Contains(tsEditing) && node == FFocusedNode && Info.Column == FFocusedColumn))
    DoPaintNode(Info);
  DoAfterCellPaint(Info.Canvas, node, Info.Column, Info.CellRect);
  if (columns)
    RestoreDC(dc, saved);
  Info.PaintOptions = rowOptions;
}

void TBaseLazyTree::PaintRemainingArea(TCanvas* Target, TRect Window, TPoint TargetPt, int Top, std::uint8_t Options)
{
  int height = Window.Bottom - Top;
  if (height <= 0)
    return;
  TRowBuffer buffer;
  HDC dc = buffer.Resize(Window.Width(), height);
  TCanvas canvas;
  canvas.SetHandle(dc);
  TRect area(0, 0, Window.Width(), height);
  TRect r(Window.Left, Top, Window.Right, Window.Bottom);
  if (!DoPaintBackground(&canvas, r)) {
    if (FUseBackground) {
      TileBackground(dc, area, TPoint(Window.Left, Top));
    } else if (UseColumns()) {
      // Each column's part in its colour, right of the last column the tree's.
      FillSolid(dc, area, Color());
      const TLazyTreeColumns& columns = FHeader->Columns();
      std::vector<TColumnIndex> visible = columns.VisibleColumns();
      bool lines = (Options & ppGridLines) && HasPaintOption(toShowVertGridLines) && HasPaintOption(toFullVertGridLines);
      for (std::size_t i = 0; i < visible.size(); ++i) {
        TLazyTreeColumn* column = columns.Item(visible[i]);
        TRect part(column->Left() - Window.Left, 0, column->Left() + column->Width() - Window.Left, height);
        if (part.Right <= 0 || part.Left >= area.Right)
          continue;
        FillSolid(dc, part, column->Options().Contains(coParentColor) ? Color() : column->Color());
        if (lines && (i + 1 < visible.size() || !FHeader->Options().Contains(hoAutoResize)))
          FillSolid(dc, TRect(part.Right - 1, 0, part.Right, height), FColors->Color(GridLineColor));
      }
    } else {
      FillSolid(dc, area, Color());
    }
  }
  if (IsMouseSelecting()) {
    TRect band(std::min(FNewSelRect.Left, FNewSelRect.Right), std::min(FNewSelRect.Top, FNewSelRect.Bottom),
               std::max(FNewSelRect.Left, FNewSelRect.Right), std::max(FNewSelRect.Top, FNewSelRect.Bottom));
    OffsetRect(&band, -Window.Left, -Top);
    if (!band.IsEmpty())
      PaintBand(dc, band, 0, area);
  }
  BitBlt(Target->Handle(), TargetPt.x, TargetPt.y, Window.Width(), height, dc, 0, 0, SRCCOPY);
  canvas.SetHandle(nullptr);
}
