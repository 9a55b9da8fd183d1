#include "host/NetworkMenus.h"

#include "controls/toolbar/TBPopupMenu.h"
#include "host/HostCore.h"
#include "host/HostLog.h"
#include "platform/base/PCharRoutines.h"

namespace {

// The tray shows the real state: waiting messages first, then connected.
int ConnectedTrayIndex(THostCore& Core)
{
  return Core.MessageList().Total() > 0 ? 3 : 2;
}

}  // namespace

TPlugItem::TPlugItem(TComponent* AOwner) : TXTBCustomItem(AOwner) {}

TNetworkMenus::TNetworkMenus(TComponent* Toolbar, TTBCustomItem* ToolbarItems, TTBPopupMenu* Popup,
                             TObject* MainWindow)
    : FToolbar(Toolbar), FToolbarItems(ToolbarItems), FPopup(Popup), FMainWindow(MainWindow)
{
}

void TNetworkMenus::Attach(THostCore* Core, ITrayIcon* Tray, IInfoDialog* Info)
{
  FCore = Core;
  FTray = Tray;
  FInfo = Info;
}

TTBCustomItem* TNetworkMenus::NetworkMenu(int Index) const
{
  for (int i = 0; FToolbarItems && i < FToolbarItems->Count(); ++i)
    if (FToolbarItems->Items(i)->Tag() == Index)
      return FToolbarItems->Items(i);
  return nullptr;
}

void TNetworkMenus::AddNetworkMenu(int Index, const std::string& Caption)
{
  auto* subMenu = new TXTBSubmenuItem(FToolbar);
  try {
    subMenu->SetCaption(SystemTextToWide(Caption));
    subMenu->SetImageIndex(0);
    subMenu->SetTag(Index);
    CreateSubMenu(subMenu);
    subMenu->SetDisplayMode(nbdmImageAndText);
    FToolbarItems->Add(subMenu);
  } catch (...) {
    delete subMenu;
    throw;
  }
}

TTBCustomItem* TNetworkMenus::NewFixedItem(const char* Caption, int Image, void (TNetworkMenus::*Click)(TObject*))
{
  auto* item = new TXTBItem(FToolbar);
  item->SetCaption(SystemTextToWide(Caption));
  item->SetImageIndex(Image);
  item->SetTag(FixedItemTag);
  item->OnClick = TNotifyEvent(this, Click);
  return item;
}

void TNetworkMenus::CreateSubMenu(TTBCustomItem* SubMenu)
{
  HostLog(0, "Creation du menu de " + SubMenu->Caption());
  std::string failure;
  if (!RunGuarded([&] {
        // "Ne pas déranger" comes before "Invisible" although their images
        // are 5 and 4: the menu follows how often people choose them.
        TTBCustomItem* items[] = {
            NewFixedItem("Déconnecter", 0, &TNetworkMenus::DisconnectClick),
            NewFixedItem("Connecter", 1, &TNetworkMenus::ConnectClick),
            NewFixedItem("Loin", 2, &TNetworkMenus::AwayClick),
            NewFixedItem("Très loin", 3, &TNetworkMenus::NotAvailableClick),
            NewFixedItem("Ne pas déranger", 5, &TNetworkMenus::DoNotDisturbClick),
            NewFixedItem("Invisible", 4, &TNetworkMenus::InvisibleClick),
            new TXTBSeparatorItem(FToolbar),
            NewFixedItem("Infos...", 6, &TNetworkMenus::InfosClick),
        };
        items[6]->SetTag(FixedItemTag);
        HostLog(0, "affichage du menu");
        for (TTBCustomItem* item : items)
          SubMenu->Add(item);
      }, failure))
    HostLog(1, "CreateSubMenu(" + SubMenu->Caption() + ")");
}

void TNetworkMenus::AddConfigureItem(int Index)
{
  TTBCustomItem* subMenu = NetworkMenu(Index);
  if (!subMenu)
    return;
  subMenu->Add(NewFixedItem("Configurer...", 7, &TNetworkMenus::ConfigureClick));
}

void TNetworkMenus::RemoveNetworkMenu(int Index)
{
  // The submenu goes with every item in it, the plug-in's included.
  delete NetworkMenu(Index);
}

bool TNetworkMenus::AddPluginMenuItem(int Tag, TPlugItemProc Proc, const std::string& Caption)
{
  TTBCustomItem* subMenu = NetworkMenu(Tag);
  if (Tag < 0 || !subMenu)
    return false;
  auto* item = new TPlugItem(FToolbar);
  item->SetCaption(SystemTextToWide(Caption));
  item->SetTag(PluginItemTag);
  item->PluginProc = Proc;
  item->OnClick = TNotifyEvent(this, &TNetworkMenus::PlugItemClick);
  subMenu->Add(item);
  return true;
}

