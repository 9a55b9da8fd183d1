// TTBCustomItem: one node of a menu or toolbar tree. It carries what the user
// sees (caption, image, check, enabled, visible, shortcut, hint) and tells the
// views that show it of every change through the change callbacks it keeps;
// it knows nothing of how it is drawn.
#pragma once

#include <string>
#include <vector>

#include "controls/toolbar/TBTypes.h"
#include "platform/base/Interface.h"
#include "platform/classes/components/Component.h"
#include "platform/classes/graphics/ChangeLink.h"
#include "platform/classes/menus/ShortCuts.h"

class TBasicAction;
class TCustomImageList;
class TTBCustomItemActionLink;
struct TWMKey;

// Watches an image list and remembers the size it had when last seen.
class TTBImageChangeLink : public TChangeLink {
public:
  int FLastWidth = 0;
  int FLastHeight = 0;
};

// Answered by the components that own a root item (popup menus, toolbars),
// so items streamed as their children find their parent.
inline constexpr GUID IID_ITBItems = MakeGUID("{A5C0D7CC-3EC4-4090-A0F8-3D03271877EA}");
class ITBItems {
public:
  virtual TTBCustomItem* GetItems() = 0;

protected:
  ~ITBItems() = default;
};

class TTBCustomItem : public TComponent {
public:
  explicit TTBCustomItem(TComponent* AOwner);
  ~TTBCustomItem() override;

  // Tree.
  int Count() const { return int(FItems.size()); }
  TTBCustomItem* GetItem(int Index) const;
  TTBCustomItem* Items(int Index) const { return GetItem(Index); }
  TTBCustomItem* Parent() const { return FParent; }
  void Add(TTBCustomItem* AItem) { Insert(Count(), AItem); }
  void Insert(int Index, TTBCustomItem* AItem);
  void Delete(int Index);
  int IndexOf(TTBCustomItem* AItem) const;
  void Remove(TTBCustomItem* AItem);
  void Move(int CurIndex, int NewIndex);
  void Clear();
  // The children shown for this item: those of LinkSubitems when set.
  TTBCustomItem* GetItemList() { return FLinkSubitems ? FLinkSubitems : this; }

  // Change callbacks; registering twice counts twice.
  void RegisterNotification(TTBItemChangedProc Notify);
  void UnregisterNotification(TTBItemChangedProc Notify);

