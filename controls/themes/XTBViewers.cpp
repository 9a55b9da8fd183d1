#include "controls/themes/XTBViewers.h"

#include <algorithm>

#include "controls/themes/TBWThemedControls.h"
#include "controls/themes/XTBItems.h"
#include "controls/themes/XTBStatusToolbar.h"
#include "controls/themes/XTBWideText.h"
#include "controls/toolbar/TBView.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/menus/ShortCuts.h"

namespace {

// The caption's pieces before and after its tab.
WideString BeforeTab(const WideString& Text) { return Text.substr(0, Text.find(u'\t')); }

WideString AfterTab(const WideString& Text)
{
  const size_t tab = Text.find(u'\t');
  return tab == WideString::npos ? WideString() : Text.substr(tab + 1);
}

}  // namespace

TXTBItemViewer::TXTBItemViewer(TTBView* AView, TTBCustomItem* AItem, int AInlineDepth)
    : TTBWItemViewer(AView, AItem, AInlineDepth)
{
}

TXTBCustomItem* TXTBItemViewer::ExtendedItem() { return static_cast<TXTBCustomItem*>(Item()); }

WideString TXTBItemViewer::WideCaption() { return BeforeTab(ExtendedItem()->Caption()); }

WideString TXTBItemViewer::WideShortcut() { return AfterTab(ExtendedItem()->Caption()); }

WideString TXTBItemViewer::HintText()
{
  TXTBCustomItem* item = ExtendedItem();
  WideString hint = item->Hint().substr(0, item->Hint().find(u'|'));
  const TTBItemFlags style = item->ItemStyle();
  if (hint.empty() && ((style & tbsfSplitButton) || !(style & tbsfOpensSubmenu) || !ShowsCaption()))
    hint = item->Caption();
  if (!hint.empty() && item->ShortCut() != 0 && Application()->HintShortCuts())
    hint += u" (" + SystemTextToWide(ShortCutToText(item->ShortCut())) + u")";
  return hint;
}

void TXTBItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight)
{
  TTBWItemViewer::CalcSize(Canvas, AWidth, AHeight);
  TXTBCustomItem* item = ExtendedItem();
  if (item->CustomWidth() >= 0)
    AWidth = item->CustomWidth();
  if (item->CustomHeight() >= 0)
    AHeight = item->CustomHeight();
  if (item->Anchored() && UsesToolbarStyle())
    AWidth += FAnchorDelta.x;
  AWidth = std::max(AWidth, item->MinWidth());
  AHeight = std::max(AHeight, item->MinHeight());
}

void TXTBItemViewer::MeasureCaption(TCanvas* Canvas, const std::string& Caption, TPoint& Size, unsigned StateFlags,
                                    bool Rotated, UINT Format)
{
  TTBWItemViewer::MeasureCaption(Canvas, Caption, Size, StateFlags, Rotated, Format);
  if (Size.x <= 0 || Size.y <= 0)
    return;
  // The wide caption is drawn unrotated from the top of its rectangle, one
  // pixel lower than the narrow caption was measured.
  TRect r(0, 1, 0, 0);
  DrawWideText(Canvas, WideCaption(), r, Format | DT_CALCRECT);
  Size = TPoint(r.Right, r.Bottom);
}

void TXTBItemViewer::PaintItemPart(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TItemPart Part)
{
  TXTBCustomItem* item = ExtendedItem();
  bool paintDefault = true;
  item->DoDrawItem(Canvas, R, Info, pstPrePaint, paintDefault);
  if (paintDefault)
    TTBWItemViewer::PaintItemPart(Canvas, R, Info, Part);
  paintDefault = true;
  item->DoDrawItem(Canvas, R, Info, pstPostPaint, paintDefault);
}

TRect TXTBItemViewer::PlaceToolbarCaption(const TRect& Area, TPoint TextSize, int, UINT& Format)
{
  Format = 0;
  TRect r;
  r.Top = Area.Top + (Area.Height() - TextSize.y) / 2;
  switch (ExtendedItem()->Alignment()) {
    case taLeftJustify:
      r.Left = Area.Left + 3;
      break;
    case taRightJustify:
      r.Left = Area.Right - 3 - TextSize.x;
      break;
    default:
      r.Left = Area.Left + (Area.Width() - TextSize.x) / 2;
      break;
  }
  r.Right = r.Left + TextSize.x;
  r.Bottom = r.Top + TextSize.y;
  return r;
}

void TXTBItemViewer::DrawCaption(TCanvas* Canvas, const TRect& ClientAreaRect, const TRect& TextRect,
                                 const std::string&, UINT, bool Rotated, const TTBWItemInfo&, bool Shortcut)
{
  TXTBCustomItem* item = ExtendedItem();
  WideString text = Shortcut ? WideShortcut() : WideCaption();
  TRect rect = TextRect;
  bool paintDefault = true;
  item->DoDrawCaption(Canvas, ClientAreaRect, text, rect, Rotated, pstPrePaint, paintDefault);
  // The viewer draws the wide text itself, always unrotated: the theme's
  // caption routine knows only 8-bit text.
  if (paintDefault)
    DrawWideText(Canvas, text, rect, 0);
  paintDefault = true;
  item->DoDrawCaption(Canvas, ClientAreaRect, text, rect, Rotated, pstPostPaint, paintDefault);
}

void TXTBItemViewer::DrawImage(TCanvas* Canvas, const TRect& ImageRect, const TTBWItemInfo& Info)
{
  TXTBCustomItem* item = ExtendedItem();
  TCustomImageList* images = GetImageList();
  int index = item->ImageIndex();
  TRect rect = ImageRect;
  bool paintDefault = true;
  item->DoDrawImage(Canvas, Info, pstPrePaint, images, index, rect, paintDefault);
  if (paintDefault && images && index >= 0 && index < images->Count())
    ActiveTheme().DrawItemImage(Canvas, rect, Info, images, index);
  paintDefault = true;
  item->DoDrawImage(Canvas, Info, pstPostPaint, images, index, rect, paintDefault);
}

void TXTBSeparatorItemViewer::Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                                    bool UseDisabledShadow)
{
  auto* status = dynamic_cast<TXTBStatusToolbar*>(Item()->GetParentComponent());
  if (status && status->HidesSeparators())
    return;
  TTBWSeparatorItemViewer::Paint(Canvas, ClientAreaRect, IsSelected, IsPushed, UseDisabledShadow);
}
