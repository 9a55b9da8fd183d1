// The step loop shared by the tree's animations (expanding and collapsing,
// hints): a number of steps spread over a duration, with the step size grown
// whenever the clock falls behind.
#pragma once

#include <functional>

// Called with the step reached and the step size; false stops the loop. The
// final call, after the loop, has step 0 and step size 0.
using TAnimationStep = std::function<bool(int Step, int StepSize)>;

// Runs Steps steps over Duration milliseconds of the platform clock; nothing
// for a duration of 0. Handles no message while it waits (nothing can change
// the tree under a running step). Terminating is asked before each step and
// before the final call.
void RunStepAnimation(int Steps, unsigned Duration, const TAnimationStep& Step, const std::function<bool()>& Terminating);
