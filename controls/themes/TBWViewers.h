// The viewers of themed items: they measure an item and fill the theme's
// item record, then paint frame, arrow, caption, shortcut and image through
// the current theme in a fixed order (toolbar style and menu style differ).
#pragma once

#include <cstdint>

#include "controls/toolbar/TBItemViewer.h"
#include "platform/win/win.h"

class TFont;
struct TTBWItemInfo;

class TTBWItemViewer : public TTBItemViewer {
public:
  TTBWItemViewer(TTBView* AView, TTBCustomItem* AItem, int AInlineDepth);

  void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) override;
  int GetAccRole() override;
  bool UsesToolbarSize() override;
  bool UsesToolbarStyle() override;
  bool InButtonPart(int X, int Y) override;
  void MouseUp(int X, int Y, bool MouseWasDownOnMenu) override;
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;

  // The parts of the item the theme paints before its caption and image.
  enum TItemPart { ipItemFrame, ipDropdownArrow, ipMenuItemFrame };
  // Paints one part through the theme; descendants wrap the theme's call.
  virtual void PaintItemPart(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TItemPart Part);
  // Where the caption of a toolbar-style item goes. Area is the text area
  // with the image (if any) already taken off; ImageBeside tells on which
  // side it was (0 none, 1 left, 2 above). Format may be changed.
  virtual TRect PlaceToolbarCaption(const TRect& Area, TPoint TextSize, int ImageBeside, UINT& Format);
  // Draws the caption (Shortcut false) or a menu item's shortcut text.
  virtual void DrawCaption(TCanvas* Canvas, const TRect& ClientAreaRect, const TRect& TextRect,
                           const std::string& Text, UINT Format, bool Rotated, const TTBWItemInfo& Info,
                           bool Shortcut);
  // 1 for a toolbar-style viewer, 2 for a menu-style one (the theme's margins).
  virtual int GetItemElementKind();
  virtual void DrawImage(TCanvas* Canvas, const TRect& ImageRect, const TTBWItemInfo& Info);
  virtual void ApplyItemFont(TFont* Font, unsigned StateFlags);
  virtual bool HasImage();

  // The image list's image size (0 by 0 without a list).
  TSize GetImageSize();
  // DrawText flags of the caption (the hidden accelerator marks).
  UINT GetCaptionFormat();
  // The size of the caption in the item's font (rotated: height is along
  // the text).
  virtual void MeasureCaption(TCanvas* Canvas, const std::string& Caption, TPoint& Size, unsigned StateFlags,
                              bool Rotated, UINT Format);

  bool Wide() const { return FWide; }
  void SetWide(bool Value) { FWide = Value; }

private:
  enum TResolvedLayout { GlyphLeft, GlyphTop };
  // The layout an item of tbwlAuto takes here; Explicit tells whether the
  // item chose one (or asked for its image above the caption).
  TResolvedLayout ResolvedLayout(bool& Explicit);
  bool FWide = true;
};

class TTBWSeparatorItemViewer : public TTBSeparatorItemViewer {
public:
  using TTBSeparatorItemViewer::TTBSeparatorItemViewer;
  void CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) override;
  bool UsesToolbarSize() override;
  bool UsesToolbarStyle() override;
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

// The width of the image column of a popup item.
int PopupMarginOf(TTBItemViewer* Viewer);
// How a viewer is hovered: 0 not selected, 2 selected and enabled, 1
// selected and disabled when the selection did not come from the mouse.
std::uint8_t HoverKindOf(TTBView* View, bool IsSelected, bool Enabled);
// The state flags item events get: 1 disabled, 2 hovered, 4 pushed, 8 checked.
unsigned StateFlagsOf(const TTBWItemInfo& Info);
