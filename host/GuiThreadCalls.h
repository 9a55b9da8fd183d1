// Calls into the host that come from another thread than the GUI thread (a
// plug-in's own thread, outside the contract): they are handed to the GUI
// thread, queued and run there in their order by a hidden window of that
// thread, so that no window is ever made, and no part of the host touched,
// on the plug-in's thread, and the plug-in's thread never waits for the GUI
// thread (which may itself be waiting for that thread at quit).
#pragma once

#include <functional>

// Attaches the hand-off to the calling thread, which becomes the GUI thread
// (the host core does it when it is made); Detach, on that thread, drops
// what has not run yet and refuses every later call until the next Attach.
void AttachGuiThreadCalls();
void DetachGuiThreadCalls();

// Whether the calling thread is the GUI thread (also when none is attached).
bool OnGuiThread();

// Queues Call for the GUI thread. False (and Call dropped) when no GUI
// thread is attached or too many calls wait already.
bool PostToGuiThread(std::function<void()> Call);
