// The seam where drag and drop meets other programs. The in-process loop
// finds targets among this process's registered windows; a display back end
// that speaks a desktop drag protocol installs a bridge, which the loop asks
// for a target when the pointer is over no window of ours (it answers an
// IDropTarget that speaks the protocol to the other program). For drags that
// other programs start over our windows, the back end looks the target up
// with FindDropTarget and calls it with a data object of its own.
#pragma once

#include <functional>
#include <memory>

#include "platform/win/ole/DragDrop.h"

class TDragDropBridge {
public:
  virtual ~TDragDropBridge() = default;
  // The target of another program under the screen point, with a new
  // reference; null when there is none that takes drops.
  virtual IDropTarget* ForeignDropTargetAt(POINTL screenPoint) = 0;
};

// The allowed effects a target answered, one of them when it left several:
// the keys choose (Ctrl+Shift link, Ctrl copy, Shift move), else move, copy,
// link. DROPEFFECT_SCROLL passes through. A bridge asks for the effects the
// source allows with this too, to know which one to ask another program for.
DWORD ChooseDropEffect(DWORD answered, DWORD allowed, DWORD keyState);

// Installs the bridge (null removes it); the caller keeps it alive meanwhile.
void SetDragDropBridge(TDragDropBridge* bridge);

// The registered target for the screen point: the window of this process
// there, or its nearest registered ancestor. A new reference, or null; window
// gets the registered window when asked.
IDropTarget* FindDropTarget(POINTL screenPoint, HWND* window = nullptr);

// A drag that another program runs over our windows, as a display back end
// relays it, one object per drag over a data object of the back end's. The
// calls may come from any thread (holding none of the back end's locks):
// the registered target under the point (FindDropTarget) is called in the
// thread that registered it, and the answers are given there, later. A change
// of target leaves the old one; the effect is narrowed as in DoDragDrop.
class TForeignDrag {
public:
  // The effect the target takes; DROPEFFECT_NONE over no target that accepts.
  using TAnswer = std::function<void(DWORD effect)>;

  explicit TForeignDrag(IDataObject* data);
  ~TForeignDrag();
  TForeignDrag(const TForeignDrag&) = delete;
  TForeignDrag& operator=(const TForeignDrag&) = delete;

  // The pointer is at the screen point; the source allows these effects.
  void Over(POINTL screenPoint, DWORD allowed, DWORD keyState, TAnswer answer);
  // The pointer left our windows, or the source gave up.
  void Leave();
  // The source dropped: the target under the last Over takes the data, when
  // it accepted there; done hears what it did (DROPEFFECT_NONE when nothing).
  void Drop(POINTL screenPoint, DWORD allowed, DWORD keyState, TAnswer done);

  struct TState;

private:
  std::shared_ptr<TState> FState;
};
