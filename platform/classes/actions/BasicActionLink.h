// TBasicActionLink: the tie between a client (menu item, control) and its
// action. Freeing either side unties them.
#pragma once

#include "platform/base/Method.h"
#include "platform/base/Object.h"
#include "platform/classes/Forward.h"

class TBasicActionLink : public TObject {
public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* Action() const { return FAction; }
  virtual void SetAction(TBasicAction* Value);
  // Runs the action for AComponent; safe when a handler frees this link's client.
  virtual bool Execute(TComponent* AComponent = nullptr);
  virtual bool Update();
  virtual bool IsOnExecuteLinked() { return true; }
  virtual void SetOnExecute(TNotifyEvent) {}

  // The client's hook, called with the action by Change.
  TNotifyEvent OnChange;

protected:
  friend class TBasicAction;
  virtual void Change();

  TBasicAction* FAction = nullptr;

private:
  bool* FDestroyed = nullptr;
};
