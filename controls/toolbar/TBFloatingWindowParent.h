// TTBFloatingWindowParent: the small tool-window frame a floating dockable
// window lives in. It draws its own border, small caption and close box,
// turns presses on them into dragging, resizing, closing and re-docking, and
// keeps the owning form looking active while the user works in it. Its
// WM_CLOSE closes the owning form, not the tool window.
#pragma once

#include "controls/toolbar/TBDockTypes.h"
#include "platform/classes/forms/CustomForm.h"

class TTBFloatingWindowParent : public TCustomForm {
public:
  explicit TTBFloatingWindowParent(TComponent* AOwner);

  TTBCustomDockableWindow* DockableWindow() const { return FDockableWindow; }
  TCustomForm* ParentForm() const { return FParentForm; }
  bool ShouldShow() const { return FShouldShow; }
  void SetShouldShow(bool Value) { FShouldShow = Value; }
  // The close box is held down.
  bool CloseBoxPressed() const { return FCloseBoxPressed; }

  // Parts of the frame to paint.
  enum : unsigned { rpBorder = 1, rpCaption = 2, rpCloseButton = 4, rpAll = 7 };
  void RedrawNCArea(unsigned Parts);
  virtual void DrawNCArea(bool ForPrint, HDC DC, HRGN Clip, unsigned Parts);

  // Metrics: non-client sizes (left, top, right, bottom), the caption and
  // close box in window coordinates.
  TRect NonClientSizes() const;
  TRect CaptionRect() const;
  TRect CloseBoxRect() const;
  // WM_NCHITTEST of a point relative to the frame's window rectangle.
  int HitTest(const TPoint& P) const;

  void Dispatch(TMessage& Message) override;

protected:
  friend class TTBCustomDockableWindow;
  void CreateParams(TCreateParams& Params) override;
  void AlignControls(TControl*, TRect&) override {}
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void SetCloseBoxPressed(bool Value);
  void WMActivate(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  TCustomForm* ParentFormWithHandle() const;

  bool FCloseBoxPressed = false;
  TTBCustomDockableWindow* FDockableWindow = nullptr;
  TCustomForm* FParentForm = nullptr;
  bool FShouldShow = false;
};
