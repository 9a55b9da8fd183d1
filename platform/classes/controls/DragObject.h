// The class library's drag and drop inside the process: a drag object
// travels from the control that started the drag to the controls under the
// mouse, which accept it (OnDragOver) and take it (OnDragDrop). While a drag
// runs, a hidden window holds the mouse capture and turns mouse moves into
// DragTo, the release into a drop and Escape, a right press or a lost capture
// into a cancel. Every step reaches a control as CM_DRAG (WParam: the
// TDragMessage, LParam: a TDragRec), so a control can take over any of them.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/classes/controls/ControlTypes.h"

class TDragObject : public TObject {
public:
  ~TDragObject() override = default;

  // The control under the mouse that would take the drop (null: none).
  TControl* DragTarget() const { return FDragTarget; }
  HWND DragHandle() const { return FDragHandle; }
  TPoint DragPos() const { return FDragPos; }
  TPoint DragTargetPos() const { return FDragTargetPos; }
  bool Cancelling() const { return FCancelling; }
  bool Dropped() const { return FDropped; }
  // The cursor to show: the source's drag cursor when the target accepts, else crNoDrop.
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
  // After the drop or the cancel (the target or null).
  virtual void Finished(TObject*, int, int, bool) {}
  virtual TControl* SourceControl() const { return nullptr; }

private:
  friend void DragTo(const TPoint& Pos);
  friend void DragDone(bool Drop);
  friend void DragControlDestroyed(TControl* Control);
  TControl* FDragTarget = nullptr;
  HWND FDragHandle = nullptr;
  TPoint FDragPos;
  TPoint FDragTargetPos;
  bool FCancelling = false;
  bool FDropped = false;
};

// What CM_DRAG carries. For dmFindTarget the answer (Message.Result) is the
// control at Pos that takes the drag; for enter, move and leave it is
// nonzero when the target accepts.
struct TDragRec {
  TPoint Pos;                     // screen coordinates
  TDragObject* Source = nullptr;  // the drag under way
  TControl* Target = nullptr;     // the control the message is for
  bool Docking = false;           // a docking drag (none is made in this library yet)
};

// The usual drag object: a control drags itself.
class TDragControlObject : public TDragObject {
public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* Control() const { return FControl; }
  TControl* SourceControl() const override { return FControl; }
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;

private:
  TControl* FControl;
};

// The drag under way (null when none) and the control that started it.
TDragObject* ActiveDragObject();
TControl* DragControl();
// Starts a drag of Control: at once, or once the mouse has moved Threshold
// pixels from where it is now.
void DragInitControl(TControl* Control, bool Immediate, int Threshold);
// The mouse is at Pos (screen): finds the target and tells it (enter, move, leave).
void DragTo(const TPoint& Pos);
// Ends the drag: a drop on the target when Drop and it accepts, else a cancel.
void DragDone(bool Drop);
void CancelDrag();
// The drag's share of keyboard input while it runs: Escape cancels, Shift,
// Ctrl and Alt ask the target again (its answer may depend on them).
// Answers whether the message was used up.
bool DragKeyMessage(UINT Message, WPARAM Key);
// A control going away leaves the drag (as source or target).
void DragControlDestroyed(TControl* Control);
