// TTBPopupMenu: a context menu whose content is an item tree. Controls use
// it like any popup menu; it shows its items with the framework's popup
// windows and menu loop. Its OnPopup fires each time it opens, before the
// window shows (through its root item's click).
#pragma once

#include "controls/toolbar/TBCustomItem.h"
#include "platform/classes/menus/PopupMenu.h"

class TTBPopupMenu : public TPopupMenu, public ITBItems {
public:
  explicit TTBPopupMenu(TComponent* AOwner);
  ~TTBPopupMenu() override;

  // Opens at the screen point and returns once the menu has closed.
  void Popup(int X, int Y) override;
  bool IsShortCut(TWMKey& Message) override;

  TTBRootItem* Items() const { return FItem; }
  TTBCustomItem* GetItems() override { return FItem; }
  TCustomImageList* Images() const { return FItem->SubMenuImages(); }
  void SetImages(TCustomImageList* Value) { FItem->SetSubMenuImages(Value); }
  TTBCustomItem* LinkSubitems() const { return FItem->LinkSubitems(); }
  void SetLinkSubitems(TTBCustomItem* Value) { FItem->SetLinkSubitems(Value); }
  TTBItemOptions Options() const { return FItem->Options(); }
  void SetOptions(TTBItemOptions Value) { FItem->SetOptions(Value); }

  // Streaming: the root item's children are the menu's.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

protected:
  // The root item's class: a constructor cannot reach a derived class's
  // virtual operations, so a derived menu names it here.
  using TRootItemClass = TTBRootItem* (*)(TTBPopupMenu* Menu);
  TTBPopupMenu(TComponent* AOwner, TRootItemClass RootItemClass);

private:
  void RootItemClick(TObject* Sender);

  TTBRootItem* FItem = nullptr;
};
