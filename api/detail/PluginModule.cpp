#include "api/detail/PluginModule.h"

#include "platform/base/Exception.h"
#include "platform/base/ModuleLoader.h"

HMODULE LoadPluginModule(const std::string& FileName, const char* EntryName, const char* NotAPluginText,
                         void*& Entry)
{
  HMODULE module = LoadLibrary(FileName.c_str());
  if (!module)
    throw Exception("Impossible de charger la DLL");
  Entry = GetProcAddress(module, EntryName);
  if (!Entry) {
    FreeLibrary(module);
    throw Exception(NotAPluginText);
  }
  return module;
}
