#include "controls/toolbar/TBCustomItem.h"

#include "controls/toolbar/TBConsts.h"
#include "controls/toolbar/TBDeferredActions.h"
#include "controls/toolbar/TBItemActionLink.h"
#include "controls/toolbar/TBItemViewer.h"
#include "platform/classes/Messages.h"
#include "platform/classes/ShiftState.h"
#include "platform/classes/actions/ActionClient.h"
#include "platform/classes/actions/CustomAction.h"
#include "platform/classes/controls/Control.h"
#include "platform/classes/forms/Application.h"
#include "platform/classes/graphics/CustomImageList.h"

namespace {

constexpr int MaxRelayDepth = 10;
constexpr int MaxLinkHops = 25;
// Options whose change alters an item's size or look.
constexpr TTBItemOptions LayoutOptions = tboDefault | tboDropdownArrow | tboImageAboveCaption | tboNoRotation |
                                         tboSameWidth | tboToolbarStyle | tboToolbarSize;

TTBItemOptions NormalizeOptions(TTBItemOptions Value)
{
  return (Value & tboToolbarStyle) ? Value : TTBItemOptions(Value & ~tboToolbarSize);
}

[[noreturn]] void IndexError() { throw ETBItemError(STBToolbarIndexOutOfBounds); }

}  // namespace

TTBCustomItem::TTBCustomItem(TComponent* AOwner) : TComponent(AOwner) { AddDeferredActionUser(); }

TTBCustomItem::~TTBCustomItem()
{
  Destroying();
  RemoveDeferredActionUser(this);
  for (int i = Count() - 1; i >= 0; --i)
    delete FItems[size_t(i)];
  if (FParent)
    FParent->Remove(this);
  SetLinkSubitems(nullptr);
  for (TTBCustomItem* linkParent : std::vector<TTBCustomItem*>(FLinkParents))
    if (linkParent->FLinkSubitems == this)
      linkParent->SetLinkSubitems(nullptr);
  delete FActionLink;
  FActionLink = nullptr;
  delete FSubMenuImagesChangeLink;
  FSubMenuImagesChangeLink = nullptr;
  delete FImagesChangeLink;
  FImagesChangeLink = nullptr;
}

TTBCustomItem* TTBCustomItem::GetItem(int Index) const
{
  if (Index < 0 || Index >= Count())
    IndexError();
  return FItems[size_t(Index)];
}

bool TTBCustomItem::IsAncestorOrSelf(const TTBCustomItem* AItem) const
{
  for (const TTBCustomItem* p = this; p; p = p->FParent)
    if (p == AItem)
      return true;
  return false;
}

void TTBCustomItem::Insert(int Index, TTBCustomItem* AItem)
{
  if (AItem->FParent)
    throw ETBItemError(STBToolbarItemReinserted);
  if (Index < 0 || Index > Count())
    IndexError();
  // An item inside its own subtree would make every walk of the tree endless.
  if (IsAncestorOrSelf(AItem))
    throw ETBItemError(STBToolbarItemCircular);
  FItems.insert(FItems.begin() + Index, AItem);
  AItem->FParent = this;
  NotifyChange(tbicSubitemsBeginUpdate, -1, nullptr);
  try {
    NotifyChange(tbicInserted, Index, AItem);
    AItem->UpdateEffectiveOptions();
  } catch (...) {
    NotifyChange(tbicSubitemsEndUpdate, -1, nullptr);
    throw;
  }
  NotifyChange(tbicSubitemsEndUpdate, -1, nullptr);
}

void TTBCustomItem::Delete(int Index)
{
  if (Index < 0 || Index >= Count())
    IndexError();
  TTBCustomItem* child = FItems[size_t(Index)];
  NotifyChange(tbicDeleting, Index, child);
  child->FParent = nullptr;
  FItems.erase(FItems.begin() + Index);
}

int TTBCustomItem::IndexOf(TTBCustomItem* AItem) const
{
  for (int i = 0; i < Count(); ++i)
    if (FItems[size_t(i)] == AItem)
      return i;
  return -1;
}

void TTBCustomItem::Remove(TTBCustomItem* AItem)
{
  int i = IndexOf(AItem);
  if (i >= 0)
    Delete(i);
}

void TTBCustomItem::Move(int CurIndex, int NewIndex)
{
  if (CurIndex == NewIndex)
    return;
  if (NewIndex < 0 || NewIndex >= Count())
    IndexError();
  TTBCustomItem* child = GetItem(CurIndex);
  NotifyChange(tbicSubitemsBeginUpdate, -1, nullptr);
  try {
    Delete(CurIndex);
    Insert(NewIndex, child);
  } catch (...) {
    NotifyChange(tbicSubitemsEndUpdate, -1, nullptr);
    throw;
  }
  NotifyChange(tbicSubitemsEndUpdate, -1, nullptr);
}

