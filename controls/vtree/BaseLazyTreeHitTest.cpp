// Which node and which part of it lies under a point.
#include <algorithm>

#include "controls/vtree/BaseLazyTree.h"
#include "controls/vtree/LazyTreeHeader.h"
#include "platform/classes/graphics/CustomImageList.h"

void TBaseLazyTree::HitTestAt(int X, int Y, bool Relative, TLTHitInfo& HitInfo)
{
  HitInfo = TLTHitInfo();
  int clientWidth = HasWindow() ? ClientWidth() : Width();
  int clientHeight = HasWindow() ? ClientHeight() : Height();
  if (X < 0)
    HitInfo.HitPositions += hpToLeft;
  else if (X > std::max(clientWidth, FRangeX))
    HitInfo.HitPositions += hpToRight;
  if (Y < 0)
    HitInfo.HitPositions += hpAbove;
  else if (Y > std::max(clientHeight, RangeY()))
    HitInfo.HitPositions += hpBelow;
  if (Relative) {
    X -= FOffsetX;
    Y -= FOffsetY;
  }
  if (!HitInfo.HitPositions.Empty())
    return;
  HitInfo.HitNode = NodeAtOffset(Y, false);
  if (!HitInfo.HitNode) {
    HitInfo.HitPositions += hpNowhere;
    return;
  }
  if (!HitInfo.HitNode->Has(nfInitialized))
    InitializeNode(HitInfo.HitNode);
  int cellWidth = std::max(clientWidth, FRangeX);
  TAlignment alignment = FAlignment;
  bool rightToLeft = FBiDiMode != bdLeftToRight;
  HitInfo.HitColumn = NoColumn;
  if (UseColumns()) {
    int left = 0, right = 0;
    const TLazyTreeColumns& columns = FHeader->Columns();
    HitInfo.HitColumn = columns.ColumnAtX(X, &left, &right);
    if (HitInfo.HitColumn == InvalidColumn) {
      HitInfo.HitPositions += hpNowhere;
      return;
    }
    if (HasAutoOption(toAutoSpanColumns)) {
      // Empty neighbours lend their room: first to the left, then to the right.
      while (HitInfo.HitColumn >= 0 && DoGetCellIsEmpty(HitInfo.HitNode, HitInfo.HitColumn)) {
        TColumnIndex previous = columns.PreviousVisibleColumn(HitInfo.HitColumn);
        if (previous < 0)
          break;
        HitInfo.HitColumn = previous;
        left -= columns.Item(previous)->Width();
      }
      for (TColumnIndex next = columns.NextVisibleColumn(HitInfo.HitColumn);
           next >= 0 && DoGetCellIsEmpty(HitInfo.HitNode, next); next = columns.NextVisibleColumn(next))
        right += columns.Item(next)->Width();
    }
    cellWidth = right - left;
    X -= left;
    TLazyTreeColumn* column = columns.Item(HitInfo.HitColumn);
    alignment = column->Alignment();
    rightToLeft = column->UseRightToLeftReading();
  }
  HitInfo.HitPositions += hpOnItem;
  if (rightToLeft)
    HitPositionRightToLeft(HitInfo, X, cellWidth, alignment);
  else
    HitPositionLeftToRight(HitInfo, X, cellWidth, alignment);
}

