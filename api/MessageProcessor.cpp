#include "api/MessageProcessor.h"

#include "api/detail/PluginModule.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"
#include "platform/base/ScopeGuard.h"

TMessageProcessor::TMessageProcessor(const std::string& FileName)
{
  void* entry = nullptr;
  Module = LoadPluginModule(FileName, "CreateMessageProcessor", "Ce n'est pas un plugin Message Coirvane 2.1", entry);
  Entry = reinterpret_cast<TCreateMessageProcessor>(entry);
  // The destructor does not run for a constructor that fails: an entry that
  // fails or hands back nothing leaves the module unloaded.
  OnFailure unloading([&] {
    Processor.Reset();
    FreeLibrary(std::exchange(Module, nullptr));
  });
  IMessageProcessor* created = nullptr;
  Entry(&created);
  Processor = InterfacePtr<IMessageProcessor>::Adopt(created);
  if (!Processor)
    throw Exception(SPluginNotCreated);
}

TMessageProcessor::~TMessageProcessor()
{
  Processor.Reset();
  if (Module)
    FreeLibrary(Module);
}
