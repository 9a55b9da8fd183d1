// "OfficeXP": the flat theme. Toolbars and popups get light tinted
// backgrounds, hot and checked items a tinted fill inside a one-pixel frame,
// popup menus a tinted image column, and an open submenu's popup looks joined
// to the item that opened it.
#pragma once

#include "controls/themes/TBWOfficeXPThemeColors.h"
#include "controls/themes/TBWOfficeXPThemeGlyphs.h"
#include "controls/themes/TBWTheme.h"

class TTBWOfficeXPTheme : public TTBWTheme {
public:
  explicit TTBWOfficeXPTheme(const std::string& Name);

  const TOfficeColorTable& Colors() const { return FColors; }

  TPoint GetImageShift(TCanvas* Canvas, const TTBWItemInfo& Info, TCustomImageList* ImageList) override;
  TColor GetItemFillColor(const TTBWItemInfo& Info) override;
  TColor GetItemTextColor(const TTBWItemInfo& Info) override;
  TColor GetImageBackColor(const TTBWItemInfo& Info) override;
  void GetItemMargins(int ElementKind, ItemMarginSet& Margins) override;
  int GetPopupShadowKind() override;
  void GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size) override;
  TColor GetViewColor(std::uint32_t ViewKind) override;
  void DrawViewBackground(TCanvas* Canvas, const TRect& BackgroundRect, const TRect& ClipRect,
                          const TRect& AreaRect, TColor Color, bool BackgroundPainted,
                          std::uint32_t ViewKind) override;
  void DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, const std::string& Caption,
                       UINT Format, bool Rotated) override;
  void DrawCheckGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawChevronGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawEditField(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                     const EditFieldPaintState& State) override;
  void DrawEditButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                      const ButtonPaintState& State) override;
  void DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State) override;
  void DrawDropdownArrow(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawFloatingFrame(TCanvas* Canvas, const TRect& R, const FloatingPaintState& State) override;
  void DrawEditBorder(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TCustomImageList* ImageList,
                     int ImageIndex) override;
  void DrawCaptionButton(TCanvas* Canvas, const TRect& R, const ButtonPaintState& State, int ButtonKind) override;
  void DrawMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawMenuImageHighlight(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawScrollArrowButton(TCanvas* Canvas, const TRect& R, int ButtonKind, bool Hot) override;
  void DrawPopupFrame(TCanvas* Canvas, const TRect& R, const PopupFramePaintState& State) override;
  void DrawSeparatorLine(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, bool Horizontal,
                         bool LineBreak) override;
  void DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State) override;
  int DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags, int ControlKind) override;
  void DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part) override;
  int GetMetric(int Id) override;
  bool HasFeature(int Id) override;

protected:
  void RecomputeColors() override;

private:
  // The close button of a docked frame or caption bar in toolbar state
  // 3 (pressed), 4 (hot) or 0.
  void DrawCloseBox(HDC DC, const TRect& R, std::uint32_t CloseButtonState);

  TThemeGlyphsUse FGlyphs;
  TOfficeColorTable FColors;
};

// Adds "OfficeXP" to the theme registry (the program's start-up).
void RegisterOfficeXPTheme();
