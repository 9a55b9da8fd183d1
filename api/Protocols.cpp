#include "api/Protocols.h"

#include "api/detail/PluginModule.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/ScopeGuard.h"

TNetwork::TNetwork(const std::string& FileName)
{
  void* entry = nullptr;
  Module = LoadPluginModule(FileName, "CreateNetwork", "Ce n'est pas un plugin Réseaux Corvane 2.1", entry);
  Entry = reinterpret_cast<TCreateNetwork>(entry);
  // The destructor does not run for a constructor that fails: an entry that
  // fails or hands back nothing leaves the module unloaded.
  OnFailure unloading([&] {
    Network.Reset();
    FreeLibrary(std::exchange(Module, nullptr));
  });
  INetwork* created = nullptr;
  Entry(&created);
  Network = InterfacePtr<INetwork>::Adopt(created);
  if (!Network)
    throw Exception(SPluginNotCreated);
}

TNetwork::~TNetwork()
{
  Network.Reset();
  if (Module)
    FreeLibrary(Module);
}
