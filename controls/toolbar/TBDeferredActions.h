// The thread's deferred-action window: a menu click runs from here, after the
// menu loop has ended and every popup is gone. Pending objects sit in slots;
// an object destroyed before its message arrives leaves a marker, so its
// message does nothing.
#pragma once

#include "controls/toolbar/TBTypes.h"

// Every item and viewer counts as a user while it exists; the last one to go
// frees the window and the slots.
void AddDeferredActionUser();
// Cancels Object's pending actions and counts it out.
void RemoveDeferredActionUser(void* Object);

// Posts a click of Item (Param 0) or the default action of Viewer (Param:
// the accessibility flag).
void PostDeferredClick(TTBCustomItem* Item);
void PostDeferredViewerAction(TTBItemViewer* Viewer, int Param);

// How many slots are in use (tests).
int PendingDeferredActionCount();
