// The show animation of popup menus: the popup slides in from an edge (its
// window region grows while its captured image moves in) or fades in (a
// layered window whose alpha rises). A worker thread only paces the frames
// and sends frame requests without waiting; the popup draws each frame on
// the GUI thread. One animation runs at a time in the process.
#pragma once

#include "controls/toolbar/TBTypes.h"
#include "platform/win/win.h"

struct TMessage;

// Shows Window with the animation (Duration in milliseconds; Directions from
// TTBAnimationDirection; Fade only where layered windows are available, else
// the window slides, or appears whole at the first frame without
// directions). A running animation is stopped first. When the worker thread
// cannot start, the window is shown complete at once.
void StartShowAnimation(HWND Window, int Duration, bool Fade, TTBAnimationDirection Directions);
// Stops the running animation when it belongs to Window (any animation when
// Window is null): waits for the worker, then shows the window complete and
// sends TBM_ANIMATIONEND to it.
void StopShowAnimation(HWND Window);
// The popup's handler of TBM_ANIMATIONSTEP: draws the current frame.
void AnimationFrame(TMessage& Message);
// Whether an animation runs, and for which window.
bool ShowAnimationRunning(HWND Window);

// The step (0 to 255) reached ElapsedMs into an animation of Duration ms,
// in multiples of 16 (negative for a clock that ran backwards).
int AnimationStepAt(LONGLONG ElapsedMs, int Duration);
// The slide offset of the image at Step: it moves in from the edge the
// direction names.
TPoint SlideOffset(TTBAnimationDirection Directions, int Step, int Width, int Height);

// The number the running animation's frame requests carry (0 when none).
LPARAM ShowAnimationNumber();
// Makes the worker thread fail to start (tests).
void SetAnimationThreadCreationFails(bool Fails);
