// TCustomActionList: the actions of a form, their shared images, a first say
// on running and updating each of them, and the dispatch of shortcut keys.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Messages.h"
#include "platform/classes/actions/ActionTypes.h"
#include "platform/classes/components/Component.h"

class TCustomActionList : public TComponent {
public:
  explicit TCustomActionList(TComponent* AOwner);
  // Frees its actions.
  ~TCustomActionList() override;

  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  int ActionCount() const { return int(FActions.size()); }
  TContainedAction* Actions(int Index) const;
  int IndexOfAction(const TContainedAction* Action) const;
  void MoveAction(TContainedAction* Action, int NewIndex);

  // OnExecute's answer (Handled).
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Runs the enabled action whose shortcut or secondary shortcut the key is
  // (Shift and Ctrl from the keyboard state, Alt from the key data); true
  // when it ran.
  virtual bool IsShortCut(TWMKey& Message);

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TActionListState State() const { return FState; }
  void SetState(TActionListState Value);

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;
  TNotifyEvent OnStateChange;

protected:
  virtual void Change();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ImageListChange(TObject* Sender);

  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TActionListState FState = asNormal;
};

// The shortcut dispatch a form runs on a key before the focused control sees
// it: the action lists that Owner owns, in creation order; true when an action ran.
bool DispatchActionShortCut(TComponent* Owner, TWMKey& Message);
