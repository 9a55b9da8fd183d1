// What the drag-and-drop tests need of the display beside the fixture: the
// first button held down or let go as a hand does (XTest). The drag-and-drop
// peer (tests/tools/xdnd_peer) is started with tests/support/PeerProcess.h.
#pragma once

struct _XDisplay;

void HoldFirstButton(_XDisplay* x, bool down);
