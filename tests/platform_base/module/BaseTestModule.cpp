// A module for the module loader's tests: exports plain functions, and reaches
// the program that loaded it the way plug-ins reach the host.
#include "platform/base/ModuleLoader.h"

extern "C" {

int BaseTestAnswer()
{
  return 42;
}

// The module's own handle, as it finds it from inside.
HMODULE BaseTestOwnHandle()
{
  return HInstance();
}

// Calls the program's export "BaseTestProgramExport" through the host name,
// loading and freeing the host as a plug-in does; -1 when that fails.
int BaseTestCallHost()
{
  HMODULE host = LoadLibrary("corvane.exe");
  if (!host)
    return -1;
  auto entry = reinterpret_cast<int (*)()>(GetProcAddress(host, "BaseTestProgramExport"));
  int result = entry ? entry() : -1;
  FreeLibrary(host);
  return result;
}
}
