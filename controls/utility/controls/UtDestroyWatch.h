// A watcher that learns when a component is freed while a message that
// concerns it is still being handled, so the caller does not touch it after.
#pragma once

#include "platform/classes/components/Component.h"

class TUtDestroyWatch : public TComponent {
public:
  explicit TUtDestroyWatch(TComponent* Watched) : TComponent(nullptr), FWatched(Watched)
  {
    if (FWatched)
      FWatched->FreeNotification(this);
  }
  ~TUtDestroyWatch() override
  {
    if (FWatched)
      FWatched->RemoveFreeNotification(this);
  }
  bool Alive() const { return FWatched != nullptr; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override
  {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWatched)
      FWatched = nullptr;
  }

private:
  TComponent* FWatched;
};