void TTBCustomItem::Clear()
{
  for (int i = Count() - 1; i >= 0; --i)
    delete FItems[size_t(i)];
}

void TTBCustomItem::RegisterNotification(TTBItemChangedProc Notify)
{
  for (TNotification& n : FNotifyList)
    if (n.Count > 0 && n.Proc == Notify) {
      ++n.Count;
      return;
    }
  FNotifyList.push_back({Notify, 1});
}

void TTBCustomItem::UnregisterNotification(TTBItemChangedProc Notify)
{
  for (size_t i = 0; i < FNotifyList.size(); ++i) {
    TNotification& n = FNotifyList[i];
    if (n.Count > 0 && n.Proc == Notify) {
      if (--n.Count == 0 && FDelivering == 0)
        FNotifyList.erase(FNotifyList.begin() + long(i));
      return;
    }
  }
}

void TTBCustomItem::NotifyChange(TTBItemChangedAction Action, int Index, TTBCustomItem* Item)
{
  RelayNotification(this, this, 0, Action, Index, Item);
}

void TTBCustomItem::RelayNotification(TTBCustomItem* RelayRoot, TTBCustomItem* Ancestor, int Depth,
                                      TTBItemChangedAction Action, int Index, TTBCustomItem* Item)
{
  auto relayFrom = [&](TTBCustomItem* P) {
    if ((P->FItemStyle & tbsfInlineGroup) && P->FParent && Depth <= MaxRelayDepth) {
      TTBCustomItem* ancestor = Ancestor == RelayRoot ? P : Ancestor;
      P->FParent->RelayNotification(P->FParent, ancestor, Depth + 1, Action, Index, Item);
    }
  };
  relayFrom(this);
  for (TTBCustomItem* p : std::vector<TTBCustomItem*>(FLinkParents))
    if (p != FParent)
      relayFrom(p);
  DeliverNotification(Ancestor, Action, Index, Item);
}

void TTBCustomItem::DeliverNotification(TTBCustomItem* Ancestor, TTBItemChangedAction Action, int Index,
                                        TTBCustomItem* Item)
{
  // Records are never removed while a delivery runs (only marked), so a
  // callback may unregister itself or any other without one being skipped.
  ++FDelivering;
  try {
    for (size_t i = 0; i < FNotifyList.size(); ++i) {
      if (FNotifyList[i].Count <= 0)
        continue;
      TTBItemChangedProc proc = FNotifyList[i].Proc;
      proc(Ancestor, Ancestor != this, Action, Index, Item);
    }
  } catch (...) {
    --FDelivering;
    throw;
  }
  if (--FDelivering == 0)
    std::erase_if(FNotifyList, [](const TNotification& n) { return n.Count <= 0; });
}

void TTBCustomItem::ItemChanged(bool Resize)
{
  if (FParent)
    FParent->NotifyChange(Resize ? tbicInvalidateAndResize : tbicInvalidate, -1, this);
}

void TTBCustomItem::FirePopup(TTBCustomItem* FromItem, bool FromLink)
{
  if (OnPopup)
    OnPopup(FromItem, FromLink);
  if (!(FItemStyle & tbsfSplitButton))
    Click();
}

TTBItemViewer* TTBCustomItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TTBItemViewer(AView, this, InlineDepth);
}

void TTBCustomItem::Click()
{
  if (!FEnabled)
    return;
  if (FAutoCheck && (!FActionLink || !FActionLink->IsAutoCheckLinked()))
    SetChecked(!FChecked);
  TBasicAction* action = Action();
  if (!OnClick || !action || OnClick == action->OnExecute) {
    if (!ComponentState().Contains(csDesigning) && FActionLink) {
      FActionLink->Execute(this);
      return;
    }
  }
  if (OnClick)
    OnClick(this);
}

void TTBCustomItem::RefreshFromAction()
{
  if (FActionLink)
    FActionLink->Update();
}

