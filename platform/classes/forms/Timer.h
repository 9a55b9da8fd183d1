// TTimer: calls OnTimer every Interval milliseconds while Enabled, through a
// window timer of a hidden window (so on the virtual clock in tests).
#pragma once

#include "platform/classes/Messages.h"
#include "platform/classes/components/Component.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);

  TNotifyEvent OnTimer;

protected:
  virtual void Timer();
  void Loaded() override;

private:
  void UpdateTimer();
  void WndProc(TMessage& Message);

  unsigned FInterval = 1000;
  bool FEnabled = true;
  bool FRunning = false;
  HWND FWindowHandle;
};
