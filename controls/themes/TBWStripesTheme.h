// "Stripes": thin horizontal stripes behind toolbars, popups and panels, soft
// rounded outlines over dithered faces for hot and pushed items, and raised
// dots on drag handles and captions. It paints its own way only what it
// overrides and leaves everything else to its base.
#pragma once

#include "controls/themes/TBWDefaultTheme.h"
#include "controls/themes/TBWOfficeXPThemeGlyphs.h"
#include "controls/themes/TBWStripesThemeTextures.h"

// The theme this one refines: what it does not override is the Default
// theme's (check mark, chevron, image shift and colours, item margins).
using TStripesThemeBase = TTBWDefaultTheme;

class TTBWStripesTheme : public TStripesThemeBase {
public:
  explicit TTBWStripesTheme(const std::string& Name);

  TColor PanelColor() const { return FPanelColor; }
  TColor ShadowColor() const { return FShadowColor; }

  TColor GetItemTextColor(const TTBWItemInfo& Info) override;
  int GetPopupShadowKind() override;
  void GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size) override;
  TColor GetViewColor(std::uint32_t ViewKind) override;
  void DrawViewBackground(TCanvas* Canvas, const TRect& BackgroundRect, const TRect& ClipRect,
                          const TRect& AreaRect, TColor Color, bool BackgroundPainted,
                          std::uint32_t ViewKind) override;
  void DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, const std::string& Caption,
                       UINT Format, bool Rotated) override;
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
  void DrawDockBackground(TCanvas* Canvas, const TRect& ClientRect, const TRect& ClipRect, int Side) override;
  void DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State) override;
  int DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags, int ControlKind) override;
  void DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part) override;
  int GetMetric(int Id) override;
  bool HasFeature(int Id) override;

  // Replaces the Default's colours without reading the visual styles.
  void RecomputeColors() override;

private:
  // The close button of docked frames and caption bars, with its 7 x 6 cross.
  void DrawCloseBox(HDC DC, TRect R, std::uint32_t CloseButtonState);
  // Text centred in R in the small-caption font, with the dot texture on
  // both sides of it when the text and Gap pixels fit.
  void DrawDottedCaption(HDC DC, const TRect& R, const std::string& Text, bool Dotted, int Gap, int Inset,
                         UINT Format, bool Rotated);

  TThemeGlyphsUse FGlyphs;
  TDotTileUse FDotTile;
  TColor FPanelColor = clBtnFace;
  TColor FShadowColor = clBtnShadow;
};

// Adds "Stripes" to the theme registry (the program's start-up).
void RegisterStripesTheme();
