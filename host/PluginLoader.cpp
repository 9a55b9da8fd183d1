// Discovery and loading of the plug-ins beside the program: every "*.net"
// becomes a network with its submenu, every "*.mp" a processor with its line.
#include "host/HostCore.h"
#include "host/HostLog.h"
#include "platform/base/FileSearch.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/PCharRoutines.h"

namespace {

// The names of the files matching Pattern in the program folder, in search order.
std::vector<std::string> FindPlugins(const char* Pattern)
{
  std::vector<std::string> names;
  TSearchRec rec;
  if (FindFirst(ProgramFolder() + Pattern, faAnyFile, rec) == 0) {
    do
      names.push_back(rec.Name);
    while (FindNext(rec) == 0);
    FindClose(rec);
  }
  return names;
}

}  // namespace

void THostCore::LoadNetworks()
{
  HostLog(0, "Chargement des plug-in réseaux");
  for (const std::string& name : FindPlugins("*.net"))
    LoadNetwork(name);
  if (FParts.Tree)
    FParts.Tree->SetRootCount(NetworkCount());
}

void THostCore::LoadNetwork(const std::string& FileName)
{
  int index = -1;
  bool menuAdded = false;
  std::string failure;
  const bool loaded = RunGuarded([&] {
    auto holder = std::make_unique<TNetwork>(FileName);
    INetwork* network = holder->Network.Get();
    HMODULE module = holder->Module;
    const std::string caption = StrPas(network->GetName());
    index = NetworkCount();
    if (FParts.Menus)
      FParts.Menus->AddNetworkMenu(index, caption);
    menuAdded = true;
    FNetworks.push_back(std::move(holder));
    FNetworkNames.push_back(StrPas(network->GetName()));
    network->SetIndex(index);
    network->SetModule(module);
    if (FParts.Menus)
      FParts.Menus->AddConfigureItem(index);
    network->Start();
  }, failure);
  if (loaded)
    return;
  // A network that failed half-way leaves no trace: the network list, the
  // names and the submenus stay parallel, so indexes keep naming the right one.
  if (index >= 0) {
    std::string ignored;
    if (menuAdded && FParts.Menus)
      RunGuarded([&] { FParts.Menus->RemoveNetworkMenu(index); }, ignored);
    if (FNetworkNames.size() > std::size_t(index))
      FNetworkNames.resize(std::size_t(index));
    while (FNetworks.size() > std::size_t(index)) {
      std::unique_ptr<TNetwork> holder = std::move(FNetworks.back());
      FNetworks.pop_back();
      RunGuarded([&] { holder.reset(); }, ignored);
    }
  }
  AddConsoleLine("Erreur avec le fichier " + FileName);
  AddConsoleLine(failure);
}

void THostCore::LoadMessageProcessors()
{
  HostLog(0, "Chargement des plug-ins messages");
  for (const std::string& name : FindPlugins("*.mp")) {
    std::string failure;
    const bool loaded = RunGuarded([&] {
      auto holder = std::make_unique<TMessageProcessor>(name);
      const std::string line = StrPas(holder->Processor->GetName());
      FMsgProcs.push_back(std::move(holder));
      try {
        if (FParts.Processors)
          FParts.Processors->AddProcessorLine(line);
      } catch (...) {
        // Line i and processor i belong together: no line, no processor.
        FMsgProcs.pop_back();
        throw;
      }
    }, failure);
    if (!loaded) {
      HostLog(1, name + " : " + failure);
      AddConsoleLine("Plug-in Message impossible à charger");
    }
  }
}
