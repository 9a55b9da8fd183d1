#include "api/MessageInput.h"

#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/ScopeGuard.h"

namespace {

// The module name of the running host.
constexpr const char* HostModuleName = "corvane";

}  // namespace

TMessageInput::TMessageInput() : TMessageInput(HostModuleName) {}

TMessageInput::TMessageInput(const std::string& HostName)
{
  // A failed construction gives back what it took before the exception leaves.
  OnFailure detaching([&] { Detach(); });
  HostModule = LoadLibrary(HostName.c_str());
  if (!HostModule)
    throw Exception("Impossible de charger Corvane");
  CreateEntry = reinterpret_cast<TCreateMessageInput>(GetProcAddress(HostModule, "CreateMessageInput"));
  if (!CreateEntry)
    throw Exception("Ce n'est pas le bon Executable Corvane");
  IMessageInput* created = nullptr;
  CreateEntry(&created);
  // The entry's reference is ours: keep it rather than count it twice.
  HostInput = InterfacePtr<IMessageInput>::Adopt(created);
  if (!HostInput)
    throw Exception("Corvane n'a pas fourni son interface de messages");
}

TMessageInput::~TMessageInput()
{
  Detach();
}

void TMessageInput::Detach()
{
  // The interface goes before the module that implements it.
  HostInput.Reset();
  if (HostModule) {
    FreeLibrary(HostModule);
    HostModule = nullptr;
  }
}
