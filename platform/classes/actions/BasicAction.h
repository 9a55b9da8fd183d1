// TBasicAction: a command that controls and menu items run through their
// action links; it tells the links of every change of its properties.
#pragma once

#include <vector>

#include "platform/base/Method.h"
#include "platform/classes/components/Component.h"

class TBasicAction : public TComponent {
public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  ~TBasicAction() override;

  virtual bool HandlesTarget(TObject*) { return false; }
  virtual void UpdateTarget(TObject*) {}
  virtual void ExecuteTarget(TObject*) {}
  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  // Runs OnUpdate; false when there is none.
  virtual bool Update();

  void RegisterChanges(TBasicActionLink* Value);
  void UnRegisterChanges(TBasicActionLink* Value);
  int ClientCount() const { return int(FClients.size()); }
  // The component that asked for the running action (a menu item, a button).
  TComponent* ActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* Value);
  // Changes the handler of the action and of the links that follow it.
  void SetOnExecute(TNotifyEvent Value);

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
  // The links' and owners' hook: called after every change.
  TNotifyEvent OnChange;

protected:
  virtual void Change();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  std::vector<TBasicActionLink*> FClients;

private:
  TComponent* FActionComponent = nullptr;
};
