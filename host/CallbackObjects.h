// The host's callback objects, handed out by its exports CreateNetworkInput
// and CreateMessageInput: stateless counted objects that act on the current
// THostCore. A call that arrives when no host core lives does nothing.
#pragma once

class THostCore;

// The core that the callback objects act on (set by THostCore itself).
void RegisterHostCore(THostCore* Core);
void UnregisterHostCore(THostCore* Core);