void TBaseLazyTree::HitPositionLeftToRight(TLTHitInfo& HitInfo, int X, int ColumnRight, TAlignment Alignment)
{
  PLazyNode node = HitInfo.HitNode;
  bool isMain = HitInfo.HitColumn == MainColumn();
  bool ghosted;
  int offset = 0;
  if (isMain)
    offset = int(FIndent) * int(NodeLevel(node) + (HasPaintOption(toShowRoot) ? 1 : 0));
  if (X < offset) {
    if (HasPaintOption(toShowButtons) && node->Has(nfHasChildren) && X >= offset - int(FIndent))
      HitInfo.HitPositions += hpOnButton;
    return;
  }
  if (!isMain && HasMiscOption(toReportMode))
    return;
  offset += FMargin;
  // The check box counts only where a node shows one.
  bool showsCheck = isMain && HasMiscOption(toCheckSupport) && CheckImages() && node->CheckKind != ctNone;
  if (showsCheck) {
    offset += CheckImages()->Width() + 2;
    if (X < offset) {
      HitInfo.HitPositions = TLTHitPositions{hpOnItem, hpOnCheckBox};
      return;
    }
  } else if (isMain && X < offset) {
    return;
  }
  if (FStateImages && DoGetImageIndex(node, ikState, HitInfo.HitColumn, ghosted) >= 0) {
    offset += FStateImages->Width() + 2;
    if (X < offset) {
      HitInfo.HitPositions += hpOnStateIcon;
      return;
    }
  }
  if (FImages && DoGetImageIndex(node, ikNormal, HitInfo.HitColumn, ghosted) >= 0) {
    offset += FImages->Width() + 2;
    if (X < offset) {
      HitInfo.HitPositions += hpOnNormalIcon;
      return;
    }
  }
  int width = DoGetNodeWidth(node, HitInfo.HitColumn, Canvas());
  if (ColumnRight - offset < width) {
    HitInfo.HitPositions += hpOnLabel;
    return;
  }
  switch (Alignment) {
    case taRightJustify:
      HitInfo.HitPositions += X < ColumnRight - width ? hpLeftOfLabel : hpOnLabel;
      break;
    case taCenter: {
      int start = (offset + ColumnRight - width) / 2;
      HitInfo.HitPositions += X < start ? hpLeftOfLabel : X < start + width ? hpOnLabel : hpRightOfLabel;
      break;
    }
    default:
      HitInfo.HitPositions += X < offset + width ? hpOnLabel : hpRightOfLabel;
      break;
  }
}

void TBaseLazyTree::HitPositionRightToLeft(TLTHitInfo& HitInfo, int X, int ColumnRight, TAlignment Alignment)
{
  PLazyNode node = HitInfo.HitNode;
  bool isMain = HitInfo.HitColumn == MainColumn();
  bool ghosted;
  if (isMain)
    ColumnRight -= int(FIndent) * int(NodeLevel(node) + (HasPaintOption(toShowRoot) ? 1 : 0));
  if (X >= ColumnRight) {
    if (HasPaintOption(toShowButtons) && node->Has(nfHasChildren) && X <= ColumnRight + int(FIndent))
      HitInfo.HitPositions += hpOnButton;
    return;
  }
  if (!isMain && HasMiscOption(toReportMode))
    return;
  ColumnRight -= FMargin;
  bool showsCheck = isMain && HasMiscOption(toCheckSupport) && CheckImages() && node->CheckKind != ctNone;
  if (showsCheck) {
    ColumnRight -= CheckImages()->Width() + 2;
    if (X > ColumnRight) {
      HitInfo.HitPositions = TLTHitPositions{hpOnItem, hpOnCheckBox};
      return;
    }
  } else if (isMain && X > ColumnRight) {
    return;
  }
  if (FStateImages && DoGetImageIndex(node, ikState, HitInfo.HitColumn, ghosted) >= 0) {
    ColumnRight -= FStateImages->Width() + 2;
    if (X > ColumnRight) {
      HitInfo.HitPositions += hpOnStateIcon;
      return;
    }
  }
  if (FImages && DoGetImageIndex(node, ikNormal, HitInfo.HitColumn, ghosted) >= 0) {
    ColumnRight -= FImages->Width() + 2;
    if (X > ColumnRight) {
      HitInfo.HitPositions += hpOnNormalIcon;
      return;
    }
  }
  int width = DoGetNodeWidth(node, HitInfo.HitColumn, Canvas());
  if (ColumnRight < width) {
    HitInfo.HitPositions += hpOnLabel;
    return;
  }
  // The alignment is mirrored for right-to-left reading.
  if (Alignment == taLeftJustify)
    Alignment = taRightJustify;
  else if (Alignment == taRightJustify)
    Alignment = taLeftJustify;
  ColumnRight -= width;
  switch (Alignment) {
    case taRightJustify:
      HitInfo.HitPositions += X < ColumnRight ? hpLeftOfLabel : hpOnLabel;
      break;
    case taCenter: {
      int start = ColumnRight / 2;
      HitInfo.HitPositions += X < start ? hpLeftOfLabel : X < start + width ? hpOnLabel : hpRightOfLabel;
      break;
    }
    default:
      HitInfo.HitPositions += X > width ? hpRightOfLabel : hpOnLabel;
      break;
  }
}