TTBCustomItem* TTBCustomItem::FindShortCutItem(TShortCut AShortCut, TTBCustomItem*& TopmostParent)
{
  struct Search {
    TShortCut Key;
    TTBCustomItem* In(TTBCustomItem* Item, int Hops)
    {
      if (Item->FLinkSubitems) {
        if (++Hops > MaxLinkHops)
          return nullptr;
        Item = Item->FLinkSubitems;
      }
      for (TTBCustomItem* child : std::vector<TTBCustomItem*>(Item->FItems)) {
        if (child->FShortCut == Key)
          return child;
        if (TTBCustomItem* found = In(child, Hops))
          return found;
      }
      return nullptr;
    }
  } search{AShortCut};
  TopmostParent = nullptr;
  TTBCustomItem* list = GetItemList();
  for (TTBCustomItem* child : std::vector<TTBCustomItem*>(list->FItems)) {
    if (child->FShortCut == AShortCut)
      return child;
    if (TTBCustomItem* found = search.In(child, list == this ? 0 : 1)) {
      TopmostParent = child;
      return found;
    }
  }
  return nullptr;
}

bool TTBCustomItem::IsShortCut(const TWMKey& Message)
{
  TShortCut key = ::ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
  bool designing = ComponentState().Contains(csDesigning);
  // OnPopup handlers may change the tree under the search; a second miss
  // after a restart ends it, so handlers that keep doing so cannot loop it.
  for (int attempt = 0; attempt < 2; ++attempt) {
    TTBCustomItem* container = nullptr;
    if (!FindShortCutItem(key, container))
      return false;
    TTBCustomItem* current = this;
    for (;;) {
      if (!current->FEnabled)
        return false;
      if (!designing) {
        TTBCustomItem* list = current->GetItemList();
        for (TTBCustomItem* child : std::vector<TTBCustomItem*>(list->FItems))
          child->RefreshFromAction();
      }
      if (!(current->FItemStyle & tbsfInlineGroup)) {
        try {
          if (current->FLinkSubitems)
            current->FLinkSubitems->FirePopup(current, true);
          current->FirePopup(current, false);
        } catch (...) {
          Application()->HandleException(this);
        }
      }
      TTBCustomItem* next = nullptr;
      TTBCustomItem* match = current->FindShortCutItem(key, next);
      if (!match)
        break;  // restart from the top
      if (next) {
        current = next;
        continue;
      }
      if (!match->FEnabled)
        return false;
      try {
        match->Click();
      } catch (...) {
        Application()->HandleException(this);
      }
      return true;
    }
  }
  return false;
}

TBasicAction* TTBCustomItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TTBCustomItem::SetAction(TBasicAction* Value)
{
  if (!Value) {
    delete FActionLink;
    FActionLink = nullptr;
    return;
  }
  if (!FActionLink)
    FActionLink = NewActionLink();
  FActionLink->SetAction(Value);
  FActionLink->OnChange = TNotifyEvent(this, &TTBCustomItem::DoActionChange);
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

TTBCustomItemActionLink* TTBCustomItem::NewActionLink() { return new TTBCustomItemActionLink(this); }

void TTBCustomItem::DoActionChange(TObject* Sender)
{
  if (Sender == Action())
    ActionChange(Sender, false);
}

void TTBCustomItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
  if (auto* action = dynamic_cast<TCustomAction*>(Sender))
    TakeActionProperties(*this, *action, CheckDefaults);
}

void TTBCustomItem::Loaded()
{
  TComponent::Loaded();
  if (TBasicAction* action = Action())
    ActionChange(action, true);
}

void TTBCustomItem::SetCaption(const std::string& Value)
{
  if (FCaption == Value)
    return;
  FCaption = Value;
  ItemChanged(true);
}

void TTBCustomItem::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  ItemChanged(false);
  if (Value)
    UncheckGroupSiblings();
}

void TTBCustomItem::UncheckGroupSiblings()
{
  if (FGroupIndex == 0 || !FParent)
    return;
  for (TTBCustomItem* sibling : std::vector<TTBCustomItem*>(FParent->FItems))
    if (sibling != this && sibling->FGroupIndex == FGroupIndex)
      sibling->SetChecked(false);
}

void TTBCustomItem::SetDisplayMode(TTBItemDisplayMode Value)
{
  if (FDisplayMode == Value)
    return;
  FDisplayMode = Value;
  ItemChanged(true);
}

void TTBCustomItem::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  AfterEnabledChange();
}

void TTBCustomItem::SetGroupIndex(int Value)
{
  if (FGroupIndex == Value)
    return;
  FGroupIndex = Value;
  if (FChecked)
    UncheckGroupSiblings();
}

void TTBCustomItem::SetImageIndex(int Value)
{
  if (FImageIndex == Value)
    return;
  // Every negative index hides the image, so the room for it changes only
  // when the image appears or disappears.
  bool resize = (FImageIndex >= 0) != (Value >= 0);
  FImageIndex = Value;
  ItemChanged(resize);
}

