#include "controls/vtree/LazyTreeAnimation.h"

#include <algorithm>
#include <cmath>

#include "platform/base/Clock.h"

void RunAnimationSteps(int Steps, unsigned Duration, const TAnimationStep& Callback,
                       const std::function<bool()>& Stop)
{
  if (Duration == 0 || Steps <= 0)
    return;
  long long remainingTime = Duration;
  // Halves round to even, as the default rounding mode does.
  int stepSize = int(std::nearbyint(std::max(double(Steps) / double(Duration), 1.0)));
  long long remainingSteps = Steps / stepSize;
  int nextStep = 0;
  while (remainingSteps > 0 && remainingTime > 0 && !Stop()) {
    ULONGLONG start = GetTickCount64();
    ULONGLONG stepEnd = start + ULONGLONG(remainingTime / remainingSteps);
    if (!Callback(nextStep, stepSize) || Stop())
      break;
    ULONGLONG now = GetTickCount64();
    if (now < stepEnd)
      Sleep(DWORD(stepEnd - now));
    long long elapsed = (long long)(GetTickCount64() - start);
    if (elapsed <= remainingTime) {
      remainingTime -= elapsed;
      --remainingSteps;
    } else {
      remainingTime = remainingSteps = 0;
    }
    while (remainingSteps > 0 && remainingTime / remainingSteps == 0) {
      ++stepSize;
      remainingSteps = remainingTime / stepSize;
    }
    nextStep = int(Steps - remainingSteps);
  }
  if (!Stop())
    Callback(0, 0);
}
