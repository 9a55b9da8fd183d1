// TComponent: the base of every object a form owns. An owner frees its
// components (the last inserted first), names are unique among the components
// of one owner, and components that watch each other learn of a removal through
// Notification(opRemove) before the removed one is gone.
//
// C++ note: a component inserts itself into its owner in its constructor, so the
// owner's Notification(opInsert) sees it while it is still being built: keep
// the pointer, do not ask its class there.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Persistent.h"
#include "platform/classes/Forward.h"
#include "platform/classes/components/ComponentTypes.h"

CORVANE_DECLARE_EXCEPTION(EComponentError, Exception);

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return int(FComponents.size()); }
  TComponent* Components(int Index) const;
  // The position in the owner's list (-1 without an owner); setting it moves
  // the component there.
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  // By name, case ignored; null when absent or for "".
  TComponent* FindComponent(const std::string& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, the last first.
  void DestroyComponents();

  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& NewName);
  long Tag() const { return FTag; }
  void SetTag(long Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }
  TComponentStyle ComponentStyle() const { return FComponentStyle; }

  // Asks AComponent to call this component's Notification(opRemove) when it
  // is freed (both sides are told, so either may go first).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Marks the component (and the components it owns) as being destroyed;
  // every destructor calls it, and owners call it before freeing.
  void Destroying();
  virtual void BeforeDestruction();

  // Streaming structure: children a writer stores, parent a reader restores.
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root);
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  virtual void SetParentComponent(TComponent*) {}
  virtual void SetChildOrder(TComponent*, int) {}

  std::string GetNamePath() const override;
  TPersistent* GetOwner() const override { return FOwner; }

  // Loading as a form reader does it: Loading() sets csLoading (and
  // csReading), Loaded() clears them once every property is in place.
  void Loading();
  virtual void Loaded();
  void Updating();
  void Updated();
  void SetDesigning(bool Value, bool SetChildren = true);
  void SetAncestor(bool Value);
  void SetInline(bool Value);
  void SetSubComponent(bool Value);

  // A filer writing the defined properties of this component (see Filer.h).
  void WriteState(TWriter* Writer);
  void ReadState(TReader* Reader);

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName);
  virtual void ValidateInsert(TComponent*) {}
  virtual void ValidateContainer(TComponent* AComponent);
  void ChangeName(const std::string& NewName);

  TComponentState FComponentState;
  TComponentStyle FComponentStyle{csInheritable};

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::string FName;
  long FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// True for an identifier (a letter or "_", then letters, digits, "_").
bool IsValidIdent(const std::string& Ident);
