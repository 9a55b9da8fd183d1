#include "platform/classes/components/Component.h"

#include <algorithm>

#include "platform/base/AnsiStrings.h"
#include "platform/base/Format.h"
#include "platform/base/ScopeGuard.h"
#include "platform/base/SysConsts.h"
#include "platform/classes/ClassesConsts.h"
#include "platform/classes/components/Reader.h"
#include "platform/classes/components/Writer.h"

bool IsValidIdent(const std::string& Ident)
{
  if (Ident.empty())
    return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(Ident[0]))
    return false;
  return std::all_of(Ident.begin() + 1, Ident.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* AOwner)
{
  if (AOwner)
    AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
  Destroying();
  // Everyone that asked to be told learns of the removal while this object's
  // pointer is still valid, and keeps no reference to it afterwards, even when
  // its Notification does not call the inherited one.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->RemoveNotification(this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner)
    FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const
{
  if (Index < 0 || Index >= ComponentCount())
    throw EListError(Format(SListIndexError, Index));
  return FComponents[std::size_t(Index)];
}

int TComponent::ComponentIndex() const
{
  if (!FOwner)
    return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

void TComponent::SetComponentIndex(int Value)
{
  if (!FOwner)
    return;
  auto& list = FOwner->FComponents;
  int current = ComponentIndex();
  if (current < 0)
    return;
  Value = std::clamp(Value, 0, int(list.size()) - 1);
  if (Value == current)
    return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(const std::string& AName) const
{
  if (AName.empty())
    return nullptr;
  for (TComponent* c : FComponents)
    if (AnsiSameText(c->FName, AName))
      return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
  if (AComponent->FOwner == this)
    return;
  AComponent->ValidateContainer(this);
  ValidateRename(AComponent, "", AComponent->FName);
  // A component has one owner: moving it takes it from the old one first.
  if (AComponent->FOwner)
    AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning))
    AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
  if (AComponent->FOwner != this)
    return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::DestroyComponents()
{
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    // Taken out before it goes, so that nothing reaches it through this list
    // while its own destructor runs. A component that others watch (it was
    // asked for free notification, by a sibling too) is announced to the
    // siblings as well, so that none keeps a pointer to it.
    if (instance->FComponentState.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      Remove(instance);
    instance->BeforeDestruction();
    delete instance;
  }
}

void TComponent::Insert(TComponent* AComponent)
{
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it != FComponents.end())
    FComponents.erase(it);
  AComponent->FOwner = nullptr;
}

void TComponent::ValidateContainer(TComponent* AComponent)
{
  AComponent->ValidateInsert(this);
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName)
{
  if (!AComponent || NewName.empty() || AnsiSameText(CurName, NewName))
    return;
  TComponent* existing = FindComponent(NewName);
  if (existing && existing != AComponent)
    throw EComponentError(Format(SDuplicateName, NewName));
}

void TComponent::SetName(const std::string& NewName)
{
  if (FName == NewName)
    return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError(Format(SInvalidName, NewName));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  ChangeName(NewName);
}

void TComponent::ChangeName(const std::string& NewName)
{
  FName = NewName;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
  if (Operation == opRemove && AComponent)
    RemoveFreeNotification(AComponent);
  // Every owned component hears of insertions and removals among its
  // siblings. The list may change under a handler: walk it by index from the
  // end and re-check the bound at every step.
  for (int i = int(FComponents.size()) - 1; i >= 0; --i) {
    if (i >= int(FComponents.size()))
      continue;
    FComponents[std::size_t(i)]->Notification(AComponent, Operation);
  }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
  if (!AComponent || AComponent == this)
    return;
  if (!FOwner || AComponent->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(AComponent);
      AComponent->FreeNotification(this);
    }
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
  if (!AComponent)
    return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
  if (it != FFreeNotifies.end())
    FFreeNotifies.erase(it);
}

void TComponent::Destroying()
{
  if (FComponentState.Contains(csDestroying))
    return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents)
    c->Destroying();
}

void TComponent::BeforeDestruction()
{
  Destroying();
}

void TComponent::GetChildren(TGetChildProc, TComponent*) {}

std::string TComponent::GetNamePath() const
{
  return FName;
}

void TComponent::Loading()
{
  FComponentState += TComponentState{csLoading, csReading};
}

void TComponent::Loaded()
{
  FComponentState -= TComponentState{csLoading, csReading};
}

void TComponent::Updating()
{
  FComponentState.Include(csUpdating);
}

void TComponent::Updated()
{
  FComponentState.Exclude(csUpdating);
}

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
  if (Value)
    FComponentState.Include(csDesigning);
  else
    FComponentState.Exclude(csDesigning);
  if (SetChildren)
    for (TComponent* c : FComponents)
      c->SetDesigning(Value, true);
}

void TComponent::SetAncestor(bool Value)
{
  if (Value)
    FComponentState.Include(csAncestor);
  else
    FComponentState.Exclude(csAncestor);
  for (TComponent* c : FComponents)
    c->SetAncestor(Value);
}

void TComponent::SetInline(bool Value)
{
  if (Value)
    FComponentState.Include(csInline);
  else
    FComponentState.Exclude(csInline);
}

void TComponent::SetSubComponent(bool Value)
{
  if (Value)
    FComponentStyle.Include(csSubComponent);
  else
    FComponentStyle.Exclude(csSubComponent);
}

void TComponent::WriteState(TWriter* Writer)
{
  FComponentState.Include(csWriting);
  ScopeExit writing([&] { FComponentState.Exclude(csWriting); });
  Writer->WriteProperties(this);
}

void TComponent::ReadState(TReader* Reader)
{
  Loading();
  Reader->ReadProperties(this);
  Loaded();
}
