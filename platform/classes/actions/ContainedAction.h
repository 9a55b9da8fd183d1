// TContainedAction: an action kept in an action list, which (and then the
// application) may handle it before its own handler runs.
#pragma once

#include <string>

#include "platform/classes/actions/BasicAction.h"

class TContainedAction : public TBasicAction {
public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  // Nothing runs while the list is suspended.
  bool Execute() override;
  bool Update() override;
  bool Suspended() const;

  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* Value);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& Value);
  // The position in the list (-1 outside one).
  int Index() const;
  void SetIndex(int Value);

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return FActionList != nullptr; }
  void SetParentComponent(TComponent* AParent) override;

private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  std::string FCategory;
};
