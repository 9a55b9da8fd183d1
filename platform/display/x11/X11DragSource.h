// Drags that leave our windows for another program's, through the X
// drag-and-drop protocol. The display installs this as the drag loop's
// bridge: over a window of another program that takes drops (XdndAware,
// through its XdndProxy when it names one) the loop gets a target that
// speaks the protocol to it: XdndEnter with the X types of the data object's
// formats (X11Formats.h), XdndPosition answered by XdndStatus, XdndLeave,
// XdndDrop answered by XdndFinished. The data are made once, on entering,
// and served from the XdndSelection while the other program asks for them.
#pragma once

#include <condition_variable>
#include <functional>
#include <utility>

#include "platform/display/x11/X11Transfer.h"
#include "platform/win/ole/DragDropBridge.h"

namespace x11 {

class TX11DragSource : public TDragDropBridge {
public:
  // ours tells whether an X window is one of ours (under the lock).
  TX11DragSource(TCore& core, TX11Transfer& transfer, std::function<bool(Window)> ours);
  ~TX11DragSource() override;

  // From the drag loop's thread.
  IDropTarget* ForeignDropTargetAt(POINTL screenPoint) override;

  // From the reader, under the lock.
  bool OnClientMessage(const XClientMessageEvent& ev);
  void OnSelectionRequest(const XSelectionRequestEvent& ev);

  // How long a drop waits for the other program's XdndFinished.
  static constexpr int FinishMs = 10000;
  // How long a position waits for its XdndStatus before the last one is used.
  static constexpr int StatusMs = 250;

  // What the other side said, and what we offer (guarded by the core's lock).
  struct TPeer {
    Window Target = 0;  // the window under the pointer that takes drops
    Window Mailbox = 0;  // where its messages go (itself or its proxy)
    long Version = 0;
    bool StatusPending = false;
    bool PositionWanted = false;
    TPoint WantedPoint;
    Atom WantedAction = 0;
    bool StatusSeen = false;
    bool Accepted = false;
    Atom Action = 0;
    bool Finished = false;
    bool FinishedAccepted = false;
    Atom FinishedAction = 0;
  };

private:
  class TForeignTarget;
  friend class TForeignTarget;

  // The window under the point that takes drops (0 when none), its version
  // and where its messages go.
  Window FindAware(TPoint p, long& version, Window& mailbox);
  void SendPosition(TPoint p, Atom action);

  TCore& FCore;
  TX11Transfer& FTransfer;
  std::function<bool(Window)> FOurs;
  TPeer FPeer;
  std::condition_variable_any FPeerChanged;
  std::vector<std::pair<std::string, std::string>> FOffered;  // X target name, bytes
  TForeignTarget* FCurrent = nullptr;            // the last target handed out (one reference held)
};

}  // namespace x11
