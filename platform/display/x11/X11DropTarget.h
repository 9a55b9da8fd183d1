// Drags that other programs run over our windows, through the X
// drag-and-drop protocol: our top-level windows say they take drops
// (XdndAware); an XdndEnter starts a drag over a data object of ours
// (X11DragData.h), positions and the drop go to the layer's registered
// targets through TForeignDrag (in the targets' own thread), and their
// answers go back as XdndStatus and XdndFinished.
#pragma once

#include <memory>

#include "platform/display/x11/X11DragData.h"
#include "platform/win/ole/DragDropBridge.h"

namespace x11 {

class TX11DropTarget {
public:
  TX11DropTarget(TCore& core, TX11Transfer& transfer) : FCore(core), FTransfer(transfer) {}

  // Under the lock: a top-level window of ours takes drops.
  void MakeAware(Window w);
  // From the reader, under the lock: a protocol message sent to a window of
  // ours (Enter, Position, Leave, Drop); false for other messages.
  bool OnClientMessage(const XClientMessageEvent& ev, TActions& actions);

private:
  struct TSession {
    Window Source = 0;
    Window Target = 0;  // our X window the source talks to
    std::vector<std::string> Types;
    InterfacePtr<TX11DragData> Data;
    std::shared_ptr<TForeignDrag> Drag;
    POINTL Point{};
    DWORD Allowed = DROPEFFECT_COPY;
  };

  void Enter(const XClientMessageEvent& ev, TActions& actions);
  // Tells the source, when the drag is still the one that asked.
  void Answer(std::weak_ptr<TSession> asked, Atom type, DWORD effect);

  TCore& FCore;
  TX11Transfer& FTransfer;
  std::shared_ptr<TSession> FSession;  // guarded by the core's lock
};

}  // namespace x11
