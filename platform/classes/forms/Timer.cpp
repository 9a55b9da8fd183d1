#include "platform/classes/forms/Timer.h"

#include "platform/classes/ClassesConsts.h"
#include "platform/classes/forms/AllocateHWnd.h"
#include "platform/classes/forms/Application.h"
#include "platform/win/win.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
  FWindowHandle = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
  UpdateTimer();
}

TTimer::~TTimer()
{
  Destroying();
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::UpdateTimer()
{
  if (FRunning) {
    KillTimer(FWindowHandle, 1);
    FRunning = false;
  }
  // The timer runs whenever it is enabled; a tick without OnTimer does nothing,
  // so a handler assigned later starts receiving ticks at once.
  if (FInterval != 0 && FEnabled && !ComponentState().Contains(csLoading) &&
      !ComponentState().Contains(csDestroying)) {
    if (!SetTimer(FWindowHandle, 1, FInterval, nullptr))
      throw EOutOfResources(SOutOfResources);
    FRunning = true;
  }
}

void TTimer::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
  if (FInterval == Value)
    return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::Loaded()
{
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::Timer()
{
  if (OnTimer)
    OnTimer(this);
}

void TTimer::WndProc(TMessage& Message)
{
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      Application()->HandleException(this);
    }
    return;
  }
  Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}
