// The viewers of the extended items: wide captions measured and drawn by
// the viewer itself, captions placed by the item's alignment, fixed and
// anchored sizes, and the item's owner-draw events around each part the
// theme paints.
#pragma once

#include "controls/themes/TBWViewers.h"
#include "platform/base/Utf.h"

class TXTBCustomItem;

class TXTBItemViewer : public TTBWItemViewer {
public:
  TXTBItemViewer(TTBView* AView, TTBCustomItem* AItem, int AInlineDepth);

  // The dock's size when the item was first anchored ((0, 0) until then)
  // and how far the dock has grown since.
  TPoint AnchorPoint() const { return FAnchorPoint; }
  void SetAnchorPoint(TPoint Value) { FAnchorPoint = Value; }
  TPoint AnchorDelta() const { return FAnchorDelta; }
  void SetAnchorDelta(TPoint Value) { FAnchorDelta = Value; }

  // The wide hint: the hint up to its first "|", else the caption (none for
  // a submenu item that shows its caption and is not split), with the
  // shortcut in parentheses when the application shows shortcuts in hints.
  WideString HintText();
  // The wide caption without its shortcut part (after a tab).
  WideString WideCaption();

  void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) override;
  void MeasureCaption(TCanvas* Canvas, const std::string& Caption, TPoint& Size, unsigned StateFlags, bool Rotated,
                      UINT Format) override;
  void PaintItemPart(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TItemPart Part) override;
  TRect PlaceToolbarCaption(const TRect& Area, TPoint TextSize, int ImageBeside, UINT& Format) override;
  void DrawCaption(TCanvas* Canvas, const TRect& ClientAreaRect, const TRect& TextRect, const std::string& Text,
                   UINT Format, bool Rotated, const TTBWItemInfo& Info, bool Shortcut) override;
  void DrawImage(TCanvas* Canvas, const TRect& ImageRect, const TTBWItemInfo& Info) override;

private:
  TXTBCustomItem* ExtendedItem();
  WideString WideShortcut();

  TPoint FAnchorPoint;
  TPoint FAnchorDelta;
};

class TXTBSeparatorItemViewer : public TTBWSeparatorItemViewer {
public:
  using TTBWSeparatorItemViewer::TTBWSeparatorItemViewer;
  // Nothing on a status toolbar that hides its separators.
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};
