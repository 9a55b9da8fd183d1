// The themed toolbar: its colour follows its parent or the theme, its
// docked frame and background are painted by the theme (or continue the
// dock's), it floats in a themed frame, and it re-lays out, re-frames and
// repaints when the theme changes. Its chevron is themed too.
#pragma once

#include <cstdint>

#include "controls/toolbar/TBToolbar.h"

struct WindowPaintState;

enum TTBWItemTransparency : std::uint8_t { itAuto, itEnable, itDisable };

class TTBWToolbarView : public TTBToolbarView {
public:
  using TTBToolbarView::TTBToolbarView;
  // The theme's margins of the toolbar's view kind, as floating or not.
  void LayoutMargins(TTBViewAxis AAxis, TRect& Margins) override;
};

class TTBWChevronItem : public TTBChevronItem {
public:
  using TTBChevronItem::TTBChevronItem;
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;
  TTBPopupWindow* NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing) override;
  void FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) override;
};

class TTBWChevronItemViewer : public TTBItemViewer {
public:
  using TTBItemViewer::TTBItemViewer;
  void Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

class TTBWToolbar : public TTBCustomToolbar {
public:
  explicit TTBWToolbar(TComponent* AOwner);
  ~TTBWToolbar() override;

  // The colour the toolbar shows: its own, its parent's when it stands
  // directly on a form, or the theme's for its view kind.
  TColor EffectiveColor() const { return FEffectiveColor; }
  TTBWItemTransparency ItemTransparency() const { return FItemTransparency; }
  void SetItemTransparency(TTBWItemTransparency Value);
  int SnapDistance() const { return FSnapDistance; }
  void SetSnapDistance(int Value);
  // What the toolbar is to the theme: plain or menu bar, floating,
  // resizable while floating, items drawn opaque.
  std::uint32_t ViewKind();

  virtual void GetWindowPaintState(WindowPaintState& State);
  void FloatingFrameSize(TPoint& Size) override;
  void PaintDockedFrame(bool ForPrint, HDC DC, HRGN Clip) override;
  void SetParent(TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;

protected:
  TTBFloatingWindowParent* NewFloatingFrame() override;
  // Clips a window DC to the update region of the docked frame, the
  // client area (inside the border and the drag handle) left out.
  void ClipToDockedFrame(HDC DC, HRGN Clip, const WindowPaintState& State, const TRect& WindowRect);

private:
  bool StandsOnForm() const { return !Floating() && !Docked(); }
  bool DockBackgroundOnToolbar();
  void UpdateEffectiveColor();
  void TellChildrenColor();
  void EraseBackground(TMessage& Message);
  void ThemeChanged(WPARAM SubCode);

  TColor FEffectiveColor;
  TTBWItemTransparency FItemTransparency = itAuto;
  int FSnapDistance = 0;
};
