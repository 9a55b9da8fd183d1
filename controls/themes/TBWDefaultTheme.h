// TTBWDefaultTheme, registered as "Default": the look of the running system.
// Every operation has two paths: a classic one built from the system colours,
// three-dimensional edges, frame controls and small monochrome glyphs, and
// one that draws the parts of the visual-style classes while the theme
// manager says visual styles are active.
#pragma once

#include "controls/themes/TBWTheme.h"

class TTBWDefaultTheme : public TTBWTheme {
public:
  explicit TTBWDefaultTheme(const std::string& Name);

  TPoint GetImageShift(TCanvas* Canvas, const TTBWItemInfo& Info, TCustomImageList* ImageList) override;
  TColor GetItemFillColor(const TTBWItemInfo& Info) override;
  TColor GetItemTextColor(const TTBWItemInfo& Info) override;
  TColor GetImageBackColor(const TTBWItemInfo& Info) override;
  void GetItemMargins(int ElementKind, ItemMarginSet& Margins) override;
  int GetPopupShadowKind() override;
  void GetViewFrameSize(std::uint32_t ViewKind, TPoint& Size) override;
  TColor GetViewColor(std::uint32_t ViewKind) override;
  void GetViewMargins(std::uint32_t ViewKind, ItemMarginSet& Margins) override;
  int GetMetric(int Id) override;
  bool HasFeature(int Id) override;

  void DrawViewBackground(TCanvas* Canvas, const TRect& BackgroundRect, const TRect& ClipRect, const TRect& AreaRect,
                          TColor Color, bool BackgroundPainted, std::uint32_t ViewKind) override;
  void DrawItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawItemCaption(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, const std::string& Caption,
                       UINT Format, bool Rotated) override;
  void DrawCheckGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawChevronGlyph(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawDropdownArrow(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawItemImage(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, TCustomImageList* ImageList,
                     int ImageIndex) override;
  void DrawMenuItemFrame(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawMenuImageHighlight(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawSeparatorLine(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info, bool Horizontal,
                         bool LineBreak) override;

  void DrawPopupFrame(TCanvas* Canvas, const TRect& R, const PopupFramePaintState& State) override;
  void DrawDockBackground(TCanvas* Canvas, const TRect& ClientRect, const TRect& ClipRect, int Side) override;
  void DrawDockableFrame(TCanvas* Canvas, const TRect& R, const WindowPaintState& State) override;
  void DrawPanelCaptionBar(TCanvas* Canvas, const TRect& R, const PanelCaptionState& State) override;
  void DrawFloatingFrame(TCanvas* Canvas, const TRect& R, const FloatingPaintState& State) override;
  void DrawStatusBarPart(TCanvas* Canvas, const TRect& R, int Part) override;

  void DrawEditBorder(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info) override;
  void DrawEditField(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                     const EditFieldPaintState& State) override;
  void DrawEditButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                      const ButtonPaintState& State) override;
  void DrawCaptionButton(TCanvas* Canvas, const TRect& R, const ButtonPaintState& State, int ButtonKind) override;
  void DrawScrollArrowButton(TCanvas* Canvas, const TRect& R, int ButtonKind, bool Hot) override;
  int DrawCheckControl(TCanvas* Canvas, const TRect& R, bool Checked, unsigned StateFlags,
                       int ControlKind) override;

  // Reads the colours again from the system and the visual styles (at
  // construction and on every system-colour notification).
  void RecomputeColors() override;

  TColor ToolbarColor() const { return FToolbarColor; }
  TColor ToolbarTextColor() const { return FToolbarTextColor; }
  TColor DockPanelColor() const { return FDockPanelColor; }
  TColor StatusBarColor() const { return FStatusBarColor; }

protected:
  // The field inside its border and frame, and the button in the last
  // ButtonWidth pixels inside the frame, its left edge ButtonLeftShift
  // pixels further left.
  void DrawEditFieldWithButton(TCanvas* Canvas, const TRect& R, const TTBWItemInfo& Info,
                               const EditFieldPaintState& State, int ButtonLeftShift);

  TColor FToolbarColor = clBtnFace;
  TColor FToolbarTextColor = clBtnText;
  TColor FDockPanelColor = clBtnFace;
  TColor FStatusBarColor = clBtnFace;
};

// Registers TTBWDefaultTheme as "Default" unless that name is taken (the
// start of the program; tests).
void RegisterDefaultTheme();

// The flag words and item states the Default theme and the themes derived
// from it decide by.
namespace TBWDefault {
bool VisualStylesOn();
bool FlatMenusOn();
bool IsToolbarView(std::uint32_t ViewKind);
bool IsPopupView(std::uint32_t ViewKind);
bool IsPopupMenuView(std::uint32_t ViewKind);
bool IsToolbarStyle(const TTBWItemInfo& Info);
bool IsPopupMenuItem(const TTBWItemInfo& Info);
// The text drawn in clBtnHighlight one pixel down and right, then in
// clBtnShadow in place.
void DrawEmbossedText(HDC DC, const std::string& Text, const TRect& R, UINT Format, bool Rotated);
void DrawTextIn(HDC DC, const std::string& Text, const TRect& R, UINT Format, bool Rotated, TColor Color);
}  // namespace TBWDefault
