#include "controls/vtree/StepAnimation.h"

#include <algorithm>
#include <cmath>

#include "platform/base/Clock.h"
#include "platform/win/window/Timers.h"

void RunStepAnimation(int Steps, unsigned Duration, const TAnimationStep& Step, const std::function<bool()>& Terminating)
{
  if (Duration == 0 || Steps <= 0)
    return;
  long long remainingTime = Duration;
  // Rounded half to even: 1.5 steps a millisecond gives 2, 2.5 gives 2.
  int stepSize = int(std::nearbyint(std::max(double(Steps) / double(Duration), 1.0)));
  long long remainingSteps = Steps / stepSize;
  int nextStep = 0;
  while (remainingSteps > 0 && remainingTime > 0 && !Terminating()) {
    ULONGLONG start = GetTickCount64();
    ULONGLONG stepEnd = start + ULONGLONG(remainingTime / remainingSteps);
    if (!Step(nextStep, stepSize) || Terminating())
      break;
    // A stalled (virtual) clock ends the animation rather than the program.
    bool reached = WaitForTick(stepEnd);
    long long elapsed = (long long)(GetTickCount64() - start);
    if (reached && elapsed <= remainingTime) {
      remainingTime -= elapsed;
      --remainingSteps;
    } else {
      remainingTime = remainingSteps = 0;
    }
    // The next step starts where this one ended (counting the steps left,
    // in units of a grown step size, would jump ahead).
    nextStep = std::min(Steps, nextStep + stepSize);
    while (remainingSteps > 0 && remainingTime / remainingSteps == 0) {
      ++stepSize;
      remainingSteps = remainingTime / stepSize;
    }
  }
  if (!Terminating())
    Step(0, 0);
}
