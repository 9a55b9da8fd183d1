// The open-chat request from another program, and the plug-in menu items.
#include <cstring>

#include "api/OpenChat.h"
#include "host/HostCore.h"
#include "host/HostLog.h"
#include "platform/base/ModuleLoader.h"
#include "platform/win/window/Messages.h"

bool THostCore::HandleCopyData(const COPYDATASTRUCT& Data)
{
  // Any process may send this, with any tag: only a whole record is read.
  if (Data.cbData < sizeof(OpenChatRequest) || !Data.lpData) {
    HostLog(1, "Demande d'ouverture de conversation ignorée (format inconnu)");
    return false;
  }
  OpenChatRequest request;
  std::memcpy(&request, Data.lpData, sizeof request);
  const std::string name = request.Network.str();
  const int index = ProtocolIndex(name);
  INetwork* network = Network(index);
  if (!network) {
    HostLog(1, "ProtocolIndex(" + name + ") : aucun réseau chargé de ce nom");
    return false;
  }
  UserID key;
  if (!Guard("AddressToUserID", [&] { network->AddressToUserID(&key, &request.Address); }))
    return false;
  if (!FManager) {
    HostLog(1, "Gestionnaire de fenêtre non chargé : " + key.str());
    return false;
  }
  return Guard("NewMessageFromMe", [&] { FManager->NewMessageFromMe(&key); });
}

void THostCore::AddNetworkMenuItem(int Tag, HMODULE Module, const char* ProcName, const std::string& Caption)
{
  auto proc = reinterpret_cast<TPlugItemProc>(GetProcAddress(Module, ProcName));
  if (!FParts.Menus || !FParts.Menus->AddPluginMenuItem(Tag, proc, Caption))
    AddConsoleLine("Erreur de creation de menu");
}

void THostCore::AddPopupItem(HMODULE Module, const char* ProcName, const std::string& Caption, bool Visible)
{
  auto proc = reinterpret_cast<TPlugItemProc>(GetProcAddress(Module, ProcName));
  if (FParts.Menus)
    FParts.Menus->AddPopupMenuItem(proc, Caption, Visible);
}
