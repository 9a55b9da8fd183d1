// TTBWPanelObject: a windowed control meant to sit on a dockable panel. Its
// background is its parent's (or its own Color), it follows theme changes,
// and it tracks the mouse hovering over it: one 125 ms timer shared by all
// panel objects watches the hovered one, so leaving it without a further
// mouse message over it is still noticed.
#pragma once

#include "platform/classes/controls/CustomControl.h"

class TTimer;

class TTBWPanelObject : public TCustomControl {
public:
  explicit TTBWPanelObject(TComponent* AOwner);
  ~TTBWPanelObject() override;

  bool BufferedPaint() const { return FBufferedPaint; }
  void SetBufferedPaint(bool Value);
  bool Pushed() const { return FPushed; }
  bool Hovered() const { return FHover; }
  // A click focuses the object only when the focus is already inside its parent.
  bool KeepFocus() const { return FKeepFocus; }
  void SetKeepFocus(bool Value) { FKeepFocus = Value; }
  // The space key clicks the object.
  bool SpaceClick() const { return FSpaceClick; }
  void SetSpaceClick(bool Value) { FSpaceClick = Value; }

  virtual int ContentHeight() { return Height(); }
  virtual int ContentWidth() { return Width(); }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // The shared hover timer (null while no panel object exists) and the
  // object it watches.
  static TTimer* HoverTimer();
  static TTBWPanelObject* HoveredObject();

protected:
  virtual void MouseEntered();
  virtual void MouseLeft();

  void CreateParams(TCreateParams& Params) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

  // Set while a click focuses the object inside an already active parent.
  bool FocusingByClick() const { return FFocusingByClick; }

private:
  void EnterHover();
  void LeaveHover();
  void StopHoverTracking();
  void HoverTimerCheck(TObject* Sender);
  bool IsUnderCursor();
  void EraseBackground(TMessage& Message);
  void ParentColorChanged(TMessage& Message);

  bool FFocusingByClick = false;
  bool FBufferedPaint = false;
  bool FPushed = false;
  bool FKeepFocus = false;
  bool FSpaceClick = false;
  bool FHover = false;
};
