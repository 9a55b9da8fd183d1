// TMenu: a menu component: its tree of items under the root item Items, the
// images they show, and the search for an item by command or shortcut.
#pragma once

#include <memory>

#include "platform/classes/Messages.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/menus/MenuTypes.h"
#include "platform/classes/menus/ShortCuts.h"

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return FItems.get(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  // fkCommand: Value is an item's Command; fkShortCut: its ShortCut. Searches
  // the whole tree depth first; null when none.
  TMenuItem* FindItem(UINT Value, TFindItemKind Kind) const;
  // Clicks the item of the command; false when no item has it.
  bool DispatchCommand(WORD ACommand);
  // A platform popup about to open: the item whose sub-menu it shows is
  // clicked (its handler may fill it). Items here own no platform menus (the
  // class library presents them itself), so a popup of the platform's, such
  // as a window's system menu, is none of them: false, nothing done.
  bool DispatchPopup(HMENU AMenu);
  // Clicks the enabled item whose shortcut the key is, after clicking its
  // enclosing items (their handlers may rebuild them); true when it ran.
  virtual bool IsShortCut(TWMKey& Message);

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  TMenuChangeEvent OnChange;

protected:
  friend class TMenuItem;
  virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void ImageListChange(TObject* Sender);

  std::unique_ptr<TMenuItem> FItems;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
};