void TNetworkMenus::AddPopupMenuItem(TPlugItemProc Proc, const std::string& Caption, bool Visible)
{
  if (!FPopup)
    return;
  auto* item = new TPlugItem(FPopup);
  item->SetCaption(SystemTextToWide(Caption));
  item->SetTag(PluginItemTag);
  item->PluginProc = Proc;
  item->OnClick = TNotifyEvent(this, &TNetworkMenus::PlugItemClick);
  if (Visible)
    item->SetVisible(true);
  FPopup->Items()->Add(item);
}

void TNetworkMenus::SetNetworkImage(int Index, int Image)
{
  if (TTBCustomItem* subMenu = NetworkMenu(Index))
    subMenu->SetImageIndex(Image);
}

void TNetworkMenus::ClearPopup()
{
  if (FPopup)
    FPopup->Items()->Clear();
}

void TNetworkMenus::LinkPopupToNetwork(int Index)
{
  if (FPopup)
    FPopup->SetLinkSubitems(NetworkMenu(Index));
}

void TNetworkMenus::UnlinkPopup()
{
  if (FPopup)
    FPopup->SetLinkSubitems(nullptr);
}

int TNetworkMenus::NetworkOfItem(TObject* Sender) const
{
  auto* item = dynamic_cast<TTBCustomItem*>(Sender);
  TTBCustomItem* subMenu = item ? item->Parent() : nullptr;
  return subMenu && subMenu->Tag() >= 0 ? int(subMenu->Tag()) : -1;
}

template <class F>
void TNetworkMenus::OnNetworkOf(TObject* Sender, const char* Place, F&& Body)
{
  const int index = NetworkOfItem(Sender);
  INetwork* network = FCore ? FCore->Network(index) : nullptr;
  if (!network)
    return;
  std::string failure;
  if (!RunGuarded([&] { Body(index, *network); }, failure))
    HostLog(1, std::string(Place) + " : " + failure);
}

void TNetworkMenus::SetStatusOf(TObject* Sender, std::int32_t Status)
{
  // The submenu's image is left to the plug-in's next refresh.
  OnNetworkOf(Sender, "SetStatus", [&](int, INetwork& network) { network.SetStatus(Status); });
}

void TNetworkMenus::ConnectClick(TObject* Sender)
{
  HostLog(0, "Click sur connecter");
  OnNetworkOf(Sender, "SetStatus", [&](int, INetwork& network) {
    network.SetStatus(1);
    if (network.GetStatus() == psOnline && FTray)
      FTray->SetIconIndex(ConnectedTrayIndex(*FCore));
  });
}

void TNetworkMenus::DisconnectClick(TObject* Sender)
{
  OnNetworkOf(Sender, "Disconnect", [&](int index, INetwork& network) {
    network.Disconnect();
    SetNetworkImage(index, network.GetStatus());
  });
  if (!FCore || !FTray)
    return;
  // Offline only when no network is connected any more.
  bool anyConnected = false;
  for (int i = 0; i < FCore->NetworkCount() && !anyConnected; ++i) {
    std::string failure;
    if (!RunGuarded([&] { anyConnected = FCore->Network(i)->GetStatus() != psOffline; }, failure))
      HostLog(1, "GetStatus : " + failure);
  }
  if (!anyConnected)
    FTray->SetIconIndex(0);
}

void TNetworkMenus::InfosClick(TObject* Sender)
{
  std::string text;
  OnNetworkOf(Sender, "Infos", [&](int, INetwork& network) {
    text = "Plugin: " + StrPas(network.GetName()) + "\r\n\r\n";
    text += "Version: " + std::to_string(network.GetVersion()) + "\r\n";
    text += "Auteur: " + StrPas(network.GetAuthor());
  });
  if (!text.empty() && FInfo)
    FInfo->ShowInformation(text);
}

void TNetworkMenus::ConfigureClick(TObject* Sender)
{
  HostLog(0, "Click sur Configurer...");
  OnNetworkOf(Sender, "Configure", [](int, INetwork& network) { network.Configure(); });
}

void TNetworkMenus::PlugItemClick(TObject* Sender)
{
  auto* item = dynamic_cast<TPlugItem*>(Sender);
  if (!item || !item->PluginProc)
    return;
  // Plug-ins written for the host rely on receiving the main window and the
  // item, as the host's own event handlers do.
  std::string failure;
  if (!RunGuarded([&] { item->PluginProc(FMainWindow, item); }, failure))
    HostLog(1, "PlugItemClick : " + failure);
}
