// TTBPopupWindow: the topmost tool window that shows a submenu or a popup
// menu, with its view (TTBPopupView). It paints its own 3-pixel frame and
// the scroll arrows of a tall menu, never takes the focus, and ignores
// WM_CLOSE: only the view that opened it (or the popup menu's loop) ends it.
#pragma once

#include "controls/toolbar/TBView.h"
#include "platform/classes/controls/CustomControl.h"

class TTBPopupView : public TTBView {
public:
  using TTBView::TTBView;
  // The window keeps its place and takes the size plus its frame.
  void SizeChanged(int AWidth, int AHeight) override;
  TFont* CaptionFont() override;
};

class TTBPopupWindow : public TCustomControl {
public:
  TTBPopupWindow(TComponent* AOwner, TTBView* ParentView, TTBCustomItem* Item, bool Customizing);
  ~TTBPopupWindow() override;

  TTBView* View() const { return FView; }
  virtual TPoint GetFrameSize() { return TPoint(3, 3); }
  TTBAnimationDirection AnimationDirection() const { return FAnimationDirection; }
  void SetAnimationDirection(TTBAnimationDirection Value) { FAnimationDirection = Value; }

  // Makes the view, once constructed (the view's class is a virtual choice).
  void InitView(TTBView* ParentView, TTBCustomItem* Item, bool Customizing);

protected:
  virtual TTBView* CreatePopupView(TTBView* ParentView, TTBCustomItem* Item, bool Customizing);
  virtual void PaintScrollArrows();
  // The frame, in window coordinates on a DC of the whole window.
  virtual void PaintFrame(HDC DC);
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;

private:
  static void FramePainter(HWND Window, HDC DC, void* Data);
  void ShowingChanged();
  void NCPaint(HRGN UpdateRegion);

  bool FAccelsInitialised = false;
  TTBAnimationDirection FAnimationDirection = 0;
  TTBView* FView = nullptr;
};
