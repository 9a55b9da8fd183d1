// The clipboard bridge: the layer's clipboard exchanged with the X CLIPBOARD
// selection, in every format that has an X equivalent (X11Formats.h). While
// the process owns the clipboard we answer other programs' requests (TARGETS,
// TIMESTAMP and the targets of the formats the layer's clipboard holds);
// otherwise the layer's requests are asked of the owner.
#pragma once

#include "platform/display/x11/X11Transfer.h"

namespace x11 {

class TX11Clipboard {
public:
  TX11Clipboard(TCore& core, TX11Transfer& transfer) : FCore(core), FTransfer(transfer) {}

  // From the window system's threads (they take the lock themselves).
  void Own(bool owned);
  std::vector<std::string> ForeignFormats();
  bool Fetch(const std::string& format, std::vector<BYTE>& data);

  // From the reader, under the lock; actions run once it is let go.
  void OnSelectionRequest(const XSelectionRequestEvent& ev, TActions& actions);
  void OnSelectionClear(const XSelectionClearEvent& ev, TActions& actions);
  void OnOwnerChanged(TActions& actions);

private:
  TCore& FCore;
  TX11Transfer& FTransfer;
  bool FOwned = false;
  Time FOwnTime = CurrentTime;
};

}  // namespace x11
