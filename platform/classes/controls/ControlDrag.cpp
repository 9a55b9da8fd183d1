// A control's side of the class library's drag and drop.
#include "platform/classes/controls/Control.h"
#include "platform/classes/controls/DragObject.h"
#include "platform/classes/Messages.h"

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

void TControl::CMDrag(TMessage& Message)
{
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  TDragObject* object = rec->Source;
  // Handlers see the dragged control, or the drag object when it has none.
  TControl* dragged = object ? object->SourceControl() : nullptr;
  TObject* source = dragged ? static_cast<TObject*>(dragged) : object;
  TPoint p = ScreenToClient(rec->Pos);
  switch (TDragMessage(Message.WParam)) {
  case dmDragEnter:
  case dmDragLeave:
  case dmDragMove: {
    TDragMessage kind = TDragMessage(Message.WParam);
    TDragState state = kind == dmDragEnter ? dsDragEnter : kind == dmDragLeave ? dsDragLeave : dsDragMove;
    bool accept = false;
    DragOver(source, p.x, p.y, state, accept);
    Message.Result = accept ? 1 : 0;
    return;
  }
  case dmDragDrop:
    DragDrop(source, p.x, p.y);
    Message.Result = 1;
    return;
  case dmFindTarget:
    Message.Result = LRESULT(this);
    return;
  default:
    Message.Result = 0;
  }
}
