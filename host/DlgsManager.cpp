#include "host/DlgsManager.h"

#include "host/HostLog.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/ScopeGuard.h"

namespace {

const std::string SRefused = "Impossible de charger la Gestionnaire\r\n";

template <class T>
void LookUp(HMODULE module, const char* name, T& entry)
{
  entry = reinterpret_cast<T>(GetProcAddress(module, name));
  if (!entry)
    throw Exception(SRefused + "La procedure " + name + " n'existe pas");
}

}  // namespace

TDlgsManager::TDlgsManager(const std::string& FileName)
{
  // A library that could not be bound is not kept loaded.
  OnFailure unloading([&] { FreeModule(); });
  Module = LoadLibrary(FileName.c_str());
  if (!Module)
    throw Exception(SRefused + "Le fichier " + FileName + " est manquant !");
  LookUp(Module, "NewMessage", NewMessage);
  LookUp(Module, "InitManager", InitManager);
  LookUp(Module, "EndManager", EndManager);
  LookUp(Module, "NewMessageFromMe", NewMessageFromMe);
  LookUp(Module, "MessageIsOpen", MessageIsOpen);
  LookUp(Module, "UpdateNick", UpdateNick);
  InitManager();
}

TDlgsManager::~TDlgsManager()
{
  if (Module)
    Unload();
}

void TDlgsManager::Unload()
{
  HostLog(0, "Déchargement du gestionnaire de fenêtre");
  std::string failure;
  bool ended = RunGuarded([&] {
    if (EndManager)
      EndManager();
  }, failure);
  // The module goes even when its manager failed to stop: nothing of it is called again.
  FreeModule();
  if (!ended) {
    HostLog(1, "Gestionnaire de fenêtre - Unload");
    HostLog(1, failure);
  }
}

void TDlgsManager::FreeModule()
{
  NewMessage = nullptr;
  InitManager = nullptr;
  EndManager = nullptr;
  NewMessageFromMe = nullptr;
  MessageIsOpen = nullptr;
  UpdateNick = nullptr;
  if (Module) {
    FreeLibrary(std::exchange(Module, nullptr));
  }
}