void TTBCustomItem::SetVisible(bool Value)
{
  if (FVisible == Value)
    return;
  FVisible = Value;
  ItemChanged(true);
}

bool TTBCustomItem::SwapImageList(TCustomImageList* Value, TCustomImageList*& Field, TTBImageChangeLink*& Link,
                                  void (TTBCustomItem::*OnChange)(TObject*))
{
  TCustomImageList* old = Field;
  bool sizeChanged = !old || !Value || old->Width() != Value->Width() || old->Height() != Value->Height();
  if (old) {
    if (Link)
      old->UnRegisterChanges(Link);
    old->RemoveFreeNotification(this);
  }
  Field = Value;
  if (!Value) {
    delete Link;
    Link = nullptr;
    return sizeChanged;
  }
  if (!Link) {
    Link = new TTBImageChangeLink;
    Link->OnChange = TNotifyEvent(this, OnChange);
  }
  Link->FLastWidth = Value->Width();
  Link->FLastHeight = Value->Height();
  Value->RegisterChanges(Link);
  Value->FreeNotification(this);
  return sizeChanged;
}

bool TTBCustomItem::ForgetImageList(TCustomImageList*& Field, TTBImageChangeLink*& Link)
{
  Field = nullptr;
  delete Link;
  Link = nullptr;
  return true;
}

void TTBCustomItem::SetImages(TCustomImageList* Value)
{
  if (FImages == Value)
    return;
  ItemChanged(SwapImageList(Value, FImages, FImagesChangeLink, &TTBCustomItem::ImageListChanged));
}

void TTBCustomItem::SetSubMenuImages(TCustomImageList* Value)
{
  if (FSubMenuImages == Value)
    return;
  SwapImageList(Value, FSubMenuImages, FSubMenuImagesChangeLink, &TTBCustomItem::SubMenuImageListChanged);
  NotifyChange(tbicSubMenuImagesChanged, -1, nullptr);
}

void TTBCustomItem::ImageListChanged(TObject*)
{
  if (!FImages || !FImagesChangeLink)
    return;
  bool resize = FImages->Width() != FImagesChangeLink->FLastWidth || FImages->Height() != FImagesChangeLink->FLastHeight;
  FImagesChangeLink->FLastWidth = FImages->Width();
  FImagesChangeLink->FLastHeight = FImages->Height();
  ItemChanged(resize);
}

void TTBCustomItem::SubMenuImageListChanged(TObject*)
{
  if (!FSubMenuImages || !FSubMenuImagesChangeLink)
    return;
  FSubMenuImagesChangeLink->FLastWidth = FSubMenuImages->Width();
  FSubMenuImagesChangeLink->FLastHeight = FSubMenuImages->Height();
  NotifyChange(tbicSubMenuImagesChanged, -1, nullptr);
}

void TTBCustomItem::SetInheritOptions(bool Value)
{
  if (FInheritOptions == Value)
    return;
  FInheritOptions = Value;
  UpdateEffectiveOptions();
}

void TTBCustomItem::SetMaskOptions(TTBItemOptions Value)
{
  if (FMaskOptions == Value)
    return;
  FMaskOptions = Value;
  UpdateEffectiveOptions();
}

void TTBCustomItem::SetOptions(TTBItemOptions Value)
{
  Value = NormalizeOptions(Value);
  if (FOptions == Value)
    return;
  FOptions = Value;
  UpdateEffectiveOptions();
}

void TTBCustomItem::UpdateEffectiveOptions()
{
  TTBItemOptions inherited = (FInheritOptions && FParent) ? TTBItemOptions(FParent->FEffectiveOptions & ~tboDefault) : 0;
  TTBItemOptions value = NormalizeOptions(TTBItemOptions((inherited & ~FMaskOptions) | FOptions));
  if (value == FEffectiveOptions)
    return;
  TTBItemOptions changed = value ^ FEffectiveOptions;
  FEffectiveOptions = value;
  if (changed & LayoutOptions)
    ItemChanged(true);
  for (TTBCustomItem* child : std::vector<TTBCustomItem*>(FItems))
    if (child->FInheritOptions)
      child->UpdateEffectiveOptions();
}

void TTBCustomItem::SetLinkSubitems(TTBCustomItem* Value)
{
  if (Value == this)
    Value = nullptr;
  if (FLinkSubitems == Value)
    return;
  if (FLinkSubitems) {
    std::erase(FLinkSubitems->FLinkParents, this);
    FLinkSubitems->RemoveFreeNotification(this);
  }
  FLinkSubitems = Value;
  if (Value) {
    Value->FLinkParents.push_back(this);
    Value->FreeNotification(this);
  }
  NotifyChange(tbicSubitemsChanged, -1, nullptr);
}

