// A control's side of the class library's drag and drop.
#include "platform/classes/controls/Control.h"
#include "platform/classes/controls/DragObject.h"

void TControl::BeginDrag(bool Immediate, int Threshold)
{
  if (DragControl())
    return;
  DragInitControl(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop)
{
  if (DragControl() == this)
    DragDone(Drop);
}

bool TControl::Dragging() const
{
  return DragControl() == this;
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
  if (OnStartDrag)
    OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
  if (OnEndDrag)
    OnEndDrag(this, Target, X, Y);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
  if (OnDragDrop)
    OnDragDrop(this, Source, X, Y);
}