  // Virtual operations of every item class.
  virtual void ItemChanged(bool Resize);
  virtual void FirePopup(TTBCustomItem* FromItem, bool FromLink);
  virtual void AfterEnabledChange() { ItemChanged(false); }
  virtual TTBView* GetChevronOwnerView() { return nullptr; }
  virtual TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth);
  virtual bool NeedsViewerRecreate(TTBItemViewer*) { return false; }
  virtual void Click();
  virtual void RefreshFromAction();
  virtual void InitiateAction() { RefreshFromAction(); }

  // Popups: builds, places and shows the popup window of the children
  // (ParentView null: a popup menu at PopupPoint); the theme layer replaces
  // the window class and the placement.
  virtual TTBPopupWindow* CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                      bool SelectFirstItem, bool Customizing, TPoint PopupPoint,
                                      TTBPopupAlignment Alignment);
  virtual void FitPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement);
  // The popup window class (PopupWindowClassFor): a new, hidden window.
  virtual TTBPopupWindow* NewPopupWindow(TTBView* ParentView, TTBCustomItem* ShownItem, bool Customizing);
  // Runs the children as a popup menu at Point and performs the choice once
  // the menu has closed.
  void RunPopup(bool SelectFirstItem, bool TrackRightButton, TTBPopupAlignment Alignment, TPoint Point);
  void PopupAtPoint(int X, int Y, bool TrackRightButton, TTBPopupAlignment Alignment)
  {
    RunPopup(false, TrackRightButton, Alignment, TPoint(X, Y));
  }

  // Shortcuts: FindShortCutItem searches the tree (following LinkSubitems at
  // most 25 times per branch); IsShortCut clicks the match the way opening
  // the menus down to it would.
  TTBCustomItem* FindShortCutItem(TShortCut AShortCut, TTBCustomItem*& TopmostParent);
  bool IsShortCut(const TWMKey& Message);

  // Properties.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TTBItemDisplayMode DisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TTBItemDisplayMode Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TTBItemOptions EffectiveOptions() const { return FEffectiveOptions; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool InheritOptions() const { return FInheritOptions; }
  void SetInheritOptions(bool Value);
  TTBItemOptions MaskOptions() const { return FMaskOptions; }
  void SetMaskOptions(TTBItemOptions Value);
  TTBItemOptions Options() const { return FOptions; }
  void SetOptions(TTBItemOptions Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* Value);
  TTBCustomItem* LinkSubitems() const { return FLinkSubitems; }
  void SetLinkSubitems(TTBCustomItem* Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TTBItemFlags ItemStyle() const { return FItemStyle; }
  TComponent* ParentComponent() const { return FParentComponent; }
  // The toolbar or popup menu that owns this root item.
  void SetRootParentComponent(TComponent* Value);

  TNotifyEvent OnClick;
  TTBPopupEvent OnPopup;
  TTBSelectEvent OnSelect;

  // Streaming structure.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const std::string& NewName) override;
  void Loaded() override;

  // Called by the action link: takes the action's properties.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

protected:
  // The link that shows an action on this item (a new one per action set).
  virtual TTBCustomItemActionLink* NewActionLink();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void NotifyChange(TTBItemChangedAction Action, int Index, TTBCustomItem* Item);
  void SetItemStyle(TTBItemFlags Value) { FItemStyle = Value; }
  TTBItemFlags FItemStyle = tbsfCanSelect | tbsfRepaintOnSelect | tbsfRepaintOnHover;

private:
  friend class TTBCustomItemActionLink;
  struct TNotification {
    TTBItemChangedProc Proc;
    int Count;
  };

  void RelayNotification(TTBCustomItem* RelayRoot, TTBCustomItem* Ancestor, int Depth,
                         TTBItemChangedAction Action, int Index, TTBCustomItem* Item);
  void DeliverNotification(TTBCustomItem* Ancestor, TTBItemChangedAction Action, int Index, TTBCustomItem* Item);
  void UpdateEffectiveOptions();
  void UncheckGroupSiblings();
  bool SwapImageList(TCustomImageList* Value, TCustomImageList*& Field, TTBImageChangeLink*& Link,
                     void (TTBCustomItem::*OnChange)(TObject*));
  // Drops a list that is being freed; true: the image size may have changed.
  static bool ForgetImageList(TCustomImageList*& Field, TTBImageChangeLink*& Link);
  void ImageListChanged(TObject* Sender);
  void SubMenuImageListChanged(TObject* Sender);
  void DoActionChange(TObject* Sender);
  bool IsAncestorOrSelf(const TTBCustomItem* AItem) const;

  TTBCustomItemActionLink* FActionLink = nullptr;
  bool FAutoCheck = false;
  std::string FCaption;
  bool FChecked = false;
  TTBItemDisplayMode FDisplayMode = nbdmDefault;
  bool FEnabled = true;
  TTBItemOptions FEffectiveOptions = 0;
  int FGroupIndex = 0;
  int FHelpContext = 0;
  std::string FHint;
  int FImageIndex = -1;
  TCustomImageList* FImages = nullptr;
  TTBImageChangeLink* FImagesChangeLink = nullptr;
  std::vector<TTBCustomItem*> FItems;
  std::vector<TTBCustomItem*> FLinkParents;
  TTBItemOptions FMaskOptions = 0;
  TTBItemOptions FOptions = 0;
  bool FInheritOptions = true;
  // Kept alive while delivering: records are marked dead (Count 0) and swept
  // once no delivery runs, so a callback may unregister any callback safely.
  std::vector<TNotification> FNotifyList;
  int FDelivering = 0;
  TTBCustomItem* FParent = nullptr;
  TComponent* FParentComponent = nullptr;
  TShortCut FShortCut = 0;
  TCustomImageList* FSubMenuImages = nullptr;
  TTBImageChangeLink* FSubMenuImagesChangeLink = nullptr;
  TTBCustomItem* FLinkSubitems = nullptr;
  bool FVisible = true;
};

// The root of a toolbar or popup menu.
class TTBRootItem : public TTBCustomItem {
public:
  using TTBCustomItem::TTBCustomItem;
};

// A published item with nothing of its own (the form descriptions' TTBItem).
class TTBItem : public TTBCustomItem {
public:
  using TTBCustomItem::TTBCustomItem;
};

// A submenu item.
class TTBSubmenuItem : public TTBCustomItem {
public:
  explicit TTBSubmenuItem(TComponent* AOwner);
};

// A group whose children appear inline in the parent's view.
class TTBGroupItem : public TTBCustomItem {
public:
  explicit TTBGroupItem(TComponent* AOwner);
};

class TTBSeparatorItem : public TTBCustomItem {
public:
  explicit TTBSeparatorItem(TComponent* AOwner);
  TTBItemViewer* CreateViewer(TTBView* AView, int InlineDepth) override;
  bool Blank() const { return FBlank; }
  void SetBlank(bool Value);

private:
  bool FBlank = false;
};

class TTBControlItem : public TTBCustomItem {
public:
  explicit TTBControlItem(TComponent* AOwner);
  TTBControlItem(TComponent* AOwner, TControl* AControl);
  ~TTBControlItem() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TControl* FControl = nullptr;
};
