// The networks' submenus on the network toolbar, with their fixed status,
// information and configuration items, and the items plug-ins add to them and
// to the contact popup.
#pragma once

#include <string>

#include "api/NetworkInput.h"
#include "controls/themes/XTBItems.h"
#include "host/HostParts.h"

class TComponent;
class THostCore;
class TTBPopupMenu;

// An information dialog with an OK button (the "Infos..." item).
class IInfoDialog {
public:
  virtual void ShowInformation(const std::string& Text) = 0;

protected:
  ~IInfoDialog() = default;
};

// Item tags: a network's submenu carries the network index; the fixed items
// and the separator carry FixedItemTag; plug-in items PluginItemTag.
inline constexpr long FixedItemTag = -1;
inline constexpr long PluginItemTag = -2;

// An item a plug-in added: clicking it calls the plug-in's exported procedure.
class TPlugItem : public TXTBCustomItem {
public:
  explicit TPlugItem(TComponent* AOwner);
  // Resolved when the item was made; null when the module has no such export.
  TPlugItemProc PluginProc = nullptr;
};

class TNetworkMenus final : public INetworkMenus {
public:
  // Toolbar: the network toolbar (TbNetWorks), which owns the submenus and
  // the plug-in items; ToolbarItems its root item. Popup: the contact popup
  // (mnuPopup). MainWindow: what plug-in procedures receive first.
  TNetworkMenus(TComponent* Toolbar, TTBCustomItem* ToolbarItems, TTBPopupMenu* Popup, TObject* MainWindow);
  TNetworkMenus(const TNetworkMenus&) = delete;
  TNetworkMenus& operator=(const TNetworkMenus&) = delete;

  // What the items act on. Tray and Info may be null.
  void Attach(THostCore* Core, ITrayIcon* Tray, IInfoDialog* Info);

  // INetworkMenus
  void AddNetworkMenu(int Index, const std::string& Caption) override;
  void AddConfigureItem(int Index) override;
  void RemoveNetworkMenu(int Index) override;
  bool AddPluginMenuItem(int Tag, TPlugItemProc Proc, const std::string& Caption) override;
  void AddPopupMenuItem(TPlugItemProc Proc, const std::string& Caption, bool Visible) override;
  void SetNetworkImage(int Index, int Image) override;

  // The first submenu tagged with the network index, or null.
  TTBCustomItem* NetworkMenu(int Index) const;
  TTBPopupMenu* Popup() const { return FPopup; }
  // The contact popup: emptied (its plug-in items freed), linked to a
  // network's submenu or to nothing.
  void ClearPopup();
  void LinkPopupToNetwork(int Index);
  void UnlinkPopup();

private:
  // The fixed items of a network's submenu, in menu order.
  void CreateSubMenu(TTBCustomItem* SubMenu);
  TTBCustomItem* NewFixedItem(const char* Caption, int Image, void (TNetworkMenus::*Click)(TObject*));
  // The network of a clicked fixed item (its submenu's tag), or -1.
  int NetworkOfItem(TObject* Sender) const;
  // Runs Body on the clicked item's network; a failing plug-in costs a log line.
  template <class F>
  void OnNetworkOf(TObject* Sender, const char* Place, F&& Body);
  void SetStatusOf(TObject* Sender, std::int32_t Status);

  void DisconnectClick(TObject* Sender);
  void ConnectClick(TObject* Sender);
  void AwayClick(TObject* Sender) { SetStatusOf(Sender, 2); }
  void NotAvailableClick(TObject* Sender) { SetStatusOf(Sender, 3); }
  void DoNotDisturbClick(TObject* Sender) { SetStatusOf(Sender, 5); }
  void InvisibleClick(TObject* Sender) { SetStatusOf(Sender, 4); }
  void InfosClick(TObject* Sender);
  void ConfigureClick(TObject* Sender);
  void PlugItemClick(TObject* Sender);

  TComponent* FToolbar;
  TTBCustomItem* FToolbarItems;
  TTBPopupMenu* FPopup;
  TObject* FMainWindow;
  THostCore* FCore = nullptr;
  ITrayIcon* FTray = nullptr;
  IInfoDialog* FInfo = nullptr;
};