void TTBCustomItem::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  for (auto it = FLinkParents.begin(); it != FLinkParents.end(); ++it)
    if (static_cast<TComponent*>(*it) == AComponent) {
      FLinkParents.erase(it);
      break;
    }
  if (AComponent == Action())
    SetAction(nullptr);
  // A list being freed is only a component by now: let go of it without
  // calling into it.
  if (AComponent == FImages)
    ItemChanged(ForgetImageList(FImages, FImagesChangeLink));
  if (AComponent == FSubMenuImages) {
    ForgetImageList(FSubMenuImages, FSubMenuImagesChangeLink);
    NotifyChange(tbicSubMenuImagesChanged, -1, nullptr);
  }
  if (AComponent == FLinkSubitems)
    SetLinkSubitems(nullptr);
}

void TTBCustomItem::GetChildren(TGetChildProc Proc, TComponent*)
{
  for (TTBCustomItem* child : std::vector<TTBCustomItem*>(FItems))
    Proc(child);
}

void TTBCustomItem::SetChildOrder(TComponent* Child, int Order)
{
  for (int i = 0; i < Count(); ++i)
    if (static_cast<TComponent*>(FItems[size_t(i)]) == Child) {
      Move(i, Order);
      return;
    }
}

TComponent* TTBCustomItem::GetParentComponent() const
{
  if (FParent && FParent->FParentComponent)
    return FParent->FParentComponent;
  return FParent;
}

void TTBCustomItem::SetParentComponent(TComponent* Value)
{
  if (FParent)
    FParent->Remove(this);
  if (auto* item = dynamic_cast<TTBCustomItem*>(Value))
    item->Add(this);
  else if (auto* container = dynamic_cast<ITBItems*>(Value))
    container->GetItems()->Add(this);
}

void TTBCustomItem::SetRootParentComponent(TComponent* Value) { FParentComponent = Value; }

void TTBCustomItem::SetName(const std::string& NewName)
{
  if (Name() == NewName)
    return;
  TComponent::SetName(NewName);
  if (FParent)
    FParent->NotifyChange(tbicNameChanged, -1, this);
}

// Subclasses.

TTBSubmenuItem::TTBSubmenuItem(TComponent* AOwner) : TTBCustomItem(AOwner)
{
  SetItemStyle(ItemStyle() | tbsfOpensSubmenu);
}

TTBGroupItem::TTBGroupItem(TComponent* AOwner) : TTBCustomItem(AOwner)
{
  SetItemStyle(TTBItemFlags((ItemStyle() | tbsfInlineGroup) & ~tbsfCanSelect));
}

TTBSeparatorItem::TTBSeparatorItem(TComponent* AOwner) : TTBCustomItem(AOwner)
{
  SetItemStyle(TTBItemFlags((ItemStyle() & ~(tbsfCanSelect | tbsfRepaintOnSelect | tbsfRepaintOnHover)) |
                            tbsfIsSeparator | tbsfPassClicks));
}

TTBItemViewer* TTBSeparatorItem::CreateViewer(TTBView* AView, int InlineDepth)
{
  return new TTBSeparatorItemViewer(AView, this, InlineDepth);
}

void TTBSeparatorItem::SetBlank(bool Value)
{
  if (FBlank == Value)
    return;
  FBlank = Value;
  ItemChanged(false);
}

TTBControlItem::TTBControlItem(TComponent* AOwner) : TTBCustomItem(AOwner)
{
  SetItemStyle(TTBItemFlags((ItemStyle() & ~tbsfCanSelect) | tbsfPassClicks));
}

TTBControlItem::TTBControlItem(TComponent* AOwner, TControl* AControl) : TTBControlItem(AOwner)
{
  SetControl(AControl);
}

TTBControlItem::~TTBControlItem()
{
  if (FControl && !FControl->ComponentState().Contains(csAncestor)) {
    TControl* control = FControl;
    FControl = nullptr;
    delete control;
  }
}

void TTBControlItem::SetControl(TControl* Value)
{
  if (FControl == Value)
    return;
  FControl = Value;
  if (Value)
    Value->FreeNotification(this);
  ItemChanged(true);
}

void TTBControlItem::Notification(TComponent* AComponent, TOperation Operation)
{
  TTBCustomItem::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl)
    SetControl(nullptr);
}
