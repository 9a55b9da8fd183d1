// TMenuItem: one item of a menu tree: caption ("-" for a separator line),
// state, shortcut, image, sub-items, click handler, and an optional action
// whose properties it shows. Items are usually owned by the form; an item
// frees the sub-items it still holds when it goes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/Types.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/menus/MenuTypes.h"
#include "platform/classes/menus/ShortCuts.h"

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // Sub-items. Insert raises EMenuError for an item that already has a parent
  // or for an index outside 0..Count; Remove for an item not in this one.
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  int Count() const { return int(FItems.size()); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The sub-item with the caption, markers and case ignored; null when none.
  TMenuItem* Find(const std::string& ACaption) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  // The menu at the root of this item's tree (null when none).
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == "-"; }
  // A number unique among live items, for the menu window's commands.
  WORD Command() const { return FCommand; }

  // When enabled: toggles an AutoCheck item, then runs OnClick or the action.
  virtual void Click();
  // Lets the action update the item before it shows.
  void InitiateAction();

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  // Checking a radio item unchecks the radio items of its group among its siblings.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  // Only one default item among siblings.
  void SetDefault(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TActionLink* ActionLink() const { return FActionLink.get(); }

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* AParent) override;

  TNotifyEvent OnClick;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Copies the action's properties (only over defaults when CheckDefaults).
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  void MenuChanged(bool Rebuild);

private:
  friend class TMenu;
  friend class TMenuActionLink;
  void TurnSiblingsOff();
  void DoActionChange(TObject* Sender);

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  int FGroupIndex = 0;
  bool FAutoCheck = false;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  std::string FHint;
  int FHelpContext = 0;
  TMenuBreak FBreak = mbNone;
  WORD FCommand;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item
  std::unique_ptr<TActionLink> FActionLink;
};
