#include "api/MessageProcessor.h"

#include "api/detail/PluginModule.h"
#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"

TMessageProcessor::TMessageProcessor(const std::string& FileName)
{
  void* entry = nullptr;
  Module = LoadPluginModule(FileName, "CreateMessageProcessor", "Ce n'est pas un plugin Message Coirvane 2.1", entry);
  Entry = reinterpret_cast<TCreateMessageProcessor>(entry);
  IMessageProcessor* created = nullptr;
  Entry(&created);
  Processor = InterfacePtr<IMessageProcessor>::Adopt(created);
  if (!Processor) {
    // The destructor does not run for a constructor that fails.
    FreeLibrary(Module);
    Module = nullptr;
    throw Exception(SPluginNotCreated);
  }
}

TMessageProcessor::~TMessageProcessor()
{
  Processor.Reset();
  if (Module)
    FreeLibrary(Module);
}
