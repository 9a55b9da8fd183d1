#include "host/HostCore.h"

#include "host/CallbackObjects.h"
#include "host/HostLog.h"
#include "platform/win/window/SystemInfo.h"

namespace {

void LogMain(const std::string& Text)
{
  HostLog(0, Text, "main");
}

}  // namespace

bool IsWindowsXP()
{
  OSVERSIONINFO info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionEx(&info))
    return false;
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion > 0));
}

THostCore::THostCore(const THostParts& Parts, std::string ChatLibrary)
    : FParts(Parts), FChatLibrary(std::move(ChatLibrary))
{
  RegisterHostCore(this);
}

THostCore::~THostCore()
{
  if (!FShutDown)
    Shutdown();
  UnregisterHostCore(this);
}

void THostCore::AddConsoleLine(const std::string& Line)
{
  if (FParts.Console)
    FParts.Console->AddConsoleLine(Line);
}

bool THostCore::Start()
{
  if (IsWindowsXP())
    AddConsoleLine("Windows XP détecté... Utilisations des packs d'images XP possible");
  AddConsoleLine("Connexion avec le gestionnaire de fenêtre...");
  std::string failure;
  const bool bound = BindChatLibrary(failure);
  if (!bound) {
    // The lists and plug-ins are set up all the same, so that the window is
    // whole until the program ends and its closing step finds everything.
    // The failure goes to the warning and the log, not to the console.
    HostLog(1, failure);
    if (FParts.Warnings)
      FParts.Warnings->ShowWarning(failure);
  }
  AddConsoleLine("Chargement des plug-ins Réseaux...");
  LoadNetworks();
  AddConsoleLine("Chargement des plug-ins Messages...");
  LoadMessageProcessors();
  return bound;
}

bool THostCore::BindChatLibrary(std::string& Failure)
{
  if (FManager)
    return true;
  return RunGuarded([&] { FManager = std::make_unique<TDlgsManager>(FChatLibrary); }, Failure);
}

void THostCore::UnbindChatLibrary()
{
  if (auto manager = std::move(FManager))
    manager->Unload();
}

void THostCore::Shutdown()
{
  FShutDown = true;
  // Each step in its own handler: one failure must not leave plug-ins or the
  // chat library loaded.
  auto step = [](auto&& body) {
    std::string failure;
    if (!RunGuarded(body, failure))
      HostLog(1, "Erreur lors de la destruction: " + failure);
  };
  step([&] {
    HostLog(0, "Fermeture de la feuille...");
    HostLog(0, "Liberation des plug-ins réseaux");
    AddConsoleLine("Déchargement des plug-ins...");
  });
  step([&] { FreeNetworks(); });
  step([&] {
    LogMain("Libration du Stringlist Protocols1");
    FNetworkNames.clear();
  });
  step([&] {
    HostLog(0, "Liberation des plug-ins Messages");
    FreeProcessors();
  });
  step([&] {
    HostLog(0, "Liberation du gestionnaire de message");
    FMessageList.Clear();
  });
  step([&] {
    if (!FManager)
      return;
    HostLog(0, "(Unload)Liberation du gestionnaire de fenêtre");
    UnbindChatLibrary();
    HostLog(0, "(Free)Liberation du gestionnaire de fenêtre");
  });
  HostLog(0, "Déchargement terminé");
}

void THostCore::FreeNetworks()
{
  if (FNetworks.empty())
    return;
  LogMain("Y a des plugins : " + std::to_string(FNetworks.size()));
  while (!FNetworks.empty()) {
    const int index = int(FNetworks.size()) - 1;
    std::string failure;
    // Out of the list before it goes: a plug-in calling back while it is
    // released finds the networks that remain.
    std::unique_ptr<TNetwork> holder = std::move(FNetworks.back());
    FNetworks.pop_back();
    if (!RunGuarded([&] {
          LogMain("Effacement du menuItem n°" + std::to_string(index));
          if (FParts.Menus)
            FParts.Menus->RemoveNetworkMenu(index);
          LogMain("Liberation du plug-in");
        }, failure))
      HostLog(1, "Erreur lors de la destruction: " + failure);
    holder.reset();
  }
}

void THostCore::FreeProcessors()
{
  while (!FMsgProcs.empty()) {
    std::unique_ptr<TMessageProcessor> holder = std::move(FMsgProcs.back());
    FMsgProcs.pop_back();
    holder.reset();
  }
}

INetwork* THostCore::Network(int Index) const
{
  return Index >= 0 && Index < NetworkCount() ? FNetworks[std::size_t(Index)]->Network.Get() : nullptr;
}

HMODULE THostCore::NetworkModule(int Index) const
{
  return Index >= 0 && Index < NetworkCount() ? FNetworks[std::size_t(Index)]->Module : nullptr;
}

IMessageProcessor* THostCore::Processor(int Index) const
{
  return Index >= 0 && Index < ProcessorCount() ? FMsgProcs[std::size_t(Index)]->Processor.Get() : nullptr;
}

int THostCore::ProtocolIndex(const std::string& Name) const
{
  for (std::size_t i = 0; i < FNetworkNames.size() && i < FNetworks.size(); ++i)
    if (FNetworkNames[i] == Name)
      return int(i);
  return -1;
}

bool THostCore::EnterCallback(const char* Name)
{
  if (FCallbackDepth >= MaxCallbackDepth) {
    HostLog(1, std::string(Name) + " : appel refusé, trop d'appels imbriqués");
    return false;
  }
  ++FCallbackDepth;
  return true;
}

void THostCore::RefreshStatus()
{
  // A plug-in that refreshes from inside GetStatus would otherwise never end.
  if (FRefreshing)
    return;
  FRefreshing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FRefreshing};
  if (FParts.Tree)
    Guard("RefreshStatus", [&] { FParts.Tree->ReinitNodes(); });
  for (int i = 0; i < NetworkCount(); ++i) {
    PresenceStatus status = psOffline;
    if (!Guard("RefreshStatus", [&] {
          if (INetwork* network = Network(i))
            status = network->GetStatus();
        }))
      continue;
    // The network's image follows what it reports, offline included.
    if (FParts.Menus)
      Guard("RefreshStatus", [&] { FParts.Menus->SetNetworkImage(i, status); });
    // The waiting image stays while messages wait.
    if (status != psOffline && FParts.Tray)
      FParts.Tray->SetIconIndex(FMessageList.Total() > 0 ? 3 : 2);
  }
}

void THostCore::RefreshContacts()
{
  AddConsoleLine("Actualisation des contacts...");
  HostLog(0, "Actualisation des contacts");
  for (int i = 0; i < NetworkCount(); ++i) {
    Guard("RefreshContacts", [&] {
      INetwork* network = Network(i);
      const int groups = network ? network->GetGroupCount() : 0;
      if (FParts.Tree)
        FParts.Tree->SetChildCount(i, groups < 0 ? 0 : groups);
    });
  }
  AddConsoleLine("OK");
  AddConsoleLine("Actualisation des fenêtres...");
}
