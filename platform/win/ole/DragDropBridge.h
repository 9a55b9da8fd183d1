// The seam where drag and drop meets other programs. The in-process loop
// finds targets among this process's registered windows; a display back end
// that speaks a desktop drag protocol installs a bridge, which the loop asks
// for a target when the pointer is over no window of ours (it answers an
// IDropTarget that speaks the protocol to the other program). For drags that
// other programs start over our windows, the back end looks the target up
// with FindDropTarget and calls it with a data object of its own.
#pragma once

#include "platform/win/ole/DragDrop.h"

class TDragDropBridge {
public:
  virtual ~TDragDropBridge() = default;
  // The target of another program under the screen point, with a new
  // reference; null when there is none that takes drops.
  virtual IDropTarget* ForeignDropTargetAt(POINTL screenPoint) = 0;
};

// Installs the bridge (null removes it); the caller keeps it alive meanwhile.
void SetDragDropBridge(TDragDropBridge* bridge);

// The registered target for the screen point: the window of this process
// there, or its nearest registered ancestor. A new reference, or null; window
// gets the registered window when asked.
IDropTarget* FindDropTarget(POINTL screenPoint, HWND* window = nullptr);
