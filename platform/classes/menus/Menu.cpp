#include "platform/classes/menus/Menu.h"

#include <cstdint>
#include <vector>

#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/graphics/CustomImageList.h"
#include "platform/classes/menus/MenuItem.h"

TMenu::TMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(new TMenuItem(nullptr)), FImageChangeLink(new TChangeLink)
{
  FItems->FMenu = this;
  FImageChangeLink->OnChange = TNotifyEvent(this, &TMenu::ImageListChange);
}

TMenu::~TMenu()
{
  Destroying();
  FItems->FMenu = nullptr;
}

void TMenu::SetImages(TCustomImageList* Value)
{
  if (SetLinkedImages(this, FImages, Value, FImageChangeLink.get()))
    MenuChanged(this, nullptr, false);
}

namespace {

TMenuItem* FindIn(TMenuItem* parent, UINT value, TFindItemKind kind)
{
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if ((kind == fkCommand && item->Command() == value) || (kind == fkShortCut && item->ShortCut() == value))
      return item;
    if (TMenuItem* found = FindIn(item, value, kind))
      return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(UINT Value, TFindItemKind Kind) const
{
  if (Kind == fkHandle || ((Kind == fkCommand || Kind == fkShortCut) && Value == 0))
    return nullptr;
  return FindIn(FItems.get(), Value, Kind);
}

bool TMenu::DispatchCommand(WORD ACommand)
{
  TMenuItem* item = FindItem(ACommand, fkCommand);
  if (!item)
    return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU AMenu)
{
  TMenuItem* item = FindItem(UINT(reinterpret_cast<std::uintptr_t>(AMenu)), fkHandle);
  if (!item)
    return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(TWMKey& Message)
{
  TShortCut shortCut = ShortCut(Message.CharCode, KeyDataToShiftState(Message.KeyData));
  if (shortCut == scNone)
    return false;
  TMenuItem* item = FindItem(shortCut, fkShortCut);
  if (!item)
    return false;
  // The enclosing items from the top: each must be enabled, and each is
  // clicked, so that a handler filling its sub-menu on demand runs first.
  std::vector<TMenuItem*> path;
  for (TMenuItem* p = item->Parent(); p && p != FItems.get(); p = p->Parent())
    path.insert(path.begin(), p);
  for (TMenuItem* p : path) {
    p->InitiateAction();
    if (!p->Enabled())
      return false;
    p->Click();
  }
  // The tree may have changed: find the item again.
  item = FindItem(shortCut, fkShortCut);
  if (!item)
    return false;
  item->InitiateAction();
  if (!item->Enabled())
    return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(TGetChildProc Proc, TComponent* Root)
{
  FItems->GetChildren(Proc, Root);
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild)
{
  if (OnChange)
    OnChange(Sender, Source, Rebuild);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages)
    SetImages(nullptr);
}

void TMenu::ImageListChange(TObject*)
{
  MenuChanged(this, nullptr, false);
}
