// The step maths of the tree's animations (hint fade and slide, animated
// toggling): a number of steps spread over a duration on the tick clock.
#pragma once

#include <functional>

// Called with the next step and the step size; false ends the loop early.
// The final call has step 0 and step size 0.
using TAnimationStep = std::function<bool(int Step, int StepSize)>;

// Runs the steps: the step size grows when the time left per step drops to
// 0, each step waits (Sleep, so that the virtual clock of tests advances)
// until its share of the remaining time has passed, and a final call (0, 0)
// follows unless Stop answers true afterwards (the program is ending or the
// owner is gone). Nothing happens for a duration of 0 or no steps.
void RunAnimationSteps(int Steps, unsigned Duration, const TAnimationStep& Callback,
                       const std::function<bool()>& Stop);
